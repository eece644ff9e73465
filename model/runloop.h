// SPDX-License-Identifier: MIT
#pragma once

#include "model/stepengine.h"
#include "model/switches.h"
#include "model/taonsystem.h"

#include <cstdint>

// The window's duties between two steps; the main window plugs in here, tests
// and the command-line tool run headless.
class RunHost {
public:
    virtual ~RunHost() = default;
    virtual RunSwitches CurrentSwitches() = 0;              // read afresh for every step
    virtual void ShowStepCount(std::int32_t stepCount) = 0;  // called only while ShowTime is true
    virtual void StepTaken() {} // after every step, once StepCount holds it: run figures, logs
    virtual void DrawScene() = 0;
    virtual bool ShowListChecked() = 0;
    virtual void FillListing() = 0;
    virtual void ProcessEvents() = 0; // may run any handler, including ones that set Stopped or change the model
};

// The run: one step after another until Stopped is true after the events of a
// step. StepCount is overwritten with the run's own counter, which starts from
// `start`, at every step. A fault leaves by the exception (UserError) with
// StepCount and the committed arrays as after the last complete step.
void RunLoop(TaonSystem& system, StepEngine& engine, RunHost& host, std::int32_t start);

// n + 1, wrapping from the largest 32-bit value to the smallest.
std::int32_t NextStepCount(std::int32_t n);
