// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

// A failure the user is told about: what() is the exact text of the error box
// (UTF-8). Handlers let it fly; one guard per handler shows it.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};
