// SPDX-License-Identifier: MIT
#pragma once

#include "model/potential.h"

#include <optional>
#include <string>

// The total energy of the committed state: the kinetic energy of the present
// points (unit masses) plus the pair potential V (potential.h) summed over
// the present pairs. The exact motion keeps it constant only under the plain
// run: AtomStand, no Cool, no Blockade, and a law whose every present pair
// pushes both ways alike. Its drift over a run then measures the error of dt.
enum class EnergyStatus {
    Conserved,    // the figures below hold
    NotConserved, // Reason says what adds or removes energy
    NotDefined,   // Reason says why there is no energy to give
    Fault,        // Reason is the text of the law's fault at a pair's distance
};

struct EnergyFigures {
    EnergyStatus Status = EnergyStatus::NotDefined;
    std::string Reason; // empty when Conserved
    Real Kinetic = 0, Potential = 0, Total = 0;
};

// `law` must be made for the system's coefficients and switches.Law.
EnergyFigures MeasureEnergy(const TaonSystem& system, const RunSwitches& switches, const PairLaw& law);

// (Total - start Total) / |start Total|, when both are conserved figures and
// the start is not zero.
std::optional<Real> RelativeDrift(const EnergyFigures& start, const EnergyFigures& now);
