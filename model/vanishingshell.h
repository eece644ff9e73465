// SPDX-License-Identifier: MIT
#pragma once

#include "model/law.h"

#include <array>
#include <cmath>

// Where a shell term is known to be a zero without forming it.
//
// T = Power(s, e) t6 with s = k r, e = (2.5 - s^20) / ((m k) r) and
// Power(s, e) = Exp(e ln s). Exactly, e ln s = -(s^20 - 2.5) ln s / (m s),
// which falls monotonically for s > 1.05 and crosses -18022 (1.1 times the
// -16384 below which Exp gives +0 without calling the library) at s = 1.72887
// (m = 1), 1.67243 (0.5), 1.54966 (0.1), 1.57952 (0.15) and 1.51870 (0.065).
// From the thresholds below on it is under -18022; the dozen roundings before
// it change it by parts in 2^55, so Power(s, e) is +0.
//
// With k in [2^-64, 2^64] and s in [threshold, 2^16], r = s / k lies in
// [2^-64, 2^80] and every value the term forms before Power(s, e) is finite,
// none above 2^400 in magnitude and, t4 aside, none below 2^-160: s^20 <=
// 2^320, 1 / (m k) <= 2^68 (m > 2^-4), t2 = k / (m s^2) in [2^-96, 2^68],
// 200 k s^18 in [2^-64, 2^360], |e| <= 2^324. Nothing is a logarithm of zero
// or of a negative and there are no infinities, so no operation of the literal
// evaluation raises a fault.
//
// The zero's sign is that of t6 = (t4 - t5 ln s) w. t5 = 200 k s^18 > 0 and
// ln s > 0.4. Where ln s <= 1, t4 = (1 - ln s)(2.5 - s^20) t2 <= 0; where
// ln s > 1, t4 / (t5 ln s) < s^20 t2 / (200 k s^18) = 1 / (200 m) <= 1 / 13,
// far from any rounding. So t4 - t5 ln s < 0 and T = +0 * t6 has the sign of
// -w: +0 for B and C, -0 for D, F and G.
//
// Outside these ranges, and for a NaN k or s or an odd 80-bit encoding (they
// compare unordered), the term is formed as written.

// The first s at which each shell's term vanishes, in the order B, C, D, F, G.
inline constexpr std::array<Real, ShellCount> VanishingFrom = {1.729L, 1.673L, 1.55L, 1.58L, 1.519L};
inline constexpr Real VanishingTo = 0x1p16L;
inline constexpr Real VanishingQuotientLow = 0x1p-64L;
inline constexpr Real VanishingQuotientHigh = 0x1p64L;

// Whether the term of `shell` with k = 1.029 / K at s = k r is a zero that the
// literal evaluation reaches without a fault.
inline bool ShellVanishes(int shell, Real k, Real s)
{
    return std::isgreaterequal(s, VanishingFrom[shell]) && std::islessequal(s, VanishingTo) &&
           std::isgreaterequal(k, VanishingQuotientLow) && std::islessequal(k, VanishingQuotientHigh);
}

// That zero, bit for bit.
inline Real VanishedTerm(int shell)
{
    return std::copysign(0.0L, -Shells[shell].Weight);
}
