#include "tools/cli.h"

#include "bench/step/stepbenchmark.h"
#include "model/runloop.h"
#include "model/runquantities.h"
#include "model/usererror.h"
#include "scenes/atomicwrite.h"
#include "scenes/commentary.h"
#include "scenes/inputfile.h"
#include "scenes/realtext.h"
#include "scenes/runlog.h"
#include "scenes/scenefile.h"
#include "scenes/trajectory.h"
#include "tools/clisupport.h"
#include "tools/lawcommand.h"
#include "tools/scenetext.h"
#include "version.h"

#include <QFileInfo>

#include <cstdint>
#include <deque>
#include <functional>
#include <iostream>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <vector>

const char* const CliHelp = R"(Usage: zarvitone-cli COMMAND ...

The companion of Zarvitone for scripts and batch work.

Commands:
  show FILE.ato          print the scene as text on standard output
  make TEXT OUT.ato      build a scene file from text as show prints it
                         (TEXT "-" reads standard input); name the text
                         FILE.scene: FILE.txt is FILE.ato's commentary
  run FILE.ato --steps N --out OUT.ato [options]
                         advance the scene N steps as the window's run does,
                         with the scene's own dt, and save the committed state
  law FILE.ato [options] the push of each index group against the distance,
                         as CSV; see below
  new OUT                write a scene text to start from: the built-in square,
                         every field named in a comment (OUT "-" is standard
                         output; build it with make)
  bench                  steps per second of the literal reference and of the
                         fast engine on 100 present points; last line "ratio: N"
  --help                 show this text
  --version              show the version

Options of run:
  --steps N              number of steps, 0 or more
  --mode MODE            atomstand (the default), hot, cold, current1, current2
  --taoscope             the Taoscope sign rule instead of Gravoscope
  --functions3x1         the contact term in place of the G shell
  --blockade             free, x-only and fixed slot ranges
  --cool                 keep 0.95 of the velocity at every step
  --out OUT.ato          the result; replaced whole, or left alone on failure
  --set NAME=VALUE       use VALUE for the scene's dt or coefficient NAME (A1
                         ... G3) in the run and the result; repeatable
  --dump FILE            write the present slots at step 0 and every N-th step:
                         FILE.xyz extended XYZ (species X, pos, vel, group;
                         step and time on each frame's comment line), FILE.csv
                         rows step,time,slot,group,x,y,z,u,v,w; time is the
                         sum of dt over the steps taken
  --log FILE.csv         figures of step 0 and every N-th step, one row each:
                         step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax
                         (time the sum of dt; kinetic energy per group and in
                         all, momentum and its size, centroid, radius of
                         gyration, largest speed); written with OUT.ato
  --every N              the N of --log and --dump, 1 or more (default 1)

Options of law:
  --from R0 --to R1      the distances sampled, 0 < R0 < R1 (0.05 and 12)
  --samples N            how many, evenly spaced, ends included (1000)
  --taoscope             the Taoscope sign rule; the push of points of equal
                         parity (opposite parity is its mirror image)
  --functions3x1         the contact term in place of the G shell
  --equilibria           instead of the curve, one line per sign change of the
                         push from R0 to R1, each shell searched on the scale
                         of its width: group,r,stable|unstable, r to the last
                         bit of the law's own arithmetic
Prints r,push1,push2,push3 and one row per sample: push = sign x A x S(r) of
the group, positive apart, negative together. Where a group's law faults at a
distance, that row shows the fault's text in place of the push (with
--equilibria, a line group,r,text for the group's first fault); the other rows
are kept, the status is then 1 and the message names the group and the r.

Scene text (show, make), one item per line:
  dt VALUE
  A1 VALUE ... G3 VALUE  the 18 coefficients, A B C D F G of groups 1 to 3
  slot N PRESENT X Y Z U V W
  reserved HHHH HHHHHHHH the file's reserved bytes, shown when not zero
Values are decimal, exact for every finite value (make rebuilds the same
bytes), or raw: and 20 hex digits, the value's 10 bytes in file order, for a
value no decimal gives back (NaN payloads and the like). Lines starting with
# are ignored; slots not listed are empty.

Exit status: 0 done, 1 failed, 2 bad usage. A failure prints one line on
standard error and writes nothing.
)";

namespace {

void SaveScene(TaonSystem& system, const std::string& path)
{
    OnFile(path, [&] { WriteSceneFile(system, Path(path)); });
}

std::string ReadText(const std::string& path, std::istream& in)
{
    if (path == "-")
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    QByteArray bytes;
    OnFile(path, [&] {
        std::optional<InputFile> file = InputFile::Open(Path(path), OpenCheck::Guarded);
        bytes = file->ReadAll();
        file->Close();
    });
    return bytes.toStdString();
}

void ExpectArguments(const std::vector<std::string>& args, std::size_t count, const char* usage)
{
    if (args.size() != count + 1)
        throw UsageError(std::string("usage: zarvitone-cli ") + usage);
}

// A file that takes the model at step 0 and every N-th step of one run
// (--log, --dump): its header, then one piece of text a step taken. It is
// created before any step, so a name that cannot be written fails first, and
// replaces its file only at Commit.
class RunRecord {
public:
    using Piece = std::function<QByteArray(const TaonSystem&, const RunTally&)>;
    RunRecord(const std::string& path, const QByteArray& header, Piece piece) : path_(path), piece_(std::move(piece))
    {
        OnFile(path_, [&] {
            file_.emplace(Path(path_));
            file_->Write(header);
        });
    }
    void Take(const TaonSystem& system, const RunTally& tally)
    {
        OnFile(path_, [&] { file_->Write(piece_(system, tally)); });
    }
    void Flush()
    {
        OnFile(path_, [&] { file_->Flush(); });
    }
    void Commit()
    {
        OnFile(path_, [&] { file_->Commit(); });
    }

private:
    std::string path_;
    Piece piece_;
    std::optional<AtomicFile> file_;
};

// --log: the run's figures, one row a step taken.
QByteArray LogRow(const TaonSystem& system, const RunTally& tally)
{
    return RunLogRow(SampleOf(system, tally));
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

// The window's duties, done headless: nothing to draw or list; the events of
// step N are a Stop. After each step the tally counts it, and every N-th
// step the records take the model; a record that fails stops the run.
class BatchHost : public RunHost {
public:
    BatchHost(TaonSystem& system, const RunSwitches& switches, std::int64_t steps, std::int64_t every,
              std::deque<RunRecord>& records)
        : system_(system), switches_(switches), remaining_(steps), every_(every), records_(records)
    {
    }
    RunSwitches CurrentSwitches() override { return switches_; }
    void ShowStepCount(std::int32_t) override {}
    void StepTaken() override
    {
        tally_.StepTaken(system_.dt);
        if (tally_.StepsThisRun() % every_ != 0)
            return;
        try {
            for (RunRecord& record : records_)
                record.Take(system_, tally_);
        } catch (const UserError& failure) {
            recordFailure_ = failure;
            system_.Stopped = true;
        }
    }
    const std::optional<UserError>& RecordFailure() const { return recordFailure_; }
    void DrawScene() override {}
    bool ShowListChecked() override { return false; }
    void FillListing() override {}
    void ProcessEvents() override
    {
        if (--remaining_ == 0)
            system_.Stopped = true;
    }

private:
    TaonSystem& system_;
    RunSwitches switches_;
    std::int64_t remaining_;
    std::int64_t every_;
    std::deque<RunRecord>& records_;
    RunTally tally_;
    std::optional<UserError> recordFailure_;
};

struct RunRequest {
    std::string File;
    std::string Out;
    std::string Log;
    std::optional<std::int64_t> Steps;
    std::optional<std::int64_t> Every;
    RunSwitches Switches;
    std::string Dump;
    std::optional<TrajectoryFormat> DumpFormat; // set with Dump
    std::map<std::string, Real> Settings;
};

// The largest step count a scene file holds.
constexpr std::int64_t MostSteps = std::numeric_limits<std::int32_t>::max();

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
    if (!request.Settings.emplace(name, value).second)
        throw UsageError("--set " + name + " is given twice");
}

ConstraintMode ModeFrom(const std::string& text)
{
    static const std::map<std::string, ConstraintMode> modes{
        {"atomstand", ConstraintMode::AtomStand},       {"hot", ConstraintMode::HotContact},
        {"cold", ConstraintMode::ColdContact},          {"current1", ConstraintMode::ElecCurrent1},
        {"current2", ConstraintMode::ElecCurrent2},
    };
    const auto mode = modes.find(text);
    if (mode == modes.end())
        throw UsageError("unknown mode '" + text + "' (atomstand, hot, cold, current1 or current2)");
    return mode->second;
}

RunRequest ParseRun(const std::vector<std::string>& args)
{
    RunRequest request;
    std::set<std::string> given; // the options that may come once
    const std::map<std::string, bool RunSwitches::*> flags{{"--blockade", &RunSwitches::Blockade},
                                                           {"--cool", &RunSwitches::Cool}};
    for (std::size_t k = 1; k < args.size(); ++k) {
        std::string name = args[k];
        if (name.rfind("--", 0) != 0) {
            if (!request.File.empty())
                throw UsageError("unexpected argument '" + name + "'");
            request.File = name;
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const bool takesValue = name == "--steps" || name == "--mode" || name == "--out" || name == "--log" ||
                                name == "--dump" || name == "--every" || name == "--set";
        if (takesValue && !value) {
            if (k + 1 == args.size())
                throw UsageError(name + " needs a value");
            value = args[++k];
        }
        if (!takesValue && value)
            throw UsageError(name + " takes no value");
        if (takesValue && name != "--set" && !given.insert(name).second)
            throw UsageError(name + " is given twice");
        if (name == "--steps") {
            request.Steps = CountFrom(name, *value, 0, MostSteps);
        } else if (name == "--mode") {
            request.Switches.Mode = ModeFrom(*value);
        } else if (name == "--out" || name == "--log") {
            if (value->empty())
                throw UsageError(name + " needs a file name");
            (name == "--out" ? request.Out : request.Log) = *value;
        } else if (name == "--every") {
            request.Every = CountFrom(name, *value, 1, MostSteps);
        } else if (name == "--set") {
            AddSetting(request, *value);
        } else if (name == "--dump") {
            request.DumpFormat = TrajectoryFormatOf(Path(*value));
            if (!request.DumpFormat)
                throw UsageError("--dump needs a file name ending in .xyz or .csv, not '" + *value + "'");
            request.Dump = *value;
        } else if (name == "--taoscope") {
            request.Switches.Law.Taoscope = true;
        } else if (name == "--functions3x1") {
            request.Switches.Law.Functions3X1 = true;
        } else if (const auto flag = flags.find(name); flag != flags.end()) {
            request.Switches.*flag->second = true;
        } else {
            throw UsageError("unknown option '" + name + "'");
        }
    }
    if (request.File.empty())
        throw UsageError("run needs a scene file");
    if (!request.Steps)
        throw UsageError("run needs --steps N");
    if (request.Out.empty())
        throw UsageError("run needs --out OUT.ato");
    if (request.Every && request.Log.empty() && request.Dump.empty())
        throw UsageError("--every needs --log or --dump");
    return request;
}

int Show(const std::vector<std::string>& args, std::ostream& out)
{
    ExpectArguments(args, 1, "show FILE.ato");
    out << SceneToText(LoadScene(args[1]));
    FlushOutput(out, "show");
    return 0;
}

// The window shows OUT's commentary file and offers to write over it: it
// must not be the scene's own source text.
void RefuseCommentaryAsText(const std::string& textPath, const std::string& outPath)
{
    const QString text = QFileInfo(Path(textPath)).canonicalFilePath();
    if (!text.isEmpty() && text == QFileInfo(CommentaryPath(Path(outPath))).canonicalFilePath())
        throw UserError("make: " + textPath + " is the commentary file of " + outPath +
                        "; give the scene text its own name, such as FILE.scene");
}

int Make(const std::vector<std::string>& args, std::istream& in)
{
    ExpectArguments(args, 2, "make TEXT OUT.ato");
    RefuseCommentaryAsText(args[1], args[2]);
    const std::string text = ReadText(args[1], in);
    TaonSystem system;
    OnFile(args[1], [&] { SceneFromText(text, system); });
    SaveScene(system, args[2]);
    return 0;
}

int Run(const std::vector<std::string>& args)
{
    const RunRequest request = ParseRun(args);
    TaonSystem system = LoadScene(request.File);
    for (const auto& [name, value] : request.Settings)
        system.**SceneScalarNamed(name) = value;
    // Both files exist, and hold step 0, before any step runs.
    std::deque<RunRecord> records;
    if (!request.Log.empty())
        records.emplace_back(request.Log, RunLogHeader(), LogRow);
    if (request.DumpFormat)
        records.emplace_back(request.Dump, QByteArray::fromStdString(TrajectoryHeader(*request.DumpFormat)),
                             DumpFrame(*request.DumpFormat));
    for (RunRecord& record : records)
        record.Take(system, RunTally());
    if (*request.Steps > 0) {
        StepEngine engine;
        BatchHost host(system, request.Switches, *request.Steps, request.Every.value_or(1), records);
        system.Stopped = false;
        try {
            RunLoop(system, engine, host, system.StepCount);
        } catch (const UserError& fault) {
            // StepCount holds the last complete step; the records' temporary files go with them.
            throw UserError("run: " + std::string(fault.what()) + " in step " +
                            std::to_string(std::int64_t(system.StepCount) + 1) + "; nothing written");
        }
        if (host.RecordFailure())
            throw UserError("run: " + std::string(host.RecordFailure()->what()) + "; nothing written");
    }
    // The records' bytes are on disk before the scene is saved: a full disk
    // fails the command with nothing written; only their final renames come after.
    for (RunRecord& record : records)
        record.Flush();
    SaveScene(system, request.Out);
    for (RunRecord& record : records)
        record.Commit();
    return 0;
}

int New(const std::vector<std::string>& args, std::ostream& out)
{
    ExpectArguments(args, 1, "new OUT");
    const std::string text = StarterSceneText();
    if (args[1] == "-") {
        out << text;
        FlushOutput(out, "new");
        return 0;
    }
    OnFile(args[1], [&] { WriteFileAtomically(Path(args[1]), QByteArray::fromStdString(text)); });
    return 0;
}

int Bench(const std::vector<std::string>& args, std::ostream& out)
{
    ExpectArguments(args, 0, "bench");
    if (!RunBenchmark(out))
        throw UserError("bench: the fast engine's states differ from the reference's");
    return 0;
}

} // namespace

int CliMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    try {
        if (args.empty())
            throw UsageError("no command given (try --help)");
        const std::string& command = args.front();
        if (command == "--help" || command == "-h" || command == "help") {
            out << CliHelp;
            return 0;
        }
        if (command == "--version") {
            out << "zarvitone-cli " << ZarvitoneVersion << '\n';
            return 0;
        }
        if (command == "show")
            return Show(args, out);
        if (command == "make")
            return Make(args, in);
        if (command == "run")
            return Run(args);
        if (command == "new")
            return New(args, out);
        if (command == "bench")
            return Bench(args, out);
        if (command == "law")
            return LawCommand(args, out);
        throw UsageError("unknown command '" + command + "' (try --help)");
    } catch (const UsageError& error) {
        err << "zarvitone-cli: " << error.what() << std::endl;
        return 2;
    } catch (const UserError& error) {
        err << "zarvitone-cli: " << error.what() << std::endl;
        return 1;
    }
}
