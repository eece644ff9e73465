#pragma once

#include "model/switches.h"
#include "model/taonsystem.h"

#include <iosfwd>

// Steps per second of the literal reference and of the fast engine, side by
// side on one scene of 100 present points.

// The benchmark scene: 100 present points well apart in a box of half-width
// 3.2, small random velocities, a different coefficient row for each group.
TaonSystem BenchmarkScene();

struct BenchmarkResult {
    ConstraintMode Mode;
    int ReferenceSteps;
    double ReferenceRate; // steps per second
    int FastSteps;
    double FastRate;
    bool Identical; // same bits after ReferenceSteps steps on both paths
};

// Runs each path for about `seconds` (at least a few steps) in one mode.
BenchmarkResult MeasureMode(ConstraintMode mode, double seconds);

// Measures AtomStand and ElecCurrent1 and prints both rates and their ratio
// per mode; the last line is "ratio: N", the smaller of the two ratios.
// Returns false when the two paths disagreed.
bool RunBenchmark(std::ostream& out, double secondsPerPath = 2.0);
