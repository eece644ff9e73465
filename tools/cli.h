// SPDX-License-Identifier: MIT
#pragma once

#include "tools/clioptions.h"

#include <iosfwd>
#include <string>
#include <vector>

// zarvitone-cli, the companion for scripts and batch work: scenes as text,
// headless runs and the step benchmark. `args` excludes the program name.
// Returns the exit status: 0 done, 1 failed, 2 bad usage; a failure prints
// one line on `err` (a bad usage two, the second the command's usage) and
// writes no file.
int CliMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// A command: its table of options and what runs it on a command line read by
// that table. Run returns the exit status or throws UsageError or UserError.
struct CliCommand {
    CommandForm Form;
    int (*Run)(const CommandLine& line, std::istream& in, std::ostream& out);
};

// Every command, in the order --help lists them.
const std::vector<CliCommand>& CliCommands();
