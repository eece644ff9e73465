// SPDX-License-Identifier: MIT
#pragma once

#include "tools/clioptions.h"

#include <iosfwd>

// zarvitone-cli sweep BASE.ato --vary ... | --table FILE.csv: the job table
// of a sweep; with --run its jobs on this machine, with --commands one `run`
// line per job for GNU Parallel, with --slurm a Slurm job-array script.
const CommandForm& SweepForm();
int SweepCommand(const CommandLine& line, std::istream& in, std::ostream& out);

// zarvitone-cli merge DIR | FILE.csv...: the jobs' summaries as one table.
const CommandForm& MergeForm();
int MergeCommand(const CommandLine& line, std::istream& in, std::ostream& out);
