// SPDX-License-Identifier: MIT
#pragma once

#include "model/switches.h"
#include "model/taonsystem.h"

#include <iosfwd>

// Steps per second of the literal reference and of the fast engine, side by
// side on two scenes of 100 present points.

// The benchmark scene: 100 present points well apart in a box of half-width
// 3.2, small random velocities, a different coefficient row for each group.
TaonSystem BenchmarkScene();
// The same coefficient rows with the points crowded into a cube of side 2.5,
// at least 0.3 apart: most distances are short.
TaonSystem DenseScene();

struct BenchmarkResult {
    ConstraintMode Mode;
    int ReferenceSteps;
    double ReferenceRate; // steps per second
    int FastSteps;
    double FastRate;
    bool Identical; // same bits after ReferenceSteps steps on both paths
};

// Runs each path on `scene` for about `seconds` (at least a few steps) in one mode.
BenchmarkResult MeasureMode(const TaonSystem& scene, ConstraintMode mode, double seconds);

// Measures AtomStand and ElecCurrent1 on both scenes and prints both rates and
// their ratio per row; the last line is "ratio: N", the smaller of the two
// ratios on the benchmark scene.
// Returns false when the two paths disagreed.
bool RunBenchmark(std::ostream& out, double secondsPerPath = 2.0);
