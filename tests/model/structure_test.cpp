// SPDX-License-Identifier: MIT
#include "model/clusters.h"
#include "model/costbudget.h"
#include "model/pairhistogram.h"
#include "testscenes.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace testscenes;

namespace {

using Slots = QList<int>;

// The rows of the example scenes: the first stable distance is 0.3932 in
// group 1 and 0.6899 in group 3, the edge of that well 0.4658 and 0.8126.
void SetExampleRows(TaonSystem& s)
{
    s.A1 = 1, s.B1 = 0.4L, s.C1 = 0.6L, s.D1 = 0.8L, s.F1 = 1, s.G1 = 1.2L;
    s.A2 = 1, s.B2 = 0.5L, s.C2 = 0.8L, s.D2 = 1.1L, s.F2 = 1.4L, s.G2 = 1.7L;
    s.A3 = 1, s.B3 = 0.7L, s.C3 = 1, s.D3 = 1.3L, s.F3 = 1.6L, s.G3 = 1.9L;
}

constexpr Real H = 0.139017L; // half the side of the cube: edges 0.3932

// Two group-1 tetrahedra 10 apart, slot 100 (group 3) 0.65 outwards from
// slot 1 and so 0.997 from slots 2 to 4, and slot 50 at no finite place.
TaonSystem TwoTetrahedraAndALoner()
{
    TaonSystem s = EmptyModel();
    SetExampleRows(s);
    const Real corners[4][3] = {{H, H, H}, {H, -H, -H}, {-H, H, -H}, {-H, -H, H}};
    for (int k = 0; k < 4; ++k) {
        Place(s, 1 + k, corners[k][0], corners[k][1], corners[k][2]);
        Place(s, 5 + k, corners[k][0] + 10, corners[k][1], corners[k][2]);
    }
    const Real out = H + 0.65L / std::sqrt(3.0L);
    Place(s, 100, out, out, out);
    Place(s, 50, std::numeric_limits<Real>::quiet_NaN(), 0, 0);
    Settle(s);
    return s;
}

} // namespace

class StructureTest : public QObject {
    Q_OBJECT
private slots:
    // The law's cutoff is the smaller edge for mixed groups: slot 100 sits
    // 0.65 from slot 1, inside group 3's well (0.8126) but outside group 1's.
    void clusters_data()
    {
        QTest::addColumn<double>("cutoff"); // 0: the law's
        QTest::addColumn<QList<Slots>>("expected");
        QTest::newRow("the law's cutoff") << 0.0 << QList<Slots>{{1, 2, 3, 4}, {5, 6, 7, 8}, {100}};
        QTest::newRow("0.7 takes in the loner") << 0.7 << QList<Slots>{{1, 2, 3, 4, 100}, {5, 6, 7, 8}};
        QTest::newRow("0.3 binds nothing")
            << 0.3 << QList<Slots>{{1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {100}};
        QTest::newRow("20 binds all") << 20.0 << QList<Slots>{{1, 2, 3, 4, 5, 6, 7, 8, 100}};
    }

    void clusters()
    {
        QFETCH(double, cutoff);
        QFETCH(QList<Slots>, expected);
        const TaonSystem s = TwoTetrahedraAndALoner();
        const ClusterCutoffs cutoffs =
            cutoff == 0 ? LawCutoffs(PairLaw(LawSettingOf(s, {}))) : UniformCutoff(cutoff);
        const Clusters found = FindClusters(s, cutoffs);
        QCOMPARE(found.Fault, std::string());
        QList<Slots> members;
        for (const std::vector<int>& m : found.Members)
            members.append(Slots(m.begin(), m.end()));
        QCOMPARE(members, expected);
        QCOMPARE(found.Largest, int(expected.front().size()));
        QCOMPARE(found.LeftOut, 1);
    }

    // Under Taoscope an equal-parity pair's curve is mirrored: its innermost
    // well is the one beyond 0.4658, walled at 0.5891.
    void lawCutoffs_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("parity");
        QTest::addColumn<double>("expected");
        const int equal = int(Parity::Equal), opposite = int(Parity::Opposite);
        QTest::newRow("1-1 Gravoscope") << false << GroupPairIndex(1, 1) << equal << 0.4658;
        QTest::newRow("3-3 Gravoscope") << false << GroupPairIndex(3, 3) << opposite << 0.8126;
        QTest::newRow("1-3 the smaller") << false << GroupPairIndex(3, 1) << equal << 0.4658;
        QTest::newRow("1-1 Taoscope, opposite parity") << true << GroupPairIndex(1, 1) << opposite << 0.4658;
        QTest::newRow("1-1 Taoscope, equal parity") << true << GroupPairIndex(1, 1) << equal << 0.5891;
    }

    void lawCutoffs()
    {
        QFETCH(bool, taoscope);
        QFETCH(int, pair);
        QFETCH(int, parity);
        QFETCH(double, expected);
        const ClusterCutoffs cutoffs = LawCutoffs(PairLaw(LawSettingOf(TwoTetrahedraAndALoner(), {taoscope, false})));
        QVERIFY2(std::fabs(cutoffs.R[pair][parity] - expected) < 1e-4L,
                 qPrintable(QString::number(double(cutoffs.R[pair][parity]))));
    }

    void histogram()
    {
        const PairHistogram h = HistogramOfDistances(TwoTetrahedraAndALoner(), 0, 1, 10);
        QCOMPARE(h.LeftOut, 1);
        std::array<std::vector<std::int64_t>, GroupPairCount> expected;
        for (auto& counts : expected)
            counts.assign(10, 0);
        expected[GroupPairIndex(1, 1)][3] = 12; // the edges, 0.3932
        expected[GroupPairIndex(1, 3)][6] = 1;  // slot 100 to slot 1, 0.65
        expected[GroupPairIndex(1, 3)][9] = 3;  // and to slots 2 to 4, 0.997
        QCOMPARE(h.Counts, expected);
        const std::array<std::int64_t, GroupPairCount> above = {16, 0, 4, 0, 0, 0}, below{};
        QCOMPARE(h.Above, above);
        QCOMPARE(h.Below, below);
    }

    void badInput_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("bins");
        QTest::addColumn<double>("cutoff");
        QTest::addColumn<QString>("error");
        const QString range = "The histogram's range must be two finite numbers A:B with A less than B.";
        const QString bins = "The histogram needs from 1 to 1000000 bins.";
        const QString cutoff = "The cutoff must be a positive number.";
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("A = B") << 1.0 << 1.0 << 10 << 1.0 << range;
        QTest::newRow("A > B") << 2.0 << 1.0 << 10 << 1.0 << range;
        QTest::newRow("B not a number") << 0.0 << nan << 10 << 1.0 << range;
        QTest::newRow("no bins") << 0.0 << 1.0 << 0 << 1.0 << bins;
        QTest::newRow("too many bins") << 0.0 << 1.0 << MostBins + 1 << 1.0 << bins;
        QTest::newRow("cutoff 0") << 0.0 << 1.0 << 10 << 0.0 << cutoff;
        QTest::newRow("cutoff negative") << 0.0 << 1.0 << 10 << -1.0 << cutoff;
        QTest::newRow("cutoff not a number") << 0.0 << 1.0 << 10 << nan << cutoff;
    }

    void badInput()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(int, bins);
        QFETCH(double, cutoff);
        QFETCH(QString, error);
        const TaonSystem s = TwoTetrahedraAndALoner();
        const QString got = ErrorOf([&] {
            HistogramOfDistances(s, from, to, bins);
            UniformCutoff(cutoff);
        });
        QCOMPARE(got, error);
    }

    // The Run Monitor's structure samples: due while what they took is at
    // most the share of the time gone by since the start.
    void costBudget()
    {
        CostBudget budget(0.03);
        budget.Restart(1000);
        QVERIFY(budget.Due(1000));
        budget.Spend(3);
        QVERIFY(!budget.Due(1099));
        QVERIFY(budget.Due(1100));
        budget.Restart(5000); // a new start forgets what was spent
        QVERIFY(budget.Due(5000));
    }
};

QTEST_GUILESS_MAIN(StructureTest)
#include "structure_test.moc"
