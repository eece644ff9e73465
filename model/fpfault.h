// SPDX-License-Identifier: MIT
#pragma once

#include "model/extended.h"
#include "model/real.h"
#include "model/transcendental.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

// The model's arithmetic behaves like an x87 with invalid operation, division
// by zero and overflow unmasked: the first such operation ends the step with
// one of these texts. Underflow and inexact results are masked. Faults are
// found by testing the floating-point flags around the numeric code; traps are
// never enabled.
inline constexpr const char* DivisionByZeroText = "Floating point division by zero";
inline constexpr const char* InvalidOperationText = "Invalid floating point operation";
inline constexpr const char* OverflowText = "Floating point overflow";

inline constexpr int FaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// The compiler knows nothing of the flags: it may move arithmetic across the
// calls that clear and test them. Pinning a value makes it be computed before
// this point and read afresh after it; the memory clobber orders loads too.
template <class T>
inline void Pin(T& value)
{
    asm volatile("" : "+m"(value) : : "memory");
}

inline void ClearFaultFlags()
{
    std::feclearexcept(FE_ALL_EXCEPT);
    asm volatile("" : : : "memory");
}

inline int RaisedFaultFlags()
{
    asm volatile("" : : : "memory");
    return std::fetestexcept(FaultFlags);
}

// Throws the UserError for the flags one operation raised. An invalid
// operation with a NaN operand is excused: only a signalling NaN loaded from a
// scene gets there, and NaNs already in the data propagate without a fault.
void ReportFault(int flags, bool nanOperand);

// A NaN by its encoding: all-ones exponent and the integer bit set. isnan()
// also holds for unnormals, pseudo-NaNs and pseudo-infinities, because the x87
// compares them unordered; but they are invalid operands, not NaNs, and their
// fault must not be excused.
inline bool IsNaNEncoding(Real value)
{
    const ExtendedFields fields = SplitExtended(StoredBytes(value));
    constexpr std::uint64_t integerBit = std::uint64_t{1} << 63;
    return fields.exponent == 0x7fff && (fields.significand & integerBit) != 0 &&
           (fields.significand & ~integerBit) != 0;
}

// Arithmetic as it is: the fast form, tested as a whole afterwards.
struct PlainOps {
    static Real Add(Real a, Real b) { return a + b; }
    static Real Sub(Real a, Real b) { return a - b; }
    static Real Mul(Real a, Real b) { return a * b; }
    static Real Div(Real a, Real b) { return a / b; }
    static Real Sqrt(Real a) { return std::sqrt(a); }
    static Real Ln(Real a) { return ::Ln(a); }
    static Real Exp(Real a) { return ::Exp(a); }
    static Real Power(Real base, Real exponent) { return ::Power(base, exponent); }
};

// The same arithmetic one operation at a time, each tested on its own, so the
// first fault in the written order is the one reported.
struct CheckedOps {
    template <class Op, class... Args>
    static Real Apply(Op op, Args... args)
    {
        ClearFaultFlags();
        (Pin(args), ...);
        Real result = op(args...);
        Pin(result);
        const int flags = RaisedFaultFlags();
        if (flags != 0)
            ReportFault(flags, (IsNaNEncoding(args) || ...));
        return result;
    }
    static Real Add(Real a, Real b) { return Apply([](Real x, Real y) { return x + y; }, a, b); }
    static Real Sub(Real a, Real b) { return Apply([](Real x, Real y) { return x - y; }, a, b); }
    static Real Mul(Real a, Real b) { return Apply([](Real x, Real y) { return x * y; }, a, b); }
    static Real Div(Real a, Real b) { return Apply([](Real x, Real y) { return x / y; }, a, b); }
    static Real Sqrt(Real a) { return Apply([](Real x) { return std::sqrt(x); }, a); }
    static Real Ln(Real a) { return Apply(::Ln, a); }
    static Real Exp(Real a) { return Apply(::Exp, a); }
    // exp(exponent * ln base) as three operations, as Power computes it.
    static Real Power(Real base, Real exponent) { return Exp(Mul(exponent, Ln(base))); }
};

// Runs routine(PlainOps{}, inputs...) under one test of the flags. Only when a
// fault flag comes up does it run again with CheckedOps, which throws the first
// fault - or, when every flag was excused, gives the very same value. The
// routine must be a pure function of its inputs, which are pinned after the
// flags are cleared.
template <class Routine, class... Inputs>
auto EvaluateChecked(const Routine& routine, Inputs... inputs)
{
    ClearFaultFlags();
    (Pin(inputs), ...);
    auto result = routine(PlainOps{}, inputs...);
    Pin(result);
    if (RaisedFaultFlags() == 0)
        return result;
    return routine(CheckedOps{}, inputs...);
}
