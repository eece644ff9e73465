// SPDX-License-Identifier: MIT
#include "model/law.h"
#include "testscenes.h"

#include <QTest>

#include <cmath>

using namespace testscenes;

namespace {

constexpr Real Inf = std::numeric_limits<Real>::infinity();

// The closed form, evaluated independently of the program's code.
Real ClosedShell(Real K, Real m, Real w, Real r)
{
    const Real k = 1.029L / K;
    const Real s = k * r;
    const Real outer = 2.5L - std::pow(s, 20.0L);
    return w * std::pow(s, outer / (m * k * r)) *
           ((1 - std::log(s)) * outer / (m * k * r * r) - 200 * k * std::pow(s, 18.0L) * std::log(s));
}

Real ClosedBracket(const GroupCoefficients& c, bool functions3x1, Real r)
{
    Real s = ClosedShell(c.B, 1.0L, -0.05L, r) + ClosedShell(c.C, 0.5L, -0.15L, r) - ClosedShell(c.D, 0.1L, 0.2L, r) -
             ClosedShell(c.F, 0.15L, 2.0L, r);
    if (!functions3x1)
        return s - ClosedShell(c.G, 0.065L, 1.7L, r);
    if (r <= c.G)
        return s;
    const Real gap = r - c.G;
    return s + 0.85L * c.A * c.G / (2.72L * gap * gap) * std::exp(-0.5L * c.G / (2.72L * gap));
}

const GroupCoefficients ReferenceRow{1, 1, 2, 3, 4, 5};

// Two present points, slots 1 and `second`, at (0,0,0) and (1,0,0).
TaonSystem TwoPoints(int second)
{
    TaonSystem s = EmptyModel();
    Place(s, 1, 0, 0, 0);
    Place(s, second, 1, 0, 0);
    return s;
}

bool Near(Real value, Real expected, Real relative)
{
    return std::fabs(value - expected) <= relative * std::fabs(expected);
}

// Fault cases: a change to the two-point scene and what ForceX(1) must do.
struct FaultCase {
    const char* name;
    void (*change)(TaonSystem&, LawSwitches&);
    const char* text; // empty: no fault
    bool nanResult;
};

const FaultCase FaultCases[] = {
    {"zero B1", [](TaonSystem& s, LawSwitches&) { s.B1 = 0; }, DivisionByZeroText, false},
    {"zero F2 of an empty group", [](TaonSystem& s, LawSwitches&) { s.F2 = 0; }, DivisionByZeroText, false},
    {"zero G3 with Functions3X1", [](TaonSystem& s, LawSwitches& l) { s.G3 = 0; l.Functions3X1 = true; },
     DivisionByZeroText, false},
    {"coincident points", [](TaonSystem& s, LawSwitches&) { s.X[2] = 0; }, DivisionByZeroText, false},
    {"negative C1", [](TaonSystem& s, LawSwitches&) { s.C1 = -2; }, InvalidOperationText, false},
    {"negative G1", [](TaonSystem& s, LawSwitches&) { s.G1 = -5; }, InvalidOperationText, false},
    {"negative G1 with Functions3X1", [](TaonSystem& s, LawSwitches& l) { s.G1 = -5; l.Functions3X1 = true; }, "",
     false},
    {"negative B3, no point in group 3", [](TaonSystem& s, LawSwitches&) { s.B3 = -1; }, "", false},
    {"negative B1 met before coincidence", [](TaonSystem& s, LawSwitches&) { s.B1 = -1; s.X[2] = 0; },
     InvalidOperationText, false},
    {"coincidence met before negative C1", [](TaonSystem& s, LawSwitches&) { s.C1 = -1; s.X[2] = 0; },
     DivisionByZeroText, false},
    {"tiny B1 overflows 1.029/B", [](TaonSystem& s, LawSwitches&) { s.B1 = 1e-4940L; }, OverflowText, false},
    {"far point overflows s^20", [](TaonSystem& s, LawSwitches&) { s.X[2] = 1e300L; }, OverflowText, false},
    {"huge A overflows the sum", [](TaonSystem& s, LawSwitches&) { s.A1 = 1e4932L; s.X[2] = 4; }, OverflowText,
     false},
    {"infinite coordinate", [](TaonSystem& s, LawSwitches&) { s.X[2] = Inf; }, InvalidOperationText, false},
    {"quiet NaN coordinate", [](TaonSystem& s, LawSwitches&) { s.Y[2] = std::numeric_limits<Real>::quiet_NaN(); },
     "", true},
    {"signalling NaN coordinate",
     [](TaonSystem& s, LawSwitches&) { s.Z[2] = std::numeric_limits<Real>::signaling_NaN(); }, "", true},
    {"signalling NaN coefficient",
     [](TaonSystem& s, LawSwitches&) { s.D1 = std::numeric_limits<Real>::signaling_NaN(); }, "", true},
};

} // namespace

class LawTest : public QObject {
    Q_OBJECT
private slots:
    void referenceBrackets_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<bool>("functions3x1");
        QTest::addColumn<double>("expected");
        QTest::newRow("S(1)") << 1.0 << false << 0.46328;
        QTest::newRow("S(2)") << 2.0 << false << 0.66123;
        QTest::newRow("S(4)") << 4.0 << false << 3.0051;
        QTest::newRow("S(5)") << 5.0 << false << -0.34359;
        QTest::newRow("S(4), Functions3X1") << 4.0 << true << 3.0080;
        QTest::newRow("S(6), Functions3X1") << 6.0 << true << 0.62324;
    }

    void referenceBrackets()
    {
        QFETCH(double, r);
        QFETCH(bool, functions3x1);
        QFETCH(double, expected);
        const Real s = PairBracket(ReferenceRow, {false, functions3x1}, r);
        // Five significant digits, as the values are given.
        QVERIFY2(Near(s, expected, 2e-5L), qPrintable(QString::number(double(s), 'g', 10)));
    }

    void bracketFollowsTheClosedForm_data()
    {
        QTest::addColumn<bool>("functions3x1");
        QTest::newRow("five shells") << false;
        QTest::newRow("contact term") << true;
    }

    void bracketFollowsTheClosedForm()
    {
        QFETCH(bool, functions3x1);
        const GroupCoefficients rows[] = {ReferenceRow, {0.7L, 1.3L, 2.2L, 2.9L, 4.4L, 3.5L}};
        for (const GroupCoefficients& row : rows) {
            for (Real r = 0.35L; r < 9; r += 0.29L) {
                const Real s = PairBracket(row, {false, functions3x1}, r);
                const Real closed = ClosedBracket(row, functions3x1, r);
                QVERIFY2(Near(s, closed, 1e-12L) || std::fabs(s - closed) < 1e-300L,
                         qPrintable(QStringLiteral("r=%1: %2 vs %3").arg(double(r)).arg(double(s)).arg(double(closed))));
            }
        }
    }

    void contactTermVanishesAtG()
    {
        // Exactly at r = G the contact term is 0 and Power(r - G, -2) is never formed.
        const Real s = PairBracket(ReferenceRow, {false, true}, 5.0L);
        QVERIFY(std::isfinite(s));
        QVERIFY(Near(s, ClosedBracket(ReferenceRow, true, 5.0L), 1e-12L));
        QVERIFY(s != PairBracket(ReferenceRow, {false, true}, 5.0000001L));
    }

    void twoPointForces_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<int>("second");
        QTest::addColumn<double>("onFirst");
        QTest::newRow("Gravoscope, different parity") << false << 2 << 0.46328;
        QTest::newRow("Taoscope, different parity") << true << 2 << 0.46328;
        QTest::newRow("Gravoscope, equal parity") << false << 3 << 0.46328;
        QTest::newRow("Taoscope, equal parity") << true << 3 << -0.46328;
    }

    void twoPointForces()
    {
        QFETCH(bool, taoscope);
        QFETCH(int, second);
        QFETCH(double, onFirst);
        const TaonSystem s = TwoPoints(second);
        const LawSwitches law{taoscope, false};
        const Real f1 = ForceX(s, law, 1);
        const Real f2 = ForceX(s, law, second);
        QVERIFY2(Near(f1, onFirst, 2e-5L), qPrintable(QString::number(double(f1), 'g', 10)));
        QCOMPARE(f2, -f1); // one group: equal and opposite
        for (int slot : {1, second}) {
            QCOMPARE(ForceY(s, law, slot), 0.0L);
            QCOMPARE(ForceZ(s, law, slot), 0.0L);
        }
    }

    void lonePointFeelsNothing()
    {
        TaonSystem s = EmptyModel();
        Place(s, 7, 0.3L, -0.2L, 0.1L);
        for (Axis axis : {Axis::X, Axis::Y, Axis::Z})
            QCOMPARE(Force(s, {}, 7, axis), 0.0L);
        s.Present[7] = 0; // a slot whose partners are all absent
        QCOMPARE(ForceX(s, {}, 8), 0.0L);
    }

    void absentSlotIsPulledToo()
    {
        TaonSystem s = TwoPoints(2);
        s.X[5] = 2;
        s.Y[5] = 0.5L;
        s.Z[5] = 0;
        QCOMPARE(s.Present[5], std::uint8_t(0));
        QVERIFY(ForceX(s, {}, 5) != 0);
        QVERIFY(ForceY(s, {}, 5) != 0);
        // An absent slot exerts nothing.
        QCOMPARE(ForceX(s, {}, 1), ForceX(TwoPoints(2), {}, 1));
    }

    void actingGroupChoosesTheCoefficients()
    {
        TaonSystem s = EmptyModel();
        Place(s, 1, 0, 0, 0);  // group 1
        Place(s, 60, 1, 0, 0); // group 2
        const Real onFirst = ForceX(s, {}, 1);
        const Real onSecond = ForceX(s, {}, 60);
        s.A2 = 2; // scales only what slot 60 exerts
        QCOMPARE(ForceX(s, {}, 1), 2 * onFirst);
        QCOMPARE(ForceX(s, {}, 60), onSecond);
        s.A1 = 3;
        QCOMPARE(ForceX(s, {}, 60), 3 * onSecond);
        QCOMPARE(GroupOf(50, 100), 1);
        QCOMPARE(GroupOf(51, 100), 2);
        QCOMPARE(GroupOf(75, 100), 2);
        QCOMPARE(GroupOf(76, 100), 3);
    }

    void taoscopeSignFollowsParity()
    {
        const LawSwitches taoscope{true, false};
        QCOMPARE(PairSign(taoscope, EqualParity(3, 7)), 1);
        QCOMPARE(PairSign(taoscope, EqualParity(3, 8)), -1);
        QCOMPARE(PairSign({}, EqualParity(3, 7)), -1);
        QCOMPARE(PairSign({}, EqualParity(3, 8)), -1);
        TaonSystem odd = EmptyModel();
        Place(odd, 1, 0, 0, 0);
        Place(odd, 3, 0.6L, 0.8L, 0);
        TaonSystem even = odd;
        even.Present[3] = 0;
        Place(even, 4, 0.6L, 0.8L, 0);
        QCOMPARE(ForceX(odd, taoscope, 1), -ForceX(even, taoscope, 1));
        QCOMPARE(ForceY(odd, taoscope, 1), -ForceY(even, taoscope, 1));
        QCOMPARE(ForceX(odd, {}, 1), ForceX(even, {}, 1));
    }

    void faults_data()
    {
        QTest::addColumn<int>("index");
        for (int k = 0; k < int(std::size(FaultCases)); ++k)
            QTest::newRow(FaultCases[k].name) << k;
    }

    void faults()
    {
        QFETCH(int, index);
        const FaultCase& fault = FaultCases[index];
        TaonSystem s = TwoPoints(2);
        LawSwitches law;
        fault.change(s, law);
        Real force = 0;
        QCOMPARE(ErrorOf([&] { force = ForceX(s, law, 1); }), QString::fromLatin1(fault.text));
        if (*fault.text == '\0')
            QCOMPARE(std::isnan(force), fault.nanResult);
    }
};

QTEST_GUILESS_MAIN(LawTest)
#include "law_test.moc"
