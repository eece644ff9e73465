// SPDX-License-Identifier: MIT
#include "../model/testscenes.h"
#include "document/scenedocument.h"
#include "scenes/scenefile.h"
#include "tempconfig.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <optional>

using namespace testscenes;

namespace {

// Stops the run after `steps` steps, with the switches given; records whether
// Undo was offered while the run went.
class CountingHost : public RunHost {
public:
    CountingHost(TaonSystem& system, SceneDocument& document, int steps, RunSwitches switches = {})
        : system_(system), document_(document), left_(steps), switches_(switches)
    {
    }
    RunSwitches CurrentSwitches() override { return switches_; }
    void ShowStepCount(std::int32_t) override {}
    void DrawScene() override {}
    bool ShowListChecked() override { return false; }
    void FillListing() override {}
    void ProcessEvents() override
    {
        undoOffered = undoOffered || document_.CanUndo() || document_.CanRedo();
        if (atEvents)
            atEvents();
        if (--left_ <= 0)
            system_.Stopped = true;
    }
    bool undoOffered = false;
    std::function<void()> atEvents; // a command between two steps

private:
    TaonSystem& system_;
    SceneDocument& document_;
    int left_;
    RunSwitches switches_;
};

void Run(SceneDocument& document, int steps, RunSwitches switches = {})
{
    static StepEngine engine(1);
    CountingHost host(document.System(), document, steps, switches);
    document.System().Stopped = false;
    document.Run(engine, host);
    QVERIFY(!host.undoOffered);
}

// Bit for bit, the display copies aside: they follow the positions.
QString Difference(TaonSystem a, TaonSystem b)
{
    a.DrawX = a.X, a.DrawY = a.Y, a.DrawZ = a.Z;
    b.DrawX = b.X, b.DrawY = b.Y, b.DrawZ = b.Z;
    return FirstDifference(a, b);
}

// Points in every group, the slots the current modes read (57, 67) among
// them, well apart.
TaonSystem Scene()
{
    std::vector<int> taken;
    for (int i : {1, 2, 3, 4, 5, 26, 27, 28, 50, 51, 52, 55, 57, 60, 62, 65, 67, 70, 71, 72, 76, 77, 90, 100})
        taken.push_back(i);
    TaonSystem s = RandomScene(7, taken, 1.0L, 0.35L, 0.5L);
    s.StepCount = 12;
    return s;
}

using Command = std::function<void(SceneDocument&, const QString& file)>;

} // namespace

Q_DECLARE_METATYPE(Command)

class SceneDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoRestoreTheExactBytes_data();
    void undoAndRedoRestoreTheExactBytes();
    void aFailedCommandIsOneEntryForWhatItStored();
    void continuingReproducesTheLaterKeptStep_data();
    void continuingReproducesTheLaterKeptStep();
    void historiesStayWithinTheirBounds_data();
    void historiesStayWithinTheirBounds();
};

void SceneDocumentTest::undoAndRedoRestoreTheExactBytes_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("replaces");
    QTest::addRow("dt") << Command([](SceneDocument& d, const QString&) { d.CommitDt(0.002L); })
                        << QStringLiteral("dt = 0.002") << false;
    QTest::addRow("coefficient") << Command([](SceneDocument& d, const QString&) { d.CommitCoefficient(0, 2); })
                                 << QStringLiteral("A1 = 2") << false;
    QTest::addRow("velocity reset") << Command([](SceneDocument& d, const QString&) { d.ResetVelocities(); })
                                    << QStringLiteral("Velocity reset") << false;
    QTest::addRow("point store") << Command([](SceneDocument& d, const QString&) {
        d.Change(QStringLiteral("Point 3"), [&] {
            d.System().X[3] = 0.25L;
            d.System().Present[4] = 0;
        });
    }) << QStringLiteral("Point 3") << false;
    QTest::addRow("open") << Command([](SceneDocument& d, const QString& file) { d.OpenScene(file); })
                          << QStringLiteral("Open other.ato") << true;
    QTest::addRow("run") << Command([](SceneDocument& d, const QString&) { Run(d, 25); })
                         << QStringLiteral("Run of 25 steps") << false;
}

void SceneDocumentTest::undoAndRedoRestoreTheExactBytes()
{
    QFETCH(Command, command);
    QFETCH(QString, caption);
    QFETCH(bool, replaces);
    const TempConfig config;
    TaonSystem other = RandomScene(3, {1, 2, 60, 80}, 1.0L, 0.5L, 0.1L);
    const QString file = config.Path(QStringLiteral("other.ato"));
    WriteSceneFile(other, file);

    TaonSystem system = Scene();
    SceneDocument document(system);
    document.Names().SceneFileName = QStringLiteral("/scenes/before.ato");
    const TaonSystem before = system;
    QSignalSpy replaced(&document, &SceneDocument::sceneReplaced);
    command(document, file);
    QCOMPARE(replaced.count(), replaces ? 1 : 0);
    const TaonSystem after = system;
    const FileNames namesAfter = document.Names();
    const Real timeAfter = document.Tally().ModelTime();
    QVERIFY(!Difference(before, after).isEmpty());
    QCOMPARE(document.Undos().UndoCaption(), caption);

    document.Undo();
    QCOMPARE(Difference(system, before), QString());
    QCOMPARE(document.Names().SceneFileName, QStringLiteral("/scenes/before.ato"));
    QCOMPARE(replaced.count(), replaces ? 2 : 0);
    QCOMPARE(document.Undos().RedoCaption(), caption);
    document.Redo();
    QCOMPARE(Difference(system, after), QString());
    QCOMPARE(document.Names().SceneFileName, namesAfter.SceneFileName);
    QVERIFY(SameBits(document.Tally().ModelTime(), timeAfter));
    QVERIFY(!document.Undos().CanRedo());
}

void SceneDocumentTest::aFailedCommandIsOneEntryForWhatItStored()
{
    TaonSystem system = Scene();
    SceneDocument document(system);
    const TaonSystem before = system;
    const auto failing = [&](bool storeFirst) {
        document.Change(QStringLiteral("Point 1"), [&] {
            if (storeFirst)
                system.X[1] = 5;
            throw UserError("'x' is not a valid floating point value");
        });
    };
    QVERIFY_THROWS_EXCEPTION(UserError, failing(false));
    QVERIFY(!document.CanUndo());
    QVERIFY_THROWS_EXCEPTION(UserError, failing(true));
    QCOMPARE(document.Undos().UndoCount(), 1);
    document.Undo();
    QCOMPARE(Difference(system, before), QString());

    // A run whose fourth step faults (a zero B1 committed after the third) is
    // one entry for the three steps before.
    StepEngine engine(1);
    CountingHost host(system, document, 10);
    int steps = 0;
    host.atEvents = [&] {
        if (++steps == 3)
            document.CommitCoefficient(1, 0);
    };
    const TaonSystem beforeRun = system;
    system.Stopped = false;
    QVERIFY_THROWS_EXCEPTION(UserError, document.Run(engine, host));
    QCOMPARE(document.Undos().UndoCaption(), QStringLiteral("Run of 3 steps"));
    QCOMPARE(system.StepCount, beforeRun.StepCount + 3);
    document.Undo();
    QCOMPARE(Difference(system, beforeRun), QString());

    // Opening a file that is not there stores nothing and keeps the names.
    document.Names().SceneFileName = QStringLiteral("kept.ato");
    QVERIFY_THROWS_EXCEPTION(UserError, document.OpenScene(QStringLiteral("/nonexistent/x.ato")));
    QCOMPARE(document.Names().SceneFileName, QStringLiteral("kept.ato"));
    QVERIFY(!document.CanUndo());
}

void SceneDocumentTest::continuingReproducesTheLaterKeptStep_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("coolAndBlockade");
    const char* names[] = {"AtomStand", "HotContact", "ColdContact", "ElecCurrent1", "ElecCurrent2"};
    for (int mode = 0; mode < 5; ++mode)
        for (bool both : {false, true})
            QTest::addRow("%s%s", names[mode], both ? " Cool Blockade" : "") << mode << both;
}

void SceneDocumentTest::continuingReproducesTheLaterKeptStep()
{
    QFETCH(int, mode);
    QFETCH(bool, coolAndBlockade);
    RunSwitches switches;
    switches.Mode = ConstraintMode(mode);
    switches.Cool = switches.Blockade = coolAndBlockade;
    TaonSystem system = Scene();
    // Eight states at most: 60 steps thin them twice, to every 8th.
    SceneDocument document(system, nullptr, UndoHistory(), RunHistory(8));
    Run(document, 40, switches);
    Run(document, 20, switches);
    const RunHistory& runs = document.Runs();
    QCOMPARE(runs.Every(), 8);
    const int s = 2, t = runs.Count() - 1;
    const SceneState later = runs.State(t);
    const std::int64_t steps = runs.Ordinal(t) - runs.Ordinal(s);
    system.dt = 0.5L; // the kept state brings its own dt back
    const TaonSystem present = system;
    document.ContinueFrom(s);
    QCOMPARE(document.Undos().UndoCaption(), QStringLiteral("Continue from step %1").arg(12 + 2 * 8));
    document.Undo();
    QCOMPARE(Difference(system, present), QString());
    document.Redo();
    QCOMPARE(system.StepCount, runs.State(s).StepCount());
    Run(document, int(steps), switches);
    QVERIFY(SceneState::Capture(system, document.Tally().ModelTime()) == later);
    QCOMPARE(system.StepCount, later.StepCount());
}

void SceneDocumentTest::historiesStayWithinTheirBounds_data()
{
    QTest::addColumn<int>("entryLimit");
    QTest::addColumn<int>("byteLimit");
    QTest::addColumn<int>("kept");
    QTest::addRow("entries") << 1000 << (64 << 20) << 1000;
    QTest::addRow("bytes") << 1000 << int(10 * sizeof(UndoEntry) + 100) << 10;
}

void SceneDocumentTest::historiesStayWithinTheirBounds()
{
    QFETCH(int, entryLimit);
    QFETCH(int, byteLimit);
    QFETCH(int, kept);
    TaonSystem system = EmptyModel();
    UndoHistory undo(entryLimit, std::size_t(byteLimit));
    for (int n = 1; n <= 1100; ++n) {
        system.StepCount = n;
        undo.Push({QString::number(n), SceneState::Capture(system, 0), FileNames{}, false});
        QVERIFY(undo.UndoCount() <= kept && undo.Bytes() <= std::size_t(byteLimit));
    }
    QCOMPARE(undo.UndoCount(), kept);
    QCOMPARE(undo.UndoCaption(), QStringLiteral("1100")); // the oldest went first
    const std::optional<UndoEntry> oldest = [&] {
        std::optional<UndoEntry> e;
        for (int n = 0; n < kept; ++n)
            e = undo.Undo({QString(), SceneState::Capture(system, 0), FileNames{}, false});
        return e;
    }();
    QCOMPARE(oldest->State.StepCount(), 1100 - kept + 1);

    // A long run keeps between half and all of the run history's capacity,
    // evenly spaced from its start.
    RunHistory runs(64);
    runs.RunStarts(system, 0);
    for (int step = 1; step <= 100000; ++step) {
        runs.StepTaken(system, 0);
        QVERIFY(runs.Count() <= 64);
    }
    QVERIFY(runs.Count() > 32);
    for (int i = 0; i < runs.Count(); ++i)
        QCOMPARE(runs.Ordinal(i), i * runs.Every());
}

QTEST_GUILESS_MAIN(SceneDocumentTest)
#include "scenedocument_test.moc"
