#pragma once

#include "model/usererror.h"
#include "scenes/dialogs.h"

#include <new>

// Runs one user command. A failure ends the command where it happened and is
// shown in the error box; nothing is thrown past this point, so no exception
// ever reaches Qt. Returns whether the command ran to its end.
template <class Command>
bool Guarded(UserDialogs& dialogs, Command&& command) noexcept
{
    try {
        command();
        return true;
    } catch (const UserError& error) {
        dialogs.ShowError(QString::fromUtf8(error.what()));
    } catch (const std::bad_alloc&) {
        dialogs.ShowError(QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        dialogs.ShowError(QString::fromUtf8(error.what()));
    } catch (...) {
        dialogs.ShowError(QStringLiteral("Unexpected error"));
    }
    return false;
}
