// SPDX-License-Identifier: MIT
// The local sweep runner's scaling: the same 16 jobs of 200 steps on the
// 100-point benchmark scene, one job at a time and one job per core, each job
// with one thread, and the speed-up; beside it the rate of one such job, the
// rate of `zarvitone-cli run --threads 1`. Wall-clock times, as the speed-up
// is what a user waits for; the machine should be otherwise idle.
#include "model/stepbenchmark.h"
#include "sweep/grid.h"
#include "sweep/job.h"
#include "sweep/runner.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

namespace {

constexpr int Jobs = 16;
constexpr int Steps = 200;

double SweepSeconds(const SweepPlan& plan, int jobsAtOnce, const QString& folder)
{
    SweepPlan run = plan;
    run.JobsAtOnce = jobsAtOnce;
    run.Folder = folder;
    QElapsedTimer clock;
    clock.start();
    const SweepReport report = RunSweep(run);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (report.Jobs != Jobs || report.Failed != 0) {
        std::fprintf(stderr, "the sweep did not run its %d jobs\n", Jobs);
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main()
{
    QTemporaryDir scratch;
    SweepPlan plan;
    plan.Start = BenchmarkScene();
    plan.Table = GridTable({AxisFromText("A1=0.9:1.1:4"), AxisFromText("B1=2.6:2.8:4")});
    plan.Steps = Steps;
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));

    TaonSystem one = plan.Start;
    QElapsedTimer clock;
    clock.start();
    RunJob(one, {plan.Table.JobSettings(1), Steps, {}, 1});
    const double singleRate = Steps / (clock.nsecsElapsed() / 1e9);

    const double serial = SweepSeconds(plan, 1, scratch.filePath("serial"));
    const double parallel = SweepSeconds(plan, cores, scratch.filePath("parallel"));
    std::printf("sweep of %d jobs x %d steps, 100 present points\n", Jobs, Steps);
    std::printf("run --threads 1         %8.1f steps/s\n", singleRate);
    std::printf("1 job at a time         %8.2f s\n", serial);
    std::printf("%d jobs at a time        %8.2f s\n", cores, parallel);
    std::printf("speed-up: %.2f\n", serial / parallel);
    return 0;
}
