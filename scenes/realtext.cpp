// SPDX-License-Identifier: MIT
#include "scenes/realtext.h"

#include "model/extended.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

constexpr const char* RawPrefix = "raw:";
constexpr const char* HexDigits = "0123456789abcdef";

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// Digits of a decimal's significand, leading zeros aside.
std::size_t SignificantDigits(const std::string& text)
{
    std::size_t count = 0;
    for (char c : text.substr(0, text.find('e'))) {
        if (c >= '1' && c <= '9')
            ++count;
        else if (c == '0' && count > 0)
            ++count;
    }
    return count;
}

// to_chars picks the plain form on a tie in length, and writes a whole number
// beyond 2^64 in full, with more digits than the value needs; there the
// exponent form of the shortest digits is as short and says no more.
std::string ShortestDecimal(Real value)
{
    char buffer[64];
    std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (written.ec != std::errc())
        return {};
    const std::string text(buffer, written.ptr);
    if (text.find_first_of(".eni") != std::string::npos)
        return text;
    written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string other(buffer, written.ptr);
    return other.size() == text.size() && SignificantDigits(other) < SignificantDigits(text) ? other : text;
}

} // namespace

std::string BytesToHex(const std::uint8_t* bytes, int count)
{
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += HexDigits[bytes[k] >> 4];
        text += HexDigits[bytes[k] & 0xf];
    }
    return text;
}

bool HexToBytes(const std::string& text, std::uint8_t* bytes, int count)
{
    if (int(text.size()) != 2 * count)
        return false;
    for (int k = 0; k < count; ++k) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data() + 2 * k, text.data() + 2 * k + 2, value, 16);
        if (ec != std::errc() || end != text.data() + 2 * k + 2)
            return false;
        bytes[k] = std::uint8_t(value);
    }
    return true;
}

std::string RealToText(Real value)
{
    const std::string text = ShortestDecimal(value);
    Real back = 0;
    if (TextToReal(text, back) && StoredBytes(back) == StoredBytes(value))
        return text;
    const ExtendedBytes bytes = StoredBytes(value);
    return RawPrefix + BytesToHex(bytes.data(), ExtendedSize);
}

std::string RealToPortableText(Real value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    return ShortestDecimal(value);
}

bool TextToReal(const std::string& text, Real& value)
{
    if (text.rfind(RawPrefix, 0) == 0) {
        ExtendedBytes bytes{};
        if (!HexToBytes(text.substr(4), bytes.data(), ExtendedSize))
            return false;
        value = LoadExtended(bytes.data());
        return true;
    }
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())))
        return false;
    char* end = nullptr;
    errno = 0;
    const Real parsed = strtold_l(text.c_str(), &end, CLocale());
    if (end != text.c_str() + text.size())
        return false;
    // ERANGE also comes with a denormal, which is exact enough to keep; a
    // decimal that became 0 or infinity is refused.
    if (errno == ERANGE && (parsed == 0 || std::isinf(parsed)))
        return false;
    value = parsed;
    return true;
}
