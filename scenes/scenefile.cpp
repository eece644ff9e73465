// SPDX-License-Identifier: MIT
#include "scenes/scenefile.h"

#include "scenes/atomicwrite.h"
#include "scenes/fileerror.h"

#include "model/usererror.h"

#include <algorithm>

void WriteSceneFile(TaonSystem& system, const QString& path)
{
    FillSceneRecord(system);
    WriteFileAtomically(path, QByteArray(reinterpret_cast<const char*>(system.Record.data()), SceneRecordSize));
}

namespace {

void ReadSceneRecord(TaonSystem& system, InputFile& file, const QString& path)
{
    const QByteArray bytes = file.Read(SceneRecordSize);
    std::copy(bytes.cbegin(), bytes.cend(), system.Record.begin());
    if (bytes.size() < SceneRecordSize)
        ThrowFileError(FileStep::Read, 0, path.toStdString());
    file.Close();
}

} // namespace

void ReadSceneFile(TaonSystem& system, const QString& path)
{
    InputFile file = InputFile::Open(path);
    ReadSceneRecord(system, file, path);
}

std::optional<InputFile> OpenStartScene(FileNames& names)
{
    names.SceneFileName = names.StartSceneName;
    return InputFile::TryOpen(names.SceneFileName);
}

void ReadStartScene(TaonSystem& system, InputFile& file, FileNames& names, const FileNames& before)
{
    try {
        ReadSceneRecord(system, file, names.SceneFileName);
    } catch (const UserError&) {
        names = before;
        throw;
    }
}
