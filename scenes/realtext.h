// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <cstdint>
#include <string>

// The exact text of one real, as the scene text and the run logs write it:
// the shortest decimal that reads back to the same 80-bit value (fewest
// characters; at a tie fewest significant digits, then plain before exponent
// form); a value no
// decimal gives back bit for bit (a NaN with a payload, a signalling NaN, an
// encoding the x87 no longer makes) is written as raw: and its 10 bytes in
// file order, in hex. Always the C locale.
std::string RealToText(Real value);
// The same text for readers outside the program (trajectory dumps), which
// know no raw: form: a NaN of any payload as nan or -nan by its sign, as
// RealToText writes the plain NaNs, and any other value as the shortest
// decimal.
std::string RealToPortableText(Real value);
// The inverse of RealToText. False for anything but a number (decimal, hex float, inf, nan)
// or a raw: form; a decimal out of range is refused rather than rounded to 0
// or infinity.
bool TextToReal(const std::string& text, Real& value);

// Bytes as two lowercase hex digits each, and back; HexToBytes is false
// unless the text is exactly 2 * count hex digits.
std::string BytesToHex(const std::uint8_t* bytes, int count);
bool HexToBytes(const std::string& text, std::uint8_t* bytes, int count);
