#include "errortext.h"
#include "scenes/atomicwrite.h"
#include "scenes/runlog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

RunSample Sample(std::int32_t step, Real time, Real ke1)
{
    RunSample sample{step, time, {}};
    RunQuantities& q = sample.Figures;
    q.GroupKinetic = {ke1, 0.25L, 1e-300L};
    q.Kinetic = 1.0L / 3;
    q.Momentum = {-1, 0, 2};
    q.MomentumSize = std::numeric_limits<Real>::infinity();
    q.Centroid = {0.1L, -0.5L, 1e20L};
    q.Gyration = 7;
    q.LargestSpeed = std::numeric_limits<Real>::quiet_NaN();
    return sample;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class RunLogTest : public QObject {
    Q_OBJECT
private slots:
    // Every real in its exact text: 1/3 and 0.1 with all the digits that
    // bring the 80-bit value back.
    void rowsInExactText()
    {
        QCOMPARE(RunLogHeader(), QByteArray("step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax\n"));
        QCOMPARE(RunLogRow(Sample(-7, 0.002L, 4.5L)),
                 QByteArray("-7,0.002,4.5,0.25,1e-300,0.33333333333333333334,-1,0,2,inf,0.1,-0.5,1e+20,7,nan\n"));
    }

    void fileHoldsHeaderAndRows()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("run.csv"));
        WriteRunLog(path, {Sample(0, 0, 1), Sample(5, 0.005L, 2)});
        QCOMPARE(ReadAll(path), RunLogHeader() + RunLogRow(Sample(0, 0, 1)) + RunLogRow(Sample(5, 0.005L, 2)));
    }

    // Dropped before Commit, a streamed file leaves the old one whole.
    void unfinishedFileLeavesTheOld()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("run.csv"));
        WriteFileAtomically(path, "old");
        {
            AtomicFile file(path);
            file.Write("new");
            file.Flush();
        }
        QCOMPARE(ReadAll(path), QByteArray("old"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("run.csv")});
        QCOMPARE(ErrorOf([&] { WriteRunLog(folder.filePath(QStringLiteral("no/run.csv")), {}); }),
                 QStringLiteral("Invalid filename."));
    }
};

QTEST_GUILESS_MAIN(RunLogTest)
#include "runlog_test.moc"
