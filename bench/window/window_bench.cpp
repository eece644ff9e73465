// SPDX-License-Identifier: MIT
// Steps per second of a run in the real main window (drawing every step,
// processing events between steps) against the bare engine on the same
// 100-point scene, in one process; and what recording frames costs the run.
// Runs offscreen unless a display is chosen. Every row but one keeps the run
// history, as the program always does; "run history off" shows its cost.
#include "bench/step/cputime.h"
#include "charts/lawwindow.h"
#include "charts/runmonitor.h"
#include "charts/structurewindow.h"
#include "document/runhistory.h"
#include "model/stepbenchmark.h"
#include "model/stepengine.h"
#include "scenes/figures.h"
#include "scenes/scenefile.h"
#include "ui/mainform.h"
#include "view/drawingarea.h"
#include "view/picturefile.h"
#include "view/pngencoding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Steps = 600;
constexpr int Rounds = 3;

double HeadlessRate(const TaonSystem& scene)
{
    TaonSystem system = scene;
    system.dt = StartingDt; // as a run from the window starts
    StepEngine engine;
    RunSwitches switches;
    QElapsedTimer clock;
    clock.start();
    for (int step = 0; step < Steps; ++step)
        engine.Step(system, switches);
    return Steps / (clock.nsecsElapsed() / 1e9);
}

// One run of `steps` steps from the Go button, starting from `scene` as a run
// from the window starts; the rate in steps per second. Every run
// starts from the same state, since a step's cost depends on how far apart
// the points are.
double WindowRate(TMainForm& form, const TaonSystem& scene, int steps = Steps)
{
    TaonSystem& system = form.System();
    const TaonSystem before = system;
    system = scene;
    system.dt = StartingDt;
    system.StepCount = before.StepCount;
    system.Stopped = before.Stopped;
    const std::int32_t target = system.StepCount + steps;
    auto* go = form.findChild<QPushButton*>(QStringLiteral("Go"));
    QTimer stopper;
    stopper.setInterval(0);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (system.StepCount >= target && !system.Stopped)
            go->click();
    });
    stopper.start();
    QElapsedTimer clock;
    clock.start();
    go->click(); // returns when the run has stopped
    return steps / (clock.nsecsElapsed() / 1e9);
}

// A way of running in the window: what to switch on before its runs and off
// after them. Its rate in each round and its processor time per step.
struct Condition {
    const char* Name;
    std::function<void()> Enter;
    std::function<void()> Leave;
    std::vector<double> Rates = {};
    double Microseconds = 0;

    double Best() const { return *std::max_element(Rates.begin(), Rates.end()); }
    double Worst() const { return *std::min_element(Rates.begin(), Rates.end()); }
};

// A window opened for a row is shown and painted before the run starts: the
// row measures a run with the window open, not the opening.
void Opened(QWidget* window)
{
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "%s was not shown\n", qPrintable(window->windowTitle()));
    // A chart's first paint comes in more than one pass of the event loop.
    QTest::qWait(100);
}

// The engine alone and every condition take their turn in every round and
// keep their best rate, so that a load that comes and goes on the machine
// weighs on all alike; the spread of the rounds shows how much of a difference
// is noise, and the processor time a step takes shows a cost even when the
// rates say little.
void Measure(TMainForm& form, const TaonSystem& scene, double& headless, std::vector<Condition>& conditions)
{
    for (int round = 0; round < Rounds; ++round) {
        headless = std::max(headless, HeadlessRate(scene));
        for (Condition& condition : conditions) {
            condition.Enter();
            const double start = CpuMicroseconds(CLOCK_PROCESS_CPUTIME_ID);
            condition.Rates.push_back(WindowRate(form, scene));
            condition.Microseconds += (CpuMicroseconds(CLOCK_PROCESS_CPUTIME_ID) - start) / (Rounds * Steps);
            condition.Leave();
        }
    }
}

// Processor time of one frame's PNG encoding, the work recording adds to a
// recorded step (on the recorder's thread); the median of a few, in
// milliseconds.
double EncodingMilliseconds(const QImage& picture)
{
    std::vector<double> times;
    for (int k = 0; k < 21; ++k) {
        const double start = CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID);
        PngBytes(picture);
        times.push_back((CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID) - start) / 1e3);
    }
    std::nth_element(times.begin(), times.begin() + 10, times.end());
    return times[10];
}

// Wall time of writing one frame as the recorder does (encoding, the file and
// its sync to disk); the median of a few, in milliseconds. Longer than the
// steps between two frames and the run waits for the disk.
double FrameWriteMilliseconds(const QImage& picture, const QString& folder)
{
    std::vector<double> times;
    for (int k = 0; k < 21; ++k) {
        QElapsedTimer clock;
        clock.start();
        WritePicture(picture, QDir(folder).filePath(QStringLiteral("timed.png")));
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + 10, times.end());
    return times[10];
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path()));

    TaonSystem scene = BenchmarkScene();
    const QString path = scratch.filePath(QStringLiteral("bench.ato"));
    WriteSceneFile(scene, path);
    QDir().mkpath(scratch.filePath(QStringLiteral("zarvitone")));
    QFile start(scratch.filePath(QStringLiteral("zarvitone/Start.zarv")));
    if (!start.open(QIODevice::WriteOnly) || start.write(path.toUtf8()) != path.toUtf8().size())
        return 1;
    start.close();

    TaonSystem system;
    TMainForm form(system);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    const QString frames = scratch.filePath(QStringLiteral("frames"));
    QDir().mkpath(frames);
    double headless = 0;
    const auto nothing = [] {};
    const auto item = [&form](const char* name) { return form.findChild<QAction*>(QLatin1String(name)); };
    auto* showList = form.findChild<QCheckBox*>(QStringLiteral("ShowList"));
    auto* drawing = form.findChild<DrawingArea*>();
    std::vector<Condition> conditions{
        {"window, drawing every step", nothing, nothing},
        {"run history off", [&] { form.Document().KeepRunHistory(false); },
         [&] { form.Document().KeepRunHistory(true); }},
        {"window, drawing and listing", [&] { showList->setChecked(true); }, [&] { showList->setChecked(false); }},
        {"Depth look", [&] { item("Depth1")->trigger(); }, [&] { item("Depth1")->trigger(); }},
        // Full trails from the start: the scene's own positions.
        {"trails of 5,000",
         [&] {
             item("TrailLength5000")->trigger();
             item("Trails1")->trigger();
             for (int k = 0; k < 5000; ++k)
                 drawing->Trails().Record(scene);
         },
         [&] {
             item("Trails1")->trigger();
             item("TrailLength200")->trigger();
         }},
        {"interaction law window open",
         [&] {
             item("InteractionLaw1")->trigger();
             Opened(form.findChild<InteractionLawWindow*>());
         },
         [&] { form.findChild<InteractionLawWindow*>()->hide(); }},
        {"run monitor open",
         [&] {
             item("RunMonitor1")->trigger();
             Opened(form.findChild<RunMonitor*>());
         },
         [&] { form.findChild<RunMonitor*>()->hide(); }},
        {"structure window open",
         [&] {
             item("Structure1")->trigger();
             Opened(form.findChild<StructureWindow*>());
         },
         [&] { form.findChild<StructureWindow*>()->hide(); }},
        // The last few queued frames are written after the run, outside its time.
        {"recording every 10th step", [&] { form.StartRecording(frames, 10); }, [&] { form.StopRecording(); }},
        {"recording every step", [&] { form.StartRecording(frames, 1); }, [&] { form.StopRecording(); }},
    };
    Measure(form, scene, headless, conditions);
    const double window = conditions.front().Best();
    std::printf("Run in the main window: 100 present points, %d steps a run, best of %d (and the rounds' spread), "
                "platform %s\n",
                Steps, Rounds, qPrintable(QGuiApplication::platformName()));
    std::printf("%-36s %8.1f steps/s\n", "engine alone", headless);
    for (const Condition& condition : conditions)
        std::printf("%-36s %8.1f steps/s (%6.1f..%6.1f)  %4.0f %% of drawing alone  %6.0f us processor time a step\n",
                    condition.Name, condition.Best(), condition.Worst(), condition.Best(),
                    100 * condition.Best() / window, condition.Microseconds);
    std::printf("PNG encoding of one frame: %.2f ms of processor time; a frame written and synced: %.2f ms; "
                "a step drawn: %.2f ms\n",
                EncodingMilliseconds(drawing->Picture()), FrameWriteMilliseconds(drawing->Picture(), frames),
                1e3 / window);
    const Condition& historyOff = conditions[1];
    std::printf("run history on: %.1f %% of the rate with it off, %.1f %% of its processor time a step\n",
                100 * window / historyOff.Best(), 100 * historyOff.Microseconds / conditions.front().Microseconds);
    // What the history holds once a run has gone on long: its states are
    // thinned, never more than its capacity.
    RunHistory history;
    history.RunStarts(scene, 0);
    const double keepStart = CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID);
    for (int step = 0; step < RunHistory::DefaultCapacity - 1; ++step)
        history.StepTaken(scene, 0);
    std::printf("keeping a step's state: %.1f us of processor time\n",
                (CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID) - keepStart) / (RunHistory::DefaultCapacity - 1));
    for (int step = RunHistory::DefaultCapacity - 1; step < 100000; ++step)
        history.StepTaken(scene, 0);
    std::printf("run history after 100,000 steps: %d states, one every %lld steps, %.1f MB\n", history.Count(),
                static_cast<long long>(history.Every()), history.Bytes() / 1048576.0);
    std::printf("ratio: %.2f\n", window / headless);
    return 0;
}
