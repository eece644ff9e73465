// SPDX-License-Identifier: MIT
#include "ui/programfolders.h"

#include <QDir>

QStringList FoldersFromProgram(const QString& programFolder, const QStringList& relatives)
{
    const QDir program(programFolder);
    QStringList folders;
    for (const QString& relative : relatives) {
        const QString folder = QDir::cleanPath(program.absoluteFilePath(relative));
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}
