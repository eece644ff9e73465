// The File menu and the commentary page.
#include "ui/mainform.h"

#include "editor/editdlg.h"
#include "scenes/commentary.h"
#include "scenes/guard.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"
#include "view/drawingarea.h"

#include <QLineEdit>
#include <QPlainTextEdit>

void TMainForm::New1Click()
{
    // The editor may have moved points even when it was cancelled.
    const bool accepted = EditDlg->exec() == QDialog::Accepted;
    ClearTrails();
    if (!accepted)
        return;
    view_.SpiralMode = false;
    EnableSceneButtons(true);
    FName->setText(names_.SceneFileName);
    ResetStepCount();
    Drawing->DrawScene();
    FillListing();
    RefillParameterFields();
}

void TMainForm::Open1Click()
{
    const std::optional<QString> path = dialogs_.ChooseSceneToOpen();
    if (!path)
        return;
    view_.SpiralMode = false;
    EnableSceneButtons(true);
    names_.SceneFileName = *path;
    FName->setText(names_.SceneFileName);
    const bool opened = Guarded(dialogs_, [this, &path] {
        ReadSceneFile(system_, *path, OpenCheck::Guarded);
        // Only a scene read whole becomes the start scene.
        names_.StartSceneName = names_.SceneFileName;
        WriteStartFile(names_);
        RestoreFromSceneRecord(system_);
        ClearTrails();
        ResetStepCount();
        Drawing->DrawScene();
        FillListing();
        RefillParameterFields();
        LoadCommentaryPage();
    });
    // The file that failed is not the current scene: Save must not write
    // over it. (The window's repaint after the error box does the same.)
    if (!opened)
        names_.SceneFileName = names_.StartSceneName;
}

void TMainForm::Save1Click()
{
    if (view_.SpiralMode)
        return;
    // Without a current file there is nothing to save over: ask for a name.
    if (names_.SceneFileName.isEmpty()) {
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
    FName->setText(names_.SceneFileName);
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
    Guarded(dialogs_, [this] { SaveCommentary(names_.SceneFileName, Comment->toPlainText()); });
}
