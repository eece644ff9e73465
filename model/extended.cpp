// SPDX-License-Identifier: MIT
#include "model/extended.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace {

constexpr int ExponentBias = 16383;
constexpr int MaxExponent = 0x7fff;
constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;

// Real is asserted to be the x87 type; the byte order must match the file's too.
static_assert(std::endian::native == std::endian::little, "the 10-byte form is little-endian");
static_assert(sizeof(Real) >= ExtendedSize);

} // namespace

ExtendedFields SplitExtended(const ExtendedBytes& bytes)
{
    ExtendedFields fields;
    for (int i = 7; i >= 0; --i)
        fields.significand = (fields.significand << 8) | bytes[i];
    const unsigned signAndExponent = bytes[8] | (unsigned(bytes[9]) << 8);
    fields.negative = (signAndExponent & 0x8000u) != 0;
    fields.exponent = int(signAndExponent & 0x7fffu);
    return fields;
}

ExtendedBytes JoinExtended(const ExtendedFields& fields)
{
    ExtendedBytes bytes{};
    std::uint64_t significand = fields.significand;
    for (int i = 0; i < 8; ++i) {
        bytes[i] = std::uint8_t(significand & 0xffu);
        significand >>= 8;
    }
    const unsigned signAndExponent = (fields.negative ? 0x8000u : 0u) | (unsigned(fields.exponent) & 0x7fffu);
    bytes[8] = std::uint8_t(signAndExponent & 0xffu);
    bytes[9] = std::uint8_t(signAndExponent >> 8);
    return bytes;
}

Real DecodeExtended(const ExtendedBytes& bytes)
{
    const ExtendedFields f = SplitExtended(bytes);
    Real magnitude;
    if (f.exponent == MaxExponent) {
        const bool fractionZero = (f.significand & ~IntegerBit) == 0;
        magnitude = fractionZero ? std::numeric_limits<Real>::infinity() : std::numeric_limits<Real>::quiet_NaN();
    } else {
        // A zero exponent field means 2^(1-16383), like the smallest normal one.
        const int exponent = (f.exponent == 0 ? 1 : f.exponent) - ExponentBias - 63;
        magnitude = std::ldexp(Real(f.significand), exponent);
    }
    return f.negative ? -magnitude : magnitude;
}

ExtendedBytes EncodeExtended(Real value)
{
    ExtendedFields f;
    f.negative = std::signbit(value);
    const Real magnitude = std::fabs(value);
    if (std::isnan(value)) {
        f.exponent = MaxExponent;
        f.significand = IntegerBit | (IntegerBit >> 1);
    } else if (std::isinf(value)) {
        f.exponent = MaxExponent;
        f.significand = IntegerBit;
    } else if (magnitude != 0) {
        int exponent = 0;
        const Real fraction = std::frexp(magnitude, &exponent); // magnitude = fraction * 2^exponent, fraction in [0.5, 1)
        int biased = exponent - 1 + ExponentBias;
        int shift = 64;
        if (biased <= 0) { // denormal: the exponent field stays 0 and the significand loses its top bits
            shift += biased - 1;
            biased = 0;
        }
        f.exponent = biased;
        f.significand = std::uint64_t(std::ldexp(fraction, shift));
    }
    return JoinExtended(f);
}

Real LoadExtended(const std::uint8_t* bytes)
{
    Real value = 0;
    std::memcpy(&value, bytes, ExtendedSize);
    return value;
}

void StoreExtended(Real value, std::uint8_t* bytes)
{
    std::memcpy(bytes, &value, ExtendedSize);
}

ExtendedBytes StoredBytes(Real value)
{
    ExtendedBytes bytes{};
    StoreExtended(value, bytes.data());
    return bytes;
}
