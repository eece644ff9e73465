#include "model/pushcurve.h"
#include "scenes/scenefile.h"
#include "tools/cli.h"
#include "tools/scenetext.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

namespace {

// The law's reference row in every group; group 2 with A = 2.
TaonSystem ReferenceScene()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    const Real row[6] = {1, 1, 2, 3, 4, 5};
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = row[k % 6];
    s.A2 = 2;
    return s;
}

struct Outcome {
    int status;
    QStringList lines;
    QString err;
};

Outcome Law(const QString& file, const QStringList& options)
{
    std::vector<std::string> args{"law", file.toStdString()};
    for (const QString& option : options)
        args.push_back(option.toStdString());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = CliMain(args, in, out, err);
    return {status, QString::fromStdString(out.str()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
            QString::fromStdString(err.str())};
}

Real ReadReal(const QString& text)
{
    Real value = 0;
    if (!TextToReal(text.toStdString(), value))
        qFatal("not a number: %s", qPrintable(text));
    return value;
}

} // namespace

class LawCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString reference_, faulty_;

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        reference_ = dir_.filePath(QStringLiteral("reference.ato"));
        TaonSystem s = ReferenceScene();
        WriteSceneFile(s, reference_);
        faulty_ = dir_.filePath(QStringLiteral("faulty.ato"));
        s.C3 = 0;
        WriteSceneFile(s, faulty_);
    }

    void curveRows_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("row"); // the sample at r = 1, 4 or 6
        QTest::addColumn<double>("push1");
        QTest::newRow("Gravoscope, S(1)") << QStringList{} << 1 << -0.46328;
        QTest::newRow("Taoscope, S(4)") << QStringList{"--taoscope"} << 4 << 3.0051;
        QTest::newRow("Functions3X1, S(6)") << QStringList{"--functions3x1"} << 6 << -0.62324;
    }

    void curveRows()
    {
        QFETCH(QStringList, options);
        QFETCH(int, row);
        QFETCH(double, push1);
        const Outcome o = Law(reference_, options + QStringList{"--from", "1", "--to", "6", "--samples", "6"});
        QCOMPARE(o.status, 0);
        QCOMPARE(o.err, QString());
        QCOMPARE(o.lines.size(), 7);
        QCOMPARE(o.lines[0], QStringLiteral("r,push1,push2,push3"));
        const QStringList cells = o.lines[row].split(QLatin1Char(','));
        QCOMPARE(cells.size(), 4);
        QCOMPARE(cells[0], QString::number(row));
        const Real p1 = ReadReal(cells[1]);
        QVERIFY2(std::fabs(p1 - push1) <= 2e-5L * std::fabs(push1), qPrintable(cells[1]));
        // Written exactly: the text reads back to the law's own value, bit for bit.
        const LawSwitches switches{options.contains("--taoscope"), options.contains("--functions3x1")};
        QVERIFY(p1 == Push(GroupCoefficients{1, 1, 2, 3, 4, 5}, switches, Parity::Equal, row));
        if (!switches.Functions3X1) // A enters the contact term too
            QCOMPARE(ReadReal(cells[2]), 2 * p1);
        QCOMPARE(ReadReal(cells[3]), p1);
    }

    void defaultSamples()
    {
        const Outcome o = Law(reference_, {});
        QCOMPARE(o.status, 0);
        QCOMPARE(o.lines.size(), 1001);
        QCOMPARE(o.lines[1].section(QLatin1Char(','), 0, 0), QStringLiteral("0.05"));
        QCOMPARE(o.lines[1000].section(QLatin1Char(','), 0, 0), QStringLiteral("12"));
    }

    void equilibria()
    {
        const Outcome o = Law(reference_, {"--equilibria"});
        QCOMPARE(o.status, 0);
        const QRegularExpression form(QStringLiteral("^([123]),([^,]+),(stable|unstable)$"));
        QStringList group1;
        for (const QString& line : o.lines) {
            const QRegularExpressionMatch match = form.match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            const Real r = ReadReal(match.captured(2));
            QVERIFY(r > 0.05L && r < 12);
            if (match.captured(1) == QLatin1String("1"))
                group1 << match.captured(3);
        }
        QVERIFY(group1.contains(QStringLiteral("stable")));
        // Along r the kinds alternate: every crossing turns the push around.
        for (int k = 1; k < group1.size(); ++k)
            QVERIFY(group1[k] != group1[k - 1]);
    }

    void faultingGroupKeepsTheOthers_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("curve") << QStringList{"--samples", "3"};
        QTest::newRow("equilibria") << QStringList{"--equilibria"};
    }

    void faultingGroupKeepsTheOthers()
    {
        QFETCH(QStringList, options);
        const Outcome o = Law(faulty_, options);
        QCOMPARE(o.status, 1);
        QCOMPARE(o.err, QStringLiteral("zarvitone-cli: law: group 3: Floating point division by zero\n"));
        QVERIFY(o.lines.size() > 1);
        const bool curve = !options.contains("--equilibria");
        for (const QString& line : o.lines.mid(curve ? 1 : 0)) {
            const bool group3 = line.startsWith(QStringLiteral("3,"));
            if (curve)
                QCOMPARE(line.section(QLatin1Char(','), 3), QStringLiteral("Floating point division by zero"));
            else
                QCOMPARE(line == QStringLiteral("3,Floating point division by zero"), group3);
        }
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("error");
        QTest::newRow("zero from") << QStringList{"--from", "0"} << "bad number for --from: '0' (a positive distance)";
        QTest::newRow("from above to") << QStringList{"--from", "3", "--to", "2"} << "--from must be below --to";
        QTest::newRow("no samples") << QStringList{"--samples", "0"}
                                    << "bad number for --samples: '0' (a whole number from 1 to 10000000)";
        QTest::newRow("missing value") << QStringList{"--to"} << "--to needs a value";
        QTest::newRow("unknown option") << QStringList{"--cool"} << "unknown option '--cool'";
        QTest::newRow("second file") << QStringList{"x.ato"} << "unexpected argument 'x.ato'";
    }

    void usage()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, error);
        const Outcome o = Law(reference_, options);
        QCOMPARE(o.status, 2);
        QCOMPARE(o.err, QStringLiteral("zarvitone-cli: ") + error + QLatin1Char('\n'));
        QVERIFY(o.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LawCommandTest)
#include "lawcommand_test.moc"
