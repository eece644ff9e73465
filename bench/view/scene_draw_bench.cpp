// SPDX-License-Identifier: MIT
// Times DrawScene of a full 100-point scene in the main window's drawing area
// (854 x 288), with and without point numbers, with full trails and the axes,
// DrawSpiral, and a scene draw followed by the widget's own repaint; the
// Depth look; the preview a drag redraws at each mouse move, without trails
// and with trails of 5,000 positions. Prints the median of 25 batches.
#include "view/drawingarea.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMicroseconds(const std::function<void()>& draw, int DrawsPerBatch = 200)
{
    constexpr int Batches = 25;
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

// A mouse event of the left button in the drawing area.
void Mouse(DrawingArea& area, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, area.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
    QCoreApplication::sendEvent(&area, &event);
}

// One preview redraw of a held drag: a move to the next pixel and the
// repaint it asks for.
double PreviewMicroseconds(DrawingArea& area, int drawsPerBatch)
{
    Mouse(area, QEvent::MouseButtonPress, {300, 100});
    int step = 0;
    const double preview = MedianMicroseconds([&] {
        Mouse(area, QEvent::MouseMove, {300 + ++step % 200, 100});
        area.repaint();
    }, drawsPerBatch);
    Mouse(area, QEvent::MouseButtonRelease, {300, 100});
    return preview;
}

// Fills every point's trail with a short curved way around its drawn
// position, `turn` radians a position.
void FillTrails(DrawingArea& area, TaonSystem& system, Real turn)
{
    for (int k = 0; k < area.Trails().Length(); ++k) {
        for (int i = 1; i <= SlotCount; ++i) {
            system.X[i] = system.DrawX[i] + 0.3L * std::sin(k * turn + i);
            system.Y[i] = system.DrawY[i];
            system.Z[i] = system.DrawZ[i] + 0.3L * std::cos(k * turn + i);
        }
        area.Trails().Record(system);
    }
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
    view.DepthLook = true;
    const double depth = MedianMicroseconds([&] { area.DrawScene(); });
    view.DepthLook = false;
    view.ShowNumbers = true;
    const double numbered = MedianMicroseconds([&] { area.DrawScene(); });
    taoscope = false;
    const double numberedGravoscope = MedianMicroseconds([&] { area.DrawScene(); });

    // Full trails: every point has come a short curved way.
    FillTrails(area, system, 0.02L);
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
    view.ShowNumbers = false;
    const double preview = PreviewMicroseconds(area, 200);
    area.Trails().SetLength(5000);
    FillTrails(area, system, 0.002L);
    view.ShowTrails = true;
    const double trails5000 = MedianMicroseconds([&] { area.DrawScene(); }, 10);
    const double previewTrails = PreviewMicroseconds(area, 10);
    view.ShowTrails = false;
    view.ShowNumbers = true;
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
    std::printf("  Depth look, without numbers:      %7.1f us  (%.2f x the plain draw)\n", depth, depth / plain);
    std::printf("  with trails of 5,000 positions:   %7.1f us\n", trails5000);
    std::printf("Preview redraw during a drag (a mouse move and its repaint):\n");
    std::printf("  without trails:                   %7.1f us\n", preview);
    std::printf("  with trails of 5,000 positions:   %7.1f us\n", previewTrails);
    std::printf("DrawSpiral, 19 points, numbers:     %7.1f us\n", spiralDraw);
    return 0;
}
