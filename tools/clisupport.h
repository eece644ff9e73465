#pragma once

#include "model/taonsystem.h"
#include "model/usererror.h"

#include <QString>

#include <cstdint>
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

// File errors name the file they are about.
template <class Action>
void OnFile(const std::string& path, Action action)
{
    try {
        action();
    } catch (const UserError& error) {
        throw UserError(path + ": " + error.what());
    }
}

// The scene of a file as the window would open it. Throws UserError naming the file.
TaonSystem LoadScene(const std::string& path);

// The value of `option`, a whole number from `least` to `most`.
std::int64_t CountFrom(const std::string& option, const std::string& text, std::int64_t least, std::int64_t most);

// Everything `command` printed has reached standard output, or UserError says it did not.
void FlushOutput(std::ostream& out, const std::string& command);
