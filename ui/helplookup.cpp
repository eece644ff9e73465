// SPDX-License-Identifier: MIT
#include "ui/helplookup.h"

#include "ui/programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// help/CMakeLists.txt, which installs the documents, says where they go
// relative to the installed program.
#ifndef ZARV_HELP_FROM_BINDIR
#error "ZARV_HELP_FROM_BINDIR must name the installed help folder relative to the program's folder"
#endif

QString HelpDocumentName(const QString& helpFileName)
{
    return QFileInfo(helpFileName).completeBaseName() + QStringLiteral(".html");
}

QStringList HelpFolders(const QString& programFolder)
{
    return FoldersFromProgram(programFolder,
                              {QStringLiteral("."), QStringLiteral("help"), QStringLiteral(ZARV_HELP_FROM_BINDIR)});
}

QStringList HelpFolders()
{
    return HelpFolders(QCoreApplication::applicationDirPath());
}

std::optional<QString> FindHelpDocument(const QString& helpFileName, const QStringList& folders)
{
    const QString name = HelpDocumentName(helpFileName);
    for (const QString& folder : folders) {
        const QFileInfo document(QDir(folder), name);
        if (document.isFile() && document.isReadable())
            return document.absoluteFilePath();
    }
    return std::nullopt;
}
