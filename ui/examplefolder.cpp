#include "ui/examplefolder.h"

#include "ui/programfolders.h"

#include <QCoreApplication>
#include <QFileInfo>

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
