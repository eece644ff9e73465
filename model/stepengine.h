// SPDX-License-Identifier: MIT
#pragma once

#include "model/pairforces.h"
#include "model/switches.h"
#include "model/taonsystem.h"
#include "model/workerpool.h"

// Runs steps with the fast forces. Owns the worker pool, started once, and
// the scratch space of the pair tables.
class StepEngine {
public:
    StepEngine(); // uses every core
    explicit StepEngine(int threadCount);

    // One pass: integrate and commit, then the constraint pass. Throws
    // UserError on a fault, leaving the model as the literal step leaves it.
    void Step(TaonSystem& system, const RunSwitches& switches);

private:
    WorkerPool pool_;
    PairForces forces_;
};
