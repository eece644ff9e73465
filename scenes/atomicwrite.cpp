#include "scenes/atomicwrite.h"

#include "scenes/fileerror.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

std::string Local(const QString& path)
{
    return path.toStdString();
}

// QSaveFile reports its own wording; the errno of the failing call, or what the
// path itself shows, gives the user's text.
[[noreturn]] void ThrowCreateError(const QString& path, int code)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.absoluteDir().exists())
        ThrowFileError(FileStep::Create, ENOENT, Local(path));
    if (info.isDir() || (info.exists() && !info.isWritable()))
        ThrowFileError(FileStep::Create, EACCES, Local(path));
    ThrowFileError(FileStep::Create, code != 0 ? code : EACCES, Local(path));
}

} // namespace

AtomicFile::AtomicFile(const QString& path, bool makeFolder) : path_(path), file_(path)
{
    if (makeFolder && !path.isEmpty())
        QDir().mkpath(QFileInfo(path).absolutePath());
    errno = 0;
    if (path.isEmpty() || QFileInfo(path).isDir() || !file_.open(QIODevice::WriteOnly))
        ThrowCreateError(path, errno);
}

void AtomicFile::Write(const QByteArray& bytes)
{
    errno = 0;
    if (file_.write(bytes) != bytes.size())
        FailWriting(errno);
}

void AtomicFile::Flush()
{
    errno = 0;
    if (!file_.flush())
        FailWriting(errno);
}

void AtomicFile::Commit()
{
    // commit() alone may report success after a short write on a full disk, so
    // the flush is checked before the file may take the old one's place.
    Flush();
    errno = 0;
    if (!file_.commit())
        ThrowFileError(FileStep::Write, errno, Local(path_));
}

void AtomicFile::FailWriting(int code)
{
    file_.cancelWriting(); // the temporary file goes, the old file stays
    ThrowFileError(FileStep::Write, code, Local(path_));
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder)
{
    AtomicFile file(path, makeFolder);
    file.Write(bytes);
    file.Commit();
}
