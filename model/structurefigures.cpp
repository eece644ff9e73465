// SPDX-License-Identifier: MIT
#include "model/structurefigures.h"

StructureGauge::StructureGauge(std::optional<Real> cutoff) : cutoff_(cutoff)
{
    if (cutoff_)
        cutoffs_ = UniformCutoff(*cutoff_);
}

const PairLaw& StructureGauge::LawOf(const TaonSystem& system, const LawSwitches& switches)
{
    const PairLaw& law = laws_.For(system, switches);
    if (!cutoff_ && !(cutoffsOf_ && *cutoffsOf_ == law.Setting())) {
        cutoffs_ = LawCutoffs(law);
        cutoffsOf_ = law.Setting();
    }
    return law;
}

Clusters StructureGauge::ClustersOf(const TaonSystem& system, const LawSwitches& switches)
{
    LawOf(system, switches);
    return FindClusters(system, cutoffs_);
}

StructureFigures StructureGauge::Measure(const TaonSystem& system, const RunSwitches& switches)
{
    Clusters found = ClustersOf(system, switches.Law);
    return {std::move(found), MeasureEnergy(system, switches, LawOf(system, switches.Law))};
}

StructureSample SampleOfStructure(const StructureFigures& figures)
{
    StructureSample sample;
    if (figures.Found.Fault.empty()) {
        sample.Clusters = int(figures.Found.Members.size());
        sample.Largest = figures.Found.Largest;
    }
    if (figures.Energy.Status == EnergyStatus::Conserved) {
        sample.Potential = figures.Energy.Potential;
        sample.Total = figures.Energy.Total;
    }
    return sample;
}
