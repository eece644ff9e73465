// SPDX-License-Identifier: MIT
#include "view/picturefile.h"

#include "scenes/atomicwrite.h"
#include "view/pngencoding.h"

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
