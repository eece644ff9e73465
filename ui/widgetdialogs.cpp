// SPDX-License-Identifier: MIT
#include "ui/widgetdialogs.h"

#include "ui/examplefolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString SceneFilter = QStringLiteral("Taons files (*.ato)");

QWidget* Parent(QWidget* owner)
{
    QWidget* active = QApplication::activeModalWidget();
    return active != nullptr ? active : owner;
}

} // namespace

WidgetDialogs::WidgetDialogs(QWidget* owner) : owner_(owner) {}

void WidgetDialogs::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zarvitone"), text, QMessageBox::Ok, Parent(owner_));
    box.exec();
}

void WidgetDialogs::ShowInformation(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok, Parent(owner_));
    box.exec();
}

bool WidgetDialogs::Confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton, Parent(owner_));
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> WidgetDialogs::ChooseSceneToOpen()
{
    return ChooseSceneToOpenIn(folder_);
}

std::optional<QString> WidgetDialogs::ChooseSceneToOpenIn(const QString& folder)
{
    return ChooseFile(QStringLiteral("Open"), folder, SceneFilter, QStringLiteral("ato"), false);
}

std::optional<QString> WidgetDialogs::ChooseSceneToSave()
{
    return ChooseFile(QStringLiteral("Save As"), folder_, SceneFilter, QStringLiteral("ato"), true);
}

std::optional<QString> WidgetDialogs::ChooseCsvToSave()
{
    return ChooseFile(QStringLiteral("Save As"), folder_, QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"),
                      true);
}

std::optional<QString> WidgetDialogs::ChoosePictureToSave()
{
    return ChooseFile(QStringLiteral("Save Picture"), PictureStartFolder(folder_, ExamplesFolder()),
                      QStringLiteral("PNG pictures (*.png)"), QStringLiteral("png"), true);
}

std::optional<QString> WidgetDialogs::ChooseFolder(const QString& title)
{
    QFileDialog dialog(Parent(owner_), title, PictureStartFolder(folder_, ExamplesFolder()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    folder_ = chosen;
    return chosen;
}

std::optional<int> WidgetDialogs::AskInteger(const QString& title, const QString& label, int value, int low, int high)
{
    bool accepted = false;
    const int answer = QInputDialog::getInt(Parent(owner_), title, label, value, low, high, 1, &accepted);
    if (!accepted)
        return std::nullopt;
    return answer;
}

std::optional<QString> WidgetDialogs::ChooseFile(const QString& title, const QString& folder, const QString& filter,
                                                 const QString& suffix, bool saving)
{
    QFileDialog dialog(Parent(owner_), title, folder, filter);
    // Qt's own dialog behaves the same everywhere; a platform one may not
    // add the default extension or may refuse names of missing files.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(suffix);
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        // The name of a file that does not exist is accepted; reading it then fails.
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    folder_ = QFileInfo(chosen).absolutePath();
    return chosen;
}
