// SPDX-License-Identifier: MIT
#include "model/stepengine.h"

#include "model/step.h"

StepEngine::StepEngine() : StepEngine(0) {}

StepEngine::StepEngine(int threadCount) : pool_(threadCount), forces_(pool_) {}

void StepEngine::Step(TaonSystem& system, const RunSwitches& switches)
{
    AdvanceStep(system, switches, forces_);
}
