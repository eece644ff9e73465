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
#include <utility>

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

// The best rates of the window with the Run Monitor closed and open, in
// alternating rounds, so that a load that comes and goes on the machine
// weighs on both alike.
std::pair<double, double> MonitorRates(TMainForm& form)
{
    constexpr int Rounds = 4;
    double closed = 0, open = 0;
    for (int round = 0; round < Rounds; ++round) {
        form.Monitor->hide();
        closed = std::max(closed, WindowRate(form, false, Steps / 2));
        form.RunMonitor1->trigger();
        open = std::max(open, WindowRate(form, false, Steps / 2));
    }
    return {closed, open};
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
    const auto [closed, monitored] = MonitorRates(form);
    std::printf("Run in the main window: 100 present points, %d steps each, platform %s\n", Steps,
                qPrintable(QGuiApplication::platformName()));
    std::printf("engine alone                %8.1f steps/s\n", headless);
    std::printf("window, drawing every step  %8.1f steps/s\n", window);
    std::printf("window, drawing and listing %8.1f steps/s\n", listing);
    std::printf("run monitor open            %8.1f steps/s  (closed %.1f in the same rounds: %.2f of it)\n", monitored,
                closed, monitored / closed);
    std::printf("ratio: %.2f\n", window / headless);
    return 0;
}
