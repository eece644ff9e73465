// SPDX-License-Identifier: MIT
// What the main window shows when the scene document reports a change, the
// Edit menu, and the run history in the view.
#include "ui/mainform.h"

#include "scenes/figures.h"
#include "ui/runhistorywindow.h"
#include "view/drawingarea.h"

#include <QAction>

#include <algorithm>

namespace {

// "Undo A1 = 2"; an ampersand in a file name is no mnemonic.
QString MenuCaption(const QString& verb, const QString& entry)
{
    if (entry.isEmpty())
        return verb;
    return verb + QLatin1Char(' ') + QString(entry).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void TMainForm::WireDocument()
{
    connect(&document_, &SceneDocument::sceneReplaced, this, [this] {
        ShowFileName(SceneName(names_));
        ShowStepCount(system_.StepCount);
        RefillParameterFields();
        FillListing();
        Drawing->ClearPick();
        Drawing->Trails().Clear();
        Drawing->RedrawView();
    });
    connect(&document_, &SceneDocument::pointsChanged, this, [this] {
        FillListing();
        Drawing->Trails().Clear();
        Drawing->RedrawView();
    });
    connect(&document_, &SceneDocument::lawChanged, this, &TMainForm::RefillChangedFields);
    connect(&document_, &SceneDocument::timeChanged, this, [this] { ShowStepCount(system_.StepCount); });
    connect(&document_, &SceneDocument::namesChanged, this, [this] { ShowFileName(SceneName(names_)); });
    connect(&document_, &SceneDocument::stepTaken, this, [this] {
        if (view_.ShowTrails)
            Drawing->Trails().Record(system_);
    });
    connect(&document_, &SceneDocument::stepDrawn, this, &TMainForm::RecordStep);
    connect(&document_, &SceneDocument::historyChanged, this, &TMainForm::ShowEditMenu);
    connect(&document_, &SceneDocument::shownChanged, this, &TMainForm::ShowRecordedState);
    // Continuing from a kept step keeps the path that led there.
    connect(&document_, &SceneDocument::continuedFrom, this, [this](int index) {
        TrailsUpTo(index);
        Drawing->RedrawView();
    });

    connect(Undo1, &QAction::triggered, this, &TMainForm::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TMainForm::Redo1Click);
    connect(RunHistory1, &QAction::triggered, this, &TMainForm::RunHistory1Click);
    ShowEditMenu();
}

void TMainForm::ShowEditMenu()
{
    Undo1->setEnabled(document_.CanUndo());
    Undo1->setText(MenuCaption(QStringLiteral("Undo"), document_.CanUndo() ? document_.Undos().UndoCaption() : QString()));
    Redo1->setEnabled(document_.CanRedo());
    Redo1->setText(MenuCaption(QStringLiteral("Redo"), document_.CanRedo() ? document_.Undos().RedoCaption() : QString()));
}

void TMainForm::Undo1Click()
{
    document_.Undo();
    ShowTravelled();
}

void TMainForm::Redo1Click()
{
    document_.Redo();
    ShowTravelled();
}

// After Undo or Redo the fields show the model, typing not yet stored included.
void TMainForm::ShowTravelled()
{
    RefillParameterFields();
    if (view_.SpiralMode) {
        BuildFigure(system_, true);
        Drawing->DrawSpiral();
    }
}

void TMainForm::RunHistory1Click()
{
    if (HistoryWindow == nullptr)
        HistoryWindow = new RunHistoryWindow(document_, this);
    HistoryWindow->show();
    HistoryWindow->raise();
    HistoryWindow->activateWindow();
}

// A kept step in the drawing area and the listing, with the path up to it as
// its trails; the present's trails come back with the present.
void TMainForm::ShowRecordedState()
{
    if (const std::optional<int> shown = document_.Shown()) {
        if (!presentTrails_)
            presentTrails_ = std::make_unique<TrailHistory>(Drawing->Trails());
        TrailsUpTo(*shown);
    } else if (presentTrails_) {
        Drawing->Trails() = *presentTrails_;
        presentTrails_.reset();
    }
    if (!view_.SpiralMode)
        Drawing->DrawScene();
    FillListing();
}

void TMainForm::TrailsUpTo(int index)
{
    TrailHistory& trails = Drawing->Trails();
    trails.Clear();
    if (!view_.ShowTrails)
        return;
    TaonSystem kept = system_;
    for (int k = std::max(0, index - trails.Length() + 1); k <= index; ++k) {
        document_.Runs().State(k).ApplyTo(kept);
        trails.Record(kept);
    }
}
