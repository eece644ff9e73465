// SPDX-License-Identifier: MIT
#pragma once

#include "model/switches.h"
#include "model/taonsystem.h"
#include "scenes/sweeptable.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>

// The jobs of a sweep on this machine, several at once, each with one
// thread, their results in one folder (merge.h names the files).
struct SweepPlan {
    TaonSystem Start;
    SweepTable Table;
    std::int64_t Steps = 0;
    RunSwitches Switches;
    QString Folder;
    int JobsAtOnce = 0; // 0: DefaultThreads(), every core unless Slurm says
    // This runner's share of the table: the jobs whose id - 1 leaves Share
    // divided by Shares.
    int Share = 0;
    int Shares = 1;
};

struct SweepProgress {
    int Done = 0; // this time, failed ones included
    int Failed = 0;
    int ToRun = 0;           // this time: the share's jobs without a result
    double SecondsLeft = -1; // unknown before the first job ends
};

struct SweepReport {
    int Jobs = 0; // in the folder's summary.csv
    int Failed = 0;
    bool Cancelled = false;
};

// Makes the folder and writes the job table into it, or finds the same
// table there from an earlier start; UserError if the folder cannot be made
// or written, or holds another table's jobs.
void PrepareSweepFolder(const QString& folder, const SweepTable& table);

// Makes the folder and writes the job table into it before any job runs
// (UserError if either fails, or if the folder holds another table's jobs),
// skips the jobs whose summary exists, runs the others, and merges every
// summary of the folder into summary.csv. A job's end scene and summary are
// written atomically, the summary last; a job that faults has a summary
// only. `progress` is called from the runner's threads, one call at a time,
// after each job; `cancel` stops the jobs under way, which leave no result.
SweepReport RunSweep(const SweepPlan& plan, const std::function<void(const SweepProgress&)>& progress = {},
                     const std::atomic<bool>* cancel = nullptr);
