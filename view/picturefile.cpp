#include "view/picturefile.h"

#include "model/usererror.h"
#include "scenes/atomicwrite.h"

#include <QBuffer>
#include <QImageWriter>

namespace {

// zlib's fast end: a mostly black picture shrinks nearly as well, at a
// fraction of the time, which matters when every step is recorded.
constexpr int PngQuality = 90;

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
