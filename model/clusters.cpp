// SPDX-License-Identifier: MIT
#include "model/clusters.h"

#include "model/usererror.h"

#include <algorithm>
#include <numeric>

namespace {

// The edge of the innermost well of one row's curve with the given parity.
Real CurveCutoff(const GroupPotential& potential, const GroupCoefficients& row, const LawSwitches& switches,
                 Parity parity)
{
    const std::vector<Equilibrium> found = GroupEquilibria(potential, row, switches, parity);
    const auto stable = std::find_if(found.begin(), found.end(), [](const Equilibrium& e) { return e.Stable; });
    if (stable == found.end())
        return 0;
    const auto barrier = std::find_if(stable, found.end(), [](const Equilibrium& e) { return !e.Stable; });
    return barrier == found.end() ? potential.End() : barrier->R;
}

int Root(std::vector<int>& parent, int k)
{
    while (parent[k] != k)
        k = parent[k] = parent[parent[k]];
    return k;
}

} // namespace

std::vector<Equilibrium> GroupEquilibria(const GroupPotential& potential, const GroupCoefficients& row,
                                         const LawSwitches& switches, Parity parity)
{
    const Real sign = PairSign(switches, parity == Parity::Equal);
    std::vector<Real> push(potential.Strengths());
    for (Real& p : push)
        p *= sign;
    return FindEquilibria(row, switches, parity, potential.Distances(), push);
}

ClusterCutoffs LawCutoffs(const PairLaw& law)
{
    const LawSwitches& switches = law.Setting().Switches;
    // Each row's curve once per parity, or the text of its fault.
    std::array<std::array<Real, 2>, GroupCount> curve{};
    std::array<std::string, GroupCount> fault;
    for (int g = 1; g <= GroupCount; ++g) {
        const GroupPotential& potential = law.Group(g);
        fault[g - 1] = potential.Fault();
        try {
            if (fault[g - 1].empty())
                for (Parity parity : {Parity::Equal, Parity::Opposite})
                    curve[g - 1][int(parity)] = CurveCutoff(potential, law.Setting().Groups[g - 1], switches, parity);
        } catch (const UserError& error) {
            fault[g - 1] = error.what();
        }
    }
    ClusterCutoffs cutoffs;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int h = g; h <= GroupCount; ++h) {
            const int pair = GroupPairIndex(g, h);
            cutoffs.Fault[pair] = fault[g - 1].empty() ? fault[h - 1] : fault[g - 1];
            for (int parity : {0, 1})
                cutoffs.R[pair][parity] = std::min(curve[g - 1][parity], curve[h - 1][parity]);
        }
    }
    return cutoffs;
}

ClusterCutoffs UniformCutoff(Real r)
{
    if (!(r > 0 && std::isfinite(r)))
        throw UserError("The cutoff must be a positive number.");
    ClusterCutoffs cutoffs;
    for (auto& byParity : cutoffs.R)
        byParity = {r, r};
    return cutoffs;
}

Clusters FindClusters(const TaonSystem& system, const ClusterCutoffs& cutoffs)
{
    Clusters result;
    const FinitePoints points = FinitePresentPoints(system);
    result.LeftOut = points.LeftOut;
    const int n = SlotsInUse(system);
    const int count = int(points.Slots.size());
    std::vector<int> parent(static_cast<std::size_t>(count), 0);
    std::iota(parent.begin(), parent.end(), 0);
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            const int i = points.Slots[a], j = points.Slots[b];
            const int pair = GroupPairIndex(GroupOf(i, n), GroupOf(j, n));
            if (!cutoffs.Fault[pair].empty()) {
                result.Fault = cutoffs.Fault[pair];
                return result;
            }
            const Parity parity = (i - j) % 2 == 0 ? Parity::Equal : Parity::Opposite;
            if (SlotDistance<PlainOps>(system, i, j) < cutoffs.R[pair][int(parity)])
                parent[Root(parent, a)] = Root(parent, b);
        }
    }
    std::vector<std::vector<int>> members(static_cast<std::size_t>(count));
    for (int a = 0; a < count; ++a)
        members[Root(parent, a)].push_back(points.Slots[a]);
    for (auto& m : members)
        if (!m.empty())
            result.Members.push_back(std::move(m));
    std::sort(result.Members.begin(), result.Members.end(), [](const auto& x, const auto& y) {
        return x.size() != y.size() ? x.size() > y.size() : x.front() < y.front();
    });
    result.Largest = result.Members.empty() ? 0 : int(result.Members.front().size());
    return result;
}
