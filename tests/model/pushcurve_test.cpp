// SPDX-License-Identifier: MIT
#include "model/pushcurve.h"
#include "model/stepengine.h"
#include "testscenes.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace testscenes;

namespace {

const GroupCoefficients ReferenceRow{1, 1, 2, 3, 4, 5};

} // namespace

class PushCurveTest : public QObject {
    Q_OBJECT
private slots:
    // The law's reference brackets, times A and the pair sign.
    void push_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("a");
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<bool>("functions3x1");
        QTest::addColumn<int>("parity");
        QTest::addColumn<double>("expected");
        const int equal = int(Parity::Equal), opposite = int(Parity::Opposite);
        QTest::newRow("S(1), Gravoscope, A = 2") << 1.0 << 2.0 << false << false << equal << -0.92656;
        QTest::newRow("S(4), Taoscope, equal parity") << 4.0 << 1.0 << true << false << equal << 3.0051;
        QTest::newRow("S(4), Taoscope, opposite parity") << 4.0 << 1.0 << true << false << opposite << -3.0051;
        QTest::newRow("S(6), Functions3X1, Gravoscope") << 6.0 << 1.0 << false << true << equal << -0.62324;
    }

    void push()
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
        QVERIFY2(std::fabs(push - expected) <= 2e-5L * std::fabs(expected), qPrintable(QString::number(double(push))));
    }

    // The first stable equilibrium of group 1, to the last bit: a pair of
    // points at rest there stays there.
    void twoPointsRestAtAStableEquilibrium()
    {
        const LawSwitches gravoscope;
        const std::vector<Real> r = EvenDistances(0.05L, 12, 1000);
        const PushCurve curve = SamplePush(ReferenceRow, gravoscope, Parity::Equal, r);
        const std::vector<Equilibrium> found = FindEquilibria(ReferenceRow, gravoscope, Parity::Equal, r, curve.Push);
        const auto stable = std::find_if(found.begin(), found.end(), [](const Equilibrium& e) { return e.Stable; });
        QVERIFY(stable != found.end());
        const Real rest = stable->R;
        const auto pushAt = [&](Real at) { return Push(ReferenceRow, gravoscope, Parity::Equal, at); };
        QVERIFY(pushAt(std::nextafter(rest, Real(0))) > 0 || pushAt(rest) > 0);
        QVERIFY(pushAt(std::nextafter(rest, Real(100))) <= 0);
        QVERIFY(pushAt(rest - 1e-3L) > 0 && pushAt(rest + 1e-3L) < 0);

        StepEngine engine(1);
        TaonSystem s = EmptyModel();
        Place(s, 1, 0, 0, 0);
        Place(s, 2, rest, 0, 0);
        Settle(s);
        Real farthest = 0;
        for (int step = 0; step < 1000; ++step) {
            engine.Step(s, RunSwitches{});
            farthest = std::max(farthest, std::fabs((s.X[2] - s.X[1]) - rest));
        }
        QVERIFY2(farthest <= 1e-6L, qPrintable(QString::number(double(farthest))));
        // Shell centres at s = 1: F's at 4 / 1.029; no G shell beside the contact term.
        const std::vector<ShellCentre> centres = ShellCentres(ReferenceRow, {false, true});
        QVERIFY(centres.size() == 4 && centres[3].Shell == 'F' && centres[3].R == 4 / 1.029L);
    }

    // A scan with a hundred samples across the narrowest swing of any shell
    // finds no sign change that the search misses, over random laws; the
    // first is one whose G shell swings +380, -386, +0.25 within one of the
    // window's sample intervals.
    void everySignChangeIsFound()
    {
        std::mt19937_64 random(21);
        std::uniform_real_distribution<double> strength(-3, 3), logK(std::log(0.05), std::log(30.0));
        const auto K = [&] { return Real(std::exp(logK(random))); };
        const std::vector<Real> shown = EvenDistances(0.05L, 12, 1000);
        int changes = 0;
        for (int set = 0; set < 30; ++set) {
            const GroupCoefficients group = set == 0 ? GroupCoefficients{1, 0.2L, 1, 0.5L, 20, 0.1L}
                                                     : GroupCoefficients{strength(random), K(), K(), K(), K(), K()};
            const LawSwitches law{set % 3 == 1, set % 3 == 2};
            const std::vector<Equilibrium> found =
                FindEquilibria(group, law, Parity::Equal, shown, SamplePush(group, law, Parity::Equal, shown).Push);
            int lastSign = 0;
            Real lastR = 0;
            for (Real r = 0.05L; r <= 12; r *= 1.0005L) {
                const Real push = Push(group, law, Parity::Equal, r);
                const int sign = push > 0 ? 1 : push < 0 ? -1 : 0;
                if (sign == 0)
                    continue;
                if (sign == -lastSign) {
                    ++changes;
                    QVERIFY2(std::any_of(found.begin(), found.end(),
                                         [&](const Equilibrium& e) { return lastR <= e.R && e.R <= r; }),
                             qPrintable(QStringLiteral("set %1: a change between %2 and %3")
                                            .arg(set)
                                            .arg(double(lastR), 0, 'g', 10)
                                            .arg(double(r), 0, 'g', 10)));
                }
                lastSign = sign;
                lastR = r;
            }
        }
        QVERIFY2(changes > 100, qPrintable(QString::number(changes)));
    }
};

QTEST_GUILESS_MAIN(PushCurveTest)
#include "pushcurve_test.moc"
