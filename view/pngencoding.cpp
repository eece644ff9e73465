// SPDX-License-Identifier: MIT
#include "view/pngencoding.h"

#include "model/usererror.h"

#include <zlib.h>

#include <cstring>

// Frames are recorded while the run computes on every core, so their encoding
// takes time from the run. Qt's PNG writer lets libpng try every row filter
// on every row, which costs four fifths of the encoding; our pictures are
// mostly one flat background, where unfiltered rows deflate as small at
// level 1 in a fifth of the time.

namespace {

void AppendBigEndian(QByteArray& out, quint32 value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

void AppendChunk(QByteArray& out, const char (&type)[5], const QByteArray& data)
{
    AppendBigEndian(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + start);
    AppendBigEndian(out, quint32(crc32(0, typed, uInt(out.size() - start))));
}

QByteArray Header(const QImage& rows, bool alpha)
{
    QByteArray header;
    AppendBigEndian(header, quint32(rows.width()));
    AppendBigEndian(header, quint32(rows.height()));
    header.append(char(8));              // bits per sample
    header.append(char(alpha ? 6 : 2));  // RGBA or RGB
    header.append(3, char(0));           // deflate, adaptive filtering method, no interlace
    return header;
}

// Each row as filter type 0 ("none") followed by its samples.
QByteArray UnfilteredRows(const QImage& rows)
{
    const qsizetype rowBytes = qsizetype(rows.width()) * (rows.depth() / 8);
    QByteArray raw(rows.height() * (rowBytes + 1), Qt::Uninitialized);
    char* out = raw.data();
    for (int y = 0; y < rows.height(); ++y) {
        *out++ = 0;
        std::memcpy(out, rows.constScanLine(y), std::size_t(rowBytes));
        out += rowBytes;
    }
    return raw;
}

QByteArray Deflated(const QByteArray& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.constData()),
                  uLong(raw.size()), Z_BEST_SPEED) != Z_OK)
        throw UserError("Not enough memory to compress the picture.");
    packed.truncate(qsizetype(size));
    return packed;
}

} // namespace

QByteArray PngBytes(const QImage& picture)
{
    if (picture.isNull())
        throw UserError("The picture is empty.");
    const bool alpha = picture.hasAlphaChannel();
    // These two formats hold their samples in PNG's order, byte by byte.
    const QImage rows = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", Header(rows, alpha));
    AppendChunk(png, "IDAT", Deflated(UnfilteredRows(rows)));
    AppendChunk(png, "IEND", {});
    return png;
}
