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

bool MayReplace(const QString& path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (folder.isDir() && !folder.isWritable())
        return false;
    return !file.exists() || file.isWritable();
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder)
{
    if (makeFolder && !path.isEmpty())
        QDir().mkpath(QFileInfo(path).absolutePath());

    QSaveFile file(path);
    errno = 0;
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly))
        ThrowCreateError(path, errno);

    // commit() alone may report success after a short write on a full disk, so
    // every byte and the flush are checked before the file may take the old one's place.
    errno = 0;
    const qint64 written = file.write(bytes);
    const bool flushed = written == bytes.size() && file.flush();
    if (!flushed) {
        const int code = errno;
        file.cancelWriting(); // the temporary file goes, the old file stays
        ThrowFileError(FileStep::Write, code, Local(path));
    }
    errno = 0;
    if (!file.commit())
        ThrowFileError(FileStep::Write, errno, Local(path));
}
