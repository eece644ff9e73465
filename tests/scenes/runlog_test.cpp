// SPDX-License-Identifier: MIT
#include "scenes/runlog.h"

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

} // namespace

class RunLogTest : public QObject {
    Q_OBJECT
private slots:
    // Every real in its exact text: 1/3 and 0.1 with all the digits that
    // bring the 80-bit value back.
    void rowsInExactText()
    {
        QCOMPARE(RunLogHeader(),
                 QByteArray("step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax,clusters,largest,epot,etot\n"));
        QCOMPARE(RunLogRow(Sample(-7, 0.002L, 4.5L)),
                 QByteArray("-7,0.002,4.5,0.25,1e-300,0.33333333333333333334,-1,0,2,inf,0.1,-0.5,1e+20,7,nan,,,,\n"));
        RunSample structured = Sample(1, 0, 0);
        structured.Structure = {3, 1, std::nullopt, -0.1L, 0.5L};
        QVERIFY(RunLogRow(structured).endsWith(",nan,3,1,,-0.1\n"));
    }
};

QTEST_GUILESS_MAIN(RunLogTest)
#include "runlog_test.moc"
