// SPDX-License-Identifier: MIT
#pragma once

#include "model/pushcurve.h"
#include "model/tailintegral.h"

#include <optional>
#include <string>
#include <vector>

// The potential of the pair push. A point of group g pushes another at
// distance r by sign x A S(r) along the line between them (pushcurve.h). Where
// both points of a pair push each other alike (equal coefficient rows; the
// sign rule is symmetric under both scopes), that push is -dV/dr of
//
//   V(r) = sign x U(r),   U(r) = integral from r to infinity of A S(s) ds,
//
// and the total energy, kinetic plus the sum of V over the pairs, is conserved
// by the exact motion.
//
// U is tabulated (tailintegral.h) from the law's own pair bracket in 80-bit
// arithmetic over [Floor, End]. Below Floor = 0.05 / k of the shell with the
// largest k every shell term is below 1e-60 of its peak; beyond End every
// shell term is an exact zero (vanishingshell.h). The contact term of
// Functions3X1 goes on to infinity; its integral is closed (t = 1 / (s - G)):
//
//   integral from r to infinity of H = 1.7 A (1 - exp(-0.5 G / (2.72 (r - G))))
//
// for r > G, and its value just above G for r <= G, where H is zero.
//
// Accuracy: U is within PotentialTolerance x (integral of |A S| over all r),
// as far as the rounding of 80-bit samples allows (tailintegral.h): for rows
// whose shells are not a million times narrower than the table.
inline constexpr Real PotentialTolerance = 1e-12L;

// Equal coefficients; a NaN equals nothing, as a row holding one has no potential.
bool SameRow(const GroupCoefficients& a, const GroupCoefficients& b);

// Integral of the contact term H of a row with these A and G from r to infinity.
Real ContactIntegral(Real a, Real g, Real r);

class GroupPotential {
public:
    GroupPotential(const GroupCoefficients& row, const LawSwitches& switches);

    // Empty when the table was made; otherwise why not (the law's fault text).
    const std::string& Fault() const { return fault_; }
    // U(r) for r >= 0, NaN for a NaN. Throws UserError with the law's fault
    // text where the law faults at r, and with Fault() when there is no table.
    Real At(Real r) const;

    // Where the table sampled A S, in increasing order, and A S there: the
    // push curve as the law gives it, densest where it changes fastest.
    const std::vector<Real>& Distances() const;
    const std::vector<Real>& Strengths() const;
    // The end of the table: beyond it every shell term is zero.
    Real End() const { return end_; }

private:
    Real Contact(Real r) const;

    GroupCoefficients row_;
    LawSwitches switches_;
    std::optional<TailIntegral> table_;
    std::string fault_;
    Real floor_ = 0, end_ = 0;
    // Up to here from End on, forming the bracket is known to raise no fault.
    Real faultlessTo_ = 0;
};

// The potentials of the three groups for one law setting.
class PairLaw {
public:
    explicit PairLaw(const LawSetting& setting);
    const LawSetting& Setting() const { return setting_; }
    const GroupPotential& Group(int group) const { return groups_.at(group - 1); } // 1..3

private:
    LawSetting setting_;
    std::vector<GroupPotential> groups_;
};

// The PairLaw of the last setting asked for; made anew when the setting changes.
class PairLawCache {
public:
    const PairLaw& For(const TaonSystem& system, const LawSwitches& switches);

private:
    std::optional<PairLaw> law_;
};
