// SPDX-License-Identifier: MIT
#include "model/pushcurve.h"
#include "scenes/realtext.h"
#include "scenes/scenefile.h"
#include "tools/cli.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

class LawCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Runs `law` on a scene of the reference row in every group, group 2
    // with A = 2, and `c3` as C3; gives the status and fills lines and error.
    int Law(const QStringList& options, QStringList& lines, QString& error, Real c3 = 2)
    {
        TaonSystem s;
        for (int k = 0; k < CoefficientCount; ++k)
            s.*CoefficientFields[k] = Real(k % 6 == 0 ? 1 : k % 6);
        s.A2 = 2;
        s.C3 = c3;
        const QString path = dir_.filePath(QStringLiteral("scene.ato"));
        WriteSceneFile(s, path);
        std::vector<std::string> args{"law", path.toStdString()};
        for (const QString& option : options)
            args.push_back(option.toStdString());
        std::istringstream in;
        std::ostringstream out, err;
        const int status = CliMain(args, in, out, err);
        lines = QString::fromStdString(out.str()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        error = QString::fromStdString(err.str());
        return status;
    }

private slots:
    void curveRows_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("r"); // a row's distance: the samples are 1 to 6
        QTest::addColumn<double>("push1");
        QTest::newRow("Gravoscope, S(1)") << "" << 1 << -0.46328;
        QTest::newRow("Taoscope, S(4)") << "--taoscope" << 4 << 3.0051;
        QTest::newRow("Functions3X1, S(6)") << "--functions3x1" << 6 << -0.62324;
    }

    void curveRows()
    {
        QFETCH(QString, option);
        QFETCH(int, r);
        QFETCH(double, push1);
        QStringList lines;
        QString error;
        const QStringList range{"--from", "1", "--to", "6", "--samples", "6"};
        QCOMPARE(Law(range + QStringList{option}.filter(QStringLiteral("--")), lines, error), 0);
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QStringLiteral("r,push1,push2,push3"));
        const QStringList cells = lines[r].split(QLatin1Char(','));
        QCOMPARE(cells[0], QString::number(r));
        Real p1 = 0, p2 = 0;
        QVERIFY(TextToReal(cells[1].toStdString(), p1) && TextToReal(cells[2].toStdString(), p2));
        QVERIFY2(std::fabs(p1 - push1) <= 2e-5L * std::fabs(push1), qPrintable(cells[1]));
        // Exact: the text reads back to the law's own value, bit for bit.
        const LawSwitches law{option == QLatin1String("--taoscope"), option == QLatin1String("--functions3x1")};
        QVERIFY(p1 == Push({1, 1, 2, 3, 4, 5}, law, Parity::Equal, r));
        QCOMPARE(p2 == 2 * p1, !law.Functions3X1); // A enters the contact term as well
    }

    void faultingGroupAndEquilibria()
    {
        QStringList lines;
        QString error;
        QCOMPARE(Law({"--samples", "3"}, lines, error, 0), 1);
        QCOMPARE(error, QStringLiteral("zarvitone-cli: law: group 3 at r = 0.05: Floating point division by zero\n"));
        QCOMPARE(lines.size(), 4);
        for (const QString& row : lines.mid(1))
            QCOMPARE(row.section(QLatin1Char(','), 3), QStringLiteral("Floating point division by zero"));

        // A fault at one distance marks that row only.
        QCOMPARE(Law({"--from", "1e-2500", "--to", "1", "--samples", "2"}, lines, error), 1);
        QCOMPARE(error, QStringLiteral("zarvitone-cli: law: group 1 at r = 1e-2500: Floating point overflow\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1],
                 QStringLiteral("1e-2500,Floating point overflow,Floating point overflow,Floating point overflow"));
        Real push = 0;
        QVERIFY(TextToReal(lines[2].section(QLatin1Char(','), 1, 1).toStdString(), push));
        QCOMPARE(push, Push({1, 1, 2, 3, 4, 5}, {}, Parity::Equal, 1));

        QCOMPARE(Law({"--equilibria"}, lines, error), 0);
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^[123],[0-9.]+,(un)?stable$"))), lines);
        const QStringList stable = lines.filter(QRegularExpression(QStringLiteral("^1,.*,stable$")));
        Real rest = 0;
        QVERIFY(!stable.isEmpty() && TextToReal(stable[0].section(QLatin1Char(','), 1, 1).toStdString(), rest));
        const auto pushAt = [](Real at) { return Push({1, 1, 2, 3, 4, 5}, {}, Parity::Equal, at); };
        QVERIFY(pushAt(rest - 1e-3L) > 0 && pushAt(rest + 1e-3L) < 0);

        QCOMPARE(Law({"--from", "3", "--to", "2"}, lines, error), 2);
        QVERIFY2(error.startsWith(QStringLiteral("zarvitone-cli: --from must be below --to\nusage: zarvitone-cli law ")),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(LawCommandTest)
#include "lawcommand_test.moc"
