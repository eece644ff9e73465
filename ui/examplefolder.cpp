// SPDX-License-Identifier: MIT
#include "ui/examplefolder.h"

#include "ui/programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// examples/CMakeLists.txt, which installs the examples, says where they go
// relative to the installed program.
#ifndef ZARV_EXAMPLES_FROM_BINDIR
#error "ZARV_EXAMPLES_FROM_BINDIR must name the installed examples folder relative to the program's folder"
#endif

QString ExamplesFolder(const QString& programFolder)
{
    const QStringList candidates =
        FoldersFromProgram(programFolder, {QStringLiteral("examples"), QStringLiteral(ZARV_EXAMPLES_FROM_BINDIR)});
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return {};
}

QString ExamplesFolder()
{
    return ExamplesFolder(QCoreApplication::applicationDirPath());
}

QString PictureStartFolder(const QString& last, const QString& examples)
{
    const QFileInfo info(last);
    const bool isExamples = !examples.isEmpty() && info.canonicalFilePath() == QFileInfo(examples).canonicalFilePath();
    if (!last.isEmpty() && info.isDir() && info.isWritable() && !isExamples)
        return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}
