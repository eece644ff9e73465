// SPDX-License-Identifier: MIT
#include "sweep/runner.h"

#include "model/usererror.h"
#include "scenes/atomicwrite.h"
#include "scenes/inputfile.h"
#include "scenes/scenefile.h"
#include "sweep/job.h"
#include "sweep/merge.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void PrepareSweepFolder(const QString& folder, const SweepTable& jobs)
{
    const QByteArray table = SweepTableText(jobs);
    const std::string name = folder.toStdString();
    if (!QDir().mkpath(folder))
        throw UserError(name + ": the folder could not be made");
    const QString path = JobTablePath(folder);
    if (QFileInfo::exists(path)) {
        InputFile file = InputFile::Open(path);
        const QByteArray old = file.ReadAll();
        file.Close();
        if (old != table)
            throw UserError(name + " holds the results of another sweep (its jobs.csv differs)");
    }
    try {
        WriteFileAtomically(path, table);
    } catch (const UserError& error) {
        throw UserError(path.toStdString() + ": " + error.what());
    }
}

SweepReport RunSweep(const SweepPlan& plan, const std::function<void(const SweepProgress&)>& progress,
                     const std::atomic<bool>* cancel)
{
    PrepareSweepFolder(plan.Folder, plan.Table);
    std::vector<int> ids;
    for (int id = 1; id <= int(plan.Table.Jobs.size()); ++id)
        if ((id - 1) % plan.Shares == plan.Share && !QFileInfo::exists(JobSummaryPath(plan.Folder, id)))
            ids.push_back(id);

    std::mutex mutex;
    std::size_t next = 0;
    SweepProgress state;
    state.ToRun = int(ids.size());
    std::exception_ptr failure;
    std::atomic<bool> failed{false}; // a result could not be written: the others stop too
    const auto started = std::chrono::steady_clock::now();
    const auto cancelled = [&] { return (cancel && cancel->load()) || failed.load(); };

    const auto work = [&] {
        for (;;) {
            int id = 0;
            {
                std::lock_guard lock(mutex);
                if (next == ids.size() || cancelled())
                    return;
                id = ids[next++];
            }
            try {
                TaonSystem system = plan.Start;
                const JobOutcome outcome = RunJob(system, {plan.Table.JobSettings(id), plan.Steps, plan.Switches, 1},
                                                  [&](const TaonSystem&, const RunTally&) { return !cancelled(); });
                if (cancelled())
                    return; // stopped part way: no result
                const QString scene = JobScenePath(plan.Folder, id);
                if (!outcome.Fault)
                    WriteSceneFile(system, scene);
                WriteFileAtomically(JobSummaryPath(plan.Folder, id), RunSummaryText(outcome.Summary));
                std::lock_guard lock(mutex);
                ++state.Done;
                state.Failed += outcome.Fault ? 1 : 0;
                const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
                state.SecondsLeft = spent.count() / state.Done * (state.ToRun - state.Done);
                if (progress)
                    progress(state);
            } catch (...) {
                std::lock_guard lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                failed = true;
                return;
            }
        }
    };
    const int threads = std::max(1, std::min(plan.JobsAtOnce > 0    ? plan.JobsAtOnce
                                             : DefaultThreads() > 0 ? DefaultThreads()
                                                                    : int(std::thread::hardware_concurrency()),
                                             state.ToRun));
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);

    SweepReport report;
    report.Cancelled = cancel && cancel->load();
    if (!JobSummaryFiles(plan.Folder).isEmpty()) {
        const MergedSummary merged = MergeFolder(plan.Folder);
        report.Jobs = merged.Jobs;
        report.Failed = merged.Failed;
    }
    return report;
}
