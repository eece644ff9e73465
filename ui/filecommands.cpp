// SPDX-License-Identifier: MIT
// The File menu and the commentary page.
#include "ui/mainform.h"

#include "editor/editdlg.h"
#include "scenes/atomicwrite.h"
#include "scenes/commentary.h"
#include "scenes/guard.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"
#include "ui/examplefolder.h"
#include "view/drawingarea.h"

#include <QFileInfo>
#include <QPlainTextEdit>

void TMainForm::New1Click()
{
    // The editor may have moved points, and its Save As stores the
    // coefficients, even when it is then cancelled.
    const bool accepted = EditDlg->exec() == QDialog::Accepted;
    ClearTrails();
    FollowLaw();
    if (!accepted)
        return;
    view_.SpiralMode = false;
    EnableSceneButtons(true);
    ShowFileName(names_.SceneFileName);
    ResetStepCount();
    SceneReplaced();
    Drawing->DrawScene();
    FillListing();
    RefillParameterFields();
}

void TMainForm::Open1Click()
{
    if (const std::optional<QString> path = dialogs_.ChooseSceneToOpen())
        OpenScene(*path);
}

void TMainForm::OpenExample1Click()
{
    if (const std::optional<QString> path = dialogs_.ChooseSceneToOpenIn(ExamplesFolder()))
        OpenScene(*path);
}

void TMainForm::OpenScene(const QString& path)
{
    view_.SpiralMode = false;
    EnableSceneButtons(true);
    const FileNames before = names_;
    names_.SceneFileName = path;
    ShowFileName(names_.SceneFileName);
    const bool opened = Guarded(dialogs_, [this, &path] {
        ReadSceneFile(system_, path);
        // Only a scene read whole becomes the start scene.
        names_.StartSceneName = names_.SceneFileName;
        WriteStartFile(names_);
        RestoreFromSceneRecord(system_);
        ResetStepCount();
        SceneReplaced();
        Drawing->DrawScene();
        FillListing();
        RefillParameterFields();
        // A scene without a commentary file has none: the last scene's text
        // must neither stay nor be saved as this one's.
        if (QFileInfo::exists(CommentaryPath(names_.SceneFileName)))
            LoadCommentaryPage();
        else
            ShowCommentary(QString());
    });
    // Neither the file that failed nor one read whole whose start-file write
    // failed is the current scene: Save must not write over it.
    if (!opened)
        names_ = before;
    FollowLaw();
}

void TMainForm::Save1Click()
{
    if (view_.SpiralMode)
        return;
    // Without a current file there is nothing to save over, and a file the
    // user may not replace (an installed example) is not one: ask for a name.
    if (!HasSaveTarget(names_) || !MayReplace(names_.SceneFileName)) {
        Saveas1Click();
        return;
    }
    Guarded(dialogs_, [this] { WriteSceneFile(system_, names_.SceneFileName); });
}

void TMainForm::Saveas1Click()
{
    if (view_.SpiralMode)
        return;
    const std::optional<QString> path = dialogs_.ChooseSceneToSave();
    if (!path)
        return;
    names_.SceneFileName = *path;
    ShowFileName(names_.SceneFileName);
    Guarded(dialogs_, [this, &path] {
        WriteSceneFile(system_, *path);
        names_.StartSceneName = names_.SceneFileName;
        WriteStartFile(names_);
    });
}

void TMainForm::CommentChange()
{
    CommentChanged = true;
}

void TMainForm::CommentExit()
{
    if (!CommentChanged)
        return;
    CommentChanged = false;
    if (!dialogs_.Confirm(QStringLiteral("The text was changed. Save now?")))
        return;
    Guarded(dialogs_, [this] { SaveCommentary(SceneName(names_), Comment->toPlainText()); });
}
