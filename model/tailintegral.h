// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <array>
#include <functional>
#include <vector>

// I(x) = integral of f from x to the end of [from, to], tabulated once so that
// each later value costs a few dozen operations.
//
// The interval is cut into panels. On each panel f is sampled at the 17
// Chebyshev points, the interpolating series of degree 16 is formed and
// integrated exactly (Clenshaw-Curtis). A panel is split in two until the
// last four coefficients of its series, which bound the interpolation error
// of a resolved function, are small enough:
//   first below 1e-3 of the largest sample of the starting panels, which
//   resolves every feature and gives the scale M = integral of |f| over
//   [from, to];
//   then below tolerance * M / (to - from), so that the error of I anywhere is
//   at most tolerance * M - or below 2^-56 of the panel's largest sample,
//   the rounding noise of 80-bit samples, whichever is larger.
// Features narrower than a tenth of a panel can hide between the samples: the
// starting cuts must come at least that close around each one.
class TailIntegral {
public:
    static constexpr int Degree = 16;

    // `cuts` are extra panel ends inside (from, to). f may throw; it is
    // called only with arguments in [from, to]. Throws UserError where f is
    // not a finite number or would need more than 65536 panels.
    TailIntegral(const std::function<Real(Real)>& f, Real from, Real to, std::vector<Real> cuts, Real tolerance);

    Real From() const { return from_; }
    Real To() const { return to_; }
    Real Scale() const { return scale_; }
    // x is clamped to [From(), To()].
    Real At(Real x) const;

    // Every sampled argument in increasing order, each once, with f there.
    const std::vector<Real>& Arguments() const { return arguments_; }
    const std::vector<Real>& Values() const { return values_; }

private:
    struct Panel {
        Real Low, High;
        Real Whole; // integral of f from Low to To()
        std::array<Real, Degree + 2> Integral; // series of the integral from Low, in T_k of the panel
    };
    Real from_, to_;
    Real scale_ = 0;
    std::vector<Panel> panels_;
    std::vector<Real> arguments_, values_;
};
