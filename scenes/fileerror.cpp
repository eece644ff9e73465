// SPDX-License-Identifier: MIT
#include "scenes/fileerror.h"

#include "model/usererror.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

bool FolderExists(const std::string& path)
{
    std::error_code ignored;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() || std::filesystem::is_directory(parent, ignored);
}

} // namespace

std::string FileErrorText(FileStep step, int code, const std::string& path)
{
    if (code == 0)
        return step == FileStep::Read ? "Read beyond end of file." : "Disk full.";
    switch (code) {
    case ENOENT:
        return path.empty() || !FolderExists(path) ? "Invalid filename." : "File not found.";
    case ENOTDIR:
    case ENAMETOOLONG:
        return "Invalid filename.";
    case EMFILE:
    case ENFILE:
        return "Too many open files.";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return "File access denied.";
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return "Disk full.";
    default:
        return "I/O error " + std::to_string(code) + ".";
    }
}

void ThrowFileError(FileStep step, int code, const std::string& path)
{
    throw UserError(FileErrorText(step, code, path));
}
