// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

// Replaces the file at `path` with the picture as PNG, atomically. Throws
// UserError with the file error text.
void WritePicture(const QImage& picture, const QString& path);

// Writes the picture as PNG to a new file at `path`, atomically. A file
// already there, even one that appears meanwhile, stays: the write then fails
// with "File access denied.".
void WriteNewPicture(const QImage& picture, const QString& path);
