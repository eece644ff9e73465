#include "scenes/atomicwrite.h"

#include "scenes/fileerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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

void AtomicFile::Write(const char* data, qint64 size)
{
    // commit() alone may report success after a short write on a full disk, so
    // every byte and the flush are checked before the file may take the old one's place.
    errno = 0;
    const qint64 written = file_.write(data, size);
    if (written != size || !file_.flush()) {
        const int code = errno;
        file_.cancelWriting(); // the temporary file goes, the old file stays
        ThrowFileError(FileStep::Write, code, Local(path_));
    }
}

void AtomicFile::Commit()
{
    errno = 0;
    if (!file_.commit())
        ThrowFileError(FileStep::Write, errno, Local(path_));
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder)
{
    AtomicFile file(path, makeFolder);
    file.Write(bytes);
    file.Commit();
}
