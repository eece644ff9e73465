// SPDX-License-Identifier: MIT
#pragma once

#include "model/law.h"
#include "model/vanishingshell.h"

#include <array>
#include <cmath>

// Where a shell term is too small to change the bracket it is summed into,
// so that forming it can wait until the sum shows whether it is needed.
//
// As in vanishingshell.h, T = Power(s, e) t6 and, exactly,
// e ln s = -(s^20 - 2.5) ln s / (m s), falling monotonically for s > 1.05. It
// is -330 at s = 1.43219 (m = 1), 1.38770 (0.5), 1.29232 (0.1), 1.31528
// (0.15) and 1.26876 (0.065); from the thresholds below on it is under -330,
// and the dozen roundings before Power(s, e) and the library's own error move
// that by far less than 1, so 0 <= Power(s, e) <= e^-329 < 2^-474.
//
// Up to where the term vanishes (s < 1.73) and with k in [2^-16, 2^16]:
// s^20 < 2^16, t2 = k / (m s^2) < 2^20 (m > 2^-4), so |t3|, |t4| < 2^36;
// t5 = 200 k s^18 < 2^38 and ln s < 0.55, so |t6| < 2 (2^36 + 2^37.2) < 2^39.
// Hence |T| < 2^-435, and below NegligibleTerm with room to spare. Every value
// the literal evaluation forms is finite, nothing is a logarithm of zero or of
// a negative, and no operation overflows: forming the term raises no fault.
// Only underflow can come up, which is no fault.
//
// In rounding to nearest, a sum of at most six such terms is below 2^-427. Added to or subtracted from
// a value v with |v| >= DominantValue (2^-360), half of whose gap to either
// neighbour is at least 2^-425, it rounds to v (or -v) exactly, whatever its
// value. A sum whose terms
// are all known or negligible is therefore decided without the negligible ones
// whenever every sum that meets one is either another negligible sum, an exact
// zero (giving a negligible sum) or a dominant value; otherwise the terms are
// formed and the sum is taken as written.

inline constexpr std::array<Real, ShellCount> NegligibleFrom = {1.433L, 1.388L, 1.293L, 1.316L, 1.269L};
inline constexpr Real NegligibleQuotientLow = 0x1p-16L;
inline constexpr Real NegligibleQuotientHigh = 0x1p16L;
inline constexpr Real NegligibleTerm = 0x1p-430L;
inline constexpr Real DominantValue = 0x1p-360L;

// Whether the term of `shell` with k = 1.029 / K at s = k r is negligible in
// the sense above. It is meant for terms that do not vanish: up to
// VanishingFrom it is proved here, beyond that in vanishingshell.h.
inline bool ShellNegligible(int shell, Real k, Real s)
{
    return std::isgreaterequal(s, NegligibleFrom[shell]) && std::isless(s, VanishingFrom[shell]) &&
           std::isgreaterequal(k, NegligibleQuotientLow) && std::islessequal(k, NegligibleQuotientHigh);
}

// A partial sum of a bracket: the literal value bit for bit, a sum of
// negligible terms not yet formed, or undecided.
struct BracketPartial {
    enum class Kind { Exact, Negligible, Undecided };
    Kind State = Kind::Exact;
    Real Value = 0;

    static BracketPartial Exact(Real value) { return {Kind::Exact, value}; }
    static BracketPartial Negligible() { return {Kind::Negligible, 0}; }
};

inline BracketPartial Combined(BracketPartial a, BracketPartial b, bool subtract)
{
    using Kind = BracketPartial::Kind;
    if (a.State == Kind::Undecided || b.State == Kind::Undecided)
        return {Kind::Undecided, 0};
    if (a.State == Kind::Exact && b.State == Kind::Exact)
        return BracketPartial::Exact(subtract ? a.Value - b.Value : a.Value + b.Value);
    if (a.State == Kind::Negligible && b.State == Kind::Negligible)
        return BracketPartial::Negligible();
    const Real known = a.State == Kind::Exact ? a.Value : b.Value;
    if (known == 0)
        return BracketPartial::Negligible();
    if (!std::isgreaterequal(std::fabs(known), DominantValue))
        return {Kind::Undecided, 0};
    return BracketPartial::Exact(a.State == Kind::Exact || !subtract ? known : -known);
}

inline BracketPartial operator+(BracketPartial a, BracketPartial b)
{
    return Combined(a, b, false);
}

inline BracketPartial operator-(BracketPartial a, BracketPartial b)
{
    return Combined(a, b, true);
}
