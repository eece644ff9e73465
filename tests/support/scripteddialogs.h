// SPDX-License-Identifier: MIT
#pragma once

#include "scenes/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// Answers the program's boxes and file dialogs from a script and records what
// the program showed. An unscripted question fails the test loudly.
class ScriptedDialogs : public UserDialogs {
public:
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

    // Answers, used in order; std::nullopt cancels a file dialog.
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> csvAnswers;
    std::deque<std::optional<QString>> pictureAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<int>> integerAnswers;

    QStringList errors;
    QStringList informations;
    QStringList confirmations;
    int openDialogs = 0;
    QStringList openFolders; // where each Open dialog that was given a folder started
    int saveDialogs = 0;
    int csvDialogs = 0;
    QStringList integerQuestions; // "title: label [low..high]"
    QStringList unexpected; // questions asked without a scripted answer

private:
    std::optional<QString> Answer(std::deque<std::optional<QString>>& answers, int& asked, const char* dialog);
};
