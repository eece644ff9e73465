// SPDX-License-Identifier: MIT
#include "tools/runswitches.h"

#include "tools/clisupport.h"

#include <map>

namespace {

ConstraintMode ModeFrom(const std::string& text)
{
    static const std::map<std::string, ConstraintMode> modes{
        {"atomstand", ConstraintMode::AtomStand},   {"hot", ConstraintMode::HotContact},
        {"cold", ConstraintMode::ColdContact},      {"current1", ConstraintMode::ElecCurrent1},
        {"current2", ConstraintMode::ElecCurrent2},
    };
    const auto mode = modes.find(text);
    if (mode == modes.end())
        throw UsageError("unknown mode '" + text + "' (atomstand, hot, cold, current1 or current2)");
    return mode->second;
}

} // namespace

const std::vector<OptionForm>& RunSwitchOptions()
{
    static const std::vector<OptionForm> options{
        {"--mode", "MODE", "atomstand (the default), hot, cold, current1, current2"},
        {"--taoscope", "", "the Taoscope sign rule instead of Gravoscope"},
        {"--functions3x1", "", "the contact term in place of the G shell"},
        {"--blockade", "", "free, x-only and fixed slot ranges"},
        {"--cool", "", "keep 0.95 of the velocity at every step"},
    };
    return options;
}

RunSwitches SwitchesFrom(const CommandLine& line)
{
    RunSwitches switches;
    if (const auto mode = line.Value("--mode"))
        switches.Mode = ModeFrom(*mode);
    switches.Law = {line.Has("--taoscope"), line.Has("--functions3x1")};
    switches.Blockade = line.Has("--blockade");
    switches.Cool = line.Has("--cool");
    return switches;
}

std::vector<std::string> SwitchWords(const CommandLine& line)
{
    std::vector<std::string> words;
    for (const OptionForm& option : RunSwitchOptions())
        if (line.Has(option.Name)) {
            words.push_back(option.Name);
            if (!option.Value.empty())
                words.push_back(*line.Value(option.Name));
        }
    return words;
}
