#include "ui/widgetdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
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
    return ChooseFile(false, folder_, SceneFilter, QStringLiteral("ato"));
}

std::optional<QString> WidgetDialogs::ChooseSceneToOpenIn(const QString& folder)
{
    return ChooseFile(false, folder, SceneFilter, QStringLiteral("ato"));
}

std::optional<QString> WidgetDialogs::ChooseSceneToSave()
{
    return ChooseFile(true, folder_, SceneFilter, QStringLiteral("ato"));
}

std::optional<QString> WidgetDialogs::ChooseCsvToSave()
{
    return ChooseFile(true, folder_, QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
}

std::optional<QString> WidgetDialogs::ChooseFile(bool saving, const QString& folder, const QString& filter,
                                                 const QString& suffix)
{
    QFileDialog dialog(Parent(owner_), saving ? QStringLiteral("Save As") : QStringLiteral("Open"), folder, filter);
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
