// SPDX-License-Identifier: MIT
#include "view/axes.h"

#include "view/canvas.h"
#include "view/colours.h"
#include "view/depthlook.h"
#include "view/projection.h"
#include "view/standinfont.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <utility>

void DrawAxes(QImage& picture, const ViewState& view, qreal ratio)
{
    const int Margin = qRound(32 * ratio); // from the left and bottom edges to the triad's origin
    const int Length = qRound(16 * ratio); // pixels of a unit axis lying in the screen plane
    const int LetterGap = qRound(7 * ratio);
    static const std::array<std::pair<QRgb, QChar>, 3> axes = {
        {{Colours::Red, QLatin1Char('x')}, {Colours::Lime, QLatin1Char('y')}, {Colours::Aqua, QLatin1Char('z')}}};
    // A negative Scale mirrors the scene, and the triad with it.
    const Real mirror = view.Scale < 0 ? -1 : 1;
    if (picture.isNull()) // a window squeezed to nothing
        return;
    const PixelPoint origin{Margin, picture.height() - Margin};
    QFont font = LabelFont();
    font.setPixelSize(qRound(font.pixelSize() * ratio));
    // In the Depth look an axis toward the viewer is brighter and drawn last.
    std::array<int, 3> order{0, 1, 2};
    std::array<QRgb, 3> colours{axes[0].first, axes[1].first, axes[2].first};
    if (view.DepthLook) {
        std::stable_sort(order.begin(), order.end(),
                         [&view](int a, int b) { return view.ViewMatrix[1][a] > view.ViewMatrix[1][b]; });
        for (int k = 0; k < 3; ++k)
            colours[k] = DepthShade(colours[k], DirectionNearness(view.ViewMatrix[1][k]));
    }
    const auto along = [&](int k, int pixels) {
        return PixelPoint{origin.x + RoundToPixel(mirror * pixels * view.ViewMatrix[0][k]),
                          origin.y + RoundToPixel(mirror * pixels * view.ViewMatrix[2][k])};
    };
    {
        Canvas canvas(picture);
        for (int k : order)
            canvas.Line(origin, along(k, Length), colours[k]);
    }
    QPainter painter(&picture);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int k : order) {
        // The letter just beyond the tip, centred on the axis' line.
        const PixelPoint tip = along(k, Length + LetterGap);
        const QString letter(axes[k].second);
        painter.setPen(QColor(colours[k]));
        painter.drawText(tip.x - metrics.horizontalAdvance(letter) / 2, tip.y + metrics.ascent() / 2, letter);
    }
}
