// SPDX-License-Identifier: MIT
#pragma once

#include "model/law.h"
#include "model/switches.h"
#include "model/taonsystem.h"

#include <array>
#include <string>
#include <vector>

// The law seen from one pair: what a point of group g does to another point
// at distance r, along the line between them,
//
//   push(g, r) = sign × A_g × S_g(r)
//
// with S the law's own pair bracket (PairBracket, the same 80-bit routine as a
// run). Positive pushes the two apart, negative pulls them together. Under
// Gravoscope every pair has sign -1; under Taoscope points of equal parity
// have +1 and the opposite-parity curve is its mirror image.

// Everything the law reads besides the positions.
struct LawSetting {
    std::array<GroupCoefficients, GroupCount> Groups{};
    LawSwitches Switches;

    bool operator==(const LawSetting& other) const;
};
LawSetting LawSettingOf(const TaonSystem& system, const LawSwitches& switches);

enum class Parity { Equal, Opposite };

// push(g, r) for one group's coefficients. Throws UserError on a fault.
Real Push(const GroupCoefficients& group, const LawSwitches& switches, Parity parity, Real r);

// `count` distances evenly spaced from `from` to `to`, both included.
std::vector<Real> EvenDistances(Real from, Real to, int count);

// The push of one group at every distance. A fault marks its own distance
// only: the push there is NaN and the fault's text is kept beside it.
struct PushCurve {
    std::vector<Real> Push;
    std::vector<std::string> Faults; // per distance; empty where evaluated
    std::string Fault;               // the first fault's text; empty when none
    Real FaultAt = 0;                // and its distance
};
PushCurve SamplePush(const GroupCoefficients& group, const LawSwitches& switches, Parity parity,
                     const std::vector<Real>& distances);

// A distance where the push changes sign. Stable: pushes apart inside and
// pulls together outside, so a pair displaced either way returns.
struct Equilibrium {
    Real R;
    bool Stable;
};

// Every sign change of the push between the first and last of `distances`:
// the caller's samples (`push` at `distances`) together with samples of each
// shell's region on a scale set by its width (and of the contact term's), so
// that no two changes fall between neighbouring samples; each bisected on the
// law itself until the midpoint equals an end: full 80-bit precision. Exact
// zeros (underflowed tails) are no crossing; a NaN or a faulting distance is
// no sample.
std::vector<Equilibrium> FindEquilibria(const GroupCoefficients& group, const LawSwitches& switches, Parity parity,
                                        const std::vector<Real>& distances, const std::vector<Real>& push);

// Where each shell term peaks: s = k r = 1, that is r = K / 1.029, for the
// shells B, C, D, F and (while it is part of the law) G.
struct ShellCentre {
    char Shell;
    Real R;
};
std::vector<ShellCentre> ShellCentres(const GroupCoefficients& group, const LawSwitches& switches);
