// SPDX-License-Identifier: MIT
#include "view/pointpick.h"

#include "model/pairdistances.h"
#include "model/usererror.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Pixels from the click to the nearest pixel of the square, in each axis.
qint64 Gap(qint64 click, qint64 square)
{
    return std::max<qint64>({square - click, 0, click - (square + 1)});
}

QString Number(Real value)
{
    return QString::number(double(value), 'g', 6);
}

} // namespace

int PickPoint(const TaonSystem& system, const ViewState& view, PixelPoint click, int reach)
{
    int picked = 0;
    Real pickedDepth = 0;
    qint64 pickedGap = 0;
    const auto& m = view.ViewMatrix;
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (!system.Present[i])
            continue;
        const qint64 gapX = Gap(click.x, view.ScreenX[i]), gapY = Gap(click.y, view.ScreenY[i]);
        if (std::max(gapX, gapY) > reach)
            continue;
        const Real depth = m[1][0] * system.DrawX[i] + m[1][1] * system.DrawY[i] + m[1][2] * system.DrawZ[i];
        const qint64 gap = gapX * gapX + gapY * gapY;
        if (picked == 0 || depth < pickedDepth || (depth == pickedDepth && gap < pickedGap)) {
            picked = i;
            pickedDepth = depth;
            pickedGap = gap;
        }
    }
    return picked;
}

std::optional<Neighbour> NearestNeighbour(const TaonSystem& system, int slot)
{
    std::optional<Neighbour> nearest;
    for (int j : FinitePresentPoints(system).Slots) {
        if (j == slot)
            continue;
        const Real distance = std::sqrt(std::pow(system.X[j] - system.X[slot], 2) +
                                        std::pow(system.Y[j] - system.Y[slot], 2) +
                                        std::pow(system.Z[j] - system.Z[slot], 2));
        if (!nearest || distance < nearest->Distance)
            nearest = Neighbour{j, distance};
    }
    return nearest;
}

const std::vector<Equilibrium>& PickDescription::Equilibria(const TaonSystem& system, const LawSwitches& switches,
                                                             int group, Parity parity)
{
    const PairLaw& law = law_.For(system, switches);
    if (foundFor_ != law.Setting()) {
        equilibria_.clear();
        foundFor_ = law.Setting();
    }
    const auto key = std::make_tuple(group, parity);
    if (const auto found = equilibria_.find(key); found != equilibria_.end())
        return found->second;
    std::vector<Equilibrium>& equilibria = equilibria_[key];
    const GroupPotential& potential = law.Group(group);
    if (!potential.Fault().empty())
        return equilibria;
    // The push as the potential's table samples it, densest where it turns.
    const Real sign = PairSign(switches, parity == Parity::Equal);
    std::vector<Real> push(potential.Strengths());
    for (Real& p : push)
        p *= sign;
    try {
        equilibria = FindEquilibria(law.Setting().Groups[group - 1], switches, parity, potential.Distances(), push);
    } catch (const UserError&) {
        equilibria.clear(); // a law that faults here has no equilibrium to show
    }
    return equilibria;
}

std::optional<Equilibrium> PickDescription::NearestEquilibrium(const TaonSystem& system, const LawSwitches& switches,
                                                                int i, int j, Real distance)
{
    const int n = SlotsInUse(system);
    const Parity parity = EqualParity(i, j) ? Parity::Equal : Parity::Opposite;
    std::optional<Equilibrium> nearest;
    for (int group : {GroupOf(i, n), GroupOf(j, n)}) {
        for (const Equilibrium& e : Equilibria(system, switches, group, parity))
            if (!nearest || std::fabs(e.R - distance) < std::fabs(nearest->R - distance))
                nearest = e;
    }
    return nearest;
}

QString PickDescription::Line(const TaonSystem& system, const LawSwitches& switches, int slot)
{
    const Real speed = std::sqrt(system.U[slot] * system.U[slot] + system.V[slot] * system.V[slot] +
                                 system.W[slot] * system.W[slot]);
    QString line = QStringLiteral("Point %1, group %2: at (%3, %4, %5), speed %6")
                       .arg(slot)
                       .arg(GroupOf(slot, SlotsInUse(system)))
                       .arg(Number(system.X[slot]), Number(system.Y[slot]), Number(system.Z[slot]), Number(speed));
    const std::optional<Neighbour> neighbour = NearestNeighbour(system, slot);
    if (!neighbour)
        return line + QStringLiteral("; no other point");
    line += QStringLiteral("; nearest point %1 at %2").arg(neighbour->Slot).arg(Number(neighbour->Distance));
    const std::optional<Equilibrium> rest =
        NearestEquilibrium(system, switches, slot, neighbour->Slot, neighbour->Distance);
    if (!rest)
        return line + QStringLiteral(", their law has no equilibrium");
    return line + QStringLiteral(", nearest equilibrium %1 (%2)")
                      .arg(Number(rest->R), rest->Stable ? QStringLiteral("stable") : QStringLiteral("unstable"));
}
