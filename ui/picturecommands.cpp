// SPDX-License-Identifier: MIT
// Keeping what the view shows: the picture, recorded frames, trails and axes.
#include "ui/mainform.h"

#include "scenes/guard.h"
#include "view/drawingarea.h"
#include "view/framerecorder.h"
#include "view/picturefile.h"

#include <QAction>

#include <limits>

void TMainForm::WirePictureCommands()
{
    connect(SavePicture1, &QAction::triggered, this, &TMainForm::SavePicture1Click);
    connect(RecordFrames1, &QAction::triggered, this, &TMainForm::RecordFrames1Click);
    connect(Trails1, &QAction::triggered, this, &TMainForm::Trails1Click);
    connect(Axes1, &QAction::triggered, this, &TMainForm::Axes1Click);
}

void TMainForm::SavePicture1Click()
{
    const std::optional<QString> path = dialogs_.ChoosePictureToSave();
    if (path)
        SavePicture(*path);
}

void TMainForm::SavePicture(const QString& path)
{
    Guarded(dialogs_, [&] { WritePicture(Drawing->Picture(), path); });
}

void TMainForm::RecordFrames1Click()
{
    if (Recording()) {
        StopRecording();
        return;
    }
    RecordFrames1->setChecked(false); // until both questions are answered
    const std::optional<QString> folder = dialogs_.ChooseFolder(QStringLiteral("Record Frames"));
    if (!folder)
        return;
    const std::optional<int> every =
        dialogs_.AskInteger(QStringLiteral("Record Frames"), QStringLiteral("Record every N steps, N:"), 1, 1,
                            std::numeric_limits<int>::max());
    if (every)
        StartRecording(*folder, *every);
}

void TMainForm::StartRecording(const QString& folder, int every)
{
    recorder_ = std::make_unique<FrameRecorder>(folder, every);
    RecordFrames1->setChecked(true);
}

void TMainForm::StopRecording()
{
    if (!recorder_)
        return;
    recorder_->Flush();
    EndRecording();
}

void TMainForm::RecordStep()
{
    if (!recorder_)
        return;
    recorder_->StepDrawn(Drawing->Picture());
    if (recorder_->Failed())
        EndRecording();
}

void TMainForm::EndRecording()
{
    // The recorder goes first, so the box finds the recording already off.
    const std::unique_ptr<FrameRecorder> recorder = std::move(recorder_);
    RecordFrames1->setChecked(false);
    Guarded(dialogs_, [&] { recorder->ThrowFailure(); });
}

void TMainForm::Trails1Click()
{
    view_.ShowTrails = !view_.ShowTrails;
    Trails1->setChecked(view_.ShowTrails);
    Drawing->Trails().Clear();
    Drawing->RedrawView();
}

void TMainForm::Axes1Click()
{
    view_.ShowAxes = !view_.ShowAxes;
    Axes1->setChecked(view_.ShowAxes);
    Drawing->RedrawView();
}
