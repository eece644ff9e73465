// SPDX-License-Identifier: MIT
#include "document/scenedocument.h"

#include "scenes/numbertext.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"

#include <QFileInfo>
#include <QLocale>

#include <utility>

namespace {

bool SameNames(const FileNames& a, const FileNames& b)
{
    return a.SceneFileName == b.SceneFileName && a.StartSceneName == b.StartSceneName &&
           a.SceneCaption == b.SceneCaption;
}

// "1,204": captions are English whatever the locale.
QString Count(std::int64_t n)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(qlonglong(n));
}

} // namespace

// The run loop's host: the document keeps the tally and the run history and
// tells of each step; the window does the rest.
class SceneDocument::RunAdapter : public RunHost {
public:
    RunAdapter(SceneDocument& document, RunHost& duties) : document_(document), duties_(duties) {}

    RunSwitches CurrentSwitches() override { return duties_.CurrentSwitches(); }
    void ShowStepCount(std::int32_t stepCount) override { duties_.ShowStepCount(stepCount); }
    void StepTaken() override
    {
        ++steps_;
        document_.StepTaken();
        duties_.StepTaken();
    }
    void DrawScene() override
    {
        duties_.DrawScene();
        emit document_.stepDrawn();
    }
    bool ShowListChecked() override { return duties_.ShowListChecked(); }
    void FillListing() override { duties_.FillListing(); }
    void ProcessEvents() override { duties_.ProcessEvents(); }

    std::int64_t Steps() const { return steps_; }

private:
    SceneDocument& document_;
    RunHost& duties_;
    std::int64_t steps_ = 0;
};

SceneDocument::SceneDocument(TaonSystem& system, QObject* parent, UndoHistory undo, RunHistory runs)
    : QObject(parent), system_(system), undo_(std::move(undo)), runs_(std::move(runs))
{
}

SceneState SceneDocument::Capture() const
{
    return SceneState::Capture(system_, tally_.ModelTime());
}

void SceneDocument::Change(const QString& caption, const std::function<void()>& change)
{
    if (depth_ > 0) {
        change();
        return;
    }
    ReturnToPresent();
    const SceneState before = Capture();
    const FileNames namesBefore = names_;
    replaced_ = false;
    ++depth_;
    try {
        change();
    } catch (...) {
        --depth_;
        Conclude(caption, before, namesBefore);
        throw;
    }
    --depth_;
    Conclude(caption, before, namesBefore);
}

void SceneDocument::NoteSceneReplaced()
{
    replaced_ = true;
    tally_.Reset();
    runs_.Clear();
}

void SceneDocument::Conclude(const QString& caption, const SceneState& before, const FileNames& namesBefore)
{
    const bool changed = !(Capture() == before) || !SameNames(names_, namesBefore);
    const bool replaced = running_ ? replaced_ : std::exchange(replaced_, false);
    if (!changed && !replaced)
        return;
    if (changed && !running_)
        undo_.Push({caption, before, namesBefore, replaced});
    Announce(before, namesBefore, replaced);
    emit historyChanged();
}

void SceneDocument::Announce(const SceneState& before, const FileNames& namesBefore, bool replaced)
{
    if (replaced) {
        emit sceneReplaced();
        return;
    }
    const SceneState after = Capture();
    if (!after.SameParameters(before))
        emit lawChanged();
    if (!after.SamePoints(before))
        emit pointsChanged();
    if (!after.SameTime(before))
        emit timeChanged();
    if (!SameNames(names_, namesBefore))
        emit namesChanged();
}

void SceneDocument::CommitDt(Real value)
{
    Change(QStringLiteral("dt = ") + FloatToText(value), [&] { system_.dt = value; });
}

void SceneDocument::CommitCoefficient(int index, Real value)
{
    Change(QString::fromLatin1(CoefficientNames[index]) + QStringLiteral(" = ") + FloatToText(value),
           [&] { system_.*CoefficientFields[index] = value; });
}

void SceneDocument::OpenScene(const QString& path)
{
    Change(QStringLiteral("Open ") + QFileInfo(path).fileName(), [&] {
        const FileNames before = names_;
        names_.SceneFileName = path;
        // Neither a file that failed nor one read whole whose start-file
        // write failed becomes current: Save must not write over it.
        try {
            ReadSceneFile(system_, path);
            names_.StartSceneName = names_.SceneFileName;
            WriteStartFile(names_);
        } catch (...) {
            names_ = before;
            throw;
        }
        RestoreFromSceneRecord(system_);
        system_.StepCount = 0;
        NoteSceneReplaced();
    });
}

void SceneDocument::ResetVelocities()
{
    Change(QStringLiteral("Velocity reset"), [&] {
        for (int i = 1; i <= SlotsInUse(system_); ++i)
            system_.U[i] = system_.V[i] = system_.W[i] = system_.NewU[i] = system_.NewV[i] = system_.NewW[i] = 0;
    });
}

void SceneDocument::Run(StepEngine& engine, RunHost& duties)
{
    ReturnToPresent();
    const SceneState before = Capture();
    const FileNames namesBefore = names_;
    tally_.StartRun();
    if (keepRuns_)
        runs_.RunStarts(system_, tally_.ModelTime());
    running_ = true;
    replaced_ = false;
    emit historyChanged();
    RunAdapter host(*this, duties);
    // Edits made between two steps belong to the run's entry.
    const auto end = [&] {
        running_ = false;
        const bool replaced = std::exchange(replaced_, false);
        if (host.Steps() > 0 || !(Capture() == before) || !SameNames(names_, namesBefore)) {
            const std::int64_t n = host.Steps();
            undo_.Push({QStringLiteral("Run of %1 step%2").arg(Count(n), n == 1 ? QString() : QStringLiteral("s")),
                        before, namesBefore, replaced});
        }
        emit historyChanged();
    };
    try {
        RunLoop(system_, engine, host, system_.StepCount);
    } catch (...) {
        end();
        throw;
    }
    end();
}

void SceneDocument::StepTaken()
{
    tally_.StepTaken(system_.dt);
    if (keepRuns_)
        runs_.StepTaken(system_, tally_.ModelTime());
    emit stepTaken();
}

void SceneDocument::Restore(const UndoEntry& entry)
{
    tally_.Restore(entry.State.ApplyTo(system_));
    names_ = entry.Names;
    if (entry.ReplacesScene)
        runs_.Clear();
}

void SceneDocument::Undo()
{
    if (CanUndo())
        Travel(&UndoHistory::Undo);
}

void SceneDocument::Redo()
{
    if (CanRedo())
        Travel(&UndoHistory::Redo);
}

void SceneDocument::Travel(std::optional<UndoEntry> (UndoHistory::*move)(UndoEntry))
{
    ReturnToPresent();
    const SceneState before = Capture();
    const FileNames namesBefore = names_;
    const std::optional<UndoEntry> entry = (undo_.*move)({QString(), before, names_, false});
    Restore(*entry);
    Announce(before, namesBefore, entry->ReplacesScene);
    emit historyChanged();
}

void SceneDocument::ShowRecorded(int index)
{
    if (index < 0 || index >= runs_.Count() || shown_ == index)
        return;
    shown_ = index;
    emit shownChanged();
}

void SceneDocument::ReturnToPresent()
{
    if (!shown_)
        return;
    shown_.reset();
    emit shownChanged();
}

void SceneDocument::ContinueFrom(int index)
{
    if (running_ || index < 0 || index >= runs_.Count())
        return;
    const SceneState state = runs_.State(index);
    Change(QStringLiteral("Continue from step ") + Count(state.StepCount()),
           [&] { tally_.Restore(state.ApplyTo(system_)); });
    emit continuedFrom(index);
}

void SceneDocument::WithShownState(const std::function<void()>& draw)
{
    if (!shown_) {
        draw();
        return;
    }
    const TaonSystem present = system_;
    runs_.State(*shown_).ApplyTo(system_);
    try {
        draw();
    } catch (...) {
        system_ = present;
        throw;
    }
    system_ = present;
}
