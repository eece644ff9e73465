// SPDX-License-Identifier: MIT
#include "tools/cli.h"

#include "model/runquantities.h"
#include "model/stepbenchmark.h"
#include "model/structurefigures.h"
#include "model/usererror.h"
#include "scenes/atomicwrite.h"
#include "scenes/commentary.h"
#include "scenes/guard.h"
#include "scenes/inputfile.h"
#include "scenes/realtext.h"
#include "scenes/runlog.h"
#include "scenes/runsummary.h"
#include "scenes/scenefile.h"
#include "scenes/scenetext.h"
#include "scenes/trajectory.h"
#include "tools/analyzecommand.h"
#include "sweep/job.h"
#include "tools/clisupport.h"
#include "tools/lawcommand.h"
#include "tools/runswitches.h"
#include "tools/sweepcommand.h"
#include "version.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <iostream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

void SaveScene(TaonSystem& system, const std::string& path)
{
    OnWrittenFile(path, [&] { WriteSceneFile(system, Path(path)); });
}

std::string ReadText(const std::string& path, std::istream& in)
{
    if (path == "-")
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    QByteArray bytes;
    OnFile(path, [&] {
        InputFile file = InputFile::Open(Path(path));
        bytes = file.ReadAll();
        file.Close();
    });
    return bytes.toStdString();
}

// A file that takes the model at step 0 and every N-th step of one run
// (--log, --dump): its header, then one piece of text a step taken. It is
// created before any step, so a name that cannot be written fails first, and
// replaces its file only at Commit. Named "-", it is standard output: there
// the text goes out as it comes, and what went out stays if the run fails.
class RunRecord {
public:
    using Piece = std::function<QByteArray(const TaonSystem&, const RunTally&)>;
    RunRecord(const std::string& path, std::ostream& out, const QByteArray& header, Piece piece)
        : path_(path), piece_(std::move(piece)), stream_(path == "-" ? &out : nullptr)
    {
        if (!stream_)
            OnWrittenFile(path_, [&] { file_.emplace(Path(path_)); });
        Put(header);
    }
    void Take(const TaonSystem& system, const RunTally& tally) { Put(piece_(system, tally)); }
    void Flush()
    {
        if (stream_)
            FlushOutput(*stream_, "run");
        else
            OnWrittenFile(path_, [&] { file_->Flush(); });
    }
    void Commit()
    {
        if (file_)
            OnWrittenFile(path_, [&] { file_->Commit(); });
    }
    bool Streams() const { return stream_ != nullptr; }

private:
    void Put(const QByteArray& bytes)
    {
        if (!stream_) {
            OnWrittenFile(path_, [&] { file_->Write(bytes); });
        } else if (!stream_->write(bytes.constData(), bytes.size())) {
            throw UserError("standard output could not be written");
        }
    }

    std::string path_;
    Piece piece_;
    std::ostream* stream_;
    std::optional<AtomicFile> file_;
};

// --log: the run's figures, one row a step taken, the structure's with the
// run's switches.
RunRecord::Piece LogRow(const RunSwitches& switches)
{
    auto gauge = std::make_shared<StructureGauge>();
    return [switches, gauge](const TaonSystem& system, const RunTally& tally) {
        RunSample sample = SampleOf(system, tally);
        sample.Structure = SampleOfStructure(gauge->Measure(system, switches));
        return RunLogRow(sample);
    };
}

// --dump: the present slots, one frame a step taken.
RunRecord::Piece DumpFrame(TrajectoryFormat format)
{
    return [format](const TaonSystem& system, const RunTally& tally) {
        std::string frame;
        AppendTrajectoryFrame(frame, format, system, tally.StepsThisRun(), tally.ModelTime());
        return QByteArray::fromStdString(frame);
    };
}

struct RunRequest {
    std::string File;
    std::string Out;
    std::string Log;
    std::string Summary;
    std::optional<std::int64_t> Every;
    JobRequest Job;
    std::string Dump;
    std::optional<TrajectoryFormat> DumpFormat; // set with Dump
};

constexpr std::int64_t MostThreads = 1024;

// NAME=VALUE of --set; VALUE as in scene text.
void AddSetting(RunRequest& request, const std::string& text)
{
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    if (equals == std::string::npos || !SceneScalarNamed(name))
        throw UsageError("--set needs NAME=VALUE with NAME dt or A1 ... G3, not '" + text + "'");
    Real value = 0;
    if (!TextToReal(text.substr(equals + 1), value))
        throw UsageError("--set " + name + ": '" + text.substr(equals + 1) + "' is not a number");
    for (const auto& setting : request.Job.Set)
        if (setting.first == name)
            throw UsageError("--set " + name + " is given twice");
    request.Job.Set.emplace_back(name, value);
}

// Two of the files a run writes under one name would leave one of them.
void RefuseSharedOutputs(const RunRequest& request)
{
    const std::pair<const char*, std::string> outputs[] = {
        {"--out", request.Out}, {"--log", request.Log}, {"--dump", request.Dump}, {"--summary", request.Summary}};
    for (auto one = std::begin(outputs); one != std::end(outputs); ++one)
        for (auto other = one + 1; other != std::end(outputs); ++other)
            if (!one->second.empty() && !other->second.empty() && one->second != "-" &&
                SameFile(Path(one->second), Path(other->second)))
                throw UsageError(std::string(one->first) + " and " + other->first + " name the same file");
}

RunRequest ParseRun(const CommandLine& line)
{
    RunRequest request;
    request.File = line.Operands[0];
    request.Job.Steps = CountFrom("--steps", *line.Value("--steps"), 0, MostSteps);
    request.Job.Switches = SwitchesFrom(line);
    request.Job.Threads = DefaultThreads();
    if (const auto threads = line.Value("--threads"))
        request.Job.Threads = int(CountFrom("--threads", *threads, 1, MostThreads));
    request.Out = *line.Value("--out");
    RefuseStandardOutput("--out", request.Out);
    for (const std::string& setting : line.Values("--set"))
        AddSetting(request, setting);
    if (const auto dump = line.Value("--dump")) {
        request.DumpFormat = TrajectoryFormatOf(Path(*dump));
        if (!request.DumpFormat)
            throw UsageError("--dump needs a file name ending in .xyz or .csv, not '" + *dump + "'");
        request.Dump = *dump;
    }
    request.Log = line.Value("--log").value_or("");
    request.Summary = line.Value("--summary").value_or("");
    RefuseStandardOutput("--summary", request.Summary);
    if (const auto every = line.Value("--every"))
        request.Every = CountFrom("--every", *every, 1, MostSteps);
    if (request.Every && request.Log.empty() && request.Dump.empty())
        throw UsageError("--every needs --log or --dump");
    RefuseSharedOutputs(request);
    return request;
}

int Show(const CommandLine& line, std::istream& in, std::ostream& out)
{
    out << SceneToText(LoadScene(line.Operands[0], in));
    return 0;
}

// The window shows OUT's commentary file and offers to write over it: it
// must not be the scene's own source text.
void RefuseCommentaryAsText(const std::string& textPath, const std::string& outPath)
{
    if (textPath != "-" && SameFile(Path(textPath), CommentaryPath(Path(outPath))))
        throw UserError("make: " + textPath + " is the commentary file of " + outPath +
                        "; give the scene text its own name, such as FILE.scene");
}

int Make(const CommandLine& line, std::istream& in, std::ostream&)
{
    const std::string& textPath = line.Operands[0];
    const std::string& outPath = line.Operands[1];
    RefuseStandardOutput("OUT.ato", outPath);
    RefuseCommentaryAsText(textPath, outPath);
    const std::string text = ReadText(textPath, in);
    TaonSystem system;
    OnFile(textPath == "-" ? "standard input" : textPath, [&] { SceneFromText(text, system); });
    SaveScene(system, outPath);
    return 0;
}

int Run(const CommandLine& line, std::istream& in, std::ostream& out)
{
    const RunRequest request = ParseRun(line);
    TaonSystem system = LoadScene(request.File, in);
    // Every file exists, and the records hold step 0, before any step runs.
    std::deque<RunRecord> records;
    if (!request.Log.empty())
        records.emplace_back(request.Log, out, RunLogHeader(), LogRow(request.Job.Switches));
    if (request.DumpFormat)
        records.emplace_back(request.Dump, out, QByteArray::fromStdString(TrajectoryHeader(*request.DumpFormat)),
                             DumpFrame(*request.DumpFormat));
    std::optional<AtomicFile> summary;
    if (!request.Summary.empty())
        OnWrittenFile(request.Summary, [&] { summary.emplace(Path(request.Summary)); });
    std::optional<UserError> recordFailure;
    const std::int64_t every = request.Every.value_or(1);
    const JobOutcome outcome = RunJob(system, request.Job, [&](const TaonSystem& state, const RunTally& tally) {
        if (tally.StepsThisRun() % every != 0)
            return true;
        try {
            for (RunRecord& record : records)
                record.Take(state, tally);
        } catch (const UserError& failure) {
            recordFailure = failure;
        }
        return !recordFailure;
    });
    const bool streams = std::any_of(records.begin(), records.end(), [](const RunRecord& r) { return r.Streams(); });
    const std::string nothingWritten = streams ? "; no file written" : "; nothing written";
    if (recordFailure)
        throw UserError("run: " + std::string(recordFailure->what()) + nothingWritten);
    const auto commitSummary = [&] {
        if (summary)
            OnWrittenFile(request.Summary, [&] {
                summary->Write(RunSummaryText(outcome.Summary));
                summary->Commit();
            });
    };
    if (outcome.Fault) {
        // The records' temporary files go with them; the summary tells the fault.
        commitSummary();
        throw UserError("run: " + *outcome.Fault + (summary ? "; only the summary written" : nothingWritten));
    }
    // The records' bytes are on disk before the scene is saved: a full disk
    // fails the command with nothing written; only their final renames come
    // after, and the summary, which marks the run complete, last.
    for (RunRecord& record : records)
        record.Flush();
    SaveScene(system, request.Out);
    for (RunRecord& record : records)
        record.Commit();
    commitSummary();
    return 0;
}

int New(const CommandLine& line, std::istream&, std::ostream& out)
{
    const std::string& path = line.Operands[0];
    const std::string text = StarterSceneText();
    if (path == "-")
        out << text;
    else
        OnWrittenFile(path, [&] { WriteFileAtomically(Path(path), QByteArray::fromStdString(text)); });
    return 0;
}

int Bench(const CommandLine&, std::istream&, std::ostream& out)
{
    if (!RunBenchmark(out))
        throw UserError("bench: the fast engine's states differ from the reference's");
    return 0;
}

const char* const SceneTextHelp = R"(Scene text (show, make), one item per line:
  dt VALUE
  A1 VALUE ... G3 VALUE  the 18 coefficients, A B C D F G of groups 1 to 3
  slot N PRESENT X Y Z U V W
  reserved HHHH HHHHHHHH the file's reserved bytes, shown when not zero
Values are decimal, exact for every finite value (make rebuilds the same
bytes), or raw: and 20 hex digits, the value's 10 bytes in file order, for a
value no decimal gives back (NaN payloads and the like). Lines starting with
# are ignored; slots not listed are empty.
)";

const char* const ExitStatusHelp = R"(Exit status: 0 done, 1 failed, 2 bad usage (then a usage line follows the
message). A failure prints one line on standard error and writes no file.
)";

// The run's options: the steps, the switches, the files and the values set.
std::vector<OptionForm> RunOptions()
{
    std::vector<OptionForm> options{{"--steps", "N", "number of steps, 0 or more", OptionUse::Required}};
    options.insert(options.end(), RunSwitchOptions().begin(), RunSwitchOptions().end());
    options.insert(
        options.end(),
        {
            {"--out", "OUT.ato", "the result; replaced whole, or left alone on failure", OptionUse::Required},
            {"--set", "NAME=VALUE",
             "use VALUE for the scene's dt or coefficient NAME (A1\n"
             "... G3) in the run and the result; repeatable",
             OptionUse::Repeatable},
            {"--dump", "FILE",
             "write the present slots at step 0 and every N-th step:\n"
             "FILE.xyz extended XYZ (species X, pos, velo and\n"
             "momenta, both the velocity, group;\n"
             "step and time on each frame's comment line), FILE.csv\n"
             "rows step,time,slot,group,x,y,z,u,v,w; time is the\n"
             "sum of dt over the steps taken"},
            {"--log", "FILE.csv",
             "figures of step 0 and every N-th step, one row each:\n"
             "step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax\n"
             ",clusters,largest,epot,etot (time the sum of dt;\n"
             "kinetic energy per group and in all, momentum and its\n"
             "size, centroid, radius of gyration, largest speed;\n"
             "clusters and the largest's size, potential and total\n"
             "energy as analyze gives them, empty where not\n"
             "defined); written with OUT.ato;\n"
             "\"-\" prints the rows on standard output as they come"},
            {"--every", "N", "the N of --log and --dump, 1 or more (default 1)"},
            {"--summary", "FILE.csv",
             "one row for the run: the --set values, the steps\n"
             "done, the status (ok, or the fault and its step)\n"
             "and the last state's --log columns; written last,\n"
             "after OUT.ato, and also when the run faults"},
            {"--threads", "N",
             "the pair engine's threads (default: every core, or\n"
             "SLURM_CPUS_PER_TASK when set)"},
        });
    return options;
}

std::string CliHelp()
{
    std::string help = R"(Usage: zarvitone-cli COMMAND [options] ...

The companion of Zarvitone for scripts and batch work.

Commands:
)";
    for (const CliCommand& command : CliCommands())
        help += HelpEntry(Synopsis(command.Form), command.Form.Summary);
    help += HelpEntry("--help", "show this text") + HelpEntry("--version", "show the version");
    help += R"(
COMMAND --help shows the command's own help. Every command reads its options
by the same rules: --name VALUE or --name=VALUE, each option once unless
said otherwise; "--" ends the options, so a file name may start with "-".
A scene FILE.ato of "-" is read from standard input.
)";
    for (const CliCommand& command : CliCommands())
        if (!command.Form.Options.empty())
            help += "\nOptions of " + command.Form.Name + ":\n" + OptionsHelp(command.Form) + command.Form.Notes;
    return help + '\n' + SceneTextHelp + '\n' + ExitStatusHelp;
}

const CliCommand* CommandNamed(const std::string& name)
{
    for (const CliCommand& command : CliCommands())
        if (command.Form.Name == name)
            return &command;
    return nullptr;
}

} // namespace

const std::vector<CliCommand>& CliCommands()
{
    static const std::vector<CliCommand> commands{
        {{.Name = "show",
          .Operands = {"FILE.ato"},
          .Summary = "print the scene as text on standard output",
          .Notes = SceneTextHelp},
         Show},
        {{.Name = "make",
          .Operands = {"TEXT", "OUT.ato"},
          .Summary = "build a scene file from text as show prints it\n"
                     "(TEXT \"-\" reads standard input); name the text\n"
                     "FILE.scene: FILE.txt is FILE.ato's commentary",
          .Notes = SceneTextHelp},
         Make},
        {{.Name = "run",
          .Operands = {"FILE.ato"},
          .Summary = "advance the scene N steps as the window's run does,\n"
                     "with the scene's own dt, and save the committed state",
          .Options = RunOptions()},
         Run},
        {LawForm(), LawCommand},
        {AnalyzeForm(), AnalyzeCommand},
        {SweepForm(), SweepCommand},
        {MergeForm(), MergeCommand},
        {{.Name = "new",
          .Operands = {"OUT"},
          .Summary = "write a scene text to start from: the built-in square,\n"
                     "every field named in a comment (OUT \"-\" is standard\n"
                     "output; build it with make)"},
         New},
        {{.Name = "bench",
          .Summary = "steps per second of the literal reference and of the\n"
                     "fast engine on 100 present points; last line \"ratio: N\""},
         Bench},
    };
    return commands;
}

// Misuse is told with the usage it broke; any other failure, whatever threw
// it, is one line and status 1, as the window's guard shows it.
int CliMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    const CliCommand* command = nullptr;
    try {
        if (args.empty())
            throw UsageError("no command given");
        const std::string& name = args.front();
        int status = 0;
        if (name == "--help" || name == "-h" || name == "help") {
            out << CliHelp();
        } else if (name == "--version") {
            out << "zarvitone-cli " << ZarvitoneVersion << '\n';
        } else {
            command = CommandNamed(name);
            if (command == nullptr)
                throw UsageError("unknown command '" + name + "'");
            const CommandLine line = ParseCommandLine(command->Form, {args.begin() + 1, args.end()});
            if (line.Help)
                out << CommandHelp(command->Form);
            else
                status = command->Run(line, in, out);
        }
        FlushOutput(out, name);
        return status;
    } catch (const UsageError& error) {
        err << "zarvitone-cli: " << error.what() << "\nusage: zarvitone-cli "
            << (command ? Synopsis(command->Form) + " (" + command->Form.Name + " --help for more)"
                        : std::string("COMMAND ... (--help lists the commands)"))
            << std::endl;
        return 2;
    } catch (...) {
        err << "zarvitone-cli: " << CaughtErrorText() << std::endl;
        return 1;
    }
}
