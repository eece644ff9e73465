// SPDX-License-Identifier: MIT
#pragma once

#include "model/usererror.h"

#include <QString>

#include <functional>

// The text of the UserError an action throws, or an empty text.
inline QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const UserError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}
