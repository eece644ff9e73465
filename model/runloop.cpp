// SPDX-License-Identifier: MIT
#include "model/runloop.h"

std::int32_t NextStepCount(std::int32_t n)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n) + 1u);
}

void RunLoop(TaonSystem& system, StepEngine& engine, RunHost& host, std::int32_t start)
{
    std::int32_t counter = start;
    do {
        counter = NextStepCount(counter);
        engine.Step(system, host.CurrentSwitches());
        system.StepCount = counter;
        host.StepTaken();
        if (system.ShowTime)
            host.ShowStepCount(system.StepCount);
        host.DrawScene();
        if (host.ShowListChecked())
            host.FillListing();
        host.ProcessEvents();
    } while (!system.Stopped);
}
