#include "model/pushcurve.h"

#include "model/usererror.h"

namespace {

// +1, -1, or 0 for a zero or a NaN.
int SignOf(Real value)
{
    return value > 0 ? 1 : value < 0 ? -1 : 0;
}

int PairSign(const LawSwitches& switches, Parity parity)
{
    // Slots 1 and 1 have equal parity, slots 1 and 2 opposite.
    return ParitySign(switches, 1, parity == Parity::Equal ? 1 : 2) * ScopeSign(switches);
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
    return Real(PairSign(switches, parity)) * group.A * PairBracket(group, switches, r);
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
    try {
        for (Real r : distances)
            curve.Push.push_back(Push(group, switches, parity, r));
    } catch (const UserError& fault) {
        curve.Push.clear();
        curve.Fault = fault.what();
    }
    return curve;
}

std::vector<Equilibrium> FindEquilibria(const GroupCoefficients& group, const LawSwitches& switches, Parity parity,
                                        const std::vector<Real>& distances, const std::vector<Real>& push)
{
    std::vector<Equilibrium> found;
    std::size_t last = push.size(); // the last nonzero sample so far
    for (std::size_t k = 0; k < push.size(); ++k) {
        const int sign = SignOf(push[k]);
        if (sign == 0)
            continue;
        if (last != push.size() && SignOf(push[last]) == -sign)
            found.push_back(Bisect(group, switches, parity, distances[last], distances[k], -sign));
        last = k;
    }
    return found;
}

std::vector<ShellCentre> ShellCentres(const GroupCoefficients& group, const LawSwitches& switches)
{
    const std::array<Real, ShellCount> k = ShellCoefficients(group);
    const int shells = switches.Functions3X1 ? ShellG : ShellCount;
    std::vector<ShellCentre> centres;
    for (int shell = 0; shell < shells; ++shell)
        centres.push_back({"BCDFG"[shell], k[shell] / QuotientScale});
    return centres;
}
