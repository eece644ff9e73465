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

bool ReadSceneFile(TaonSystem& system, const QString& path, OpenCheck check)
{
    std::optional<InputFile> file = InputFile::Open(path, check);
    if (!file)
        return false;
    const QByteArray bytes = file->Read(SceneRecordSize);
    std::copy(bytes.cbegin(), bytes.cend(), system.Record.begin());
    if (bytes.size() < SceneRecordSize)
        ThrowFileError(FileStep::Read, 0, path.toStdString());
    file->Close();
    return true;
}

bool ReadStartScene(TaonSystem& system, FileNames& names, const FileNames& before)
{
    names.SceneFileName = names.StartSceneName;
    try {
        return ReadSceneFile(system, names.SceneFileName, OpenCheck::Tested);
    } catch (const UserError&) {
        names = before;
        throw;
    }
}
