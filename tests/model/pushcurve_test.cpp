#include "model/pushcurve.h"
#include "model/stepengine.h"
#include "testscenes.h"

#include <QTest>

#include <cmath>

using namespace testscenes;

namespace {

const GroupCoefficients ReferenceRow{1, 1, 2, 3, 4, 5};

// The first stable equilibrium of group 1 over the window's default range.
Equilibrium FirstStable(const GroupCoefficients& group, const LawSwitches& switches)
{
    const std::vector<Real> r = EvenDistances(0.05L, 12, 1000);
    const PushCurve curve = SamplePush(group, switches, Parity::Equal, r);
    for (const Equilibrium& e : FindEquilibria(group, switches, Parity::Equal, r, curve.Push))
        if (e.Stable)
            return e;
    return {0, false};
}

} // namespace

class PushCurveTest : public QObject {
    Q_OBJECT
private slots:
    // The law's reference brackets, times A and the pair sign.
    void pushAtReferenceDistances_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("a");
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<bool>("functions3x1");
        QTest::addColumn<int>("parity");
        QTest::addColumn<double>("expected");
        const int equal = int(Parity::Equal), opposite = int(Parity::Opposite);
        QTest::newRow("S(1), Gravoscope") << 1.0 << 1.0 << false << false << equal << -0.46328;
        QTest::newRow("S(1), Gravoscope, A = 2") << 1.0 << 2.0 << false << false << opposite << -0.92656;
        QTest::newRow("S(4), Taoscope, equal parity") << 4.0 << 1.0 << true << false << equal << 3.0051;
        QTest::newRow("S(4), Taoscope, opposite parity") << 4.0 << 1.0 << true << false << opposite << -3.0051;
        QTest::newRow("S(6), Functions3X1, Gravoscope") << 6.0 << 1.0 << false << true << equal << -0.62324;
        QTest::newRow("S(6), Functions3X1, Taoscope") << 6.0 << 1.0 << true << true << equal << 0.62324;
    }

    void pushAtReferenceDistances()
    {
        QFETCH(double, r);
        QFETCH(double, a);
        QFETCH(bool, taoscope);
        QFETCH(bool, functions3x1);
        QFETCH(int, parity);
        QFETCH(double, expected);
        GroupCoefficients group = ReferenceRow;
        group.A = a;
        const Real push = Push(group, {taoscope, functions3x1}, Parity(parity), r);
        QVERIFY2(std::fabs(push - expected) <= 2e-5L * std::fabs(expected),
                 qPrintable(QString::number(double(push), 'g', 10)));
    }

    // A point of group 1 at the origin moves a point at distance r along x by
    // exactly the push: the curve is what a run feels.
    void pushIsTheForceOfARun_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<bool>("functions3x1");
        QTest::addColumn<int>("second");
        QTest::newRow("Gravoscope") << false << false << 2;
        QTest::newRow("Taoscope, equal parity") << true << false << 3;
        QTest::newRow("Taoscope, opposite parity, Functions3X1") << true << true << 2;
    }

    void pushIsTheForceOfARun()
    {
        QFETCH(bool, taoscope);
        QFETCH(bool, functions3x1);
        QFETCH(int, second);
        const LawSwitches switches{taoscope, functions3x1};
        const Parity parity = second % 2 == 1 ? Parity::Equal : Parity::Opposite;
        TaonSystem s = EmptyModel();
        s.A1 = 1.5L;
        for (Real r : {0.7L, 1.0L, 2.5L, 4.0L, 5.5L, 7.25L}) {
            Place(s, 1, 0, 0, 0);
            Place(s, second, r, 0, 0);
            const Real force = ForceX(s, switches, second);
            QCOMPARE(double(Push(CoefficientsOf(s, 1), switches, parity, r)), double(force));
        }
    }

    void faultingGroupHasNoCurve_data()
    {
        QTest::addColumn<int>("shell");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("fault");
        QTest::newRow("B of 0") << 0 << 0.0 << QString::fromLatin1(DivisionByZeroText);
        QTest::newRow("negative C") << 1 << -2.0 << QString::fromLatin1(InvalidOperationText);
        QTest::newRow("negative G") << 4 << -5.0 << QString::fromLatin1(InvalidOperationText);
    }

    void faultingGroupHasNoCurve()
    {
        QFETCH(int, shell);
        QFETCH(double, value);
        QFETCH(QString, fault);
        TaonSystem s = EmptyModel();
        Real* shells[ShellCount] = {&s.B2, &s.C2, &s.D2, &s.F2, &s.G2};
        *shells[shell] = value;
        const LawSetting setting = LawSettingOf(s, {});
        const std::vector<Real> r = EvenDistances(0.05L, 12, 50);
        const PushCurve faulty = SamplePush(setting.Groups[1], setting.Switches, Parity::Equal, r);
        QCOMPARE(QString::fromStdString(faulty.Fault), fault);
        QVERIFY(faulty.Push.empty());
        const PushCurve sound = SamplePush(setting.Groups[0], setting.Switches, Parity::Equal, r);
        QVERIFY(sound.Fault.empty());
        QCOMPARE(sound.Push.size(), r.size());
    }

    void equilibriaAreSignChangesToTheLastBit_data()
    {
        QTest::addColumn<bool>("functions3x1");
        QTest::newRow("five shells") << false;
        QTest::newRow("contact term") << true;
    }

    void equilibriaAreSignChangesToTheLastBit()
    {
        QFETCH(bool, functions3x1);
        const LawSwitches switches{false, functions3x1};
        const std::vector<Real> r = EvenDistances(0.05L, 12, 1000);
        const PushCurve curve = SamplePush(ReferenceRow, switches, Parity::Equal, r);
        const std::vector<Equilibrium> found = FindEquilibria(ReferenceRow, switches, Parity::Equal, r, curve.Push);
        QVERIFY(!found.empty());
        for (const Equilibrium& e : found) {
            const Real below = std::nextafter(e.R, Real(0));
            const Real above = std::nextafter(e.R, Real(100));
            const Real pushBelow = Push(ReferenceRow, switches, Parity::Equal, below);
            const Real pushAbove = Push(ReferenceRow, switches, Parity::Equal, above);
            // One neighbouring real still pushes the inside way, the other not.
            const Real inside = e.Stable ? 1 : -1;
            QVERIFY2(pushBelow * inside > 0 || Push(ReferenceRow, switches, Parity::Equal, e.R) * inside > 0,
                     qPrintable(QString::number(double(e.R), 'g', 20)));
            QVERIFY2(pushAbove * inside <= 0, qPrintable(QString::number(double(e.R), 'g', 20)));
            // And the classification holds a little way off.
            QVERIFY(Push(ReferenceRow, switches, Parity::Equal, e.R - 1e-3L) * inside > 0);
            QVERIFY(Push(ReferenceRow, switches, Parity::Equal, e.R + 1e-3L) * inside < 0);
        }
        // Taoscope's equal-parity curve mirrors Gravoscope's: the same distances, the roles swapped.
        const PushCurve mirror = SamplePush(ReferenceRow, {true, functions3x1}, Parity::Equal, r);
        const std::vector<Equilibrium> swapped =
            FindEquilibria(ReferenceRow, {true, functions3x1}, Parity::Equal, r, mirror.Push);
        QCOMPARE(swapped.size(), found.size());
        for (std::size_t k = 0; k < found.size(); ++k) {
            QCOMPARE(double(swapped[k].R), double(found[k].R));
            QCOMPARE(swapped[k].Stable, !found[k].Stable);
        }
    }

    // Two points of group 1 at rest at a stable distance stay there.
    void twoPointsRestAtAStableEquilibrium()
    {
        const Equilibrium rest = FirstStable(ReferenceRow, {});
        QVERIFY(rest.Stable);
        StepEngine engine(1);
        TaonSystem s = EmptyModel();
        Place(s, 1, 0, 0, 0);
        Place(s, 2, rest.R, 0, 0);
        Settle(s);
        Real farthest = 0;
        for (int step = 0; step < 1000; ++step) {
            engine.Step(s, RunSwitches{});
            farthest = std::max(farthest, std::fabs((s.X[2] - s.X[1]) - rest.R));
        }
        QVERIFY2(farthest <= 1e-6L, qPrintable(QString::number(double(farthest), 'g', 6)));
        QCOMPARE(double(s.Y[2] - s.Y[1]), 0.0);
        // Set off by 1e-3 instead, the pair swings about the same distance.
        Place(s, 2, rest.R + 1e-3L, 0, 0);
        Place(s, 1, 0, 0, 0);
        Settle(s);
        for (int step = 0; step < 1000; ++step) {
            engine.Step(s, RunSwitches{});
            QVERIFY(std::fabs((s.X[2] - s.X[1]) - rest.R) < 2e-3L);
        }
    }

    void shellCentres_data()
    {
        QTest::addColumn<bool>("functions3x1");
        QTest::addColumn<QString>("shells");
        QTest::newRow("five shells") << false << QStringLiteral("BCDFG");
        QTest::newRow("contact term in place of G") << true << QStringLiteral("BCDF");
    }

    void shellCentres()
    {
        QFETCH(bool, functions3x1);
        QFETCH(QString, shells);
        QString named;
        for (const ShellCentre& centre : ShellCentres(ReferenceRow, {false, functions3x1})) {
            named += QChar::fromLatin1(centre.Shell);
            // The reference row's B, C, D, F, G are 1 to 5; s = (1.029 / K) r is 1 at the centre.
            const Real k = 1.029L / Real(named.size());
            QVERIFY(std::fabs(k * centre.R - 1) < 1e-18L);
        }
        QCOMPARE(named, shells);
    }
};

QTEST_GUILESS_MAIN(PushCurveTest)
#include "pushcurve_test.moc"
