#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file written piece by piece that replaces the file at `path` only at
// Commit: the bytes go to a temporary file beside it, which takes the file's
// place once every byte is on disk. Destroyed without Commit, it leaves the
// old file as it was. Every step throws UserError with the file error text.
class AtomicFile {
public:
    // Creates the temporary file (and the folder when `makeFolder` is set), so
    // a file that cannot be written fails here, before anything is produced.
    explicit AtomicFile(const QString& path, bool makeFolder = false);
    void Write(const char* data, qint64 size);
    void Write(const QByteArray& bytes) { Write(bytes.constData(), bytes.size()); }
    void Commit();

private:
    QString path_;
    QSaveFile file_;
};

// Replaces the file at `path` with `bytes` or leaves it as it was.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder = false);
