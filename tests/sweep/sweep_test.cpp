// SPDX-License-Identifier: MIT
#include "model/usererror.h"
#include "scenes/atomicwrite.h"
#include "sweep/grid.h"
#include "sweep/job.h"
#include "sweep/merge.h"
#include "sweep/runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::vector<SweepAxis> Axes(const QStringList& texts)
{
    std::vector<SweepAxis> axes;
    for (const QString& text : texts)
        axes.push_back(AxisFromText(text.toStdString()));
    return axes;
}

// Four points at rest, the coefficients of every group 1, 1, 2, 3, 4, 5.
TaonSystem FourPoints()
{
    TaonSystem scene;
    scene.TaonCount = SlotCount;
    scene.dt = 0.001L;
    for (int k = 0; k < CoefficientCount; ++k)
        scene.*CoefficientFields[k] = Real(std::max(1, k % 6));
    for (int i : {1, 2, 51, 76}) {
        scene.X[i] = 0.3L * i + 1;
        scene.Y[i] = 0.2L * (i % 5);
        scene.Present[i] = 1;
    }
    FillSceneRecord(scene);
    RestoreFromSceneRecord(scene); // the working copies, as a scene read has them
    return scene;
}

QString Rows(const SweepTable& table)
{
    return QString::fromLatin1(SweepTableText(table));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SweepTest : public QObject {
    Q_OBJECT

private slots:
    void gridIsEveryCombination_data()
    {
        QTest::addColumn<QStringList>("vary");
        QTest::addColumn<QString>("table");
        QTest::newRow("ends included") << QStringList{"A1=0:1:5"} << "id,A1\n1,0\n2,0.25\n3,0.5\n4,0.75\n5,1\n";
        QTest::newRow("one value is FROM") << QStringList{"dt=0.002:9:1"} << "id,dt\n1,0.002\n";
        QTest::newRow("falling range") << QStringList{"G3=3:1:3"} << "id,G3\n1,3\n2,2\n3,1\n";
        // The last name varies fastest; the ends come back as given.
        QTest::newRow("product") << QStringList{"A1=0.1,0.3", "dt=1e-3:3e-3:3"}
                                 << "id,A1,dt\n1,0.1,0.001\n2,0.1,0.002\n3,0.1,0.003\n"
                                    "4,0.3,0.001\n5,0.3,0.002\n6,0.3,0.003\n";
    }
    void gridIsEveryCombination()
    {
        QFETCH(QStringList, vary);
        QFETCH(QString, table);
        const SweepTable grid = GridTable(Axes(vary));
        QCOMPARE(Rows(grid), table);
        // Read back bit for bit.
        QCOMPARE(Rows(SweepTableFromText(SweepTableText(grid))), table);
    }

    void gridSizeSaturates()
    {
        QCOMPARE(GridSize(Axes({"A1=0:1:4294967296", "B1=0:1:4294967296", "C1=1,2"})),
                 std::numeric_limits<std::uint64_t>::max());
        QCOMPARE(GridSize(Axes({"A1=0:1:1000", "B1=1,2,3"})), std::uint64_t(3000));
    }

    void randomDrawsRepeatWithinTheRanges()
    {
        const std::vector<SweepAxis> axes = Axes({"A1=-2:-1", "dt=0.001:0.002"});
        const SweepTable one = RandomTable(axes, 200, 42);
        QCOMPARE(Rows(one), Rows(RandomTable(axes, 200, 42)));
        QVERIFY(Rows(one) != Rows(RandomTable(axes, 200, 43)));
        Real least = 0, most = -3;
        for (const auto& job : one.Jobs) {
            QVERIFY(job[1] >= 0.001L && job[1] < 0.002L);
            least = std::min(least, job[0]), most = std::max(most, job[0]);
        }
        QVERIFY(least >= -2 && least < -1.9L && most < -1 && most > -1.1L);
    }

    void tableTextRefused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no id") << QByteArray("A1\n1\n");
        QTest::newRow("unknown name") << QByteArray("id,X1\n1,2\n");
        QTest::newRow("ids out of order") << QByteArray("id,A1\n2,1\n");
        QTest::newRow("short row") << QByteArray("id,A1,dt\n1,2\n");
        QTest::newRow("no number") << QByteArray("id,A1\n1,x\n");
    }
    void tableTextRefused()
    {
        QFETCH(QByteArray, text);
        QVERIFY_THROWS_EXCEPTION(UserError, SweepTableFromText(text));
    }

    void csvFieldsRoundTrip()
    {
        for (const std::string field : {"ok", "a, b", "say \"x\"", ""}) {
            const std::vector<std::string> fields = CsvFields(CsvField(field) + ",1");
            QCOMPARE(fields, (std::vector<std::string>{field, "1"}));
        }
    }

    // Only the jobs without a summary run; a folder of another table's jobs
    // is refused before any; a cancelled runner leaves no result.
    void runnerResumesAndRefusesAnotherSweep()
    {
        QTemporaryDir dir;
        SweepPlan plan;
        plan.Start = FourPoints();
        plan.Table = GridTable(Axes({"A1=0.5:1.5:3"}));
        plan.Steps = 4;
        plan.Folder = dir.filePath("out");
        plan.JobsAtOnce = 2;
        std::atomic<bool> cancel{true};
        QCOMPARE(RunSweep(plan, {}, &cancel).Jobs, 0);
        QCOMPARE(JobSummaryFiles(plan.Folder), QStringList());
        int calls = 0;
        SweepProgress last;
        const auto count = [&](const SweepProgress& progress) { ++calls, last = progress; };
        QCOMPARE(RunSweep(plan, count).Jobs, 3);
        QCOMPARE(calls, 3);
        const QByteArray whole = ReadAll(MergedSummaryPath(plan.Folder));
        QVERIFY(QFile::remove(JobSummaryPath(plan.Folder, 2)));
        calls = 0;
        QCOMPARE(RunSweep(plan, count).Failed, 0);
        QCOMPARE(calls, 1);
        QCOMPARE(last.ToRun, 1);
        QCOMPARE(ReadAll(MergedSummaryPath(plan.Folder)), whole);
        plan.Table = GridTable(Axes({"A1=0.5:1.5:4"}));
        QVERIFY_THROWS_EXCEPTION(UserError, RunSweep(plan));
    }

    void threadsFollowSlurm_data()
    {
        QTest::addColumn<QByteArray>("cpus");
        QTest::addColumn<int>("threads");
        QTest::newRow("unset") << QByteArray() << 0;
        QTest::newRow("four") << QByteArray("4") << 4;
        QTest::newRow("no number") << QByteArray("4(x2)") << 0;
        QTest::newRow("zero") << QByteArray("0") << 0;
    }
    void threadsFollowSlurm()
    {
        QFETCH(QByteArray, cpus);
        QFETCH(int, threads);
        if (cpus.isEmpty())
            qunsetenv("SLURM_CPUS_PER_TASK");
        else
            qputenv("SLURM_CPUS_PER_TASK", cpus);
        QCOMPARE(DefaultThreads(), threads);
        qunsetenv("SLURM_CPUS_PER_TASK");
    }

    // Summaries merge by the id in their names; a foreign file stops the merge.
    void mergeOrdersByIdAndCountsFailures()
    {
        QTemporaryDir dir;
        const QString d = dir.path();
        WriteFileAtomically(d + "/10.csv", "A1,steps,status,step\n2,5,ok,5\n");
        WriteFileAtomically(d + "/9.csv", "A1,steps,status,step\n1,3,\"Floating point overflow, in step 4\",3\n");
        WriteFileAtomically(d + "/jobs.csv", "id,A1\n");
        const MergedSummary merged = MergeFolder(d);
        QCOMPARE(merged.Text, QByteArray("id,A1,steps,status,step\n9,1,3,\"Floating point overflow, in step 4\",3\n"
                                         "10,2,5,ok,5\n"));
        QCOMPARE(merged.Failed, 1);
        WriteFileAtomically(d + "/11.csv", "A1,dt,steps,status,step\n2,1,5,ok,5\n");
        QVERIFY_THROWS_EXCEPTION(UserError, MergeFolder(d));
        QVERIFY_THROWS_EXCEPTION(UserError, MergeSummaries({d + "/jobs.csv"}));
    }
};

QTEST_GUILESS_MAIN(SweepTest)
#include "sweep_test.moc"
