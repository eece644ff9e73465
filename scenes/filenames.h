#pragma once

#include <QString>

// The two file names the main window keeps.
struct FileNames {
    QString SceneFileName;  // the current scene file: target of Save, base of the commentary path
    QString StartSceneName; // the path last read from or written to the start file
};

// What start-up and "Taons" put in place of a file name when the start file
// names no scene.
inline const QString SpiralCaption = QStringLiteral("ThetraSpiral");
inline const QString StableStructureCaption = QStringLiteral("This is a stabil structur of taons");

// Whether Save has a file to write over: not without a name, nor with a
// caption, which names no file of the user's.
inline bool HasSaveTarget(const FileNames& names)
{
    const QString& name = names.SceneFileName;
    return !name.isEmpty() && name != SpiralCaption && name != StableStructureCaption;
}
