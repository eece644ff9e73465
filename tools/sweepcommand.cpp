// SPDX-License-Identifier: MIT
#include "tools/sweepcommand.h"

#include "model/usererror.h"
#include "scenes/atomicwrite.h"
#include "scenes/inputfile.h"
#include "scenes/realtext.h"
#include "sweep/grid.h"
#include "sweep/merge.h"
#include "sweep/runner.h"
#include "tools/clisupport.h"
#include "tools/runswitches.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <iostream>
#include <unistd.h>

namespace {

// The words that belong to one of the three ways of running the jobs.
const char* const Actions[] = {"--run", "--commands", "--slurm"};

std::string TooMany(std::uint64_t jobs)
{
    return "the sweep has " + std::to_string(jobs) + " jobs, more than " + std::to_string(MostJobs) +
           "; --force runs them all";
}

SweepTable TableFrom(const CommandLine& line)
{
    if (const auto file = line.Value("--table")) {
        if (line.Has("--vary") || line.Has("--random") || line.Has("--seed"))
            throw UsageError("--table takes no --vary, --random or --seed: the table names the jobs");
        QByteArray text;
        SweepTable table;
        OnFile(*file, [&] {
            InputFile input = InputFile::Open(Path(*file));
            text = input.ReadAll();
            input.Close();
            table = SweepTableFromText(text);
            if (table.Jobs.empty())
                throw UserError("the job table has no jobs");
        });
        return table;
    }
    if (!line.Has("--vary"))
        throw UsageError("sweep needs --vary NAME=FROM:TO:COUNT (or NAME=V1,V2,...) or --table FILE.csv");
    try {
        std::vector<SweepAxis> axes;
        for (const std::string& vary : line.Values("--vary"))
            axes.push_back(AxisFromText(vary));
        const bool force = line.Has("--force");
        if (const auto random = line.Value("--random")) {
            const std::int64_t count = CountFrom("--random", *random, 1, std::numeric_limits<std::int32_t>::max());
            if (std::uint64_t(count) > MostJobs && !force)
                throw UsageError(TooMany(std::uint64_t(count)));
            const auto seed = line.Value("--seed");
            return RandomTable(
                axes, std::uint64_t(count),
                seed ? std::uint64_t(CountFrom("--seed", *seed, 0, std::numeric_limits<std::int64_t>::max())) : 1);
        }
        if (line.Has("--seed"))
            throw UsageError("--seed needs --random");
        const std::uint64_t jobs = GridSize(axes);
        if (jobs > MostJobs && !force)
            throw UsageError(TooMany(jobs));
        return GridTable(axes);
    } catch (const UserError& fault) {
        throw UsageError(fault.what()); // the --vary words themselves are wrong
    }
}

// The options that only a way of running the jobs takes.
void RefuseStrayOptions(const CommandLine& line, const std::string& action)
{
    std::vector<std::pair<std::string, std::string>> needs{
        {"--steps", ""}, {"--out", ""}, {"--jobs-at-once", "--run"}, {"--share", "--run"}, {"--tasks", "--slurm"}};
    for (const OptionForm& option : RunSwitchOptions())
        needs.emplace_back(option.Name, "");
    for (const auto& [option, only] : needs)
        if (line.Has(option) && (action.empty() || (!only.empty() && only != action)))
            throw UsageError(option + " needs " + (only.empty() ? "--run, --commands or --slurm" : only));
    if (!action.empty() && (!line.Has("--steps") || !line.Has("--out")))
        throw UsageError(action + " needs --steps N and --out DIR");
}

// K/T of --share: the jobs whose id - 1 leaves K divided by T.
std::pair<int, int> ShareFrom(const std::string& text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        throw UsageError("--share needs K/T, task K of T counted from 0, not '" + text + "'");
    const int shares = int(CountFrom("--share", text.substr(slash + 1), 1, MostJobs));
    return {int(CountFrom("--share", text.substr(0, slash), 0, shares - 1)), shares};
}

// A word as a POSIX shell reads it back.
std::string ShellWord(const std::string& word)
{
    if (!word.empty() &&
        word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_./=:,+-@%") ==
            std::string::npos)
        return word;
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ShellLine(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty())
            line += ' ';
        line += ShellWord(word);
    }
    return line;
}

std::string Absolute(const std::string& path)
{
    return QFileInfo(Path(path)).absoluteFilePath().toStdString();
}

// jobs done, failed, time left; redrawn in place on a terminal.
void ShowProgress(const SweepProgress& progress)
{
    constexpr int Width = 30;
    const int filled = progress.ToRun == 0 ? Width : Width * progress.Done / progress.ToRun;
    std::cerr << "\r[" << std::string(std::size_t(filled), '#') << std::string(std::size_t(Width - filled), '-') << "] "
              << progress.Done << '/' << progress.ToRun << " done, " << progress.Failed << " failed, "
              << std::lround(progress.SecondsLeft) << " s left " << std::flush;
}

int RunHere(const CommandLine& line, const std::string& base, std::istream& in, SweepTable table)
{
    SweepPlan plan;
    plan.Start = LoadScene(base, in);
    plan.Table = std::move(table);
    plan.Steps = CountFrom("--steps", *line.Value("--steps"), 0, MostSteps);
    plan.Switches = SwitchesFrom(line);
    plan.Folder = Path(*line.Value("--out"));
    if (const auto jobs = line.Value("--jobs-at-once"))
        plan.JobsAtOnce = int(CountFrom("--jobs-at-once", *jobs, 1, 1024));
    if (const auto share = line.Value("--share"))
        std::tie(plan.Share, plan.Shares) = ShareFrom(*share);
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    const SweepReport report = RunSweep(plan, terminal ? ShowProgress : nullptr);
    if (terminal)
        std::cerr << '\n';
    if (report.Failed > 0)
        throw UserError("sweep: " + std::to_string(report.Failed) + " of " + std::to_string(report.Jobs) +
                        " jobs failed; their rows in " + *line.Value("--out") + "/summary.csv tell why");
    return 0;
}

// The `run` line of each job, for GNU Parallel.
void PrintCommands(const CommandLine& line, const std::string& base, const SweepTable& table, std::ostream& out)
{
    const QString folder = QFileInfo(Path(*line.Value("--out"))).absoluteFilePath();
    PrepareSweepFolder(folder, table);
    for (int id = 1; id <= int(table.Jobs.size()); ++id) {
        std::vector<std::string> words{"zarvitone-cli", "run", Absolute(base), "--steps", *line.Value("--steps")};
        for (const auto& [name, value] : table.JobSettings(id))
            words.insert(words.end(), {"--set", name + '=' + RealToText(value)});
        const std::vector<std::string> switches = SwitchWords(line);
        words.insert(words.end(), switches.begin(), switches.end());
        words.insert(words.end(), {"--threads", "1", "--out", JobScenePath(folder, id).toStdString(), "--summary",
                                   JobSummaryPath(folder, id).toStdString()});
        out << ShellLine(words) << '\n';
    }
}

// A Slurm job array: each task runs its share of the table with the local
// runner and merges what is there; the last task to end leaves every row.
void WriteSlurmScript(const CommandLine& line, const std::string& base, const SweepTable& table)
{
    const std::string script = *line.Value("--slurm");
    RefuseStandardOutput("--slurm", script);
    const QString folder = QFileInfo(Path(*line.Value("--out"))).absoluteFilePath();
    const int jobs = int(table.Jobs.size());
    const int tasks =
        std::min(jobs, line.Value("--tasks") ? int(CountFrom("--tasks", *line.Value("--tasks"), 1, 100000))
                                             : std::min(jobs, 100));
    PrepareSweepFolder(folder, table);
    std::vector<std::string> words{
        "zarvitone-cli", "sweep",   Absolute(base),         "--table", JobTablePath(folder).toStdString(),
        "--run",         "--steps", *line.Value("--steps"), "--out",   folder.toStdString()};
    const std::vector<std::string> switches = SwitchWords(line);
    words.insert(words.end(), switches.begin(), switches.end());
    const std::string text = "#!/bin/bash\n"
                             "# " +
                             std::to_string(jobs) + " jobs of a Zarvitone sweep in " + std::to_string(tasks) +
                             " array tasks. Each task runs its share of\n"
                             "# jobs.csv, as many at once as it has cores, and merges every result so far\n"
                             "# into summary.csv: the last task to end leaves the whole table.\n"
                             "# Submit with: sbatch " +
                             ShellWord(Absolute(script)) +
                             "\n"
                             "#SBATCH --job-name=zarvitone-sweep\n"
                             "#SBATCH --array=0-" +
                             std::to_string(tasks - 1) +
                             "\n"
                             "#SBATCH --cpus-per-task=1\n"
                             "#SBATCH --output=" +
                             folder.toStdString() +
                             "/slurm-%A_%a.out\n"
                             "set -eu\n" +
                             ShellLine(words) + " --share \"$SLURM_ARRAY_TASK_ID/" + std::to_string(tasks) + "\"\n";
    OnWrittenFile(script, [&] { WriteFileAtomically(Path(script), QByteArray::fromStdString(text)); });
    QFile::setPermissions(Path(script), QFile::permissions(Path(script)) | QFile::ExeUser);
}

} // namespace

const CommandForm& SweepForm()
{
    static const CommandForm form = [] {
        CommandForm command{
            .Name = "sweep",
            .Operands = {"BASE.ato"},
            .Summary = "the jobs of a sweep of dt or coefficients from the\n"
                       "scene BASE.ato: their table on standard output, or\n"
                       "run here (--run), as run lines (--commands) or as a\n"
                       "Slurm job array (--slurm)",
            .Options =
                {
                    {"--vary", "NAME=FROM:TO:COUNT",
                     "COUNT values of dt or A1 ... G3 from FROM to TO, both\n"
                     "included, or NAME=V1,V2,... the values listed;\n"
                     "repeatable, each NAME once: the jobs are every\n"
                     "combination",
                     OptionUse::Repeatable},
                    {"--random", "N", "N jobs instead, each value drawn within its\n--vary NAME=FROM:TO"},
                    {"--seed", "S", "the seed of the draws of --random (default 1)"},
                    {"--table", "FILE.csv", "the jobs of a table written before, in place of\n--vary"},
                    {"--force", "", "allow more than 100000 jobs"},
                    {"--jobs", "FILE.csv", "write the job table to FILE.csv, not standard output"},
                    {"--run", "",
                     "run every job here and merge DIR/summary.csv;\n"
                     "again, it runs only the jobs without a result"},
                    {"--commands", "",
                     "print one zarvitone-cli run line per job (for GNU\n"
                     "Parallel); merge DIR gathers their summaries"},
                    {"--slurm", "FILE.sbatch", "write a Slurm job-array script of the sweep"},
                    {"--steps", "N", "steps per job"},
                    {"--out", "DIR",
                     "the folder of the results: ID.ato, ID.csv per job,\n"
                     "jobs.csv and summary.csv"},
                    {"--jobs-at-once", "J",
                     "with --run, J jobs at once, one thread each (default:\n"
                     "every core, or SLURM_CPUS_PER_TASK when set)"},
                    {"--share", "K/T",
                     "with --run, only the jobs whose id - 1 leaves K\n"
                     "divided by T"},
                    {"--tasks", "T", "with --slurm, T array tasks (default: one per job,\nat most 100)"},
                },
            .Notes = "The job table: a header id,NAME,... and one row per job, the values in\n"
                     "the exact decimals of show. --run exits with status 1 when a job\n"
                     "faulted; its row in summary.csv tells the fault.\n"};
        command.Options.insert(command.Options.end(), RunSwitchOptions().begin(), RunSwitchOptions().end());
        return command;
    }();
    return form;
}

int SweepCommand(const CommandLine& line, std::istream& in, std::ostream& out)
{
    std::string action;
    for (const char* word : Actions)
        if (line.Has(word)) {
            if (!action.empty())
                throw UsageError(action + " and " + word + " go one at a time");
            action = word;
        }
    RefuseStrayOptions(line, action);
    const std::string& base = line.Operands[0];
    if (action == "--commands" || action == "--slurm")
        RefuseStandardOutput("BASE.ato of " + action + ", read by every job,", base);
    if (action == "--run" || action == "--slurm")
        CountFrom("--steps", *line.Value("--steps"), 0, MostSteps);
    const SweepTable table = TableFrom(line);
    if (const auto jobs = line.Value("--jobs"))
        OnWrittenFile(*jobs, [&] { WriteFileAtomically(Path(*jobs), SweepTableText(table)); });
    else if (action.empty())
        out << SweepTableText(table).toStdString();
    if (action == "--run")
        return RunHere(line, base, in, table);
    if (action == "--commands" || action == "--slurm") {
        CountFrom("--steps", *line.Value("--steps"), 0, MostSteps);
        LoadScene(base, in); // read now, so that no job finds it unreadable
        if (action == "--commands")
            PrintCommands(line, base, table, out);
        else
            WriteSlurmScript(line, base, table);
    }
    return 0;
}

const CommandForm& MergeForm()
{
    static const CommandForm form{.Name = "merge",
                                  .Operands = {"DIR|FILE.csv..."},
                                  .Summary = "the jobs' summaries (ID.csv) of a sweep's folder, or\n"
                                             "those given, as one table: DIR/summary.csv, or\n"
                                             "standard output for files",
                                  .Options = {{"--out", "FILE.csv", "write the table there (\"-\" standard output)"}}};
    return form;
}

int MergeCommand(const CommandLine& line, std::istream&, std::ostream& out)
{
    const bool folder = line.Operands.size() == 1 && QFileInfo(Path(line.Operands[0])).isDir();
    const auto target = line.Value("--out");
    if (folder && !target) {
        MergeFolder(Path(line.Operands[0]));
        return 0;
    }
    QStringList files;
    if (folder) {
        files = JobSummaryFiles(Path(line.Operands[0]));
    } else {
        for (const std::string& file : line.Operands)
            files << Path(file);
    }
    const MergedSummary merged = MergeSummaries(files);
    if (!target || *target == "-")
        out << merged.Text.toStdString();
    else
        OnWrittenFile(*target, [&] { WriteFileAtomically(Path(*target), merged.Text); });
    return 0;
}
