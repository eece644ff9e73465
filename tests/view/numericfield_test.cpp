#include "view/numericfield.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

class NumericFieldTest : public QObject {
    Q_OBJECT
private slots:
    void typedKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("number") << "-1,5.2" << "-1,5.2";
        QTest::newRow("letters and blanks") << "1a b2" << "12";
        QTest::newRow("plus and exponent") << "+1e5" << "15";
    }
    void typedKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QLineEdit field;
        NumericKeyGuard::Attach(&field);
        QTest::keyClicks(&field, typed);
        QCOMPARE(field.text(), kept);
    }

    void controlKeys()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("999"));
        QLineEdit plain;
        QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(plain.text(), QStringLiteral("999")); // the clipboard would paste without the guard

        QLineEdit field;
        NumericKeyGuard::Attach(&field);
        QTest::keyClicks(&field, QStringLiteral("123"));
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier); // no paste
        QCOMPARE(field.text(), QStringLiteral("123"));
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClick(&field, Qt::Key_Home);
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.text(), QStringLiteral("2"));
    }
};

QTEST_MAIN(NumericFieldTest)
#include "numericfield_test.moc"
