// SPDX-License-Identifier: MIT
#pragma once

#include "model/clusters.h"
#include "model/energy.h"
#include "model/runquantities.h"

#include <optional>

// The structure of one committed state, as `zarvitone-cli analyze` prints it,
// run --log writes it and the Run Monitor shows it: its clusters and its energy.
struct StructureFigures {
    Clusters Found;
    EnergyFigures Energy;
};

// Measures states one after another, keeping the law's potentials and cutoffs
// until the law's setting changes (making them costs far more than a state).
class StructureGauge {
public:
    // One cutoff for every pair, or the law's own (nullopt). Throws UserError
    // for a cutoff that is not a positive number.
    explicit StructureGauge(std::optional<Real> cutoff = std::nullopt);

    StructureFigures Measure(const TaonSystem& system, const RunSwitches& switches);
    // The clusters alone, and the law they were read with.
    Clusters ClustersOf(const TaonSystem& system, const LawSwitches& switches);
    const PairLaw& LawOf(const TaonSystem& system, const LawSwitches& switches);
    // The cutoffs of the last Measure's law.
    const ClusterCutoffs& Cutoffs() const { return cutoffs_; }
    bool LawCutoff() const { return !cutoff_; }

private:
    std::optional<Real> cutoff_;
    PairLawCache laws_;
    ClusterCutoffs cutoffs_;
    std::optional<LawSetting> cutoffsOf_; // the law the cutoffs were read from
};

// The figures a run's record keeps; empty where the state has none.
StructureSample SampleOfStructure(const StructureFigures& figures);
