// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <array>
#include <cstdint>

// The 10-byte little-endian x87 extended form of the scene files: bytes 0-7 the
// 64-bit significand with its explicit integer bit, bytes 8-9 the sign (bit 15)
// and the exponent biased by 16383.
constexpr int ExtendedSize = 10;
using ExtendedBytes = std::array<std::uint8_t, ExtendedSize>;

// The fields of one 10-byte value.
struct ExtendedFields {
    bool negative = false;
    int exponent = 0;            // biased, 0..0x7fff
    std::uint64_t significand = 0;
};

ExtendedFields SplitExtended(const ExtendedBytes& bytes);
ExtendedBytes JoinExtended(const ExtendedFields& fields);

// Value of the fields by the format's own rule, (-1)^sign * significand/2^63 *
// 2^(exponent-16383), worked out with integer fields and ldexp only, so it is
// right whatever the host's long double is. NaN payloads and the encodings the
// x87 no longer accepts (unnormals, pseudo-denormals) have no portable value:
// they come back as the nearest canonical meaning.
Real DecodeExtended(const ExtendedBytes& bytes);
// Canonical 10-byte form of a value, by frexp/ldexp only.
ExtendedBytes EncodeExtended(Real value);

// The model's transfers. On this host Real is the x87 type itself, so every
// bit pattern - NaN payloads and odd encodings included - passes unchanged.
Real LoadExtended(const std::uint8_t* bytes);
void StoreExtended(Real value, std::uint8_t* bytes);
// The bytes StoreExtended writes for a value.
ExtendedBytes StoredBytes(Real value);
