// Steps per second of a run in the real main window (drawing every step,
// processing events between steps) against the bare engine on the same
// 100-point scene, in one process; and what recording frames costs the run.
// Runs offscreen unless a display is chosen.
#include "bench/step/stepbenchmark.h"
#include "model/stepengine.h"
#include "scenes/scenefile.h"
#include "ui/mainform.h"
#include "view/drawingarea.h"
#include "view/picturefile.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Steps = 600;
// The kinds of run take turns, and each keeps its best rate, so that other
// work on the machine weighs on all of them alike.
constexpr int Rounds = 2;

double HeadlessRate(const TaonSystem& scene)
{
    TaonSystem system = scene;
    system.dt = 0.001L; // as a run from the window starts
    StepEngine engine;
    RunSwitches switches;
    QElapsedTimer clock;
    clock.start();
    for (int step = 0; step < Steps; ++step)
        engine.Step(system, switches);
    return Steps / (clock.nsecsElapsed() / 1e9);
}

// What the window does besides drawing: refill the listing, record every
// N-th step's picture into a folder (0: no recording).
struct WindowDuties {
    bool showListing = false;
    int recordEvery = 0;
};

double WindowRate(TMainForm& form, const WindowDuties& duties, const QString& frames)
{
    TaonSystem& system = form.System();
    form.ShowList->setChecked(duties.showListing);
    if (duties.recordEvery > 0)
        form.StartRecording(frames, duties.recordEvery);
    const std::int32_t target = system.StepCount + Steps;
    QTimer stopper;
    stopper.setInterval(0);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (system.StepCount >= target && !system.Stopped)
            form.Go->click();
    });
    stopper.start();
    QElapsedTimer clock;
    clock.start();
    form.Go->click(); // returns when the run has stopped
    const double rate = Steps / (clock.nsecsElapsed() / 1e9);
    form.StopRecording(); // the last few queued frames are written after the run
    return rate;
}

// Processor time of one frame's PNG encoding, the work recording adds to a
// recorded step (on the recorder's thread); the median of a few, in
// milliseconds. Processor time, unlike the clock, hardly depends on what else
// the machine runs.
double EncodingMilliseconds(const QImage& picture)
{
    std::vector<double> times;
    for (int k = 0; k < 21; ++k) {
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        PngBytes(picture);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        times.push_back((end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6);
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
    double headless = 0, window = 0, listing = 0, everyTenth = 0, everyStep = 0;
    for (int round = 0; round < Rounds; ++round) {
        headless = std::max(headless, HeadlessRate(scene));
        window = std::max(window, WindowRate(form, {}, frames));
        listing = std::max(listing, WindowRate(form, {true, 0}, frames));
        everyTenth = std::max(everyTenth, WindowRate(form, {false, 10}, frames));
        everyStep = std::max(everyStep, WindowRate(form, {false, 1}, frames));
    }
    std::printf("Run in the main window: 100 present points, %d steps each, best of %d, platform %s\n", Steps, Rounds,
                qPrintable(QGuiApplication::platformName()));
    std::printf("engine alone                %8.1f steps/s\n", headless);
    std::printf("window, drawing every step  %8.1f steps/s\n", window);
    std::printf("window, drawing and listing %8.1f steps/s\n", listing);
    std::printf("window, recording every 10th step %8.1f steps/s (%.0f %% of drawing alone)\n", everyTenth,
                100 * everyTenth / window);
    std::printf("window, recording every step      %8.1f steps/s (%.0f %% of drawing alone)\n", everyStep,
                100 * everyStep / window);
    std::printf("PNG encoding of one frame: %.2f ms of processor time; a step drawn: %.2f ms\n",
                EncodingMilliseconds(form.Drawing->Picture()), 1e3 / window);
    std::printf("ratio: %.2f\n", window / headless);
    return 0;
}
