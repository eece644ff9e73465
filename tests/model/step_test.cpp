// SPDX-License-Identifier: MIT
#include "model/constraints.h"
#include "model/runloop.h"
#include "model/step.h"
#include "testscenes.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace testscenes;

Q_DECLARE_METATYPE(ConstraintMode)

namespace {

TaonSystem TwoPoints()
{
    TaonSystem s = EmptyModel();
    Place(s, 1, 0, 0, 0);
    Place(s, 2, 1, 0, 0);
    Settle(s);
    return s;
}

// A model whose working arrays are all zero, for the constraint pass alone.
TaonSystem Quiet()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    return s;
}

SlotReals TaonSystem::*WorkingArray(const QString& name)
{
    if (name == "x")
        return &TaonSystem::NewX;
    if (name == "y")
        return &TaonSystem::NewY;
    if (name == "z")
        return &TaonSystem::NewZ;
    if (name == "u")
        return &TaonSystem::NewU;
    if (name == "v")
        return &TaonSystem::NewV;
    return &TaonSystem::NewW;
}

// All 100 slots present, spread so that none comes near another.
TaonSystem FullScene(unsigned seed)
{
    std::vector<int> all;
    for (int i = 1; i <= SlotCount; ++i)
        all.push_back(i);
    return RandomScene(seed, all, 3.0L, 0.35L, 1.0L);
}

// Headless duties: records what the loop asked for and stops after `stopAfter` steps.
class RecordingHost : public RunHost {
public:
    TaonSystem* system = nullptr;
    RunSwitches switches;
    int stopAfter = 1;
    bool listChecked = false;
    int switchReads = 0, draws = 0, listings = 0, events = 0;
    std::vector<std::int32_t> shown;
    std::function<void(int)> duringEvents; // what a handler does between steps

    RunSwitches CurrentSwitches() override
    {
        ++switchReads;
        return switches;
    }
    void ShowStepCount(std::int32_t stepCount) override { shown.push_back(stepCount); }
    void DrawScene() override { ++draws; }
    bool ShowListChecked() override { return listChecked; }
    void FillListing() override { ++listings; }
    void ProcessEvents() override
    {
        ++events;
        if (duringEvents)
            duringEvents(events);
        if (events >= stopAfter)
            system->Stopped = true;
    }
};

} // namespace

class StepTest : public QObject {
    Q_OBJECT
private slots:
    void oneStepOfTwoPoints()
    {
        TaonSystem s = TwoPoints();
        const Real force = ForceX(s, {}, 1);
        ReferenceStep(s, {});
        QVERIFY(std::fabs(s.U[1] - 4.6328e-4L) < 1e-8L);
        QVERIFY(std::fabs(s.X[1] - 4.6328e-7L) < 1e-11L);
        QVERIFY(std::fabs(s.U[2] + 4.6328e-4L) < 1e-8L);
        QVERIFY(std::fabs(s.X[2] - (1 - 4.6328e-7L)) < 1e-11L);
        QCOMPARE(s.U[1], force * 0.001L);
        QCOMPARE(s.X[1], s.U[1] * 0.001L);
        QCOMPARE(s.Y[1], 0.0L);
        QCOMPARE(s.V[2], 0.0L);
        // Committed, working and display copies agree after a step without constraints.
        QCOMPARE(s.NewX[1], s.X[1]);
        QCOMPARE(s.DrawX[2], s.X[2]);
        // The far absent slots moved by no more than a rounding.
        QVERIFY(std::fabs(s.X[50] - 1500.0L) < 1e-9L);
    }

    void blockadeKeepsItsRanges()
    {
        TaonSystem s = FullScene(11);
        const TaonSystem start = s;
        StepEngine engine;
        RunSwitches switches;
        switches.Blockade = true;
        for (int step = 0; step < 40; ++step)
            engine.Step(s, switches);
        for (int i = 76; i <= 80; ++i)
            for (auto array : {&TaonSystem::X, &TaonSystem::Y, &TaonSystem::Z, &TaonSystem::U, &TaonSystem::V,
                               &TaonSystem::W, &TaonSystem::NewX, &TaonSystem::NewU})
                QVERIFY(SameBits((s.*array)[i], (start.*array)[i]));
        for (int i = 71; i <= 75; ++i) {
            for (auto array : {&TaonSystem::Y, &TaonSystem::Z, &TaonSystem::V, &TaonSystem::W})
                QVERIFY(SameBits((s.*array)[i], (start.*array)[i]));
            QVERIFY(s.X[i] != start.X[i]);
            QVERIFY(s.U[i] != start.U[i]);
        }
        for (int i : {1, 70, 81, 100}) {
            QVERIFY(s.Y[i] != start.Y[i]);
            QVERIFY(s.W[i] != start.W[i]);
        }
    }

    void xOnlySlotsFeelTheFreshPositions()
    {
        TaonSystem s = FullScene(5);
        const TaonSystem start = s;
        RunSwitches switches;
        switches.Blockade = true;
        ReferenceStep(s, switches);
        // The x-only slots' forces come after the free slots' commit, while
        // the x-only slots themselves still stand where they were.
        TaonSystem seen = s;
        for (int i = 71; i <= 75; ++i)
            seen.X[i] = start.X[i];
        for (int i = 71; i <= 75; ++i) {
            QCOMPARE(s.U[i], 1.0L * start.U[i] + ForceX(seen, {}, i) * s.dt);
            QVERIFY(s.U[i] != 1.0L * start.U[i] + ForceX(start, {}, i) * s.dt);
        }
    }

    void absentSlotsMoveOnlyWithoutBlockade()
    {
        TaonSystem s = TwoPoints();
        s.X[5] = 0.3L;
        s.Y[5] = 0.7L;
        s.Z[5] = 0;
        Settle(s);
        TaonSystem blockaded = s;
        ReferenceStep(s, {});
        QVERIFY(s.X[5] != 0.3L);
        QCOMPARE(s.X[5], s.NewX[5]);
        QCOMPARE(s.DrawY[5], s.Y[5]);
        RunSwitches switches;
        switches.Blockade = true;
        ReferenceStep(blockaded, switches);
        QCOMPARE(blockaded.X[5], 0.3L);
        QCOMPARE(blockaded.NewX[5], 0.3L);
        QCOMPARE(blockaded.U[5], 0.0L);
    }

    void coolRetains95Percent()
    {
        TaonSystem s = EmptyModel();
        Place(s, 10, 0, 0, 0, 1, -2, 0.5L);
        Settle(s);
        RunSwitches switches;
        switches.Cool = true;
        switches.Blockade = true; // the far absent slots stay put
        QCOMPARE(CoolFactor(switches), 0.95L);
        QCOMPARE(CoolFactor({}), 1.0L);
        Real u = 1, v = -2;
        for (int step = 0; step < 5; ++step) {
            ReferenceStep(s, switches);
            u = 0.95L * u;
            v = 0.95L * v;
        }
        QCOMPARE(s.U[10], u);
        QCOMPARE(s.V[10], v);
        QVERIFY(std::fabs(s.U[10] - 0.7737809375L) < 1e-15L);
    }

    void constraints_data()
    {
        QTest::addColumn<ConstraintMode>("mode");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("velocityField"); // its start is 0.7
        QTest::addColumn<double>("velocityAfter");
        using M = ConstraintMode;
        QTest::newRow("hot folds 3.4 to -2.9") << M::HotContact << 1 << "x" << 3.4 << -2.9 << "u" << 0.7;
        QTest::newRow("cold reflects 3.4 to 3.399") << M::ColdContact << 1 << "x" << 3.4 << 3.399 << "u" << -0.7;
        QTest::newRow("cold reflects -3.4 to -3.399") << M::ColdContact << 50 << "x" << -3.4 << -3.399 << "u" << -0.7;
        QTest::newRow("hot 3.9 to -3.4 to 2.9") << M::HotContact << 7 << "x" << 3.9 << 2.9 << "u" << 0.7;
        QTest::newRow("hot leaves group 2") << M::HotContact << 56 << "x" << 3.4 << 3.4 << "u" << 0.7;
        QTest::newRow("current 1 folds 1.12 to -1.07") << M::ElecCurrent1 << 30 << "x" << 1.12 << -1.07 << "u" << 0.7;
        QTest::newRow("current 1 folds 1.2 twice to 1.10") << M::ElecCurrent1 << 30 << "x" << 1.2 << 1.10 << "u" << 0.7;
        QTest::newRow("current 2 folds 1.04 to -0.99") << M::ElecCurrent2 << 30 << "x" << 1.04 << -0.99 << "u" << 0.7;
        QTest::newRow("hot brakes u 112 to 107") << M::HotContact << 3 << "u" << 112.0 << 107.0 << "v" << 0.7;
        QTest::newRow("cold brakes w -130 to -125") << M::ColdContact << 3 << "w" << -130.0 << -125.0 << "v" << 0.7;
        QTest::newRow("hot lets v 60 pass") << M::HotContact << 3 << "v" << 60.0 << 60.0 << "u" << 0.7;
        QTest::newRow("current 1 brakes v 60 to 35") << M::ElecCurrent1 << 3 << "v" << 60.0 << 35.0 << "u" << 0.7;
        QTest::newRow("current 2 brakes w -60 to -35") << M::ElecCurrent2 << 3 << "w" << -60.0 << -35.0 << "u" << 0.7;
        QTest::newRow("current 1 brakes u 112 to 107") << M::ElecCurrent1 << 3 << "u" << 112.0 << 107.0 << "v" << 0.7;
        QTest::newRow("hot y wall at 1.3") << M::HotContact << 9 << "y" << 1.35 << 1.349 << "v" << -0.7;
        QTest::newRow("cold z wall at -1.3") << M::ColdContact << 9 << "z" << -1.35 << -1.349 << "w" << -0.7;
        QTest::newRow("current 1 z wall at 0.44") << M::ElecCurrent1 << 9 << "z" << 0.5 << 0.49 << "w" << -0.7;
        QTest::newRow("current 2 z wall at 0.4") << M::ElecCurrent2 << 9 << "z" << 0.42 << 0.41 << "w" << -0.7;
        QTest::newRow("hot holds slot 51 above -1.0") << M::HotContact << 51 << "x" << -1.02 << -0.97 << "u" << 0.7;
        QTest::newRow("cold holds slot 55 below -0.945") << M::ColdContact << 55 << "x" << -0.9 << -0.95 << "u" << 0.7;
        QTest::newRow("hot does not hold slot 56") << M::HotContact << 56 << "x" << -1.02 << -1.02 << "u" << 0.7;
        QTest::newRow("current 1 holds slot 62") << M::ElecCurrent1 << 62 << "x" << -1.2 << -1.15 << "u" << 0.7;
        QTest::newRow("current 2 holds slot 55 at -0.3") << M::ElecCurrent2 << 55 << "x" << -0.35 << -0.3 << "u" << 0.7;
        QTest::newRow("current 2 holds slot 66 at 0.355") << M::ElecCurrent2 << 66 << "x" << 0.36 << 0.31 << "u" << 0.7;
        QTest::newRow("atomstand leaves 3.4") << M::AtomStand << 1 << "x" << 3.4 << 3.4 << "u" << 0.7;
    }

    void constraints()
    {
        QFETCH(ConstraintMode, mode);
        QFETCH(int, slot);
        QFETCH(QString, field);
        QFETCH(double, start);
        QFETCH(double, expected);
        QFETCH(QString, velocityField);
        QFETCH(double, velocityAfter);
        TaonSystem s = Quiet();
        (s.*WorkingArray(field))[slot] = start;
        (s.*WorkingArray(velocityField))[slot] = 0.7L;
        ApplyConstraints(s, mode);
        const Real after = (s.*WorkingArray(field))[slot];
        QVERIFY2(std::fabs(after - expected) < 1e-12L, qPrintable(QString::number(double(after), 'g', 17)));
        QVERIFY(std::fabs((s.*WorkingArray(velocityField))[slot] - velocityAfter) < 1e-15L);
        // The pass works on the working arrays only.
        QCOMPARE(s.X[slot], 0.0L);
        QCOMPARE(s.U[slot], 0.0L);
    }

    void currentBandsFollowSlots57And67_data()
    {
        QTest::addColumn<ConstraintMode>("mode");
        QTest::addColumn<int>("slot");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("v");
        using M = ConstraintMode;
        // Levels: slot 57 at 0.2, slot 67 at -0.4.
        QTest::newRow("below band 1") << M::ElecCurrent1 << 25 << 0.1 << 0.11 << -0.7;
        QTest::newRow("above band 1") << M::ElecCurrent2 << 1 << 0.75 << 0.74 << -0.7;
        QTest::newRow("inside band 1") << M::ElecCurrent1 << 1 << 0.6 << 0.6 << 0.7;
        QTest::newRow("below band 2") << M::ElecCurrent2 << 26 << -0.95 << -0.94 << -0.7;
        QTest::newRow("above band 2") << M::ElecCurrent1 << 50 << -0.3 << -0.31 << -0.7;
        QTest::newRow("group 2 has no band") << M::ElecCurrent1 << 51 << 5.0 << 5.0 << 0.7;
    }

    void currentBandsFollowSlots57And67()
    {
        QFETCH(ConstraintMode, mode);
        QFETCH(int, slot);
        QFETCH(double, y);
        QFETCH(double, expected);
        QFETCH(double, v);
        TaonSystem s = Quiet();
        s.NewY[57] = 0.2L;
        s.NewY[67] = -0.4L;
        s.NewY[slot] = y;
        s.NewV[slot] = 0.7L;
        ApplyConstraints(s, mode);
        QVERIFY2(std::fabs(s.NewY[slot] - expected) < 1e-12L, qPrintable(QString::number(double(s.NewY[slot]), 'g', 17)));
        QVERIFY(std::fabs(s.NewV[slot] - v) < 1e-15L);
    }

    void constraintReachesTheModelAtTheNextCommit()
    {
        TaonSystem s = EmptyModel();
        Place(s, 1, 3.4L, 0, 0, 0.5L);
        Settle(s);
        RunSwitches switches;
        switches.Mode = ConstraintMode::HotContact;
        switches.Blockade = true;
        ReferenceStep(s, switches);
        QVERIFY(s.X[1] > 3.4L); // committed before the fold
        QVERIFY(std::fabs(s.NewX[1] - (0.5L - s.X[1])) < 1e-18L);
        QCOMPARE(s.DrawX[1], s.X[1]);
        ReferenceStep(s, switches);
        QVERIFY(s.X[1] < -2.8L);
    }

    void faultsLeaveTheLiteralPartialState_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("failingSlot"); // slots before it are kicked, from it on untouched
        QTest::newRow("absent slot on a present point") << 0 << DivisionByZeroText << 5;
        QTest::newRow("zero coefficient") << 1 << DivisionByZeroText << 1;
        QTest::newRow("coincident present points") << 2 << DivisionByZeroText << 2;
        QTest::newRow("negative coefficient") << 3 << InvalidOperationText << 1;
        QTest::newRow("overflow moving slot 2") << 4 << OverflowText << 2;
    }

    void faultsLeaveTheLiteralPartialState()
    {
        QFETCH(int, scenario);
        QFETCH(QString, text);
        QFETCH(int, failingSlot);
        TaonSystem s = TwoPoints();
        for (int i = 3; i <= 6; ++i) { // absent slots within reach
            s.X[i] = 0.3L * i;
            s.Y[i] = 1;
            s.Z[i] = 0;
        }
        switch (scenario) {
        case 0:
            s.X[5] = 1; // exactly on slot 2
            s.Y[5] = 0;
            break;
        case 1:
            s.D3 = 0;
            break;
        case 2:
            Place(s, 40, 1, 0, 0);
            break;
        case 3:
            s.F1 = -4;
            break;
        case 4:
            // Slot 2 moves along x, then its y step overflows.
            s.dt = 1e2000L;
            s.V[2] = 1e3000L;
            break;
        }
        Settle(s);
        const TaonSystem before = s;
        s.StepCount = 12;
        QCOMPARE(ErrorOf([&] { ReferenceStep(s, {}); }), text);
        for (int i = 1; i <= SlotCount; ++i) {
            QVERIFY(SameBits(s.X[i], before.X[i])); // nothing committed
            QVERIFY(SameBits(s.W[i], before.W[i]));
            if (i < failingSlot)
                QVERIFY2(!SameBits(s.NewU[i], before.NewU[i]), qPrintable(QString::number(i)));
            if (i > failingSlot)
                QVERIFY(SameBits(s.NewU[i], before.NewU[i]) && SameBits(s.NewX[i], before.NewX[i]));
        }
        QCOMPARE(s.StepCount, 12);
        if (scenario == 4) { // x done, y not
            QVERIFY(!SameBits(s.NewU[2], before.NewU[2]));
            QVERIFY(!SameBits(s.NewX[2], before.NewX[2]));
            QVERIFY(SameBits(s.NewY[2], before.NewY[2]));
        } else {
            QVERIFY(SameBits(s.NewU[failingSlot], before.NewU[failingSlot]));
        }
        // With Blockade the absent slot stays out of it.
        if (scenario == 0) {
            TaonSystem blockaded = before;
            RunSwitches switches;
            switches.Blockade = true;
            QCOMPARE(ErrorOf([&] { ReferenceStep(blockaded, switches); }), QString());
        }
    }

    void zeroCoefficientFaultsOnlyWhenAForceIsEvaluated()
    {
        TaonSystem s = EmptyModel();
        Place(s, 78, 0, 0, 0); // fixed under Blockade
        s.B1 = 0;
        Settle(s);
        RunSwitches switches;
        switches.Blockade = true;
        QCOMPARE(ErrorOf([&] { ReferenceStep(s, switches); }), QString());
        Place(s, 73, 1, 0, 0); // x-only: its force is evaluated
        Settle(s);
        QCOMPARE(ErrorOf([&] { ReferenceStep(s, switches); }), QString::fromLatin1(DivisionByZeroText));
    }

    void runLoopDoesTheWindowDuties_data()
    {
        QTest::addColumn<bool>("showTime");
        QTest::addColumn<bool>("listChecked");
        QTest::newRow("quiet") << false << false;
        QTest::newRow("time shown") << true << false;
        QTest::newRow("listing shown") << false << true;
    }

    void runLoopDoesTheWindowDuties()
    {
        QFETCH(bool, showTime);
        QFETCH(bool, listChecked);
        TaonSystem s = TwoPoints();
        s.ShowTime = showTime;
        StepEngine engine(1);
        RecordingHost host;
        host.system = &s;
        host.stopAfter = 4;
        host.listChecked = listChecked;
        s.Stopped = false;
        RunLoop(s, engine, host, 7);
        QCOMPARE(s.StepCount, 11);
        QCOMPARE(host.switchReads, 4);
        QCOMPARE(host.draws, 4);
        QCOMPARE(host.events, 4);
        QCOMPARE(host.listings, listChecked ? 4 : 0);
        const std::vector<std::int32_t> counts{8, 9, 10, 11};
        QCOMPARE(host.shown, showTime ? counts : std::vector<std::int32_t>());
        // Four steps went by.
        TaonSystem reference = TwoPoints();
        for (int step = 0; step < 4; ++step)
            ReferenceStep(reference, {});
        reference.StepCount = 11;
        QCOMPARE(FirstDifference(s, reference), QString());
    }

    void runLoopOwnsTheStepCount()
    {
        TaonSystem s = TwoPoints();
        StepEngine engine(1);
        RecordingHost host;
        host.system = &s;
        host.stopAfter = 3;
        host.duringEvents = [&](int events) {
            if (events == 2)
                s.StepCount = 0; // as New or Open would during a run
        };
        RunLoop(s, engine, host, 100);
        QCOMPARE(s.StepCount, 103);
        // The next run continues from there, and the counter wraps.
        host.duringEvents = nullptr;
        s.Stopped = false;
        host.events = 0;
        host.stopAfter = 1;
        RunLoop(s, engine, host, s.StepCount);
        QCOMPARE(s.StepCount, 104);
        QCOMPARE(NextStepCount(INT32_MAX), INT32_MIN);
        s.Stopped = false;
        host.events = 0;
        host.stopAfter = 2;
        RunLoop(s, engine, host, INT32_MAX);
        QCOMPARE(s.StepCount, INT32_MIN + 1);
    }

    void runLoopLeavesByTheFault()
    {
        TaonSystem s = TwoPoints();
        StepEngine engine(1);
        RecordingHost host;
        host.system = &s;
        host.stopAfter = 100;
        host.duringEvents = [&](int events) {
            if (events == 2)
                s.C2 = 0; // a coefficient changed between two steps
        };
        TaonSystem afterTwo = s;
        QCOMPARE(ErrorOf([&] { RunLoop(s, engine, host, 0); }), QString::fromLatin1(DivisionByZeroText));
        QCOMPARE(host.draws, 2);
        QCOMPARE(s.StepCount, 2);
        QCOMPARE(s.Stopped, false);
        for (int step = 0; step < 2; ++step)
            ReferenceStep(afterTwo, {});
        afterTwo.StepCount = 2;
        afterTwo.C2 = 0;
        QCOMPARE(FirstDifference(s, afterTwo), QString());
    }
};

QTEST_GUILESS_MAIN(StepTest)
#include "step_test.moc"
