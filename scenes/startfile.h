// SPDX-License-Identifier: MIT
#pragma once

#include "scenes/filenames.h"

#include <QString>

// The start file names the scene to open at start-up:
// $XDG_CONFIG_HOME/zarvitone/Start.zarv (~/.config when the variable is unset).
QString StartFilePath();

// Tested open: false when the start file cannot be opened. Otherwise its first
// line (up to the first CR or LF) becomes StartSceneName.
bool ReadStartFile(FileNames& names);

// Replaces the start file with StartSceneName, without a line end.
void WriteStartFile(const FileNames& names);

// Creates an empty start file, and its folder when missing.
void CreateEmptyStartFile();
