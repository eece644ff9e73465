// SPDX-License-Identifier: MIT
#pragma once

// Scene files a user may come across: sound ones, and every kind of odd one
// the program has to live with (bad numbers, broken encodings, files of the
// wrong size, folders, names that lead nowhere).
#include "mainformfixture.h"

#include "model/extended.h"

#include <QDir>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace monkey {

inline QByteArray SceneBytes(TaonSystem scene)
{
    FillSceneRecord(scene);
    return QByteArray(reinterpret_cast<const char*>(scene.Record.data()), SceneRecordSize);
}

// One 10-byte value put into a record as raw fields, for encodings no Real
// arithmetic produces.
inline void PutRaw(QByteArray& record, int offset, std::uint64_t significand, std::uint16_t signAndExponent)
{
    std::memcpy(record.data() + offset, &significand, 8);
    std::memcpy(record.data() + offset + 8, &signAndExponent, 2);
}

inline int SlotOffset(int base, int slot)
{
    return base + ExtendedSize * (slot - 1);
}

struct SceneFiles {
    QStringList readable; // files and folders to offer to Open
    QStringList missing;  // names of nothing, in existing and in missing folders
};

// Writes the scenes into `folder`; the random ones come from `random`.
inline SceneFiles WriteSceneFiles(const QString& folder, std::mt19937& random)
{
    SceneFiles files;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        files.readable << path;
    };
    const auto scene = [&](const char* name, const std::function<void(TaonSystem&)>& change) {
        TaonSystem s = SceneOf({1, 2, 3, 4, 51, 52, 76, 77});
        change(s);
        write(name, SceneBytes(s));
    };
    constexpr Real nan = std::numeric_limits<Real>::quiet_NaN();
    constexpr Real inf = std::numeric_limits<Real>::infinity();

    scene("plain.ato", [](TaonSystem&) {});
    write("full.ato", [] {
        TaonSystem s = SceneOf({});
        for (int i = 1; i <= SlotCount; ++i) { // SceneOf's places, every slot
            s.Present[i] = 1;
            s.X[i] = 0.3L * i + 1;
            s.Y[i] = 0.2L * (i % 5) + 0.5L;
            s.Z[i] = -0.25L * (i % 7) - 0.5L;
        }
        return SceneBytes(s);
    }());
    scene("nan.ato", [&](TaonSystem& s) { s.X[2] = nan; s.V[3] = inf; s.W[4] = -inf; });
    scene("nan-dt.ato", [&](TaonSystem& s) { s.dt = nan; });
    scene("zero-coefficient.ato", [](TaonSystem& s) { s.B1 = 0; });
    scene("all-zero.ato", [](TaonSystem& s) {
        s.dt = 0;
        for (CoefficientField k : CoefficientFields)
            s.*k = 0;
    });
    scene("negative-coefficient.ato", [](TaonSystem& s) { s.C2 = -1; });
    scene("negative-g.ato", [](TaonSystem& s) { s.G1 = -2; });
    scene("coincident.ato", [](TaonSystem& s) { s.X[2] = s.X[1]; s.Y[2] = s.Y[1]; s.Z[2] = s.Z[1]; });
    // Empty slots lie at the origin: a present point there meets them.
    scene("on-empty-slots.ato", [](TaonSystem& s) { s.X[1] = s.Y[1] = s.Z[1] = 0; });
    scene("huge.ato", [](TaonSystem& s) { s.X[1] = 1e4000L; s.U[2] = 1e4900L; s.Z[3] = -1e4931L; });
    scene("tiny-dt.ato", [](TaonSystem& s) { s.dt = -1e-4950L; });
    scene("negative-dt.ato", [](TaonSystem& s) { s.dt = -0.5L; });
    scene("huge-dt.ato", [](TaonSystem& s) { s.dt = 1e300L; });

    QByteArray odd = SceneBytes(SceneOf({1, 2, 3, 4, 5, 51, 76}));
    PutRaw(odd, SlotOffset(SceneLayout::X, 1), 0x8000000000000001u, 0x7fff); // signalling NaN
    PutRaw(odd, SlotOffset(SceneLayout::Y, 2), 0x4000000000000000u, 0x3fff); // unnormal
    PutRaw(odd, SlotOffset(SceneLayout::Z, 3), 0x8000000000000001u, 0x0000); // pseudo-denormal
    PutRaw(odd, SlotOffset(SceneLayout::U, 4), 0x0000000000000000u, 0x7fff); // pseudo-infinity
    PutRaw(odd, SlotOffset(SceneLayout::V, 5), 0x4000000000000000u, 0xffff); // pseudo-NaN
    PutRaw(odd, SceneLayout::Coefficients + 2 * ExtendedSize, 0x4000000000000000u, 0x3fff); // C1 unnormal
    odd[SceneLayout::Present + 50] = char(0xff); // present bytes other than 1
    odd[SceneLayout::Present + 75] = char(0x80);
    odd[190] = char(0xaa); // reserved bytes
    odd[SceneRecordSize - 1] = char(0x55);
    write("odd-encodings.ato", odd);

    const QByteArray plain = SceneBytes(SceneOf({1, 2, 3}));
    write("long.ato", plain + QByteArray(500, 'x'));
    write("short.ato", plain.left(100));
    write("one-short.ato", plain.left(SceneRecordSize - 1));
    write("empty.ato", QByteArray());
    for (const char* name : {"random-1.ato", "random-2.ato"}) {
        QByteArray bytes(SceneRecordSize, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random() & 0xff);
        write(name, bytes);
    }
    const QString folderScene = folder + QStringLiteral("/folder.ato");
    QDir().mkpath(folderScene);
    files.readable << folderScene;

    files.missing << folder + QStringLiteral("/missing.ato") << folder + QStringLiteral("/no-folder/missing.ato")
                  << QString();
    return files;
}

} // namespace monkey
