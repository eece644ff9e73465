// SPDX-License-Identifier: MIT
#pragma once

#include "model/switches.h"
#include "tools/clioptions.h"

#include <string>
#include <vector>

// The switches of a run, as `run` and `sweep` take them: --mode MODE,
// --taoscope, --functions3x1, --blockade, --cool.
const std::vector<OptionForm>& RunSwitchOptions();
RunSwitches SwitchesFrom(const CommandLine& line);
// The switch options given, as words of a `run` command line.
std::vector<std::string> SwitchWords(const CommandLine& line);
