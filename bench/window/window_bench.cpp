// Steps per second of a run in the real main window (drawing every step,
// processing events between steps) against the bare engine on the same
// 100-point scene, in one process. Runs offscreen unless a display is chosen.
#include "bench/step/stepbenchmark.h"
#include "charts/runmonitor.h"
#include "model/stepengine.h"
#include "scenes/scenefile.h"
#include "ui/mainform.h"

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
#include <ctime>

namespace {

constexpr int Steps = 600;

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

double WindowRate(TMainForm& form, bool showListing, int steps = Steps)
{
    TaonSystem& system = form.System();
    form.ShowList->setChecked(showListing);
    const std::int32_t target = system.StepCount + steps;
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
    return steps / (clock.nsecsElapsed() / 1e9);
}

// Processor time of the whole process, every thread, in microseconds.
double ProcessMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

struct MonitorCost {
    double Closed = 0, Open = 0;                         // best rates, steps per second
    double ClosedMicroseconds = 0, OpenMicroseconds = 0; // processor time per step
};

// The window with the Run Monitor closed and open, in alternating rounds, so
// that a load that comes and goes on the machine weighs on both alike. The
// processor time a step takes shows the monitor's cost even when other
// programs take turns on the processors and the rates say little.
MonitorCost MeasureMonitor(TMainForm& form)
{
    constexpr int Rounds = 4;
    MonitorCost cost;
    double closedTime = 0, openTime = 0;
    for (int round = 0; round < Rounds; ++round) {
        form.Monitor->hide();
        double start = ProcessMicroseconds();
        cost.Closed = std::max(cost.Closed, WindowRate(form, false, Steps / 2));
        closedTime += ProcessMicroseconds() - start;
        form.RunMonitor1->trigger();
        start = ProcessMicroseconds();
        cost.Open = std::max(cost.Open, WindowRate(form, false, Steps / 2));
        openTime += ProcessMicroseconds() - start;
    }
    cost.ClosedMicroseconds = closedTime / (Rounds * (Steps / 2));
    cost.OpenMicroseconds = openTime / (Rounds * (Steps / 2));
    return cost;
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

    const double headless = HeadlessRate(scene);
    const double window = WindowRate(form, false);
    const double listing = WindowRate(form, true);
    form.RunMonitor1->trigger();
    if (!QTest::qWaitForWindowExposed(form.Monitor))
        return 1;
    const MonitorCost monitor = MeasureMonitor(form);
    std::printf("Run in the main window: 100 present points, %d steps each, platform %s\n", Steps,
                qPrintable(QGuiApplication::platformName()));
    std::printf("engine alone                %8.1f steps/s\n", headless);
    std::printf("window, drawing every step  %8.1f steps/s\n", window);
    std::printf("window, drawing and listing %8.1f steps/s\n", listing);
    std::printf("run monitor open            %8.1f steps/s  (closed %.1f in the same rounds: %.2f of it)\n",
                monitor.Open, monitor.Closed, monitor.Open / monitor.Closed);
    std::printf("processor time a step       %8.0f us closed, %.0f us open: %.2f\n", monitor.ClosedMicroseconds,
                monitor.OpenMicroseconds, monitor.ClosedMicroseconds / monitor.OpenMicroseconds);
    std::printf("ratio: %.2f\n", window / headless);
    return 0;
}
