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
// the model itself is untouched); longer files are accepted. Returns false
// only for a Tested open that failed.
bool ReadSceneFile(TaonSystem& system, const QString& path, OpenCheck check);

// Makes the scene the start file names current: SceneFileName :=
// StartSceneName, then ReadSceneFile with a Tested open. A file that opens but
// cannot be read whole does not become current: `names` go back to `before`
// and the UserError goes on, so that a later Save cannot write over it.
bool ReadStartScene(TaonSystem& system, FileNames& names, const FileNames& before);
