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

#include <QFileInfo>
#include <QPlainTextEdit>

void TMainForm::New1Click()
{
    // The editor's stores are changes of their own, kept even when it is
    // then cancelled; OK makes the edited scene a new one.
    if (EditDlg->exec() != QDialog::Accepted)
        return;
    view_.SpiralMode = false;
    EnableSceneButtons(true);
    document_.Change(QStringLiteral("New"), [this] {
        system_.StepCount = 0;
        document_.NoteSceneReplaced();
    });
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
    ShowFileName(path);
    Guarded(dialogs_, [this, &path] {
        document_.OpenScene(path);
        // A scene without a commentary file has none: the last scene's text
        // must neither stay nor be saved as this one's.
        if (QFileInfo::exists(CommentaryPath(names_.SceneFileName)))
            LoadCommentaryPage();
        else
            ShowCommentary(QString());
    });
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
