// SPDX-License-Identifier: MIT
#include "tools/clioptions.h"

#include "tools/clisupport.h"

#include <algorithm>

namespace {

const std::string Help = "--help";

bool StartsWithDashes(const std::string& word)
{
    return word.rfind("--", 0) == 0;
}

const OptionForm& OptionNamed(const CommandForm& command, const std::string& name)
{
    const auto option = std::find_if(command.Options.begin(), command.Options.end(),
                                     [&](const OptionForm& option) { return option.Name == name; });
    if (option == command.Options.end()) {
        if (name == Help)
            throw UsageError(Help + " takes no value");
        throw UsageError("unknown option '" + name + "'");
    }
    return *option;
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

} // namespace

std::optional<std::string> CommandLine::Value(const std::string& option) const
{
    const auto given = given_.find(option);
    if (given == given_.end())
        return std::nullopt;
    return given->second.back();
}

std::vector<std::string> CommandLine::Values(const std::string& option) const
{
    const auto given = given_.find(option);
    return given == given_.end() ? std::vector<std::string>() : given->second;
}

CommandLine ParseCommandLine(const CommandForm& command, const std::vector<std::string>& args)
{
    CommandLine line;
    const auto end = std::find(args.begin(), args.end(), "--");
    if (std::find(args.begin(), end, Help) != end) {
        line.Help = true;
        return line;
    }
    for (auto arg = args.begin(); arg != args.end(); ++arg) {
        if (arg == end)
            continue; // the "--" that ends the options
        if (arg > end || arg->size() < 2 || arg->front() != '-') {
            line.Operands.push_back(*arg);
            continue;
        }
        const std::size_t equals = arg->find('=');
        const OptionForm& option = OptionNamed(command, arg->substr(0, equals));
        std::optional<std::string> value;
        if (equals != std::string::npos)
            value = arg->substr(equals + 1);
        if (option.Value.empty() && value)
            throw UsageError(option.Name + " takes no value");
        if (!option.Value.empty() && !value && arg + 1 != end && arg + 1 != args.end() && !StartsWithDashes(arg[1]))
            value = *++arg;
        if (!option.Value.empty() && (!value || value->empty()))
            throw UsageError(option.Name + " needs a value");
        std::vector<std::string>& values = line.given_[option.Name];
        if (!values.empty() && option.Use != OptionUse::Repeatable)
            throw UsageError(option.Name + " is given twice");
        values.push_back(value.value_or(""));
    }
    const bool more = !command.Operands.empty() && command.Operands.back().ends_with("...");
    if (line.Operands.size() > command.Operands.size() && !more)
        throw UsageError("unexpected argument '" + line.Operands[command.Operands.size()] + "'");
    if (line.Operands.size() < command.Operands.size())
        throw UsageError(
            command.Name + " needs " +
            Joined({command.Operands.begin() + std::ptrdiff_t(line.Operands.size()), command.Operands.end()}));
    for (const OptionForm& option : command.Options)
        if (option.Use == OptionUse::Required && !line.Has(option.Name))
            throw UsageError(command.Name + " needs " + option.Name + ' ' + option.Value);
    return line;
}

std::string Synopsis(const CommandForm& command)
{
    std::vector<std::string> words{command.Name};
    words.insert(words.end(), command.Operands.begin(), command.Operands.end());
    bool others = false;
    for (const OptionForm& option : command.Options) {
        if (option.Use == OptionUse::Required)
            words.push_back(option.Name + ' ' + option.Value);
        else
            others = true;
    }
    if (others)
        words.push_back("[options]");
    return Joined(words);
}

std::string HelpEntry(const std::string& left, const std::string& text)
{
    constexpr std::size_t Column = 25;
    std::string entry = "  " + left;
    if (entry.size() < Column)
        entry.resize(Column, ' ');
    else
        entry += '\n' + std::string(Column, ' ');
    for (const char c : text)
        entry += c == '\n' ? '\n' + std::string(Column, ' ') : std::string(1, c);
    return entry + '\n';
}

std::string OptionsHelp(const CommandForm& command)
{
    std::string help;
    for (const OptionForm& option : command.Options)
        help += HelpEntry(option.Name + (option.Value.empty() ? "" : ' ' + option.Value), option.Help);
    return help;
}

std::string CommandHelp(const CommandForm& command)
{
    std::string help = "Usage: zarvitone-cli " + Synopsis(command) + "\n\n";
    help += command.Summary + "\n\nOptions:\n" + OptionsHelp(command) + HelpEntry(Help, "show this text");
    return command.Notes.empty() ? help : help + '\n' + command.Notes;
}
