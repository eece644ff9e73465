// SPDX-License-Identifier: MIT
#pragma once

#include "document/runhistory.h"
#include "document/undohistory.h"
#include "model/runloop.h"
#include "model/runquantities.h"
#include "model/taonsystem.h"
#include "scenes/filenames.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// The scene being worked on: the model, its file names, the model time and
// the step tally. Every command that changes the scene goes through it and is
// one undoable entry; the windows hear of the change through the signals and
// nobody calls them one by one. A run is one entry however many steps it
// takes, and its steps are kept in the run history.
class SceneDocument : public QObject {
    Q_OBJECT
public:
    explicit SceneDocument(TaonSystem& system, QObject* parent = nullptr, UndoHistory undo = UndoHistory(),
                           RunHistory runs = RunHistory());

    TaonSystem& System() { return system_; }
    const TaonSystem& System() const { return system_; }
    FileNames& Names() { return names_; }
    const RunTally& Tally() const { return tally_; }
    const UndoHistory& Undos() const { return undo_; }
    const RunHistory& Runs() const { return runs_; }
    bool Running() const { return running_; }

    // Carries out `change` as one entry named `caption`. What it stored before
    // a failure stays stored and is the entry; a change that stored nothing
    // makes none. During a run the run's entry takes it in.
    void Change(const QString& caption, const std::function<void()>& change);
    // Inside a Change: the model holds another scene, so the model time and
    // the run history start afresh and the entry brings the old scene back.
    void NoteSceneReplaced();

    void CommitDt(Real value);
    void CommitCoefficient(int index, Real value);
    // File > Open: read the scene, make it the start scene, StepCount 0. On
    // a failure the names stay as they were and UserError goes on.
    void OpenScene(const QString& path);
    // The velocity reset: every slot's velocities and working velocities 0.
    void ResetVelocities();

    // Runs until Stopped, as RunLoop does with `duties` doing the window's
    // part; the steps before a fault are the entry too.
    void Run(StepEngine& engine, RunHost& duties);
    // A run stopped and started again between two steps: its step tally
    // starts afresh in the same loop.
    void RestartRun() { tally_.StartRun(); }
    // For the window benchmark alone: runs that keep no history, to measure
    // what keeping it costs.
    void KeepRunHistory(bool keep) { keepRuns_ = keep; }

    bool CanUndo() const { return !running_ && undo_.CanUndo(); }
    bool CanRedo() const { return !running_ && undo_.CanRedo(); }
    void Undo();
    void Redo();

    // The run history: shows a kept state without changing the model, or
    // makes one the present as one entry.
    void ShowRecorded(int index);
    void ReturnToPresent();
    std::optional<int> Shown() const { return shown_; }
    void ContinueFrom(int index);
    // Runs `draw` with the shown state in the model and puts the present back
    // after: the windows draw and list what is shown.
    void WithShownState(const std::function<void()>& draw);

signals:
    void sceneReplaced();     // another scene: everything anew
    void lawChanged();        // dt or a coefficient
    void pointsChanged();     // positions, velocities or presence
    void timeChanged();       // StepCount or the model time other than by a step
    void namesChanged();      // the file names
    void stepTaken();         // a run's step, StepCount holds it
    void stepDrawn();         // and the window has drawn it
    void historyChanged();    // undo, redo or the run history changed
    void shownChanged();      // another kept state shown, or the present again
    void continuedFrom(int index); // a kept state made the present

private:
    class RunAdapter;

    SceneState Capture() const;
    void Restore(const UndoEntry& entry);
    // Undo or Redo: the present goes onto the other stack, the entry `move` takes becomes the present.
    void Travel(std::optional<UndoEntry> (UndoHistory::*move)(UndoEntry));
    void Conclude(const QString& caption, const SceneState& before, const FileNames& namesBefore);
    void Announce(const SceneState& before, const FileNames& namesBefore, bool replaced);
    void StepTaken();

    TaonSystem& system_;
    FileNames names_;
    RunTally tally_;
    UndoHistory undo_;
    RunHistory runs_;
    bool running_ = false;
    bool keepRuns_ = true;
    int depth_ = 0;
    bool replaced_ = false;
    std::optional<int> shown_;
};
