// SPDX-License-Identifier: MIT
// Steps per second of `zarvitone-cli run` on the 100-point benchmark scene:
// plain, and with --dump of every step in each format. The runs alternate and
// each rate is the best of its rounds, as the machine may be busy.
#include "bench/step/cputime.h"
#include "model/stepbenchmark.h"
#include "scenes/scenefile.h"
#include "scenes/trajectory.h"
#include "tools/cli.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

namespace {

constexpr int Steps = 150;
constexpr int Rounds = 6;

// Steps per second of one run, or 0 when it failed.
double RunRate(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    QElapsedTimer clock;
    clock.start();
    if (CliMain(args, in, out, err) != 0) {
        std::fprintf(stderr, "%s", err.str().c_str());
        return 0;
    }
    return Steps / (clock.nsecsElapsed() / 1e9);
}

// Microseconds of processor time to form one frame's text, the part of a dump
// that grows with the points; best of a few batches.
double FrameMicroseconds(const TaonSystem& scene, TrajectoryFormat format)
{
    constexpr int Frames = 200;
    double best = 1e300;
    std::string text;
    for (int batch = 0; batch < 5; ++batch) {
        const double start = CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID);
        for (int k = 0; k < Frames; ++k) {
            text.clear();
            AppendTrajectoryFrame(text, format, scene, k, k * scene.dt);
        }
        best = std::min(best, (CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID) - start) / Frames);
    }
    return best;
}

} // namespace

int main()
{
    QTemporaryDir scratch;
    const auto path = [&](const char* name) { return scratch.filePath(QString::fromLatin1(name)).toStdString(); };
    TaonSystem scene = BenchmarkScene();
    WriteSceneFile(scene, QString::fromStdString(path("bench.ato")));

    const std::vector<std::string> plain = {"run",   path("bench.ato"), "--steps", std::to_string(Steps),
                                            "--out", path("out.ato")};
    std::array<std::vector<std::string>, 3> runs = {plain, plain, plain};
    runs[1].insert(runs[1].end(), {"--dump", path("dump.xyz"), "--every", "1"});
    runs[2].insert(runs[2].end(), {"--dump", path("dump.csv"), "--every", "1"});
    std::array<double, 3> best{};
    for (int round = 0; round < Rounds; ++round)
        for (std::size_t k = 0; k < runs.size(); ++k)
            best[k] = std::max(best[k], RunRate(runs[k]));
    if (best[0] == 0 || best[1] == 0 || best[2] == 0)
        return 1;

    std::printf("zarvitone-cli run, 100 present points, %d steps, best of %d\n", Steps, Rounds);
    std::printf("plain run                  %8.1f steps/s\n", best[0]);
    std::printf("--dump every step, .xyz    %8.1f steps/s (%.0f %% of plain)\n", best[1], 100 * best[1] / best[0]);
    std::printf("--dump every step, .csv    %8.1f steps/s (%.0f %% of plain)\n", best[2], 100 * best[2] / best[0]);
    const double xyzFrame = FrameMicroseconds(scene, TrajectoryFormat::ExtendedXyz);
    const double csvFrame = FrameMicroseconds(scene, TrajectoryFormat::Csv);
    std::printf("one frame's text: %.0f us (.xyz), %.0f us (.csv); a plain step: %.0f us\n", xyzFrame, csvFrame,
                1e6 / best[0]);
    std::printf("ratio: %.2f\n", std::min(best[1], best[2]) / best[0]);
    return 0;
}
