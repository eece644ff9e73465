// SPDX-License-Identifier: MIT
// Starting and stopping a run, the velocity reset and the step counter.
#include "ui/mainform.h"

#include "charts/runmonitor.h"
#include "charts/structurewindow.h"
#include "scenes/guard.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"
#include "ui/buttonlooks.h"
#include "ui/lamp.h"
#include "view/colours.h"
#include "view/drawingarea.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

void PaintCaption(QPushButton* button, const QColor& colour)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colour);
    button->setPalette(palette);
}

} // namespace

void TMainForm::GoClick()
{
    // Go acts on what the fields show: Enter in a field never left would
    // otherwise run with the old value.
    const bool stored = StoreEditedFields();
    if (!system_.Stopped) {
        ShowRunningLook(false);
        system_.Stopped = true;
        Images->setEnabled(true);
        Null00->setEnabled(true);
        return;
    }
    if (!stored)
        return;
    ShowRunningLook(true);
    system_.Stopped = false;
    Images->setEnabled(false);
    Null00->setEnabled(false);
    Null00->setText(QStringLiteral("0"));
    PaintCaption(Null00, Colours::Maroon);
    // Stop and Go again between two steps: the loop still running carries on
    // rather than a second one starting inside it.
    if (runLoopActive_) {
        document_.RestartRun();
        return;
    }
    runLoopActive_ = true;
    Guarded(dialogs_, [this] { document_.Run(engine_, *this); });
    runLoopActive_ = false;
    if (closeRequested_)
        close();
}

void TMainForm::ShowRunningLook(bool running)
{
    goShowsCancelLook_ = running;
    if (running) {
        ShowCancelLook(Go);
        Go->setText(QStringLiteral("Stop"));
    } else {
        ShowOkLook(Go);
        Go->setText(QStringLiteral("Go"));
    }
    ShapeRed->SetFill(running ? Colours::Red : Colours::Maroon);
    ShapeLime->SetFill(running ? Colours::Green : Colours::Lime);
}

void TMainForm::EnableSceneButtons(bool enabled)
{
    Go->setEnabled(enabled);
    Null00->setEnabled(enabled);
}

void TMainForm::SceneReplaced()
{
    document_.NoteSceneReplaced();
}

void TMainForm::RunMonitor1Click()
{
    if (Monitor == nullptr) {
        Monitor = new RunMonitor(system_, document_.Tally(), [this] { return CurrentSwitches(); }, dialogs_, this);
        connect(&document_, &SceneDocument::stepTaken, Monitor, &RunMonitor::StepTaken);
        connect(&document_, &SceneDocument::sceneReplaced, Monitor, &RunMonitor::ClearClick);
        connect(&document_, &SceneDocument::timeChanged, Monitor, &RunMonitor::ClearClick);
    }
    Monitor->show();
    Monitor->raise();
    Monitor->activateWindow();
}

void TMainForm::Structure1Click()
{
    if (Structure == nullptr) {
        Structure = new StructureWindow(system_, [this] { return CurrentSwitches(); }, this);
        // The marks show at the next draw: at once when stopped, at the next step in a run.
        connect(Structure, &StructureWindow::ClusterChosen, this, [this](const std::vector<int>& members) {
            Drawing->SetMarked(members);
            if (system_.Stopped)
                Drawing->RedrawView();
        });
    }
    Structure->show();
    Structure->raise();
    Structure->activateWindow();
}

void TMainForm::Null00Click()
{
    if (view_.SpiralMode || !system_.Stopped)
        return;
    Guarded(dialogs_, [this] {
        document_.ResetVelocities();
        Null00->setText(QStringLiteral("Yes Null"));
        PaintCaption(Null00, Colours::Maroon);
        const std::optional<QString> path = dialogs_.ChooseSceneToSave();
        if (!path)
            return;
        names_.SceneFileName = *path;
        ShowFileName(names_.SceneFileName);
        WriteSceneFile(system_, *path);
        names_.StartSceneName = names_.SceneFileName;
        WriteStartFile(names_);
    });
}

void TMainForm::LTimeDblClick()
{
    system_.ShowTime = !system_.ShowTime;
}

RunSwitches TMainForm::CurrentSwitches()
{
    RunSwitches switches;
    switches.Law.Taoscope = Taoscope->isChecked();
    switches.Law.Functions3X1 = Functions3X1->isChecked();
    switches.Blockade = Blockade->isChecked();
    switches.Cool = Cool->isChecked();
    if (HotContact->isChecked())
        switches.Mode = ConstraintMode::HotContact;
    else if (ColdContact->isChecked())
        switches.Mode = ConstraintMode::ColdContact;
    else if (ElecCurrent1->isChecked())
        switches.Mode = ConstraintMode::ElecCurrent1;
    else if (ElecCurrent2->isChecked())
        switches.Mode = ConstraintMode::ElecCurrent2;
    return switches;
}

void TMainForm::ShowStepCount(std::int32_t stepCount)
{
    LTime->setText(QString::number(stepCount));
}

void TMainForm::DrawScene()
{
    Drawing->DrawScene();
}

bool TMainForm::ShowListChecked()
{
    return ShowList->isChecked();
}

void TMainForm::ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
