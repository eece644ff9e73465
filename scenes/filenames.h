#pragma once

#include <QString>

// The two file names the main window keeps.
struct FileNames {
    QString SceneFileName;  // the current scene file: target of Save, base of the commentary path
    QString StartSceneName; // the path last read from or written to the start file
};
