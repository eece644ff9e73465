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
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec == std::errc()) {
        const std::string text(buffer, end);
        Real back = 0;
        if (TextToReal(text, back) && StoredBytes(back) == StoredBytes(value))
            return text;
    }
    const ExtendedBytes bytes = StoredBytes(value);
    return RawPrefix + BytesToHex(bytes.data(), ExtendedSize);
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
