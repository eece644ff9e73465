#pragma once

#include <QString>

// File › Open Example starts in the examples folder: the copy beside the
// program in the build tree (examples/), or the installed one found relative
// to the program (<prefix>/share/zarvitone/examples). Empty when neither
// exists, and the dialog starts where it would anyway.
QString ExamplesFolder(const QString& programFolder);

// The same for the running program.
QString ExamplesFolder();
