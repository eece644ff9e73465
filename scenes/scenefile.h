// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "scenes/filenames.h"
#include "scenes/inputfile.h"

#include <QString>

// FillSceneRecord, then replaces the file with the record's 6296 bytes.
// A failed write leaves the old file whole.
void WriteSceneFile(TaonSystem& system, const QString& path);

// Reads the first 6296 bytes of the file into system.Record. A shorter file
// fails with "Read beyond end of file." (the bytes read stay in the record,
// the model itself is untouched); longer files are accepted. Every failure,
// the open's too, throws UserError.
void ReadSceneFile(TaonSystem& system, const QString& path);

// The scene the start file names, in two steps, as the start-up and
// Show Images take it. First SceneFileName := StartSceneName and the file is
// opened: nothing when it cannot be, which the callers handle without a box.
std::optional<InputFile> OpenStartScene(FileNames& names);
// Then it is read as ReadSceneFile reads. A file that opened but cannot be
// read whole does not become current: `names` go back to `before` and the
// UserError goes on, so that a later Save cannot write over it.
void ReadStartScene(TaonSystem& system, InputFile& file, FileNames& names, const FileNames& before);
