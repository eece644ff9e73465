#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` or leaves it as it was: the bytes go
// to a temporary file beside it, which takes the file's place only when every
// byte is on disk. Creates the folder when `makeFolder` is set. Throws
// UserError with the file error text on failure.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder = false);
