#pragma once

#include "model/extended.h"
#include "model/taonsystem.h"
#include "model/usererror.h"

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

// The 10 bytes of the values alike: a long double's other 6 are padding.
inline bool SameBits(Real a, Real b)
{
    return std::memcmp(&a, &b, ExtendedSize) == 0;
}

// The first field, Record aside, in which two models differ bit for bit
// ("X[3]", "dt", "Present[7]" ...), or an empty text when they agree.
std::string FirstDifference(const TaonSystem& a, const TaonSystem& b);

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
