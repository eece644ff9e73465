// SPDX-License-Identifier: MIT
#pragma once

#include "model/runquantities.h"
#include "model/switches.h"
#include "model/taonsystem.h"
#include "scenes/runsummary.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// One run of a scene, headless, as `zarvitone-cli run` and every sweep job
// do it, so that their summaries are the same bytes however a job is run.
struct JobRequest {
    Settings Set; // applied to the scene before the first step
    std::int64_t Steps = 0;
    RunSwitches Switches;
    int Threads = 0; // the pair engine's; 0 for every core
};

// Called at step 0 and after every step with the committed state; false
// stops the run after that step.
using StepHook = std::function<bool(const TaonSystem&, const RunTally&)>;

struct JobOutcome {
    RunSummary Summary;
    std::optional<std::string> Fault; // the status when the run faulted: "TEXT in step N"
};

// Sets the values and runs the steps of `request` on `system`. A fault ends
// the run with the state of the last complete step and is told in the
// outcome, not thrown.
JobOutcome RunJob(TaonSystem& system, const JobRequest& request, const StepHook& hook = {});

// The pair engine's threads when not told: SLURM_CPUS_PER_TASK where Slurm
// sets it, else every core (0).
int DefaultThreads();
