// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>

// The picture as PNG: 8-bit RGB, or RGBA when it has an alpha channel, rows
// unfiltered and deflated at zlib's fastest level. Throws UserError when the
// picture is empty or cannot be compressed.
QByteArray PngBytes(const QImage& picture);
