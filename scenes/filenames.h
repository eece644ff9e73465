// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The two file names the main window keeps, and the caption of a built-in
// figure, held apart so that no path is ever taken for a caption.
struct FileNames {
    QString SceneFileName;  // the current scene file: target of Save, base of the commentary path
    QString StartSceneName; // the path last read from or written to the start file
    QString SceneCaption;   // a built-in figure's name, while SceneFileName is empty
};

// What start-up and "Taons" put in place of a file name when the start file
// names no scene.
inline const QString SpiralCaption = QStringLiteral("ThetraSpiral");
inline const QString StableStructureCaption = QStringLiteral("This is a stabil structur of taons");

// The name of the current scene: its file, else its caption.
inline QString SceneName(const FileNames& names)
{
    return names.SceneFileName.isEmpty() ? names.SceneCaption : names.SceneFileName;
}

// Whether Save has a file to write over: a caption names no file of the user's.
inline bool HasSaveTarget(const FileNames& names)
{
    return !names.SceneFileName.isEmpty();
}
