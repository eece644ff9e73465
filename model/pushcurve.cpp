// SPDX-License-Identifier: MIT
#include "model/pushcurve.h"

#include "model/usererror.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// +1, -1, or 0 for a zero or a NaN.
int SignOf(Real value)
{
    return value > 0 ? 1 : value < 0 ? -1 : 0;
}

bool SameCoefficients(const GroupCoefficients& a, const GroupCoefficients& b)
{
    // Equal values, or NaN on both sides: a setting holding a NaN equals itself.
    const auto same = [](Real x, Real y) { return x == y || (x != x && y != y); };
    return same(a.A, b.A) && same(a.B, b.B) && same(a.C, b.C) && same(a.D, b.D) && same(a.F, b.F) && same(a.G, b.G);
}

// Narrows [inside, outside], whose ends push with opposite signs, until the
// midpoint is one of the ends.
Equilibrium Bisect(const GroupCoefficients& group, const LawSwitches& switches, Parity parity, Real inside,
                   Real outside, int insideSign)
{
    Real mid = inside + (outside - inside) / 2;
    while (mid != inside && mid != outside) {
        if (SignOf(Push(group, switches, parity, mid)) == insideSign)
            inside = mid;
        else
            outside = mid;
        mid = inside + (outside - inside) / 2;
    }
    return {mid, insideSign > 0};
}

// Each shell term is w k f_m(s) with s = k r: one shape per width factor m,
// which lives only for s between about 1e-3 and 2 (beyond, it underflows the
// 80-bit range) and whose extrema and zeros lie at least 0.06 apart in ln s
// for m = 1, down to 0.025 for m = 0.065. Stepping ln s by sqrt(m) / 100
// puts six to ten samples between neighbouring ones.
constexpr Real LowestS = 1e-3L;
constexpr Real HighestS = 2;
constexpr Real StepsPerSwing = 100;
// The contact term varies on the scale of r - G: from G (1e-5 |G| away it
// underflows) outwards in even steps of ln(r - G).
constexpr Real ContactNearest = 1e-5L;
constexpr Real ContactFarthest = 1e4L;
constexpr Real ContactStep = 0.01L;

// Distances inside [from, to], beside the caller's samples, at which the push
// is sampled so that no two sign changes fall between neighbours.
std::vector<Real> SearchDistances(const GroupCoefficients& group, const LawSwitches& switches, Real from, Real to)
{
    std::vector<Real> found;
    const auto add = [&](Real r) {
        if (from < r && r < to)
            found.push_back(r);
    };
    const std::array<Real, ShellCount> k = ShellCoefficients(group);
    const int shells = switches.Functions3X1 ? ShellG : ShellCount;
    for (int shell = 0; shell < shells; ++shell) {
        const Real centre = k[shell] / QuotientScale;
        if (!(centre > 0)) // a zero or negative K faults at every distance
            continue;
        const Real step = std::sqrt(Shells[shell].Width) / StepsPerSwing;
        for (Real u = std::log(LowestS); u < std::log(HighestS); u += step)
            add(centre * std::exp(u));
    }
    if (switches.Functions3X1 && group.G != 0 && std::isfinite(group.G))
        for (Real v = std::log(ContactNearest); v < std::log(ContactFarthest); v += ContactStep)
            add(group.G + std::fabs(group.G) * std::exp(v));
    return found;
}

} // namespace

bool LawSetting::operator==(const LawSetting& other) const
{
    for (int g = 0; g < GroupCount; ++g)
        if (!SameCoefficients(Groups[g], other.Groups[g]))
            return false;
    return Switches.Taoscope == other.Switches.Taoscope && Switches.Functions3X1 == other.Switches.Functions3X1;
}

LawSetting LawSettingOf(const TaonSystem& system, const LawSwitches& switches)
{
    LawSetting setting;
    for (int g = 0; g < GroupCount; ++g)
        setting.Groups[g] = CoefficientsOf(system, g + 1);
    setting.Switches = switches;
    return setting;
}

Real Push(const GroupCoefficients& group, const LawSwitches& switches, Parity parity, Real r)
{
    return Real(PairSign(switches, parity == Parity::Equal)) * group.A * PairBracket(group, switches, r);
}

std::vector<Real> EvenDistances(Real from, Real to, int count)
{
    std::vector<Real> distances;
    distances.reserve(count);
    for (int k = 0; k + 1 < count; ++k)
        distances.push_back(from + (to - from) * k / (count - 1));
    // The far end exactly, not as rounding leaves it.
    if (count > 0)
        distances.push_back(count == 1 ? from : to);
    return distances;
}

PushCurve SamplePush(const GroupCoefficients& group, const LawSwitches& switches, Parity parity,
                     const std::vector<Real>& distances)
{
    PushCurve curve;
    curve.Push.reserve(distances.size());
    curve.Faults.resize(distances.size());
    for (std::size_t k = 0; k < distances.size(); ++k) {
        try {
            curve.Push.push_back(Push(group, switches, parity, distances[k]));
        } catch (const UserError& fault) {
            curve.Push.push_back(std::numeric_limits<Real>::quiet_NaN());
            curve.Faults[k] = fault.what();
            if (curve.Fault.empty()) {
                curve.Fault = fault.what();
                curve.FaultAt = distances[k];
            }
        }
    }
    return curve;
}

std::vector<Equilibrium> FindEquilibria(const GroupCoefficients& group, const LawSwitches& switches, Parity parity,
                                        const std::vector<Real>& distances, const std::vector<Real>& push)
{
    std::vector<std::pair<Real, Real>> samples; // r and the push there
    for (std::size_t k = 0; k < distances.size() && k < push.size(); ++k)
        samples.emplace_back(distances[k], push[k]);
    if (!distances.empty()) {
        const auto [from, to] = std::minmax_element(distances.begin(), distances.end());
        for (Real r : SearchDistances(group, switches, *from, *to)) {
            try {
                samples.emplace_back(r, Push(group, switches, parity, r));
            } catch (const UserError&) {
                // a faulting distance is no sample
            }
        }
    }
    std::stable_sort(samples.begin(), samples.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<Equilibrium> found;
    int lastSign = 0; // of the last nonzero sample so far
    Real lastR = 0;
    for (const auto& [r, value] : samples) {
        const int sign = SignOf(value);
        if (sign == 0)
            continue;
        if (lastSign == -sign) {
            try {
                found.push_back(Bisect(group, switches, parity, lastR, r, lastSign));
            } catch (const UserError&) {
                // a fault between the two samples hides that crossing
            }
        }
        lastSign = sign;
        lastR = r;
    }
    return found;
}

std::vector<ShellCentre> ShellCentres(const GroupCoefficients& group, const LawSwitches& switches)
{
    const std::array<Real, ShellCount> k = ShellCoefficients(group);
    const int shells = switches.Functions3X1 ? ShellG : ShellCount;
    std::vector<ShellCentre> centres;
    for (int shell = 0; shell < shells; ++shell)
        centres.push_back({CoefficientLetters[shell + 1], k[shell] / QuotientScale});
    return centres;
}
