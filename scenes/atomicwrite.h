#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` or leaves it as it was: the bytes go
// to a temporary file beside it, which takes the file's place only when every
// byte is on disk. Only where the folder allows no new file but the file
// itself may be written is it written in place, and a failure then leaves it
// partly written. Creates the folder when `makeFolder` is set. Throws
// UserError with the file error text on failure.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder = false);

// False when the user may not replace the file at `path`: its folder exists
// but is not writable, or the file exists but is not writable. A missing
// folder is left to the write itself to report.
bool MayReplace(const QString& path);
