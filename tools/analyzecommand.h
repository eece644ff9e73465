// SPDX-License-Identifier: MIT
#pragma once

#include "tools/clioptions.h"

#include <iosfwd>

// zarvitone-cli analyze FILE.ato [--cutoff R] [--histogram FILE.csv --bins N
// --range A:B] [switches]: the clusters and the energy of a scene, and the
// histogram of its pair distances per pair of groups.
const CommandForm& AnalyzeForm();

// `args` read by AnalyzeForm. Returns 0; throws UsageError for a bad command
// line and UserError when the histogram cannot be written.
int AnalyzeCommand(const CommandLine& args, std::istream& in, std::ostream& out);
