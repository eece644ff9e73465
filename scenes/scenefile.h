#pragma once

#include "model/taonsystem.h"
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
