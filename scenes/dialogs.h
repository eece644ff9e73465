// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// Every message box and file dialog of the program goes through this, so that
// tests can answer them.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // Stop icon, "OK", caption "Zarvitone".
    virtual void ShowError(const QString& text) = 0;
    // Information icon, "OK", caption "Information".
    virtual void ShowInformation(const QString& text) = 0;
    // Question icon, "&Yes" / "&No", caption "Confirm"; true for Yes.
    virtual bool Confirm(const QString& text) = 0;
    // Scene file dialogs ("Taons files (*.ato)", default extension "ato");
    // nothing when cancelled. Opening accepts names of files that do not exist,
    // saving replaces a file without asking.
    virtual std::optional<QString> ChooseSceneToOpen() = 0;
    // The same Open dialog, starting in `folder`.
    virtual std::optional<QString> ChooseSceneToOpenIn(const QString& folder) = 0;
    virtual std::optional<QString> ChooseSceneToSave() = 0;
    // Save dialog for a table of figures ("CSV files (*.csv)", default
    // extension "csv"); replaces a file without asking.
    virtual std::optional<QString> ChooseCsvToSave() = 0;
    // A picture file to write ("PNG pictures (*.png)", default extension
    // "png"), replaced without asking; nothing when cancelled.
    virtual std::optional<QString> ChoosePictureToSave() = 0;
    // An existing folder; nothing when cancelled.
    virtual std::optional<QString> ChooseFolder(const QString& title) = 0;
    // A whole number from `low` to `high`, offered as `value`; nothing when cancelled.
    virtual std::optional<int> AskInteger(const QString& title, const QString& label, int value, int low, int high) = 0;
};
