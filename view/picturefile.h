// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture as PNG. Throws UserError when it cannot be encoded.
QByteArray PngBytes(const QImage& picture);

// Replaces the file at `path` with the picture as PNG, atomically. Throws
// UserError with the file error text.
void WritePicture(const QImage& picture, const QString& path);

// Writes the picture as PNG to a new file at `path`, atomically. A file
// already there, even one that appears meanwhile, stays: the write then fails
// with "File access denied.".
void WriteNewPicture(const QImage& picture, const QString& path);
