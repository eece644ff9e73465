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
    ++openDialogs;
    if (openAnswers.empty()) {
        unexpected << QStringLiteral("open dialog");
        return std::nullopt;
    }
    const std::optional<QString> answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::ChooseSceneToOpenIn(const QString& folder)
{
    openFolders << folder;
    return ChooseSceneToOpen();
}

std::optional<QString> ScriptedDialogs::ChooseSceneToSave()
{
    ++saveDialogs;
    if (saveAnswers.empty()) {
        unexpected << QStringLiteral("save dialog");
        return std::nullopt;
    }
    const std::optional<QString> answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}
