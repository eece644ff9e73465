// SPDX-License-Identifier: MIT
#pragma once

#include "model/fpfault.h"
#include "model/groups.h"
#include "model/real.h"
#include "model/switches.h"
#include "model/taonsystem.h"

#include <array>

// The interaction law. Point j acts on point i with the coefficients of j's
// index group; with r the distance and d = x_i - x_j (or y, z):
//
//   F_i += sign(i, j) * (d / r) * A * S(r)
//
//   S(r) = T_B + T_C - T_D - T_F - T_G           (Functions3X1 off)
//   S(r) = T_B + T_C - T_D - T_F + H             (Functions3X1 on)
//
// One shell per coefficient K in B, C, D, F, G, with k = 1.029 / K, s = k r and
// the shell's width factor m and weight w:
//
//   T(K, m, w) = w s^((2.5 - s^20) / (m k r))
//                  [ (1 - ln s)(2.5 - s^20) / (m k r^2) - 200 k s^18 ln s ]
//
// and the contact term, from A and G themselves:
//
//   H = 0 for r <= G,   H = 0.85 A G / (2.72 (r - G)^2) exp(-0.5 G / (2.72 (r - G)))
//
// sign is -1 under Gravoscope; under Taoscope +1 when i and j have equal
// parity and -1 otherwise. Every power is Power(b, e) = exp(e ln b); the
// written order of operations below is what the program computes.

enum class Axis { X, Y, Z };

// Width factor m and weight w of the shells B, C, D, F and G, in that order.
struct Shell {
    Real Width;
    Real Weight;
};
constexpr int ShellCount = 5;
constexpr int ShellG = 4;
inline constexpr std::array<Shell, ShellCount> Shells = {{
    {1.0L, -0.05L}, {0.5L, -0.15L}, {0.1L, 0.2L}, {0.15L, 2.0L}, {0.065L, 1.7L},
}};

inline constexpr Real QuotientScale = 1.029L; // k = 1.029 / K
inline constexpr Real ShellOffset = 2.5L;
inline constexpr Real ShellFactor = 200.0L;
inline constexpr Real OuterPower = 20.0L;
inline constexpr Real InnerPower = 18.0L;
inline constexpr Real ContactBase = 2.72L; // the literal 2.72, not e
inline constexpr Real ContactScale = 0.85L;
inline constexpr Real ContactDecay = -0.5L;


struct GroupCoefficients {
    Real A, B, C, D, F, G;
};
GroupCoefficients CoefficientsOf(const TaonSystem& system, int group);
// The coefficients of shells B, C, D, F, G.
std::array<Real, ShellCount> ShellCoefficients(const GroupCoefficients& c);

// sign(i, j) of the law, for the literal law, the pair engine and the push
// curve alike: -1 under Gravoscope; under Taoscope +1 when the two slot
// numbers have equal parity and -1 otherwise.
constexpr bool EqualParity(int i, int j)
{
    return (i - j) % 2 == 0;
}
constexpr int PairSign(const LawSwitches& law, bool equalParity)
{
    return law.Taoscope && equalParity ? 1 : -1;
}

// r = sqrt(dz^2 + (dy^2 + dx^2)).
template <class Ops>
Real Distance(Real dx, Real dy, Real dz)
{
    const Real zz = Ops::Mul(dz, dz);
    const Real yy = Ops::Mul(dy, dy);
    const Real xx = Ops::Mul(dx, dx);
    const Real inner = Ops::Add(yy, xx);
    return Ops::Sqrt(Ops::Add(zz, inner));
}

// The contact term applies unless r <= G; a NaN propagates into it.
inline bool ContactApplies(Real r, Real g)
{
    return !std::islessequal(r, g);
}

// One real per shell B, C, D, F, G of each group 1..3.
using ShellTable = std::array<std::array<Real, ShellCount>, GroupCount>;
// The shell coefficients of the model, group by group.
ShellTable CoefficientTable(const TaonSystem& system);
// k = 1.029 / K for all fifteen, in order, as every component function forms
// them before its loop. Throws UserError on a fault (a zero K divides by zero).
ShellTable FormQuotients(const ShellTable& coefficients);

// The term of shell `shell` (0..4 for B, C, D, F, G) at distance r with k =
// 1.029 / K, as the component functions evaluate it. Throws UserError on a fault.
Real ShellTermAt(Real k, int shell, Real r);

// S(r) for one group's coefficients, as the component functions evaluate it.
// Throws UserError on a fault.
Real PairBracket(const GroupCoefficients& coefficients, const LawSwitches& law, Real r);

// The total interaction on slot i from every other present slot, evaluated
// literally: quotients first, then j = 1..N in order, every power as written.
// Throws UserError on the first fault. Slot i need not be present.
Real ForceX(const TaonSystem& system, const LawSwitches& law, int i);
Real ForceY(const TaonSystem& system, const LawSwitches& law, int i);
Real ForceZ(const TaonSystem& system, const LawSwitches& law, int i);
Real Force(const TaonSystem& system, const LawSwitches& law, int i, Axis axis);
