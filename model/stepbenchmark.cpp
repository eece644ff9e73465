// SPDX-License-Identifier: MIT
#include "model/stepbenchmark.h"

#include "model/runloop.h"
#include "model/step.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <ostream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// A small fixed generator, so the scene is the same on every machine.
class Sequence {
public:
    explicit Sequence(std::uint64_t seed) : state_(seed) {}
    Real Next(Real low, Real high)
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return low + (high - low) * Real(state_ >> 11) / Real(std::uint64_t{1} << 53);
    }

private:
    std::uint64_t state_;
};

bool SameState(const TaonSystem& a, const TaonSystem& b)
{
    for (auto array : {&TaonSystem::X, &TaonSystem::Y, &TaonSystem::Z, &TaonSystem::U, &TaonSystem::V, &TaonSystem::W,
                       &TaonSystem::NewX, &TaonSystem::NewY, &TaonSystem::NewZ, &TaonSystem::NewU, &TaonSystem::NewV,
                       &TaonSystem::NewW})
        for (int i = 1; i <= SlotCount; ++i)
            if (std::memcmp(&(a.*array)[i], &(b.*array)[i], 10) != 0)
                return false;
    return true;
}

// Steps until `seconds` have passed and at least `minimum` steps are done.
template <class StepOnce>
std::pair<int, double> Time(double seconds, int minimum, StepOnce step)
{
    const Clock::time_point start = Clock::now();
    int steps = 0;
    double elapsed = 0;
    while (steps < minimum || elapsed < seconds) {
        step();
        ++steps;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return {steps, steps / elapsed};
}

const char* ModeName(ConstraintMode mode)
{
    switch (mode) {
    case ConstraintMode::AtomStand:
        return "AtomStand";
    case ConstraintMode::HotContact:
        return "HotContact";
    case ConstraintMode::ColdContact:
        return "ColdContact";
    case ConstraintMode::ElecCurrent1:
        return "ElecCurrent1";
    case ConstraintMode::ElecCurrent2:
        return "ElecCurrent2";
    }
    return "";
}

// 100 present points, their squared distances above `gapSquare`, in a box of
// half-width `half`; small random velocities, a different coefficient row for
// each group.
TaonSystem RandomScene(Real half, Real gapSquare)
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    s.A1 = 1, s.B1 = 1, s.C1 = 2, s.D1 = 3, s.F1 = 4, s.G1 = 5;
    s.A2 = 0.8L, s.B2 = 1.1L, s.C2 = 2.3L, s.D2 = 3, s.F2 = 4, s.G2 = 4.5L;
    s.A3 = 1.2L, s.B3 = 1, s.C3 = 2, s.D3 = 2.7L, s.F3 = 3.6L, s.G3 = 5;
    Sequence random(20240611);
    for (int i = 1; i <= SlotCount; ++i) {
        for (bool clear = false; !clear;) {
            s.X[i] = random.Next(-half, half);
            s.Y[i] = random.Next(-half, half);
            s.Z[i] = random.Next(-half, half);
            clear = true;
            for (int j = 1; j < i; ++j) {
                const Real dx = s.X[i] - s.X[j], dy = s.Y[i] - s.Y[j], dz = s.Z[i] - s.Z[j];
                clear = clear && dx * dx + dy * dy + dz * dz > gapSquare;
            }
        }
        s.U[i] = random.Next(-1.5L, 1.5L);
        s.V[i] = random.Next(-1.5L, 1.5L);
        s.W[i] = random.Next(-1.5L, 1.5L);
        s.Present[i] = 1;
    }
    FillSceneRecord(s);
    RestoreFromSceneRecord(s);
    return s;
}

} // namespace

TaonSystem BenchmarkScene()
{
    return RandomScene(3.2L, 0.16L);
}

TaonSystem DenseScene()
{
    return RandomScene(1.25L, 0.09L);
}

BenchmarkResult MeasureMode(const TaonSystem& scene, ConstraintMode mode, double seconds)
{
    RunSwitches switches;
    switches.Mode = mode;
    StepEngine engine;

    TaonSystem reference = scene;
    const auto [referenceSteps, referenceRate] = Time(seconds, 3, [&] { ReferenceStep(reference, switches); });
    TaonSystem fast = scene;
    const auto [fastSteps, fastRate] = Time(seconds, 30, [&] { engine.Step(fast, switches); });

    TaonSystem check = scene;
    for (int step = 0; step < referenceSteps; ++step)
        engine.Step(check, switches);
    return {mode, referenceSteps, referenceRate, fastSteps, fastRate, SameState(check, reference)};
}

bool RunBenchmark(std::ostream& out, double secondsPerPath)
{
    out << "Step benchmark: 100 present points, " << std::max(1u, std::thread::hardware_concurrency())
        << " hardware threads\n";
    out << std::left << std::setw(8) << "scene" << std::setw(14) << "mode" << std::right << std::setw(18)
        << "reference steps/s" << std::setw(14) << "fast steps/s" << std::setw(9) << "ratio"
        << "  identical\n";
    double worst = 0;
    bool identical = true;
    struct Scene {
        const char* Name;
        TaonSystem System;
        bool Rated; // counts for the last line
    };
    const Scene scenes[] = {{"spread", BenchmarkScene(), true}, {"dense", DenseScene(), false}};
    for (const auto& [name, scene, rated] : scenes) {
        for (ConstraintMode mode : {ConstraintMode::AtomStand, ConstraintMode::ElecCurrent1}) {
            const BenchmarkResult r = MeasureMode(scene, mode, secondsPerPath);
            const double ratio = r.FastRate / r.ReferenceRate;
            if (rated)
                worst = worst == 0 ? ratio : std::min(worst, ratio);
            identical = identical && r.Identical;
            out << std::left << std::setw(8) << name << std::setw(14) << ModeName(mode) << std::right << std::fixed
                << std::setprecision(1) << std::setw(18) << r.ReferenceRate << std::setw(14) << r.FastRate
                << std::setw(9) << ratio << "  " << (r.Identical ? "yes" : "NO") << " (" << r.ReferenceSteps
                << " steps)\n";
        }
    }
    out << "ratio: " << std::fixed << std::setprecision(1) << worst << '\n';
    return identical;
}
