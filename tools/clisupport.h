#pragma once

#include "model/taonsystem.h"

#include <stdexcept>
#include <string>

// What every zarvitone-cli command shares.

// A command line the tool cannot follow: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The scene of a file as the window would open it. Throws UserError naming the file.
TaonSystem LoadScene(const std::string& path);
