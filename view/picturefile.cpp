// SPDX-License-Identifier: MIT
#include "view/picturefile.h"

#include "model/usererror.h"
#include "scenes/atomicwrite.h"

#include <QBuffer>
#include <QImageWriter>

namespace {

// Qt's PNG writer maps quality 80 to zlib level 1, the fastest that still
// compresses: a mostly black frame of 854 x 288 takes some 8 KB instead of
// 4 KB at the default level, and a fifth less time, which matters when every
// step is recorded. (From 90 on, nothing is compressed: 740 KB a frame.)
constexpr int PngQuality = 80;

} // namespace

QByteArray PngBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(PngQuality);
    if (!writer.write(picture))
        throw UserError(writer.errorString().toStdString());
    return bytes;
}

void WritePicture(const QImage& picture, const QString& path)
{
    WriteFileAtomically(path, PngBytes(picture));
}

void WriteNewPicture(const QImage& picture, const QString& path)
{
    AtomicFile file(path);
    file.Write(PngBytes(picture));
    file.Commit(AtomicFile::Existing::Keep);
}
