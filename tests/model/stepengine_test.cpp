// SPDX-License-Identifier: MIT
#include "model/extended.h"
#include "model/runloop.h"
#include "model/step.h"
#include "testscenes.h"

#include <QDir>
#include <QTest>

#include <cmath>
#include <vector>

using namespace testscenes;

Q_DECLARE_METATYPE(ConstraintMode)

namespace {

TaonSystem HundredPoints()
{
    std::vector<int> all;
    for (int i = 1; i <= SlotCount; ++i)
        all.push_back(i);
    TaonSystem s = RandomScene(2024, all, 3.2L, 0.4L, 1.5L);
    // Different rows per group, so the acting point's group matters.
    s.A2 = 0.8L;
    s.C2 = 2.3L;
    s.G2 = 4.5L;
    s.A3 = 1.2L;
    s.D3 = 2.7L;
    s.F3 = 3.6L;
    return s;
}

// About a dozen points across all groups and Blockade ranges, some of them
// fast enough for the speed limits, the rest of the slots absent and far.
TaonSystem DozenPoints()
{
    TaonSystem s = RandomScene(77, {1, 2, 7, 26, 40, 50, 52, 57, 60, 67, 72, 78, 85, 100}, 1.6L, 0.5L, 1.0L);
    s.NewU[7] = s.U[7] = 120;
    s.NewV[26] = s.V[26] = -70;
    s.NewW[40] = s.W[40] = 55;
    s.A3 = 0.9L;
    s.B2 = 1.1L;
    return s;
}

RunSwitches Switches(ConstraintMode mode, bool blockade, bool cool, bool functions3x1, bool taoscope)
{
    RunSwitches switches;
    switches.Mode = mode;
    switches.Blockade = blockade;
    switches.Cool = cool;
    switches.Law.Functions3X1 = functions3x1;
    switches.Law.Taoscope = taoscope;
    return switches;
}

// Steps both models side by side; the first divergence or differing fault.
QString CompareRuns(TaonSystem fast, TaonSystem reference, const RunSwitches& switches, int steps, int threads,
                    QString* fault = nullptr)
{
    StepEngine engine(threads);
    for (int step = 1; step <= steps; ++step) {
        const QString fastError = ErrorOf([&] { engine.Step(fast, switches); });
        const QString referenceError = ErrorOf([&] { ReferenceStep(reference, switches); });
        if (fastError != referenceError)
            return QStringLiteral("step %1: fault '%2' vs '%3'").arg(step).arg(fastError, referenceError);
        const QString difference = FirstDifference(fast, reference);
        if (!difference.isEmpty())
            return QStringLiteral("step %1: %2").arg(step).arg(difference);
        if (!fastError.isEmpty()) {
            if (fault)
                *fault = QStringLiteral("%1 at step %2").arg(fastError).arg(step);
            return {};
        }
    }
    return {};
}

// Every mode; Blockade, Cool, Functions3X1 and Taoscope each on and off.
// Without Blockade all 100 slots move, so the long runs keep it mostly on.
void AddSwitchRows(bool longRuns)
{
    QTest::addColumn<ConstraintMode>("mode");
    QTest::addColumn<bool>("blockade");
    QTest::addColumn<bool>("cool");
    QTest::addColumn<bool>("functions3x1");
    QTest::addColumn<bool>("taoscope");
    using M = ConstraintMode;
    QTest::newRow("AtomStand") << M::AtomStand << false << false << false << false;
    QTest::newRow("HotContact, Blockade, Cool") << M::HotContact << true << true << false << false;
    QTest::addRow("ColdContact, %sTaoscope, Functions3X1", longRuns ? "Blockade, " : "")
        << M::ColdContact << longRuns << false << true << true;
    QTest::newRow("ElecCurrent1, Blockade, Functions3X1") << M::ElecCurrent1 << true << false << true << false;
    QTest::addRow("ElecCurrent2, %sCool, Taoscope", longRuns ? "Blockade, " : "")
        << M::ElecCurrent2 << longRuns << true << false << true;
}

int ThreadsOfProcess()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// Changes to the dozen-point scene that end, or must not end, in a fault.
struct FaultCase {
    const char* name;
    void (*change)(TaonSystem&, RunSwitches&);
    const char* outcome; // the fault text, or "" for none within the steps
};

constexpr Real SNaN = std::numeric_limits<Real>::signaling_NaN();

// The integer bit clear under a nonzero exponent: an unnormal, a pseudo-NaN
// or a pseudo-infinity, which the x87 refuses as operands.
Real OddEncoding(int exponent, std::uint64_t significand)
{
    return LoadExtended(JoinExtended({false, exponent, significand}).data());
}

const FaultCase FaultCases[] = {
    {"zero coefficient", [](TaonSystem& s, RunSwitches&) { s.G3 = 0; }, DivisionByZeroText},
    {"coincident points", [](TaonSystem& s, RunSwitches&) { s.X[60] = s.X[2]; s.Y[60] = s.Y[2]; s.Z[60] = s.Z[2]; },
     DivisionByZeroText},
    {"negative coefficient", [](TaonSystem& s, RunSwitches&) { s.D2 = -3; }, InvalidOperationText},
    {"negative G with Functions3X1", [](TaonSystem& s, RunSwitches& w) { s.G1 = -5; w.Law.Functions3X1 = true; }, ""},
    {"absent slot on a present point",
     [](TaonSystem& s, RunSwitches&) { s.X[30] = s.X[7]; s.Y[30] = s.Y[7]; s.Z[30] = s.Z[7]; }, DivisionByZeroText},
    {"absent slot on a present point, Blockade",
     [](TaonSystem& s, RunSwitches& w) { s.X[30] = s.X[7]; s.Y[30] = s.Y[7]; s.Z[30] = s.Z[7]; w.Blockade = true; },
     ""},
    {"overflowing kick", [](TaonSystem& s, RunSwitches&) { s.dt = 1e2000L; s.V[57] = 1e3000L; }, OverflowText},
    {"infinite velocity", [](TaonSystem& s, RunSwitches&) { s.W[26] = std::numeric_limits<Real>::infinity(); },
     InvalidOperationText},
    {"signalling NaNs in the data",
     [](TaonSystem& s, RunSwitches& w) { s.X[78] = SNaN; s.V[2] = SNaN; s.C1 = SNaN; w.Blockade = true; }, ""},
    {"unnormal dt", [](TaonSystem& s, RunSwitches&) { s.dt = OddEncoding(0x3ff5, 0x4000000000000000u); },
     InvalidOperationText},
    {"pseudo-NaN coefficient", [](TaonSystem& s, RunSwitches&) { s.C2 = OddEncoding(0x7fff, 0x4000000000000000u); },
     InvalidOperationText},
    {"pseudo-infinity position", [](TaonSystem& s, RunSwitches&) { s.Y[52] = OddEncoding(0x7fff, 0); },
     InvalidOperationText},
    {"quiet NaN position", [](TaonSystem& s, RunSwitches&) { s.Y[52] = std::numeric_limits<Real>::quiet_NaN(); },
     ""},
};

} // namespace

class StepEngineTest : public QObject {
    Q_OBJECT
private slots:
    void hundredPointsMatchTheReference_data() { AddSwitchRows(false); }

    void hundredPointsMatchTheReference()
    {
        QFETCH(ConstraintMode, mode);
        QFETCH(bool, blockade);
        QFETCH(bool, cool);
        QFETCH(bool, functions3x1);
        QFETCH(bool, taoscope);
        const TaonSystem start = HundredPoints();
        QString fault;
        QCOMPARE(CompareRuns(start, start, Switches(mode, blockade, cool, functions3x1, taoscope), 20, 2, &fault),
                 QString());
        QCOMPARE(fault, QString());
    }

    void dozenPointsMatchTheReferenceFor1000Steps_data() { AddSwitchRows(true); }

    void dozenPointsMatchTheReferenceFor1000Steps()
    {
        QFETCH(ConstraintMode, mode);
        QFETCH(bool, blockade);
        QFETCH(bool, cool);
        QFETCH(bool, functions3x1);
        QFETCH(bool, taoscope);
        const TaonSystem start = DozenPoints();
        const RunSwitches switches = Switches(mode, blockade, cool, functions3x1, taoscope);
        QString fault;
        QCOMPARE(CompareRuns(start, start, switches, 1000, 2, &fault), QString());
        QCOMPARE(fault, QString());
    }

    void faultsMatchTheReference_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("threads");
        for (int k = 0; k < int(std::size(FaultCases)); ++k) {
            QTest::addRow("%s, 1 thread", FaultCases[k].name) << k << 1;
            QTest::addRow("%s, 2 threads", FaultCases[k].name) << k << 2;
        }
    }

    void faultsMatchTheReference()
    {
        QFETCH(int, index);
        QFETCH(int, threads);
        const FaultCase& fault = FaultCases[index];
        TaonSystem start = DozenPoints();
        RunSwitches switches;
        fault.change(start, switches);
        Settle(start);
        QString met;
        QCOMPARE(CompareRuns(start, start, switches, 6, threads, &met), QString());
        QCOMPARE(met.section(QStringLiteral(" at step "), 0, 0), QString::fromLatin1(fault.outcome));
    }

    void poolIsStartedOnce()
    {
        const int before = ThreadsOfProcess();
        {
            StepEngine engine(2);
            QCOMPARE(ThreadsOfProcess(), before + 1);
            TaonSystem s = HundredPoints();
            for (int step = 0; step < 5; ++step)
                engine.Step(s, {});
            QCOMPARE(ThreadsOfProcess(), before + 1);
        }
        QCOMPARE(ThreadsOfProcess(), before);
    }
};

QTEST_GUILESS_MAIN(StepEngineTest)
#include "stepengine_test.moc"
