// SPDX-License-Identifier: MIT
#include "errortext.h"
#include "model/usererror.h"
#include "scenes/numbertext.h"

#include <QTest>

namespace {

const QLocale Point(QLocale::English, QLocale::UnitedStates);
const QLocale Comma(QLocale::German, QLocale::Germany);


} // namespace

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void generalFormat_data()
    {
        QTest::addColumn<QString>("input"); // parsed as a long double literal
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("comma");
        QTest::newRow("zero") << "0" << "0" << "0";
        QTest::newRow("half") << "0.5" << "0.5" << "0,5";
        QTest::newRow("1e-5 stays fixed") << "0.00001" << "0.00001" << "0,00001";
        QTest::newRow("1e-6 takes the exponent") << "0.000001" << "1e-06" << "1e-06";
        QTest::newRow("negative small") << "-0.0000025" << "-2.5e-06" << "-2,5e-06";
        QTest::newRow("integer") << "42" << "42" << "42";
        QTest::newRow("15 integer digits") << "123456789012345" << "123456789012345" << "123456789012345";
        QTest::newRow("16 integer digits") << "1234567890123456" << "1.23456789012346e+15" << "1,23456789012346e+15";
        QTest::newRow("15 significant digits") << "0.1234567890123456789" << "0.123456789012346" << "0,123456789012346";
        QTest::newRow("a third") << "-3.3333333333333333333" << "-3.33333333333333" << "-3,33333333333333";
        QTest::newRow("0.001") << "0.001" << "0.001" << "0,001";
        QTest::newRow("2.718") << "2.718" << "2.718" << "2,718";
        QTest::newRow("huge") << "1e4000" << "1e+4000" << "1e+4000";
        QTest::newRow("rounds up to 1e-5") << "0.0000099999999999999999" << "0.00001" << "0,00001";
    }
    void generalFormat()
    {
        QFETCH(QString, input);
        QFETCH(QString, point);
        QFETCH(QString, comma);
        const Real value = strtold(input.toLatin1().constData(), nullptr);
        QCOMPARE(FloatToText(value, Point), point);
        QCOMPARE(FloatToText(value, Comma), comma);
    }

    void specialValues()
    {
        QCOMPARE(FloatToText(std::numeric_limits<Real>::quiet_NaN(), Point), QStringLiteral("NAN"));
        QCOMPARE(FloatToText(-std::numeric_limits<Real>::infinity(), Point), QStringLiteral("-INF"));
        QCOMPARE(FloatToText(-0.0L, Point), QStringLiteral("0"));
    }

    void readingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("commaLocale");
        QTest::addColumn<QString>("value"); // expected, as a C literal; empty: refused
        QTest::newRow("plain") << "0.05" << false << "0.05";
        QTest::newRow("comma locale") << "0,01" << true << "0.01";
        QTest::newRow("full stop under comma") << "0.01" << true << "";
        QTest::newRow("comma under point") << "0,01" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("lone minus") << "-" << false << "";
        QTest::newRow("two separators") << "1.2.3" << false << "";
        QTest::newRow("minus between digits") << "1-2" << false << "";
        QTest::newRow("blanks around") << "  -7.5 " << false << "-7.5";
        QTest::newRow("exponent") << "1e-06" << false << "1e-06";
        QTest::newRow("exponent under comma") << "2,5E+3" << true << "2500";
        QTest::newRow("exponent without digits") << "1e" << false << "";
        QTest::newRow("too large") << "1e5000" << false << "";
        QTest::newRow("tiny is fine") << "1e-4940" << false << "1e-4940";
        QTest::newRow("letters") << "abc" << false << "";
        QTest::newRow("no leading digit") << ".5" << false << "0.5";
        QTest::newRow("infinity is no number") << "INF" << false << "";
    }
    void readingNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, commaLocale);
        QFETCH(QString, value);
        Real read = 0;
        const QString error = ErrorOf([&] { read = TextToFloat(text, commaLocale ? Comma : Point); });
        if (value.isEmpty()) {
            QCOMPARE(error, QStringLiteral("'%1' is not a valid floating point value").arg(text));
        } else {
            QCOMPARE(error, QString());
            QCOMPARE(read, strtold(value.toLatin1().constData(), nullptr));
        }
    }

    // Every shown value reads back as the same 15-digit number.
    void shownValuesReadBack()
    {
        for (Real v : {0.1L, -123.456L, 1e-7L, 6.02214076e23L, 0.00001L})
            for (const QLocale& locale : {Point, Comma}) {
                const QString text = FloatToText(v, locale);
                QCOMPARE(FloatToText(TextToFloat(text, locale), locale), text);
            }
    }

    void integers()
    {
        QCOMPARE(TextToInt(QStringLiteral("7")), 7);
        QCOMPARE(TextToInt(QStringLiteral("-12")), -12);
        for (const char* bad : {"", "1.5", "x", "99999999999"})
            QCOMPARE(ErrorOf([&] { TextToInt(QString::fromLatin1(bad)); }),
                     QStringLiteral("'%1' is not a valid integer value").arg(QString::fromLatin1(bad)));
    }

    void keyFilter()
    {
        for (QChar c : QStringLiteral("0123456789,-."))
            QVERIFY(NumericKeyFilter(c));
        QVERIFY(NumericKeyFilter(QChar(8)));
        for (QChar c : QStringLiteral("aZ e+/\t\r"))
            QVERIFY2(!NumericKeyFilter(c), qPrintable(QString(c)));
        QVERIFY(!NumericKeyFilter(QChar(22))); // Ctrl+V
        QVERIFY(!NumericKeyFilter(QChar(27)));
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "numbertext_test.moc"
