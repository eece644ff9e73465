// SPDX-License-Identifier: MIT
#include "scripteddialogs.h"

void ScriptedDialogs::ShowError(const QString& text)
{
    errors << text;
}

void ScriptedDialogs::ShowInformation(const QString& text)
{
    informations << text;
}

bool ScriptedDialogs::Confirm(const QString& text)
{
    confirmations << text;
    if (confirmAnswers.empty()) {
        unexpected << QStringLiteral("confirm: ") + text;
        return false;
    }
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::ChooseSceneToOpen()
{
    return Answer(openAnswers, openDialogs, "open dialog");
}

std::optional<QString> ScriptedDialogs::ChooseSceneToOpenIn(const QString& folder)
{
    openFolders << folder;
    return ChooseSceneToOpen();
}

std::optional<QString> ScriptedDialogs::ChooseSceneToSave()
{
    return Answer(saveAnswers, saveDialogs, "save dialog");
}

std::optional<QString> ScriptedDialogs::ChooseCsvToSave()
{
    return Answer(csvAnswers, csvDialogs, "csv dialog");
}

std::optional<QString> ScriptedDialogs::Answer(std::deque<std::optional<QString>>& answers, int& asked,
                                               const char* dialog)
{
    ++asked;
    if (answers.empty()) {
        unexpected << QString::fromLatin1(dialog);
        return std::nullopt;
    }
    const std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

// The next scripted answer, or nothing and a note of the unscripted question.
template <class Answer>
std::optional<Answer> Next(std::deque<std::optional<Answer>>& answers, QStringList& unexpected, const QString& question)
{
    if (answers.empty()) {
        unexpected << question;
        return std::nullopt;
    }
    const std::optional<Answer> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<QString> ScriptedDialogs::ChoosePictureToSave()
{
    return Next(pictureAnswers, unexpected, QStringLiteral("picture dialog"));
}

std::optional<QString> ScriptedDialogs::ChooseFolder(const QString& title)
{
    return Next(folderAnswers, unexpected, QStringLiteral("folder dialog: ") + title);
}

std::optional<int> ScriptedDialogs::AskInteger(const QString& title, const QString& label, int, int low, int high)
{
    const QString question = QStringLiteral("%1: %2 [%3..%4]").arg(title, label).arg(low).arg(high);
    integerQuestions << question;
    return Next(integerAnswers, unexpected, question);
}
