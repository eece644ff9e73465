// SPDX-License-Identifier: MIT
#pragma once

#include "scenes/dialogs.h"

#include <QString>

class QWidget;

// The real message boxes and file dialogs, owned by the window they belong to.
class WidgetDialogs : public UserDialogs {
public:
    explicit WidgetDialogs(QWidget* owner);

    void ShowError(const QString& text) override;
    void ShowInformation(const QString& text) override;
    bool Confirm(const QString& text) override;
    std::optional<QString> ChooseSceneToOpen() override;
    std::optional<QString> ChooseSceneToOpenIn(const QString& folder) override;
    std::optional<QString> ChooseSceneToSave() override;
    std::optional<QString> ChooseCsvToSave() override;
    std::optional<QString> ChoosePictureToSave() override;
    std::optional<QString> ChooseFolder(const QString& title) override;
    std::optional<int> AskInteger(const QString& title, const QString& label, int value, int low, int high) override;

private:
    std::optional<QString> ChooseFile(const QString& title, const QString& folder, const QString& filter,
                                      const QString& suffix, bool saving);
    QWidget* owner_;
    QString folder_; // where the last file dialog ended, as the next one starts there (see PictureStartFolder)
};
