// SPDX-License-Identifier: MIT
#pragma once

#include "model/extended.h"
#include "model/taonsystem.h"
#include "model/usererror.h"
#include "tests/support/modeldifference.h"

#include <cstring>
#include <string>

// What the fuzz targets assert. A broken promise prints what broke and aborts,
// which libFuzzer reports as a crash and keeps the input that did it.
[[noreturn]] void Broken(const std::string& what);

inline void Require(bool holds, const char* what)
{
    if (!holds)
        Broken(what);
}

// The text of the UserError the action throws, or an empty text.
template <class Action> std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const UserError& error) {
        return error.what();
    }
    return {};
}
