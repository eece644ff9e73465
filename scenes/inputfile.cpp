// SPDX-License-Identifier: MIT
#include "scenes/inputfile.h"

#include "scenes/fileerror.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The descriptor, or -1 with the errno that tells why.
int OpenForReading(const QString& path, int& code)
{
    const QByteArray native = path.toUtf8();
    // Non-blocking, so a pipe named by mistake cannot hang the window.
    int fd = path.isEmpty() ? -1 : ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    code = path.isEmpty() ? ENOENT : errno;
    struct stat info {};
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd); // a folder is not a file that can be opened
        fd = -1;
        code = EACCES;
    }
    return fd;
}

} // namespace

InputFile InputFile::Open(const QString& path)
{
    int code = 0;
    const int fd = OpenForReading(path, code);
    if (fd < 0)
        ThrowFileError(FileStep::Open, code, path.toStdString());
    return InputFile(fd, path);
}

std::optional<InputFile> InputFile::TryOpen(const QString& path)
{
    int code = 0;
    const int fd = OpenForReading(path, code);
    if (fd < 0)
        return std::nullopt;
    return InputFile(fd, path);
}

InputFile::InputFile(int descriptor, QString path) : descriptor_(descriptor), path_(std::move(path)) {}

InputFile::InputFile(InputFile&& other) noexcept : descriptor_(other.descriptor_), path_(std::move(other.path_))
{
    other.descriptor_ = -1;
}

InputFile::~InputFile()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

QByteArray InputFile::Read(qint64 maxBytes)
{
    QByteArray bytes(maxBytes, Qt::Uninitialized);
    qint64 done = 0;
    while (done < maxBytes) {
        const ssize_t got = ::read(descriptor_, bytes.data() + done, size_t(maxBytes - done));
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowFileError(FileStep::Read, errno, path_.toStdString());
        }
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

QByteArray InputFile::ReadAll()
{
    constexpr qint64 Chunk = 1 << 16;
    QByteArray all;
    for (;;) {
        const QByteArray part = Read(Chunk);
        all += part;
        if (part.size() < Chunk)
            return all;
    }
}

void InputFile::Close()
{
    const int fd = descriptor_;
    descriptor_ = -1;
    if (::close(fd) != 0)
        ThrowFileError(FileStep::Read, errno, path_.toStdString());
}
