// SPDX-License-Identifier: MIT
#include "model/stepengine.h"
#include "model/runquantities.h"
#include "model/samplerecord.h"
#include "model/steprate.h"
#include "testscenes.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace testscenes;

namespace {

// One point per group, numbers chosen so that every figure is exact by hand:
// speeds 3, 4 and 1; centroid (1, 1, 0); squared distances from it 2, 5, 5.
TaonSystem ThreePoints()
{
    TaonSystem s = EmptyModel();
    Place(s, 1, 0, 0, 0, 1, 2, 2);
    Place(s, 51, 3, 0, 0, 0, 0, -4);
    Place(s, 76, 0, 3, 0, -1, 0, 0);
    s.Present[76] = 7; // any byte but 0 is a point
    s.U[30] = 1000;    // an empty slot's motion counts for nothing
    Settle(s);
    return s;
}

} // namespace

class RunQuantitiesTest : public QObject {
    Q_OBJECT
private slots:
    void threePointsWorkedByHand()
    {
        const RunQuantities q = MeasureRun(ThreePoints());
        QCOMPARE(q.GroupKinetic[0], 4.5L);
        QCOMPARE(q.GroupKinetic[1], 8.0L);
        QCOMPARE(q.GroupKinetic[2], 0.5L);
        QCOMPARE(q.Kinetic, 13.0L);
        QCOMPARE(q.Momentum.x, 0.0L);
        QCOMPARE(q.Momentum.y, 2.0L);
        QCOMPARE(q.Momentum.z, -2.0L);
        QCOMPARE(q.MomentumSize, std::sqrt(8.0L));
        QCOMPARE(q.Centroid.x, 1.0L);
        QCOMPARE(q.Centroid.y, 1.0L);
        QCOMPARE(q.Centroid.z, 0.0L);
        QCOMPARE(q.Gyration, 2.0L);
        QCOMPARE(q.LargestSpeed, 4.0L);
    }

    void noPointIsAllZero()
    {
        TaonSystem s = EmptyModel();
        s.U[1] = 5;
        const RunQuantities q = MeasureRun(s);
        QCOMPARE(q.Kinetic, 0.0L);
        QCOMPARE(q.MomentumSize, 0.0L);
        QCOMPARE(q.Centroid.x, 0.0L);
        QCOMPARE(q.Gyration, 0.0L); // not 0/0
    }

    // Speeds 5, momentum 5 and distances 5 from the centroid at every scale,
    // where the squares overflow or underflow but the figures fit.
    void figuresFitWhereTheyFit_data()
    {
        QTest::addColumn<Real>("scale");
        QTest::newRow("plain") << 1.0L;
        QTest::newRow("huge") << 1e2500L;
        QTest::newRow("tiny") << 1e-2500L;
    }

    void figuresFitWhereTheyFit()
    {
        QFETCH(Real, scale);
        TaonSystem s = EmptyModel();
        Place(s, 1, 0, 0, 0, 3 * scale, 0, 4 * scale);
        Place(s, 51, 6 * scale, 8 * scale, 0);
        Settle(s);
        const RunQuantities q = MeasureRun(s);
        for (Real figure : {q.MomentumSize, q.LargestSpeed, q.Gyration})
            QVERIFY2(std::fabs(figure / scale / 5 - 1) < 1e-18L, qPrintable(QString::number(double(figure / scale))));
    }

    void aNaNSpeedIsTheLargest_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("first point") << 1;
        QTest::newRow("last point") << 76;
    }

    void aNaNSpeedIsTheLargest()
    {
        QFETCH(int, slot);
        TaonSystem s = EmptyModel();
        Place(s, 1, 0, 0, 0, 2);
        Place(s, 51, 1, 0, 0, 0, 3);
        Place(s, 76, 2, 0, 0, 1);
        s.W[slot] = std::numeric_limits<Real>::quiet_NaN();
        QVERIFY(std::isnan(MeasureRun(s).LargestSpeed));
    }

    // Between equal coefficient rows the law is reciprocal: what one point
    // gains the other loses, so the total stays put but for rounding.
    void equalGroupsKeepTheirMomentum()
    {
        TaonSystem s = EmptyModel();
        Place(s, 1, 0, 0, 0, 0.3L, -0.1L, 0.2L);
        Place(s, 51, 1.1L, 0.2L, -0.1L, -0.05L, 0.25L, 0);
        Settle(s);
        const Point3 start = MeasureRun(s).Momentum;
        StepEngine engine;
        Real largestKick = 0;
        for (int step = 0; step < 100; ++step) {
            const Real before = s.U[1];
            engine.Step(s, {});
            largestKick = std::max(largestKick, std::fabs(s.U[1] - before));
        }
        QVERIFY(largestKick > 1e-6L); // the points do pull on each other
        const Point3 end = MeasureRun(s).Momentum;
        for (Real drift : {end.x - start.x, end.y - start.y, end.z - start.z})
            QVERIFY2(std::fabs(drift) < 1e-15L, qPrintable(QString::number(double(drift))));
    }

    // Point 76 acts with A3 = 2 on point 1, point 1 with A1 = 1 on point 76:
    // the kick of point 1 is twice the counter-kick, so the total momentum
    // runs the way point 1 is pushed, at half its velocity.
    void unequalGroupsDriftTheWayTheStrongerPush()
    {
        TaonSystem s = EmptyModel();
        s.A3 = 2;
        Place(s, 1, 0, 0, 0);
        Place(s, 76, 1, 0.5L, 0);
        Settle(s);
        StepEngine engine;
        for (int step = 0; step < 100; ++step)
            engine.Step(s, {});
        const Point3 p = MeasureRun(s).Momentum;
        QVERIFY(std::fabs(s.U[1]) > 1e-6L);
        QVERIFY((p.x > 0) == (s.U[1] > 0));
        QVERIFY(std::fabs(p.x - s.U[1] / 2) < 1e-12L * std::fabs(s.U[1]));
        QVERIFY(std::fabs(p.y - s.V[1] / 2) < 1e-12L * std::fabs(s.V[1]));
        QCOMPARE(p.z, 0.0L);
    }

    void recordThinsEvenly_data()
    {
        QTest::addColumn<int>("cap");
        QTest::addColumn<int>("steps");
        QTest::newRow("never full") << 8 << 7;
        QTest::newRow("even cap") << 8 << 100;
        QTest::newRow("odd cap") << 7 << 100;
        QTest::newRow("long run") << 4000 << 100000;
    }

    void recordThinsEvenly()
    {
        QFETCH(int, cap);
        QFETCH(int, steps);
        SampleRecord record{std::size_t(cap)};
        record.Add({0, 0, {}});
        for (int step = 1; step <= steps; ++step)
            if (record.StepDue())
                record.Add({step, 0, {}});
        const std::vector<RunSample>& samples = record.Samples();
        QVERIFY(samples.size() <= std::size_t(cap));
        QVERIFY(samples.size() * 2 > std::size_t(cap) || steps < cap);
        // Evenly spaced from step 0, and the newest is less than a stride old.
        for (std::size_t k = 0; k < samples.size(); ++k)
            QCOMPARE(samples[k].Step, std::int32_t(k * record.Stride()));
        QVERIFY(steps - samples.back().Step < record.Stride());
    }

    void rateCountsTheLastSecond()
    {
        constexpr std::int64_t ms = 1'000'000;
        StepRate rate;
        for (int k = 0; k < 3000; ++k) // 2 ms apart for six seconds
            rate.StepAt(k * 2 * ms);
        const std::int64_t last = 2999 * 2 * ms;
        QCOMPARE(rate.PerSecond(last), std::int64_t(500));
        QCOMPARE(rate.PerSecond(last + 500 * ms), std::int64_t(250)); // stopped half a second ago
        QCOMPARE(rate.PerSecond(last + 1000 * ms), std::int64_t(0));
    }
};

QTEST_GUILESS_MAIN(RunQuantitiesTest)
#include "runquantities_test.moc"
