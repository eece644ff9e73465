// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The folders the program keeps its data in, named relative to its own folder
// (the build tree keeps copies beside the program, an installation under
// <prefix>/share), as absolute paths in the order given, without repeats.
QStringList FoldersFromProgram(const QString& programFolder, const QStringList& relatives);
