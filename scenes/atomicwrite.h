#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file written in parts that replaces the file at `path` whole or not at
// all: the bytes go to a temporary file beside it, which takes the file's
// place at Commit, once every byte is on disk. Dropped without Commit, it
// leaves the old file as it was. Every failure throws UserError with the
// file error text, the creation one from the constructor.
class AtomicFile {
public:
    // Creates the folder first when `makeFolder` is set.
    explicit AtomicFile(const QString& path, bool makeFolder = false);
    void Write(const QByteArray& bytes);
    // Every byte written so far on disk; Commit does this first as well.
    void Flush();
    void Commit();

private:
    [[noreturn]] void FailWriting(int code);
    QString path_;
    QSaveFile file_;
};

// One AtomicFile written with `bytes` and committed.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder = false);
