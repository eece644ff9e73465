// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// File › Open Example starts in the examples folder: the copy beside the
// program in the build tree (examples/), or the installed one found relative
// to the program (<prefix>/share/zarvitone/examples). Empty when neither
// exists, and the dialog starts where it would anyway.
QString ExamplesFolder(const QString& programFolder);

// The same for the running program.
QString ExamplesFolder();

// Where the dialogs that write pictures (Save Picture, Record Frames) start:
// `last`, where the previous file dialog ended, unless that is the examples
// folder or no folder the user may write; then the user's pictures folder,
// or home without one.
QString PictureStartFolder(const QString& last, const QString& examples);
