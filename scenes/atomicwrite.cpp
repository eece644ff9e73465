// SPDX-License-Identifier: MIT
#include "scenes/atomicwrite.h"

#include "scenes/fileerror.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Local(const QString& path)
{
    return path.toStdString();
}

// Qt reports its own wording; the errno of the failing call, or what the path
// itself shows, gives the user's text.
[[noreturn]] void ThrowCreateError(const QString& path, int code)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.absoluteDir().exists())
        ThrowFileError(FileStep::Create, ENOENT, Local(path));
    if (info.isDir() || (info.exists() && !info.isWritable()))
        ThrowFileError(FileStep::Create, EACCES, Local(path));
    ThrowFileError(FileStep::Create, code != 0 ? code : EACCES, Local(path));
}

// The process's umask. Reading it means setting it, which would race with
// other threads creating files (the frame recorder writes from its own), so
// it is read once.
mode_t ProcessUmask()
{
    static const mode_t mask = [] {
        const mode_t current = ::umask(0);
        ::umask(current);
        return current;
    }();
    return mask;
}

// The new file gets the old one's permissions, or those a newly created file
// gets (0666 less the umask).
bool TakePermissions(const QTemporaryFile& temporary, const QString& target)
{
    struct stat old {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode = 0666 & ~ProcessUmask();
    }
    return ::fchmod(temporary.handle(), mode) == 0;
}

// Writes `size` bytes at the file's start: 0, or the errno of the failed
// write. `reached` tells how far the bytes that went out reach.
int WriteFromStart(int fd, const char* data, qint64 size, qint64& reached)
{
    reached = 0;
    while (reached < size) {
        const ssize_t wrote = ::pwrite(fd, data + reached, size_t(size - reached), off_t(reached));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return wrote < 0 ? errno : ENOSPC;
        reached += wrote;
    }
    return 0;
}

// The whole file: 0, or the errno of the failed read.
int ReadWhole(int fd, QByteArray& bytes)
{
    constexpr qint64 Chunk = 1 << 16;
    for (;;) {
        const qint64 done = bytes.size();
        bytes.resize(done + Chunk);
        const ssize_t got = ::pread(fd, bytes.data() + done, size_t(Chunk), off_t(done));
        if (got < 0 && errno == EINTR) {
            bytes.resize(done);
            continue;
        }
        bytes.resize(done + std::max<ssize_t>(got, 0));
        if (got <= 0)
            return got < 0 ? errno : 0;
    }
}

// Where no file may be created beside the target but the target itself may
// be written: written in place from its start, never truncated first, and
// cut to length only once every byte is written. When that fails, the old
// bytes, read before, go back over what was written, so the old file stays
// whole wherever the system lets them be written again.
void WriteInPlace(const QString& target, const QByteArray& bytes, const QString& path)
{
    const QByteArray native = QFile::encodeName(target);
    bool readable = true;
    int fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        readable = false; // written all the same, with nothing to put back
        fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
    }
    if (fd < 0)
        ThrowCreateError(path, errno);
    QByteArray old;
    int code = readable ? ReadWhole(fd, old) : 0;
    qint64 reached = 0;
    if (code == 0)
        code = WriteFromStart(fd, bytes.constData(), bytes.size(), reached);
    if (code == 0 && (::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0))
        code = errno;
    if (code != 0 && readable && reached > 0) {
        qint64 restored = 0;
        WriteFromStart(fd, old.constData(), std::min(reached, qint64(old.size())), restored);
        // Best effort: the first failure is what the user hears of.
        [[maybe_unused]] const int cut = reached > old.size() ? ::ftruncate(fd, off_t(old.size())) : 0;
        (void)::fsync(fd);
    }
    ::close(fd);
    if (code != 0)
        ThrowFileError(FileStep::Write, code, Local(path));
}

// A rename that fails (EEXIST) where a file of that name exists. A file
// system without such a rename takes a hard link, which never replaces either.
bool RenameToNewName(const char* from, const char* to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if ((errno != EINVAL && errno != ENOSYS) || ::link(from, to) != 0)
        return false;
    ::unlink(from);
    return true;
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

AtomicFile::AtomicFile(const QString& path, bool makeFolder) : path_(path)
{
    if (makeFolder && !path.isEmpty())
        QDir().mkpath(QFileInfo(path).absolutePath());

    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir() || (info.exists() && !info.isWritable()))
        ThrowCreateError(path, 0);
    // Through a link the file it points to is replaced, not the link.
    target_ = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();

    // A short name of its own in the same folder: it fits wherever the
    // target's name fits, which a suffix to that name would not.
    temporary_.setFileTemplate(QFileInfo(target_).absolutePath() + QStringLiteral("/.zv-XXXXXX"));
    errno = 0;
    if (!temporary_.open()) {
        const int code = errno;
        if (code == EACCES && info.isFile()) {
            inPlace_ = true;
            return;
        }
        ThrowCreateError(path, code);
    }
}

void AtomicFile::Write(const char* data, qint64 size)
{
    // In place, nothing touches the old file before Commit.
    if (inPlace_) {
        pending_.append(data, size);
        return;
    }
    errno = 0;
    if (temporary_.write(data, size) != size)
        ThrowFileError(FileStep::Write, errno, Local(path_));
}

void AtomicFile::Flush()
{
    if (inPlace_)
        return;
    errno = 0;
    if (!temporary_.flush() || ::fsync(temporary_.handle()) != 0)
        ThrowFileError(FileStep::Write, errno, Local(path_));
}

void AtomicFile::Commit(Existing existing)
{
    if (inPlace_) {
        if (existing == Existing::Keep)
            ThrowFileError(FileStep::Create, EACCES, Local(path_));
        WriteInPlace(target_, pending_, path_);
        return;
    }
    // On any failure the temporary file goes and the old file stays whole.
    Flush();
    errno = 0;
    const QByteArray from = QFile::encodeName(temporary_.fileName());
    const QByteArray to = QFile::encodeName(target_);
    const bool moved = TakePermissions(temporary_, target_) &&
                       (existing == Existing::Replace ? std::rename(from.constData(), to.constData()) == 0
                                                      : RenameToNewName(from.constData(), to.constData()));
    if (!moved)
        ThrowFileError(FileStep::Write, errno == EEXIST ? EACCES : errno, Local(path_));
    temporary_.setAutoRemove(false);
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool makeFolder)
{
    AtomicFile file(path, makeFolder);
    file.Write(bytes);
    file.Commit();
}
