// SPDX-License-Identifier: MIT
// Start-up of the main window and its repaint.
#include "ui/mainform.h"

#include "model/usererror.h"
#include "scenes/commentary.h"
#include "scenes/figures.h"
#include "scenes/guard.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"
#include "view/drawingarea.h"
#include "view/projection.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

void TMainForm::FormCreate()
{
    view_.UpdateCenter(width(), height() - menuBar()->sizeHint().height() - PanHeight);
    view_.Scale = 120;
    view_.dTeta = view_.dPsi = view_.dPhi = 0;
    view_.SpiralMode = true;
    system_.TaonCount = SlotCount;
    BuildTurnMatrix(view_);

    // A file error here is reported and the rest of the start-up skipped:
    // the window opens in the state reached so far.
    if (!Guarded(dialogs_, [this] { LoadStartScene(); }))
        return;

    view_.PanStep = 5;
    view_.ZoomStep = 3;
    view_.RotStep = 0.01L;
    FillListing();
    RefillParameterFields();
    system_.Stopped = true;
    // The field keeps showing the scene's dt; the model runs with this one
    // until the user changes the field, and no other change refills it.
    system_.dt = StartingDt;
    fieldValues_[0] = StartingDt;
}

void TMainForm::LoadStartScene()
{
    if (!ReadStartFile(names_)) {
        CreateEmptyStartFile();
        ShowThetraSpiral();
        return;
    }
    if (names_.StartSceneName.isEmpty()) {
        ShowThetraSpiral();
        return;
    }
    view_.SpiralMode = false;
    Go->setEnabled(true);
    ShowFileName(names_.StartSceneName);
    std::optional<InputFile> file = OpenStartScene(names_);
    if (!file) {
        BuildFigure(system_, view_.SpiralMode);
        ShowFileName(QStringLiteral("The easy square"));
        return;
    }
    ReadStartScene(system_, *file, names_, FileNames{});
    RestoreFromSceneRecord(system_);
    LoadCommentaryPage();
}

void TMainForm::ShowThetraSpiral()
{
    BuildFigure(system_, view_.SpiralMode);
    names_.SceneFileName.clear();
    names_.SceneCaption = SpiralCaption;
}

void TMainForm::LoadCommentaryPage()
{
    if (const std::optional<QString> text = LoadCommentary(names_.SceneFileName))
        ShowCommentary(*text);
}

void TMainForm::ShowCommentary(const QString& text)
{
    // Text loaded from its file is no change of the user's to be saved.
    const QSignalBlocker quiet(Comment);
    Comment->setPlainText(text);
    CommentChanged = false;
}

void TMainForm::FormPaint()
{
    view_.UpdateCenter(Drawing->width(), Pan->y());
    if (view_.SpiralMode) {
        Drawing->DrawSpiral();
        return;
    }
    names_.SceneFileName = names_.StartSceneName;
    names_.SceneCaption.clear();
    Drawing->DrawScene();
    FillListing();
}
