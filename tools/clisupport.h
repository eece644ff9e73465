// SPDX-License-Identifier: MIT
#pragma once

#include "model/switches.h"
#include "model/taonsystem.h"
#include "model/usererror.h"

#include <QString>

#include <cstdint>
#include <istream>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>

// What every zarvitone-cli command shares.

// A command line the tool cannot follow: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file name as given on the command line.
QString Path(const std::string& path);

enum class FileUse { Read, Write };

// The program's text for a failed file step, and where that text says little
// ("File access denied.", "Invalid filename."), the system's words for what
// is in the way of the file's use now: "File access denied. (Is a directory)".
std::string FileErrorInWords(const std::string& text, const std::string& path, FileUse use);

// File errors name the file they are about.
template <class Action>
void OnFile(const std::string& path, Action action, FileUse use = FileUse::Read)
{
    try {
        action();
    } catch (const UserError& error) {
        throw UserError(path + ": " + FileErrorInWords(error.what(), path, use));
    }
}

template <class Action>
void OnWrittenFile(const std::string& path, Action action)
{
    OnFile(path, action, FileUse::Write);
}

// The scene of a file as the window would open it, or of standard input `in`
// for "-". Throws UserError naming the file.
TaonSystem LoadScene(const std::string& path, std::istream& in);

// Whether two names are one file: by canonical path where the file exists,
// else by its folder's canonical path and its name, else by its absolute
// clean path.
bool SameFile(const QString& one, const QString& other);

// A scene is written whole in place of its file: it cannot be standard output.
void RefuseStandardOutput(const std::string& what, const std::string& path);

// The largest step count a scene file holds.
constexpr std::int64_t MostSteps = std::numeric_limits<std::int32_t>::max();

// The value of `option`, a whole number from `least` to `most`.
std::int64_t CountFrom(const std::string& option, const std::string& text, std::int64_t least, std::int64_t most);

// Everything `command` printed has reached standard output, or UserError says it did not.
void FlushOutput(std::ostream& out, const std::string& command);

