// SPDX-License-Identifier: MIT
#pragma once

#include "model/usererror.h"
#include "scenes/dialogs.h"

#include <exception>
#include <new>
#include <string>

// The user's text for the exception being handled; call it only in a catch
// block. A UserError gives its own text.
inline std::string CaughtErrorText()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unexpected error";
    }
}

// Runs one user command. A failure ends the command where it happened and is
// shown in the error box; nothing is thrown past this point, so no exception
// ever reaches Qt. Returns whether the command ran to its end.
template <class Command>
bool Guarded(UserDialogs& dialogs, Command&& command) noexcept
{
    try {
        command();
        return true;
    } catch (...) {
        dialogs.ShowError(QString::fromStdString(CaughtErrorText()));
    }
    return false;
}
