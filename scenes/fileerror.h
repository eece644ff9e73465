// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The user's texts for failed file steps, each ending in a full stop.
enum class FileStep { Open, Create, Read, Write };

// Text for an operating-system error code (errno) met at the given step, or for
// a short read/write when code is 0. `path` tells a missing folder from a
// missing file.
std::string FileErrorText(FileStep step, int code, const std::string& path);

[[noreturn]] void ThrowFileError(FileStep step, int code, const std::string& path);
