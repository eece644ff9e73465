// SPDX-License-Identifier: MIT
#pragma once

#include "model/law.h"
#include "model/point3.h"
#include "model/real.h"
#include "model/taonsystem.h"

#include <array>
#include <cstdint>
#include <optional>

// What a run looks like from outside, from the committed state of the present
// slots. Every point has unit mass, so a velocity is a momentum:
//
//   kinetic energy  K_g = 1/2 sum over group g of (u^2 + v^2 + w^2)
//   momentum        p = sum (u, v, w)
//   centroid        c = (sum (x, y, z)) / n
//   gyration        rg = sqrt(sum |r - c|^2 / n)
//
// The law is not reciprocal between groups with different coefficients, so p
// drifts; between equal rows it stays as it was.
struct RunQuantities {
    std::array<Real, GroupCount> GroupKinetic{}; // groups 1..3 at 0..2
    Real Kinetic = 0;
    Point3 Momentum;
    Real MomentumSize = 0;
    Point3 Centroid; // the origin with no point present
    Real Gyration = 0;
    Real LargestSpeed = 0;
};

RunQuantities MeasureRun(const TaonSystem& system);

// The figures in the order of the run log's columns: ke1 ke2 ke3 ke, px py pz
// p, cx cy cz, rg, vmax.
constexpr int RunFigureCount = 13;
std::array<Real, RunFigureCount> FiguresInLogOrder(const RunQuantities& q);

// The structure figures of a sample (structurefigures.h), each empty where the
// state has none or the sample was taken without them; Drift, the total's
// relative change since the run's start, only where the Run Monitor forms it.
struct StructureSample {
    std::optional<int> Clusters, Largest;
    std::optional<Real> Potential, Total, Drift;
};

// One row of a run's record: the step count, the model time and the figures.
struct RunSample {
    std::int32_t Step = 0;
    Real Time = 0;
    RunQuantities Figures;
    StructureSample Structure = {};
};

// Steps in the current run and model time, the sum of dt over every step
// taken since the scene came in (dt may change between two steps).
class RunTally {
public:
    void StartRun() { stepsThisRun_ = 0; }
    void StepTaken(Real dt)
    {
        ++stepsThisRun_;
        modelTime_ += dt;
    }
    void Reset()
    {
        stepsThisRun_ = 0;
        modelTime_ = 0;
    }
    // Back to an earlier moment of the scene (undo, run history).
    void Restore(Real modelTime)
    {
        stepsThisRun_ = 0;
        modelTime_ = modelTime;
    }
    std::int64_t StepsThisRun() const { return stepsThisRun_; }
    Real ModelTime() const { return modelTime_; }

private:
    std::int64_t stepsThisRun_ = 0;
    Real modelTime_ = 0;
};

// The sample of the committed state: step count, model time and figures.
RunSample SampleOf(const TaonSystem& system, const RunTally& tally);
