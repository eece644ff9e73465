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
    tally_.StartRun();
    // Stop and Go again between two steps: the loop still running carries on
    // rather than a second one starting inside it.
    if (runLoopActive_)
        return;
    runLoopActive_ = true;
    Guarded(dialogs_, [this] { RunLoop(system_, engine_, *this, system_.StepCount); });
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

void TMainForm::ResetStepCount()
{
    system_.StepCount = 0;
    LTime->setText(QStringLiteral("0"));
}

void TMainForm::SceneReplaced()
{
    Drawing->ClearPick();
    ClearTrails();
    tally_.Reset();
    if (Monitor != nullptr)
        Monitor->ClearClick();
}

void TMainForm::RunMonitor1Click()
{
    if (Monitor == nullptr)
        Monitor = new RunMonitor(system_, tally_, [this] { return CurrentSwitches(); }, dialogs_, this);
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
        for (int i = 1; i <= SlotsInUse(system_); ++i)
            system_.U[i] = system_.V[i] = system_.W[i] = system_.NewU[i] = system_.NewV[i] = system_.NewW[i] = 0;
        Null00->setText(QStringLiteral("Yes Null"));
        PaintCaption(Null00, Colours::Maroon);
        FillListing();
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

void TMainForm::StepTaken()
{
    tally_.StepTaken(system_.dt);
    if (Monitor != nullptr)
        Monitor->StepTaken();
}

void TMainForm::DrawScene()
{
    if (view_.ShowTrails)
        Drawing->Trails().Record(system_);
    Drawing->DrawScene();
    RecordStep();
}

bool TMainForm::ShowListChecked()
{
    return ShowList->isChecked();
}

void TMainForm::ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
