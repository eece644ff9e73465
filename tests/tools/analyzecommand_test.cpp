// SPDX-License-Identifier: MIT
#include "scenes/scenefile.h"
#include "tools/cli.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <sstream>

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome Cli(const QStringList& args)
{
    std::vector<std::string> arguments;
    for (const QString& arg : args)
        arguments.push_back(arg.toStdString());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = CliMain(arguments, in, out, err);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

// Slots 1 and 2 (group 1) 0.3 apart, 51 (group 2) 0.45 from 1, 76 (group 3)
// far off, and 3 present at no finite place; every row alike.
TaonSystem Scene()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    for (int g = 0; g < 3; ++g) {
        const Real row[6] = {1, 0.4L, 0.6L, 0.8L, 1, 1.2L};
        for (int k = 0; k < 6; ++k)
            s.*CoefficientFields[6 * g + k] = row[k];
    }
    for (int i = 1; i <= SlotCount; ++i)
        s.X[i] = 1000.0L + 10 * i; // absent slots far away: the law still moves them
    for (int i : {1, 2, 3, 51, 76})
        s.Present[i] = 1, s.X[i] = 0;
    s.X[2] = 0.3L;
    s.Y[51] = 0.45L;
    s.X[76] = 40;
    s.Z[3] = NAN;
    return s;
}

} // namespace

class AnalyzeCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        TaonSystem scene = Scene();
        WriteSceneFile(scene, Path("scene.ato"));
    }

    // Figures, and the histogram's rows, of a scene with a point left out.
    void figuresAndHistogram()
    {
        const Outcome outcome =
            Cli({"analyze", Path("scene.ato"), "--histogram", Path("h.csv"), "--bins", "2", "--range", "0.25:0.5"});
        QCOMPARE(outcome.err, QString());
        QCOMPARE(outcome.status, 0);
        for (const char* line :
             {"points: 4\n", "left out: 1\n", "clusters: 2\n", "largest: 3\n", "cluster 1: 3 points: 1 2 51\n",
              "cluster 2: 1 point: 76\n", "energy: not defined: The position of slot 3 is not a finite number.\n",
              "histogram: 0 pairs below 0.25, 4 from 0.5 on\n"})
            QVERIFY2(outcome.out.contains(QLatin1String(line)), line);
        QFile csv(Path("h.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), QByteArray("r_low,r_high,n11,n12,n13,n22,n23,n33\n"
                                           "0.25,0.375,1,0,0,0,0,0\n"
                                           "0.375,0.5,0,1,0,0,0,0\n"));
    }

    void badRequests_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("cutoff 0") << QStringList{"--cutoff", "0"} << "--cutoff must be a positive distance, not '0'";
        QTest::newRow("cutoff < 0") << QStringList{"--cutoff", "-1"} << "--cutoff must be a positive distance";
        QTest::newRow("cutoff NaN") << QStringList{"--cutoff", "nan"} << "--cutoff must be a positive distance";
        QTest::newRow("cutoff text") << QStringList{"--cutoff", "far"} << "bad number for --cutoff: 'far'";
        QTest::newRow("A = B") << QStringList{"--histogram", "x.csv", "--range", "1:1"} << "A less than B";
        QTest::newRow("A > B") << QStringList{"--histogram", "x.csv", "--range", "2:1"} << "A less than B";
        QTest::newRow("no colon") << QStringList{"--histogram", "x.csv", "--range", "2"} << "--range needs A:B";
        QTest::newRow("bins 0") << QStringList{"--histogram", "x.csv", "--bins", "0"} << "bad number for --bins: '0'";
        QTest::newRow("bins alone") << QStringList{"--bins", "5"} << "--bins and --range need --histogram";
        QTest::newRow("histogram -") << QStringList{"--histogram", "-"} << "--histogram cannot be standard output";
    }
    // Status 2, the message and nothing written.
    void badRequests()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const Outcome outcome = Cli(QStringList{"analyze", Path("scene.ato")} + options);
        QCOMPARE(outcome.status, 2);
        QVERIFY2(outcome.err.contains(message), qPrintable(outcome.err));
        QCOMPARE(outcome.out, QString());
        QVERIFY(!QFile::exists(QStringLiteral("x.csv")));
    }

private:
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(AnalyzeCommandTest)
#include "analyzecommand_test.moc"
