// SPDX-License-Identifier: MIT
#include "tools/clisupport.h"

#include "scenes/fileerror.h"
#include "scenes/scenefile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

QString Path(const std::string& path)
{
    return QString::fromLocal8Bit(path.c_str());
}

std::string FileErrorInWords(const std::string& text, const std::string& path, FileUse use)
{
    if (text != FileErrorText(FileStep::Open, EACCES, "") && text != FileErrorText(FileStep::Open, ENOTDIR, ""))
        return text;
    // The step that failed is over; asking again about the same name gets
    // the system's reason, unless the file has changed in between.
    int code = 0;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        code = errno;
    else if (S_ISDIR(info.st_mode))
        code = EISDIR;
    else if (::access(path.c_str(), use == FileUse::Read ? R_OK : W_OK) != 0)
        code = errno;
    if (code == ENOENT && use == FileUse::Write) {
        // A new file is made in its folder.
        const std::string folder = std::filesystem::path(path).parent_path().string();
        code = ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0 ? errno : 0;
    }
    return code == 0 ? text : text + " (" + std::strerror(code) + ")";
}

TaonSystem LoadScene(const std::string& path, std::istream& in)
{
    TaonSystem system;
    system.TaonCount = SlotCount;
    if (path == "-") {
        in.read(reinterpret_cast<char*>(system.Record.data()), SceneRecordSize);
        if (in.gcount() < SceneRecordSize)
            throw UserError("standard input: " + FileErrorText(FileStep::Read, 0, ""));
    } else {
        OnFile(path, [&] { ReadSceneFile(system, Path(path)); });
    }
    RestoreFromSceneRecord(system);
    return system;
}

bool SameFile(const QString& one, const QString& other)
{
    const auto key = [](const QString& path) {
        const QFileInfo file(path);
        if (file.exists())
            return file.canonicalFilePath();
        const QString folder = file.absoluteDir().canonicalPath();
        return folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : folder + '/' + file.fileName();
    };
    return key(one) == key(other);
}

void RefuseStandardOutput(const std::string& what, const std::string& path)
{
    if (path == "-")
        throw UsageError(what + " cannot be standard output: a scene file is written whole");
}

std::int64_t CountFrom(const std::string& option, const std::string& text, std::int64_t least, std::int64_t most)
{
    std::int64_t count = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (ec != std::errc() || end != text.data() + text.size() || count < least || count > most)
        throw UsageError("bad number for " + option + ": '" + text + "' (a whole number from " + std::to_string(least) +
                         " to " + std::to_string(most) + ")");
    return count;
}

void FlushOutput(std::ostream& out, const std::string& command)
{
    out.flush();
    if (!out)
        throw UserError(command + ": standard output could not be written");
}
