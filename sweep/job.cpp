// SPDX-License-Identifier: MIT
#include "sweep/job.h"

#include "model/runloop.h"
#include "model/structurefigures.h"
#include "model/usererror.h"
#include "scenes/scenetext.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

// The window's duties, done headless: nothing to draw or list; the events of
// the last step are a Stop.
class BatchHost : public RunHost {
public:
    BatchHost(TaonSystem& system, const RunSwitches& switches, std::int64_t steps, const StepHook& hook)
        : system_(system), switches_(switches), remaining_(steps), hook_(hook)
    {}
    RunSwitches CurrentSwitches() override { return switches_; }
    void ShowStepCount(std::int32_t) override {}
    void StepTaken() override
    {
        tally_.StepTaken(system_.dt);
        if (hook_ && !hook_(system_, tally_))
            system_.Stopped = true;
    }
    void DrawScene() override {}
    bool ShowListChecked() override { return false; }
    void FillListing() override {}
    void ProcessEvents() override
    {
        if (--remaining_ == 0)
            system_.Stopped = true;
    }
    const RunTally& Tally() const { return tally_; }

private:
    TaonSystem& system_;
    RunSwitches switches_;
    std::int64_t remaining_;
    const StepHook& hook_;
    RunTally tally_;
};

} // namespace

JobOutcome RunJob(TaonSystem& system, const JobRequest& request, const StepHook& hook)
{
    for (const auto& [name, value] : request.Set)
        system.**SceneScalarNamed(name) = value;
    JobOutcome outcome;
    outcome.Summary.Set = request.Set;
    BatchHost host(system, request.Switches, request.Steps, hook);
    if ((!hook || hook(system, RunTally())) && request.Steps > 0) {
        StepEngine engine(request.Threads);
        system.Stopped = false;
        try {
            RunLoop(system, engine, host, system.StepCount);
        } catch (const UserError& fault) {
            // StepCount holds the last complete step.
            outcome.Fault =
                std::string(fault.what()) + " in step " + std::to_string(std::int64_t(system.StepCount) + 1);
            outcome.Summary.Status = *outcome.Fault;
        }
    }
    outcome.Summary.Steps = host.Tally().StepsThisRun();
    outcome.Summary.Last = SampleOf(system, host.Tally());
    outcome.Summary.Last.Structure = SampleOfStructure(StructureGauge().Measure(system, request.Switches));
    return outcome;
}

int DefaultThreads()
{
    const char* slurm = std::getenv("SLURM_CPUS_PER_TASK");
    int threads = 0;
    if (slurm != nullptr) {
        const char* end = slurm + std::strlen(slurm);
        const auto [last, ec] = std::from_chars(slurm, end, threads);
        if (ec != std::errc() || last != end || threads < 1)
            threads = 0;
    }
    return threads;
}
