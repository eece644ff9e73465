// SPDX-License-Identifier: MIT
#include "model/extended.h"
#include "model/runquantities.h"
#include "model/step.h"
#include "model/structurefigures.h"
#include "scenes/figures.h"
#include "scenes/realtext.h"
#include "scenes/runlog.h"
#include "scenes/scenefile.h"
#include "tools/cli.h"
#include "version.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>

namespace {

Real FromBits(std::uint64_t significand, int exponent)
{
    const ExtendedBytes bytes = JoinExtended({exponent >= 0x8000, exponent & 0x7fff, significand});
    return LoadExtended(bytes.data());
}

// Two present points of the reference row, the other slots absent and far.
TaonSystem TwoPoints()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    for (int g = 0; g < 3; ++g) {
        const Real row[6] = {1, 1, 2, 3, 4, 5};
        for (int k = 0; k < 6; ++k)
            s.*CoefficientFields[6 * g + k] = row[k];
    }
    for (int i = 1; i <= SlotCount; ++i) {
        s.X[i] = 1000.0L + 10 * i;
        s.Y[i] = -500;
        s.Z[i] = 300;
    }
    s.Present[1] = s.Present[2] = 1;
    s.X[1] = 0, s.Y[1] = 0, s.Z[1] = 0;
    s.X[2] = 1, s.Y[2] = 0.25L, s.Z[2] = 0, s.U[2] = -0.5L;
    s.X[60] = 0.5L, s.Y[60] = 1, s.Z[60] = 0.1L, s.Present[60] = 7;
    return s;
}

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome Cli(const QStringList& args, const std::string& input = {}, std::ostream* output = nullptr)
{
    std::vector<std::string> arguments;
    for (const QString& arg : args)
        arguments.push_back(arg.toStdString());
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = CliMain(arguments, in, output ? *output : out, err);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

// Standard output on a full disk: every write fails.
class FullBuffer : public std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
};

bool IsCommand(const QString& name)
{
    const std::vector<CliCommand>& commands = CliCommands();
    return std::any_of(commands.begin(), commands.end(),
                       [&](const CliCommand& command) { return command.Form.Name == name.toStdString(); });
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

TaonSystem LoadScene(const QString& path)
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    ReadSceneFile(s, path);
    RestoreFromSceneRecord(s);
    return s;
}

// A CSV dump's frames, each as the "slot,group,x,y,z,u,v,w" rows after its
// step and time.
using DumpFrames = std::map<QString, QStringList>;

DumpFrames ReadCsvDump(const QString& path)
{
    DumpFrames frames;
    const QStringList rows = QString::fromLatin1(ReadAll(path)).split('\n', Qt::SkipEmptyParts).mid(1);
    for (const QString& row : rows)
        frames[row.section(',', 0, 1)] << row.section(',', 2);
    return frames;
}

// The rows the dump holds for the present slots of `s`, numbers as the
// scene text writes them: only a bit-for-bit equal value gives the same text.
QStringList PresentRows(const TaonSystem& s)
{
    QStringList rows;
    for (int i = 1; i <= SlotCount; ++i) {
        if (!s.Present[i])
            continue;
        QString row = QStringLiteral("%1,%2").arg(i).arg(i <= 50 ? 1 : i <= 75 ? 2 : 3);
        for (const SlotReals* array : {&s.X, &s.Y, &s.Z, &s.U, &s.V, &s.W})
            row += ',' + QString::fromStdString(RealToText((*array)[i]));
        rows << row;
    }
    return rows;
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        TaonSystem s = TwoPoints();
        WriteSceneFile(s, Path("two.ato"));
        s.C2 = 0;
        WriteSceneFile(s, Path("zero.ato"));
        WriteBytes(Path("short.ato"), ReadAll(Path("two.ato")).left(SceneRecordSize - 1));
        QVERIFY(QFile::copy(Path("two.ato"), Path("-x.ato")));
        QVERIFY(QFile::link(Path("out"), Path("link")));
        QVERIFY(QDir::setCurrent(dir_.path())); // where a relative name such as "-x.ato" is
    }

    void realsRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("decimal");
        const auto row = [](const char* name, Real value, bool decimal) {
            const ExtendedBytes b = StoredBytes(value);
            QTest::newRow(name) << QByteArray(reinterpret_cast<const char*>(b.data()), ExtendedSize) << decimal;
        };
        row("zero", 0.0L, true);
        row("negative zero", -0.0L, true);
        row("0.001", 0.001L, true);
        row("a third", 1.0L / 3, true);
        row("pi", 3.14159265358979323846264338327950288L, true);
        row("largest", std::numeric_limits<Real>::max(), true);
        row("smallest normal", -std::numeric_limits<Real>::min(), true);
        row("smallest denormal", std::numeric_limits<Real>::denorm_min(), true);
        row("some denormal", FromBits(0x00000000f00d1234ull, 0), true);
        row("infinity", -std::numeric_limits<Real>::infinity(), true);
        row("quiet NaN", std::numeric_limits<Real>::quiet_NaN(), true);
        row("NaN with payload", FromBits(0xC000000000beef01ull, 0x7fff), false);
        row("signalling NaN", FromBits(0xA000000000000000ull, 0xffff), false);
        row("pseudo-denormal", FromBits(0x8000000000000001ull, 0), false);
        row("unnormal", FromBits(0x4000000000000000ull, 0x4000), false);
    }

    void realsRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, decimal);
        const Real value = LoadExtended(reinterpret_cast<const std::uint8_t*>(bytes.constData()));
        const std::string text = RealToText(value);
        QCOMPARE(text.rfind("raw:", 0) != 0, decimal);
        Real back = 1;
        QVERIFY(TextToReal(text, back));
        const ExtendedBytes again = StoredBytes(back);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(again.data()), ExtendedSize), bytes);
    }

    void textThatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"", "abc", "1.5x", " 1", "1e99999", "-1e99999", "1e-99999", "raw:123", "raw:zz00"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }

    void textThatIsNoNumber()
    {
        QFETCH(QString, text);
        Real value = 0;
        QVERIFY(!TextToReal(text.toStdString(), value));
    }

    void showThenMakeRebuildsTheBytes()
    {
        TaonSystem s = TwoPoints();
        s.dt = 1.0L / 7;
        s.A3 = -0.0L;
        s.G2 = std::numeric_limits<Real>::denorm_min();
        s.V[9] = FromBits(0xA000000000000000ull, 0xffff); // signalling NaN
        s.W[99] = 1e4000L;
        s.Record[190] = 0x5a;
        s.Record[6295] = 0xc3;
        WriteSceneFile(s, Path("awkward.ato"));

        const Outcome shown = Cli({"show", Path("awkward.ato")});
        QCOMPARE(shown.status, 0);
        QCOMPARE(shown.err, QString());
        QVERIFY(shown.out.contains("\nslot 60 7 0.5 1 0.1 0 0 0\n"));
        QVERIFY(shown.out.contains("\nreserved 5a00 000000c3\n"));
        WriteBytes(Path("awkward.scene"), shown.out.toUtf8());
        QCOMPARE(Cli({"make", Path("awkward.scene"), Path("rebuilt.ato")}).status, 0);
        QCOMPARE(ReadAll(Path("rebuilt.ato")), ReadAll(Path("awkward.ato")));
        // The same through standard input.
        QCOMPARE(Cli({"make", "-", Path("piped.ato")}, shown.out.toStdString()).status, 0);
        QCOMPARE(ReadAll(Path("piped.ato")), ReadAll(Path("awkward.ato")));
    }

    void makeFillsUnlistedSlots()
    {
        std::string text = "dt 0.001\n";
        for (const char* name : CoefficientNames)
            text += std::string(name) + " 2\n";
        text += "\n# one point\nslot 5 1 1 2 3 4 5 6\n";
        QCOMPARE(Cli({"make", "-", Path("sparse.ato")}, text).status, 0);
        TaonSystem s;
        s.TaonCount = SlotCount;
        ReadSceneFile(s, Path("sparse.ato"));
        RestoreFromSceneRecord(s);
        QCOMPARE(s.Present[5], std::uint8_t(1));
        QCOMPARE(s.W[5], 6.0L);
        QCOMPARE(s.G3, 2.0L);
        QCOMPARE(s.Present[6], std::uint8_t(0));
        QCOMPARE(s.X[6], 0.0L);
    }

    void runAdvancesAsTheWindowDoes_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("blockade");
        QTest::addColumn<bool>("cool");
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<bool>("functions3x1");
        QTest::newRow("defaults") << QStringList{"--steps", "3"} << 3 << int(ConstraintMode::AtomStand) << false
                                  << false << false << false;
        QTest::newRow("hot, blockade") << QStringList{"--steps=4", "--mode", "hot", "--blockade"} << 4
                                       << int(ConstraintMode::HotContact) << true << false << false << false;
        QTest::newRow("current1 with every switch")
            << QStringList{"--mode=current1", "--cool", "--taoscope", "--functions3x1", "--blockade", "--steps", "2"}
            << 2 << int(ConstraintMode::ElecCurrent1) << true << true << true << true;
        QTest::newRow("cold") << QStringList{"--mode", "cold", "--steps", "2"} << 2 << int(ConstraintMode::ColdContact)
                              << false << false << false << false;
        QTest::newRow("current2") << QStringList{"--mode", "current2", "--steps", "2"} << 2
                                  << int(ConstraintMode::ElecCurrent2) << false << false << false << false;
        QTest::newRow("no steps") << QStringList{"--steps", "0"} << 0 << int(ConstraintMode::AtomStand) << false
                                  << false << false << false;
    }

    void runAdvancesAsTheWindowDoes()
    {
        QFETCH(QStringList, options);
        QFETCH(int, steps);
        QFETCH(int, mode);
        QFETCH(bool, blockade);
        QFETCH(bool, cool);
        QFETCH(bool, taoscope);
        QFETCH(bool, functions3x1);
        QFile::remove(Path("ran.ato"));
        const Outcome ran = Cli(QStringList{"run", Path("two.ato")} + options + QStringList{"--out", Path("ran.ato")});
        QCOMPARE(ran.err, QString());
        QCOMPARE(ran.status, 0);

        TaonSystem expected;
        expected.TaonCount = SlotCount;
        ReadSceneFile(expected, Path("two.ato"));
        RestoreFromSceneRecord(expected);
        RunSwitches switches;
        switches.Mode = ConstraintMode(mode);
        switches.Blockade = blockade;
        switches.Cool = cool;
        switches.Law = {taoscope, functions3x1};
        for (int step = 0; step < steps; ++step)
            ReferenceStep(expected, switches);
        WriteSceneFile(expected, Path("expected.ato"));
        QCOMPARE(ReadAll(Path("ran.ato")), ReadAll(Path("expected.ato")));
        QCOMPARE(ReadAll(Path("ran.ato")) == ReadAll(Path("two.ato")), steps == 0);
    }

    // Each row of the log is the state that run --steps saves at its step.
    void logMatchesTheSavedScenes_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("every");
        QTest::newRow("every step") << 4 << 1;
        QTest::newRow("every third of 7") << 7 << 3;
        QTest::newRow("step 0 alone") << 0 << 1;
    }

    void logMatchesTheSavedScenes()
    {
        QFETCH(int, steps);
        QFETCH(int, every);
        const Outcome ran = Cli({"run", Path("two.ato"), "--steps", QString::number(steps), "--out", Path("ran.ato"),
                                 "--log", Path("ran.csv"), "--every", QString::number(every)});
        QCOMPARE(ran.err, QString());
        QCOMPARE(ran.status, 0);
        const QList<QByteArray> lines = ReadAll(Path("ran.csv")).split('\n');
        QCOMPARE(lines.front() + '\n', RunLogHeader());
        QCOMPARE(lines.back(), QByteArray()); // the last row ends its line
        QCOMPARE(lines.size(), 2 + steps / every + 1);
        Real time = 0;
        for (int step = 0, row = 1; step <= steps; ++step) {
            if (step > 0)
                time += 0.001L;
            if (step % every != 0)
                continue;
            QCOMPARE(Cli({"run", Path("two.ato"), "--steps", QString::number(step), "--out", Path("part.ato")}).status,
                     0);
            TaonSystem part;
            part.TaonCount = SlotCount;
            ReadSceneFile(part, Path("part.ato"));
            RestoreFromSceneRecord(part);
            const RunQuantities figures = MeasureRun(part);
            QVERIFY(step == 0 || figures.Kinetic > 0);
            const StructureSample structure = SampleOfStructure(StructureGauge().Measure(part, {}));
            QCOMPARE(lines[row++] + '\n', RunLogRow({step, time, figures, structure}));
        }
    }

    // AtomStand chains exactly: the frames are the states of runs of 10 steps,
    // one after the other. In Hot mode the last frame is the run's result.
    void dumpFollowsOneRun()
    {
        const QString dump = Path("run.csv");
        QCOMPARE(Cli({"run", Path("two.ato"), "--steps=40", "--out", Path("ran.ato"), "--dump", dump, "--every", "10"})
                     .status,
                 0);
        const DumpFrames frames = ReadCsvDump(dump);
        QCOMPARE(frames.size(), std::size_t(5));
        QString scene = Path("two.ato");
        Real time = 0;
        for (int k = 0; k < 5; ++k) {
            const QString key = QStringLiteral("%1,%2").arg(10 * k).arg(QString::fromStdString(RealToText(time)));
            QCOMPARE(frames.count(key), std::size_t(1));
            QCOMPARE(frames.at(key), PresentRows(LoadScene(scene)));
            const QString next = Path("chain.ato") + QString::number(k);
            QCOMPARE(Cli({"run", scene, "--steps", "10", "--out", next}).status, 0);
            scene = next;
            for (int step = 0; step < 10; ++step)
                time += 0.001L;
        }
        QCOMPARE(Cli({"run", Path("two.ato"), "--mode=hot", "--steps=40", "--out", Path("hot.ato"), "--dump", dump,
                      "--every=10"})
                     .status,
                 0);
        QCOMPARE(ReadCsvDump(dump).rbegin()->second, PresentRows(LoadScene(Path("hot.ato"))));
    }

    void setOverridesTheScene()
    {
        TaonSystem edited = LoadScene(Path("two.ato"));
        edited.dt = 0.002L;
        edited.G3 = 2.5L;
        WriteSceneFile(edited, Path("edited.ato"));
        QCOMPARE(Cli({"run", Path("edited.ato"), "--steps", "3", "--out", Path("expected.ato")}).status, 0);
        QCOMPARE(
            Cli({"run", Path("two.ato"), "--set", "dt=0.002", "--steps=3", "--set=G3=2.5", "--out", Path("set.ato")})
                .status,
            0);
        QCOMPARE(ReadAll(Path("set.ato")), ReadAll(Path("expected.ato")));
    }

    // One row: the values set in their order, the steps done, the status and
    // the log's last row; a run that faults still writes it, and nothing else.
    void summaryIsTheRunsLastRow_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("start");
        QTest::newRow("clean") << "two.ato" << 0 << "0.002,2.5,3,ok,";
        QTest::newRow("fault") << "zero.ato" << 1 << "0.002,2.5,0,Floating point division by zero in step 1,0,0,";
    }
    void summaryIsTheRunsLastRow()
    {
        QFETCH(QString, scene);
        QFETCH(int, status);
        QFETCH(QString, start);
        for (const char* name : {"sum.csv", "sumlog.csv", "sum.ato"})
            QFile::remove(Path(name));
        const Outcome outcome = Cli({"run", Path(scene.toLatin1().constData()), "--steps", "3", "--set", "dt=0.002",
                                     "--set", "G3=2.5", "--threads", "1", "--out", Path("sum.ato"), "--log",
                                     Path("sumlog.csv"), "--summary", Path("sum.csv")});
        QCOMPARE(outcome.status, status);
        const QStringList lines = QString::fromLatin1(ReadAll(Path("sum.csv"))).split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0] + '\n', "dt,G3,steps,status," + QString::fromLatin1(RunLogHeader()));
        QVERIFY2(lines[1].startsWith(start), qPrintable(lines[1]));
        QCOMPARE(QFile::exists(Path("sum.ato")), status == 0);
        QCOMPARE(QFile::exists(Path("sumlog.csv")), status == 0);
        if (status == 0)
            QCOMPARE(lines[1].section(',', 4), QString::fromLatin1(ReadAll(Path("sumlog.csv"))).section('\n', -2, -2));
    }

    // The starter text builds the built-in square; its comments name the fields.
    void newWritesTheSquare()
    {
        const Outcome printed = Cli({"new", "-"});
        QCOMPARE(Cli({"make", "-", Path("start.ato")}, printed.out.toStdString()).status, 0);
        TaonSystem square;
        square.TaonCount = SlotCount;
        BuildFigure(square, false);
        square.dt = 0.001L;
        WriteSceneFile(square, Path("square.ato"));
        QCOMPARE(ReadAll(Path("start.ato")), ReadAll(Path("square.ato")));
        for (const char* comment : {"# dt", "A1 ... G1", "A3 ... G3", "# slot N PRESENT X Y Z U V W"})
            QVERIFY2(printed.out.contains(QString::fromLatin1(comment)), comment);
        QCOMPARE(Cli({"new", Path("start.scene")}).status, 0);
        QCOMPARE(ReadAll(Path("start.scene")), printed.out.toUtf8());
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString out = QStringLiteral("@out");
        QTest::newRow("missing file") << QStringList{"run", "@missing.ato", "--steps", "1", "--out", out} << 1
                                      << "missing.ato: File not found.";
        QTest::newRow("short file") << QStringList{"run", "@short.ato", "--steps", "1", "--out", out} << 1
                                    << "short.ato: Read beyond end of file.";
        QTest::newRow("short file shown") << QStringList{"show", "@short.ato"} << 1 << "Read beyond end of file.";
        QTest::newRow("unknown option") << QStringList{"run", "@two.ato", "--steps", "1", "--fast", "--out", out} << 2
                                        << "unknown option '--fast'";
        QTest::newRow("bad number") << QStringList{"run", "@two.ato", "--steps", "1x", "--out", out} << 2
                                    << "bad number for --steps: '1x'";
        QTest::newRow("negative steps") << QStringList{"run", "@two.ato", "--steps=-2", "--out", out} << 2
                                        << "bad number for --steps: '-2'";
        QTest::newRow("unknown mode") << QStringList{"run", "@two.ato", "--steps", "1", "--mode", "warm", "--out", out}
                                      << 2 << "unknown mode 'warm'";
        QTest::newRow("no steps") << QStringList{"run", "@two.ato", "--out", out} << 2 << "run needs --steps N";
        QTest::newRow("no output") << QStringList{"run", "@two.ato", "--steps", "1"} << 2 << "run needs --out";
        QTest::newRow("value missing") << QStringList{"run", "@two.ato", "--out", out, "--steps"} << 2
                                       << "--steps needs a value";
        QTest::newRow("fault during run") << QStringList{"run", "@zero.ato", "--steps", "5", "--out", out} << 1
                                          << "run: Floating point division by zero in step 1; nothing written";
        QTest::newRow("log folder missing")
            << QStringList{"run", "@two.ato", "--steps", "1", "--out", out, "--log", "@nowhere/log.csv"} << 1
            << "nowhere/log.csv: Invalid filename.";
        QTest::newRow("fault during logged run")
            << QStringList{"run", "@zero.ato", "--steps", "5", "--out", out, "--log", "@log.csv"} << 1
            << "run: Floating point division by zero in step 1; nothing written";
        QTest::newRow("every without log")
            << QStringList{"run", "@two.ato", "--steps", "1", "--out", out, "--every=2"} << 2
            << "--every needs --log or --dump";
        QTest::newRow("every zero")
            << QStringList{"run", "@two.ato", "--steps", "1", "--out", out, "--log", "@log.csv", "--every", "0"} << 2
            << "bad number for --every: '0'";
        QTest::newRow("output folder missing")
            << QStringList{"run", "@two.ato", "--steps", "1", "--out", "@nowhere/out.ato"} << 1 << "Invalid filename.";
        QTest::newRow("text not a number") << QStringList{"make", "@bad.scene", out} << 1
                                           << "bad.scene: line 3: '1,5' is not a number";
        QTest::newRow("text missing a coefficient") << QStringList{"make", "@partial.scene", out} << 1
                                                    << "partial.scene: G3 is missing";
        QTest::newRow("text file missing") << QStringList{"make", "@none.scene", out} << 1
                                           << "none.scene: File not found.";
        QTest::newRow("text is the output's commentary")
            << QStringList{"make", "@cube.txt", "@./cube.ato"} << 1
            << "is the commentary file of " + Path("./cube.ato") + "; give the scene text its own name";
        QTest::newRow("unknown command") << QStringList{"render", "@two.ato"} << 2 << "unknown command 'render'";
        QTest::newRow("no command") << QStringList{} << 2 << "no command given";
        QTest::newRow("dump folder missing")
            << QStringList{"run", "@two.ato", "--steps", "1", "--out", out, "--dump", "@nowhere/d.xyz"} << 1
            << "nowhere/d.xyz: Invalid filename.";
        QTest::newRow("fault during a dumped run")
            << QStringList{"run", "@zero.ato", "--steps", "5", "--out", out, "--dump", "@dump.csv"} << 1
            << "run: Floating point division by zero in step 1; nothing written";
        QTest::newRow("set twice") << QStringList{"run", "@two.ato",   "--steps=1", "--out",
                                                  out,   "--set=A1=1", "--set=A1=2"}
                                   << 2 << "--set A1 is given twice";
        QTest::newRow("show needs one file") << QStringList{"show", "@two.ato", "@zero.ato"} << 2
                                             << "usage: zarvitone-cli show FILE.ato";
        QTest::newRow("folder as a scene") << QStringList{"show", "@."} << 1 << "File access denied. (Is a directory)";
        QTest::newRow("scene in a missing folder") << QStringList{"law", "@nowhere/a.ato"} << 1
                                                   << "nowhere/a.ato: Invalid filename. (No such file or directory)";
        QTest::newRow("an option's name as a file") << QStringList{"show", "-x.ato"} << 2 << "unknown option '-x.ato'";
        QTest::newRow("scene to standard output") << QStringList{"run", "@two.ato", "--steps=1", "--out", "-"} << 2
                                                  << "--out cannot be standard output";
        QTest::newRow("text to standard output") << QStringList{"make", "@bad.scene", "-"} << 2
                                                 << "OUT.ato cannot be standard output";
        QTest::newRow("log over the result") << QStringList{"run", "@two.ato", "--steps=1", "--out", out, "--log",
                                                            "@./out"}
                                             << 2 << "--out and --log name the same file";
        QTest::newRow("log over the result through a link")
            << QStringList{"run", "@two.ato", "--steps=1", "--out", out, "--log", "@link"} << 2
            << "--out and --log name the same file";
        QTest::newRow("log and dump, one new file")
            << QStringList{"run", "@two.ato", "--steps=1", "--out", out, "--dump", "@d.csv", "--log", "d.csv"} << 2
            << "--log and --dump name the same file";
        QTest::newRow("summary folder missing")
            << QStringList{"run", "@two.ato", "--steps", "1", "--out", out, "--summary", "@nowhere/s.csv"} << 1
            << "nowhere/s.csv: Invalid filename.";
        QTest::newRow("no threads") << QStringList{"run", "@two.ato", "--steps", "1", "--out", out, "--threads", "0"}
                                    << 2 << "bad number for --threads: '0'";
        QTest::newRow("merge of a file that is no summary") << QStringList{"merge", "@two.ato"} << 1
                                                           << "two.ato: a job's summary is named ID.csv";
        QTest::newRow("scene from short standard input") << QStringList{"run", "-", "--steps=1", "--out", out} << 1
                                                         << "standard input: Read beyond end of file.";
        const QStringList sweep{"sweep", "@two.ato"};
        const auto sweepRow = [&](const char* what, const QStringList& extra, int code, const QString& message) {
            QTest::newRow(what) << sweep + extra << code << message;
        };
        sweepRow("sweep of an unknown name", {"--vary", "X1=1:2:3"}, 2, "with NAME dt or A1 ... G3, not 'X1=1:2:3'");
        sweepRow("sweep count below 1", {"--vary", "A1=1:2:0"}, 2, "--vary A1: COUNT '0' is not a whole number");
        sweepRow("sweep from no number", {"--vary", "A1=one:2:3"}, 2, "--vary A1: 'one' is not a number");
        sweepRow("sweep value no number", {"--vary", "dt=0.1,,0.2"}, 2, "--vary dt: '' is not a number");
        sweepRow("sweep name twice", {"--vary", "A1=1,2", "--vary", "A1=3:4:2"}, 2, "--vary A1 is given twice");
        sweepRow("sweep range without count", {"--vary", "A1=1:2"}, 2, "--vary A1=FROM:TO needs :COUNT");
        sweepRow("sweep random without ranges", {"--random", "4", "--vary", "A1=1,2"}, 2, "--random needs a range");
        sweepRow("sweep random without names", {"--random", "4"}, 2, "sweep needs --vary");
        sweepRow("sweep of too many jobs", {"--vary", "A1=0:1:1000", "--vary", "B1=0:1:101", "--jobs", "@log.csv"}, 2,
                 "the sweep has 101000 jobs, more than 100000; --force");
        sweepRow("sweep steps without a way to run", {"--vary", "A1=1,2", "--steps", "3"}, 2,
                 "--steps needs --run, --commands or --slurm");
        sweepRow("sweep run without a folder", {"--vary", "A1=1,2", "--run", "--steps", "3"}, 2,
                 "--run needs --steps N and --out DIR");
        sweepRow("sweep two ways at once", {"--vary", "A1=1,2", "--run", "--commands"}, 2,
                 "--run and --commands go one at a time");
        sweepRow("sweep bad share", {"--vary", "A1=1,2", "--run", "--steps=1", "--out", "@log.csv", "--share", "2/2"}, 2,
                 "bad number for --share: '2'");
        sweepRow("sweep into a folder that cannot be made", {"--vary", "A1=1,2", "--run", "--steps=1", "--out", "@out/x"},
                 1, "out/x: the folder could not be made");
        // The same misuse of every command and of each option in its table.
        const std::map<QString, QStringList> valid{{"show", {"@two.ato"}},
                                                   {"make", {"@bad.scene", out}},
                                                   {"run", {"@two.ato", "--steps", "1", "--out", out}},
                                                   {"law", {"@two.ato"}},
                                                   {"analyze", {"@two.ato"}},
                                                   {"sweep", {"@two.ato", "--vary", "A1=1,2"}},
                                                   {"new", {out}}};
        for (const CliCommand& command : CliCommands()) {
            const QString name = QString::fromStdString(command.Form.Name);
            const QStringList line = QStringList{name} + (valid.count(name) ? valid.at(name) : QStringList());
            const auto misuse = [&](const QString& what, const QStringList& extra, const QString& message) {
                QTest::addRow("%s %s", qPrintable(name), qPrintable(what)) << line + extra << 2 << message;
            };
            misuse("--x=1", {"--x=1"}, "unknown option '--x'");
            misuse("unknown option", {"--fast"}, "unknown option '--fast'");
            misuse("--help=1", {"--help=1"}, "--help takes no value");
            if (command.Form.Operands.empty() || !command.Form.Operands.back().ends_with("..."))
                misuse("one operand too many", {"@two.ato"}, "unexpected argument");
            for (const OptionForm& option : command.Form.Options) {
                const QString o = QString::fromStdString(option.Name);
                if (option.Value.empty()) {
                    misuse(o + "=1", {o + "=1"}, o + " takes no value");
                    misuse(o + " twice", {o, o}, o + " is given twice");
                    continue;
                }
                misuse(o + " without a value", {o}, o + " needs a value");
                misuse(o + " before an option", {o, "--x"}, o + " needs a value");
                if (option.Use != OptionUse::Repeatable)
                    misuse(o + " twice", {o + "=1", o, "1"}, o + " is given twice");
            }
        }
    }

    void badInputWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        WriteBytes(Path("bad.scene"), "dt 0.001\nA1 1\nB1 1,5\n");
        std::string partial = "dt 0.001\n";
        for (int k = 0; k < CoefficientCount - 1; ++k)
            partial += std::string(CoefficientNames[k]) + " 1\n";
        WriteBytes(Path("partial.scene"), QByteArray::fromStdString(partial));
        WriteBytes(Path("cube.txt"), QByteArray::fromStdString(partial));
        WriteBytes(Path("out"), "old contents");
        for (QString& arg : args)
            if (arg.startsWith('@'))
                arg = Path(arg.mid(1).toLatin1().constData());

        const Outcome outcome = Cli(args);
        QCOMPARE(outcome.status, status);
        QVERIFY2(outcome.err.startsWith("zarvitone-cli: ") && outcome.err.contains(message), qPrintable(outcome.err));
        // A misuse is told with the usage of what was misused.
        QCOMPARE(outcome.err.count('\n'), status == 2 ? 2 : 1);
        const QString usage = outcome.err.section('\n', 1, 1);
        if (status == 2)
            QVERIFY2(usage.startsWith("usage: zarvitone-cli " + (IsCommand(args.value(0)) ? args[0] + ' ' : "COMMAND")),
                     qPrintable(usage));
        QVERIFY(!QFile::exists(Path("-")) && !QFile::exists(Path("1")));
        QCOMPARE(outcome.out, QString());
        QCOMPARE(ReadAll(Path("out")), QByteArray("old contents"));
        QVERIFY(!QFile::exists(Path("nowhere")));
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("log.csv*")}, QDir::Files), QStringList());
        QVERIFY(!QFile::exists(Path("dump.csv")));
    }

    void versionIsTheProgramVersion()
    {
        const Outcome version = Cli({"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QStringLiteral("zarvitone-cli %1\n").arg(QLatin1String(ZarvitoneVersion)));
    }

    void helpListsEverything()
    {
        const Outcome help = Cli({"--help"});
        QCOMPARE(help.status, 0);
        for (const char* word : {"show FILE.ato", "make TEXT OUT.ato", "run FILE.ato", "bench", "--steps N",
                                 "--mode MODE", "atomstand", "hot", "cold", "current1", "current2", "--taoscope",
                                 "--functions3x1", "--blockade", "--cool", "--out OUT.ato", "raw:", "--log FILE.csv",
                                 "--every N", "step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax", "new OUT",
                                 "--set NAME=VALUE", "--dump FILE"})
            QVERIFY2(help.out.contains(QString::fromLatin1(word)), word);
    }

    // The first line, given two.ato on standard input, prints what the second
    // prints or writes to b.csv, and writes a.ato as the second writes b.ato.
    void sameOutcome_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::newRow("show -") << QStringList{"show", "-"} << QStringList{"show", "@two.ato"};
        QTest::newRow("law -, --name=value") << QStringList{"law", "-", "--from=1", "--to=6", "--samples=6"}
                                             << QStringList{"law", "@two.ato", "--from", "1", "--to", "6", "--samples", "6"};
        QTest::newRow("run -, --log -") << QStringList{"run", "-", "--steps=3", "--out", "@a.ato", "--log", "-"}
                                        << QStringList{"run", "@two.ato", "--steps", "3", "--out", "@b.ato", "--log",
                                                       "@b.csv"};
        QTest::newRow("--") << QStringList{"show", "--", "-x.ato"} << QStringList{"show", "@two.ato"};
        QTest::newRow("new --help") << QStringList{"new", "--help"} << QStringList{"new", "--bogus", "--help", "b"};
        QTest::newRow("run --help") << QStringList{"run", "--steps", "--help"} << QStringList{"run", "--help"};
    }

    void sameOutcome()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        for (QStringList* args : {&first, &second})
            for (QString& arg : *args)
                if (arg.startsWith('@'))
                    arg = Path(arg.mid(1).toLatin1().constData());
        for (const char* name : {"a.ato", "b.ato", "b.csv"})
            QFile::remove(Path(name));
        const Outcome one = Cli(first, ReadAll(Path("two.ato")).toStdString());
        const Outcome other = Cli(second);
        QCOMPARE(one.err + other.err, QString());
        QCOMPARE(one.status + other.status, 0);
        QVERIFY(one.out.size() > 100);
        QCOMPARE(one.out, other.out + ReadAll(Path("b.csv")));
        QCOMPARE(ReadAll(Path("a.ato")), ReadAll(Path("b.ato")));
        QVERIFY(!QFile::exists(Path("--help")));
    }

    void standardOutputFails_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("--version") << QStringList{"--version"};
        QTest::newRow("bench --help") << QStringList{"bench", "--help"};
        QTest::newRow("show") << QStringList{"show", "@two.ato"};
        QTest::newRow("law") << QStringList{"law", "@two.ato", "--samples=3"};
        QTest::newRow("new -") << QStringList{"new", "-"};
        QTest::newRow("run --log -") << QStringList{"run", "@two.ato", "--steps=2", "--out", "@a.ato", "--log", "-"};
    }

    void standardOutputFails()
    {
        QFETCH(QStringList, args);
        for (QString& arg : args)
            if (arg.startsWith('@'))
                arg = Path(arg.mid(1).toLatin1().constData());
        QFile::remove(Path("a.ato"));
        FullBuffer buffer;
        std::ostream full(&buffer);
        const Outcome outcome = Cli(args, {}, &full);
        QCOMPARE(outcome.status, 1);
        QVERIFY2(outcome.err.endsWith("standard output could not be written\n"), qPrintable(outcome.err));
        QVERIFY(!QFile::exists(Path("a.ato")));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
