// SPDX-License-Identifier: MIT
// Times DrawScene of a full 100-point scene in the main window's drawing area
// (854 x 288), with and without point numbers, with full trails and the axes,
// DrawSpiral, and a scene draw followed by the widget's own repaint. Prints
// the median of 25 batches.
#include "view/drawingarea.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMicroseconds(const std::function<void()>& draw)
{
    constexpr int Batches = 25;
    constexpr int DrawsPerBatch = 200;
    for (int k = 0; k < DrawsPerBatch; ++k)
        draw();
    std::vector<double> perDraw;
    for (int b = 0; b < Batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < DrawsPerBatch; ++k)
            draw();
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        perDraw.push_back(spent.count() / DrawsPerBatch);
    }
    std::nth_element(perDraw.begin(), perDraw.begin() + Batches / 2, perDraw.end());
    return perDraw[Batches / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    TaonSystem system;
    system.TaonCount = SlotCount;
    for (int i = 1; i <= SlotCount; ++i) {
        // A ball of points filling most of the area.
        system.Present[i] = 1;
        system.DrawX[i] = 3 * std::sin(Real(i) * 0.7L);
        system.DrawY[i] = std::cos(Real(i) * 1.3L);
        system.DrawZ[i] = 2 * std::cos(Real(i) * 0.7L) * std::sin(Real(i) * 0.3L);
    }
    ViewState view;
    view.SpiralMode = false;
    view.Teta = 0.3L;
    view.Phi = -0.2L;
    DrawingArea area(system, view);
    area.resize(854, 470);
    area.SetDrawingHeight(288);
    view.UpdateCenter(854, 288);
    bool taoscope = true;
    area.SetScopeSource([&] { return taoscope; });

    const double plain = MedianMicroseconds([&] { area.DrawScene(); });
    view.ShowNumbers = true;
    const double numbered = MedianMicroseconds([&] { area.DrawScene(); });
    taoscope = false;
    const double numberedGravoscope = MedianMicroseconds([&] { area.DrawScene(); });

    // Full trails: every point has come a short curved way.
    for (int k = 0; k < area.Trails().Length(); ++k) {
        for (int i = 1; i <= SlotCount; ++i) {
            system.X[i] = system.DrawX[i] + 0.3L * std::sin(k * 0.02L + i);
            system.Y[i] = system.DrawY[i];
            system.Z[i] = system.DrawZ[i] + 0.3L * std::cos(k * 0.02L + i);
        }
        area.Trails().Record(system);
    }
    view.ShowNumbers = false;
    view.ShowTrails = true;
    const double trails = MedianMicroseconds([&] { area.DrawScene(); });
    // A turned view projects every kept position again.
    const double trailsTurning = MedianMicroseconds([&] {
        view.Teta += 0.001L;
        area.DrawScene();
    });
    view.ShowTrails = false;
    view.ShowAxes = true;
    const double axes = MedianMicroseconds([&] { area.DrawScene(); });
    view.ShowAxes = false;
    view.ShowNumbers = true;

    area.show();
    QApplication::processEvents();
    const double withRepaint = MedianMicroseconds([&] {
        area.DrawScene();
        area.repaint(area.Picture().rect());
    });

    TaonSystem figure;
    ViewState spiral;
    spiral.dTeta = 0.01L;
    spiral.ShowNumbers = true;
    DrawingArea spiralArea(figure, spiral);
    spiralArea.resize(854, 470);
    spiralArea.SetDrawingHeight(288);
    spiral.UpdateCenter(854, 288);
    const double spiralDraw = MedianMicroseconds([&] { spiralArea.DrawSpiral(); });

    std::printf("DrawScene, 100 points, 854 x 288 area (median per draw, platform %s)\n",
                qPrintable(QApplication::platformName()));
    std::printf("  without numbers:                  %7.1f us\n", plain);
    std::printf("  with numbers (Taoscope):          %7.1f us\n", numbered);
    std::printf("  with numbers (Gravoscope):        %7.1f us\n", numberedGravoscope);
    std::printf("  with trails of 200 positions:     %7.1f us\n", trails);
    std::printf("  with trails, turning every draw:  %7.1f us\n", trailsTurning);
    std::printf("  with the axes:                    %7.1f us\n", axes);
    std::printf("  with numbers, plus the repaint:   %7.1f us\n", withRepaint);
    std::printf("DrawSpiral, 19 points, numbers:     %7.1f us\n", spiralDraw);
    return 0;
}
