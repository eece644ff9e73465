// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// One set of rules for the command lines of every zarvitone-cli command, read
// from a table of the command's options:
// - an option takes its value as --name VALUE or --name=VALUE; a switch takes
//   none; a separate value may not start with "--", so an option forgotten
//   its value is told so rather than eating the next option;
// - an option comes at most once unless it is Repeatable, and a Required
//   one must come;
// - "--" ends the options; "-" alone is an operand (standard input or output
//   where the command says so);
// - --help before "--" asks for the command's help, whatever else is given.
// Every misuse throws UsageError.

enum class OptionUse { Once, Repeatable, Required };

struct OptionForm {
    std::string Name;  // with its dashes: "--steps"
    std::string Value; // the value's name in the help ("N"); empty for a switch
    std::string Help;  // lines separated by '\n'
    OptionUse Use = OptionUse::Once;
};

// Members left out of a designated initializer are empty.
struct CommandForm {
    std::string Name;
    std::vector<std::string> Operands = {}; // exactly these, by their names in the help; a last
                                            // name ending in "..." takes one or more
    std::string Summary = {};               // what the command does; lines separated by '\n'
    std::vector<OptionForm> Options = {};
    std::string Notes = {}; // the end of the command's help, whole lines
};

class CommandLine {
public:
    std::vector<std::string> Operands;
    bool Help = false;

    bool Has(const std::string& option) const { return given_.count(option) != 0; }
    // The value of an option that was given; nullopt if it was not.
    std::optional<std::string> Value(const std::string& option) const;
    // Every value of a Repeatable option, in the order given.
    std::vector<std::string> Values(const std::string& option) const;

private:
    friend CommandLine ParseCommandLine(const CommandForm&, const std::vector<std::string>&);
    std::map<std::string, std::vector<std::string>> given_;
};

// `args` are the words after the command's name.
CommandLine ParseCommandLine(const CommandForm& command, const std::vector<std::string>& args);

// "run FILE.ato --steps N --out OUT.ato [options]": the operands, the required
// options, and "[options]" when there are others.
std::string Synopsis(const CommandForm& command);

// `left` and the help `text` beside it from column 26, as --help lists them.
std::string HelpEntry(const std::string& left, const std::string& text);

// The command's options as HelpEntry lines.
std::string OptionsHelp(const CommandForm& command);

// What `COMMAND --help` prints.
std::string CommandHelp(const CommandForm& command);
