// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Our stand-in for the help engine looks a help file name up by its own rules:
// "DezUdoRu.hlp" stands for the HTML document of the same base name,
// "DezUdoRu.html".
QString HelpDocumentName(const QString& helpFileName);

// The folders searched, in order: the program's own folder, its help/
// subfolder (the build tree keeps the documents there), then the installed
// help folder found relative to the program (<prefix>/share/zarvitone/help).
QStringList HelpFolders(const QString& programFolder);

// The same for the running program.
QStringList HelpFolders();

// The first folder holding the document; nothing when none does.
std::optional<QString> FindHelpDocument(const QString& helpFileName, const QStringList& folders);
