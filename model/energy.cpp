// SPDX-License-Identifier: MIT
#include "model/energy.h"

#include "model/pairdistances.h"
#include "model/runquantities.h"
#include "model/usererror.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

EnergyFigures Without(EnergyStatus status, std::string reason)
{
    EnergyFigures figures;
    figures.Status = status;
    figures.Reason = std::move(reason);
    return figures;
}

const char* ModeText(ConstraintMode mode)
{
    switch (mode) {
    case ConstraintMode::HotContact:
        return "The \"Hot\" contact potential folds points across its walls.";
    case ConstraintMode::ColdContact:
        return "The \"Cold\" contact potential turns points round at its walls.";
    case ConstraintMode::ElecCurrent1:
        return "ElecCurrent1 moves points by its constraint pass.";
    case ConstraintMode::ElecCurrent2:
        return "ElecCurrent2 moves points by its constraint pass.";
    case ConstraintMode::AtomStand:
        break;
    }
    return "";
}

bool Finite(const GroupCoefficients& c)
{
    for (Real v : {c.A, c.B, c.C, c.D, c.F, c.G})
        if (!std::isfinite(v))
            return false;
    return true;
}

// Why the present points' energy is not conserved or not defined, or nothing.
std::optional<EnergyFigures> Obstacle(const TaonSystem& system, const RunSwitches& switches,
                                      const std::vector<int>& present)
{
    const int n = SlotsInUse(system);
    if (present.empty())
        return Without(EnergyStatus::NotDefined, "No point is present.");
    for (int i : present) {
        for (Real v : {system.X[i], system.Y[i], system.Z[i]})
            if (!std::isfinite(v))
                return Without(EnergyStatus::NotDefined,
                               "The position of slot " + std::to_string(i) + " is not a finite number.");
        for (Real v : {system.U[i], system.V[i], system.W[i]})
            if (!std::isfinite(v))
                return Without(EnergyStatus::NotDefined,
                               "The velocity of slot " + std::to_string(i) + " is not a finite number.");
    }
    if (switches.Mode != ConstraintMode::AtomStand)
        return Without(EnergyStatus::NotConserved, ModeText(switches.Mode));
    if (switches.Cool)
        return Without(EnergyStatus::NotConserved, "Cool takes away a twentieth of every velocity at each step.");
    if (switches.Blockade)
        return Without(EnergyStatus::NotConserved, "Blockade holds points fixed or lets them move along x only.");
    std::array<bool, GroupCount> used{};
    for (int i : present)
        used[GroupOf(i, n) - 1] = true;
    for (int g = 1; g <= GroupCount; ++g)
        if (used[g - 1] && !Finite(CoefficientsOf(system, g)))
            return Without(EnergyStatus::NotDefined,
                           "The coefficients of group " + std::to_string(g) + " are not all finite numbers.");
    for (int g = 1; g <= GroupCount; ++g)
        for (int h = g + 1; h <= GroupCount; ++h)
            if (used[g - 1] && used[h - 1] && !SameRow(CoefficientsOf(system, g), CoefficientsOf(system, h)))
                return Without(EnergyStatus::NotConserved,
                               "Groups " + std::to_string(g) + " and " + std::to_string(h) +
                                   " have different coefficients, so their points do not push each other alike.");
    return std::nullopt;
}

} // namespace

EnergyFigures MeasureEnergy(const TaonSystem& system, const RunSwitches& switches, const PairLaw& law)
{
    if (!(law.Setting() == LawSettingOf(system, switches.Law)))
        throw std::logic_error("MeasureEnergy: the pair law is not the system's");
    const int n = SlotsInUse(system);
    std::vector<int> present;
    for (int i = 1; i <= n; ++i)
        if (system.Present[i] != 0)
            present.push_back(i);
    if (auto obstacle = Obstacle(system, switches, present))
        return *obstacle;
    EnergyFigures figures;
    try {
        // All distances under one test of the flags; on a fault, again one
        // operation at a time for the first fault's text.
        std::vector<Real> distances;
        distances.reserve(present.size() * present.size() / 2);
        ClearFaultFlags();
        for (std::size_t a = 0; a < present.size(); ++a)
            for (std::size_t b = a + 1; b < present.size(); ++b)
                distances.push_back(SlotDistance<PlainOps>(system, present[a], present[b]));
        if (RaisedFaultFlags() != 0)
            for (std::size_t a = 0; a < present.size(); ++a)
                for (std::size_t b = a + 1; b < present.size(); ++b)
                    SlotDistance<CheckedOps>(system, present[a], present[b]);
        Real potential = 0;
        std::size_t k = 0;
        for (std::size_t a = 0; a < present.size(); ++a) {
            for (std::size_t b = a + 1; b < present.size(); ++b) {
                const int i = present[a], j = present[b];
                potential += PairSign(switches.Law, EqualParity(i, j)) * law.Group(GroupOf(j, n)).At(distances[k++]);
            }
        }
        figures.Potential = potential;
    } catch (const UserError& fault) {
        return Without(EnergyStatus::Fault, fault.what());
    }
    figures.Status = EnergyStatus::Conserved;
    figures.Kinetic = MeasureRun(system).Kinetic;
    figures.Total = figures.Kinetic + figures.Potential;
    return figures;
}

std::optional<Real> RelativeDrift(const EnergyFigures& start, const EnergyFigures& now)
{
    if (start.Status != EnergyStatus::Conserved || now.Status != EnergyStatus::Conserved || start.Total == 0)
        return std::nullopt;
    return (now.Total - start.Total) / std::fabs(start.Total);
}
