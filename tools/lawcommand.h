// SPDX-License-Identifier: MIT
#pragma once

#include "tools/clioptions.h"

#include <iosfwd>

// zarvitone-cli law FILE.ato [--from R0 --to R1 --samples N] [--taoscope]
// [--functions3x1] [--equilibria]: the push curves of the scene's three index
// groups, or their equilibria, as CSV.
const CommandForm& LawForm();

// `args` read by LawForm. Returns 0; throws UsageError for a bad command line
// and UserError, after printing every group, when a group's law faults
// somewhere: the text names the group and the first such distance, and only
// the rows of faulting distances say so.
int LawCommand(const CommandLine& args, std::istream& in, std::ostream& out);
