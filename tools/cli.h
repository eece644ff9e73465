#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// zarvitone-cli, the companion for scripts and batch work: scenes as text,
// headless runs and the step benchmark. `args` excludes the program name.
// Returns the exit status: 0 done, 1 failed, 2 bad usage; a failure prints
// one line on `err` and writes no file.
int CliMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

extern const char* const CliHelp;
