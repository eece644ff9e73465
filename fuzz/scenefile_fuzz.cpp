// SPDX-License-Identifier: MIT
// The scene reader and the restore on any file: a file shorter than a record
// is refused with the model untouched; any longer one loads, and writing the
// model back gives the file's first 6296 bytes exactly.

#include "fuzz/fuzzcheck.h"
#include "scenes/figures.h"
#include "scenes/scenefile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The input as a file, in memory: the reader opens it by its /proc path.
class MemoryFile {
public:
    MemoryFile() : descriptor_(memfd_create("scene", MFD_CLOEXEC))
    {
        Require(descriptor_ >= 0, "memfd_create failed");
        path_ = QStringLiteral("/proc/self/fd/%1").arg(descriptor_);
    }

    const QString& Holding(const std::uint8_t* data, std::size_t size)
    {
        Require(::ftruncate(descriptor_, 0) == 0, "ftruncate failed");
        Require(::pwrite(descriptor_, data, size, 0) == ssize_t(size), "pwrite failed");
        return path_;
    }

private:
    int descriptor_;
    QString path_;
};

// A model that already holds a scene, so a refused file has something to spoil.
TaonSystem Loaded()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    s.StepCount = 17;
    BuildFigure(s, false);
    FillSceneRecord(s);
    std::fill(s.Record.begin() + 190, s.Record.begin() + 192, 0x5a);
    std::fill(s.Record.end() - 4, s.Record.end(), 0xa5);
    return s;
}

// Never written by FillSceneRecord: carried in the record from the last read.
bool Reserved(int offset)
{
    return offset == 190 || offset == 191 || offset >= 6292;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    static const TaonSystem before = Loaded();
    const QString& path = file.Holding(data, size);

    TaonSystem system = before;
    const std::string error = ErrorOf([&] { ReadSceneFile(system, path); });
    const std::size_t read = std::min<std::size_t>(size, SceneRecordSize);
    Require(std::equal(data, data + read, system.Record.begin()), "the record holds the bytes read");
    if (size < SceneRecordSize) {
        Require(error == "Read beyond end of file.", "a short file is refused");
        Require(ModelDifference(system, before).empty(), "a refused file leaves the model untouched");
        Require(std::equal(system.Record.begin() + read, system.Record.end(), before.Record.begin() + read),
                "a short read leaves the rest of the record");
        return 0;
    }
    Require(error.empty(), "a whole record is accepted");

    RestoreFromSceneRecord(system);
    Require(system.StepCount == before.StepCount, "a restore leaves the step count");
    for (int i = 1; i <= SlotCount; ++i) {
        const TaonSystem& s = system;
        Require(SameBits(s.NewX[i], s.X[i]) && SameBits(s.NewY[i], s.Y[i]) && SameBits(s.NewZ[i], s.Z[i]) &&
                    SameBits(s.NewU[i], s.U[i]) && SameBits(s.NewV[i], s.V[i]) && SameBits(s.NewW[i], s.W[i]) &&
                    SameBits(s.DrawX[i], s.X[i]) && SameBits(s.DrawY[i], s.Y[i]) && SameBits(s.DrawZ[i], s.Z[i]),
                "a restore makes every copy equal its slot's state");
    }

    // Written back as a save does, over the record as read...
    TaonSystem saved = system;
    FillSceneRecord(saved);
    Require(std::equal(data, data + SceneRecordSize, saved.Record.begin()), "write(read(x)) gives x back");
    // ...and over a record whose every byte is wrong: all but the reserved bytes come from the model.
    TaonSystem fresh = system;
    for (std::uint8_t& byte : fresh.Record)
        byte = std::uint8_t(~byte);
    FillSceneRecord(fresh);
    for (int k = 0; k < SceneRecordSize; ++k)
        Require(fresh.Record[k] == (Reserved(k) ? std::uint8_t(~data[k]) : data[k]),
                "FillSceneRecord writes the model's bytes and nothing else");
    return 0;
}
