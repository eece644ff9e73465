// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QTemporaryFile>
#include <QString>

// A file written in parts that replaces the file at `path` whole or not at
// all: the bytes go to a temporary file beside it, which takes the file's
// place at Commit, once every byte, the flush and the sync have succeeded.
// Dropped without Commit, it leaves the old file as it was. Only where the
// folder allows no new file but the file itself may be written is it written
// in place, at Commit; a failure then writes the old bytes back. Every
// failure throws UserError with the file error text, the creation one from
// the constructor.
class AtomicFile {
public:
    // Creates the folder first when `makeFolder` is set.
    explicit AtomicFile(const QString& path, bool makeFolder = false);
    void Write(const char* data, qint64 size);
    void Write(const QByteArray& bytes) { Write(bytes.constData(), bytes.size()); }
    // Every byte written so far on disk; Commit does this first as well.
    void Flush();
    // What becomes of a file already at the path: replaced, or kept and the
    // commit refused with "File access denied." (a name taken is not ours).
    enum class Existing { Replace, Keep };
    void Commit(Existing existing = Existing::Replace);

private:
    QString path_;   // as given, for the error texts
    QString target_; // the file replaced, a link followed
    QTemporaryFile temporary_;
    bool inPlace_ = false;
    QByteArray pending_; // in place: what Commit writes
};

// One AtomicFile written with `bytes` and committed.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder = false);

// False when the user may not replace the file at `path`: its folder exists
// but is not writable, or the file exists but is not writable. A missing
// folder is left to the write itself to report.
bool MayReplace(const QString& path);
