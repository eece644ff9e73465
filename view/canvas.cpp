// SPDX-License-Identifier: MIT
#include "view/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

Canvas::Canvas(QImage& picture)
    : picture_(picture), bits_(picture.bits()), bytesPerLine_(picture.bytesPerLine()), width_(picture.width()),
      height_(picture.height())
{
    Q_ASSERT(picture.isNull() || picture.depth() == 32);
}

void Canvas::Fill(QRgb colour)
{
    picture_.fill(colour);
}

void Canvas::Put(qint64 x, qint64 y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        Row(y)[x] = colour;
}

void Canvas::Block(int x, int y, int size, QRgb colour)
{
    const qint64 x0 = x, y0 = y;
    for (qint64 dy = 0; dy < size; ++dy)
        for (qint64 dx = 0; dx < size; ++dx)
            Put(x0 + dx, y0 + dy, colour);
}

void Canvas::Disc(int x, int y, int radius, QRgb colour)
{
    // Pixel centres within the radius of the square's middle (x + 1, y + 1),
    // in half pixels so all stays whole.
    const qint64 x0 = x, y0 = y, reach = 4 * qint64(radius) * radius;
    for (qint64 py = y0 - radius; py <= y0 + 1 + radius; ++py) {
        const qint64 dy = 2 * (py - y0) - 1;
        for (qint64 px = x0 - radius; px <= x0 + 1 + radius; ++px) {
            const qint64 dx = 2 * (px - x0) - 1;
            if (dx * dx + dy * dy <= reach)
                Put(px, py, colour);
        }
    }
}

void Canvas::Ring(int x, int y, int radius, QRgb colour)
{
    // Midpoint circle; each octant's pixel is mirrored about the square's
    // middle, so the ring is as round about the square as about a pixel.
    const qint64 x0 = x, y0 = y;
    qint64 dx = radius, dy = 0, error = 1 - radius;
    while (dx >= dy) {
        for (const auto& [a, b] : {std::pair{dx, dy}, std::pair{dy, dx}}) {
            Put(x0 + 1 + a, y0 + 1 + b, colour);
            Put(x0 - a, y0 + 1 + b, colour);
            Put(x0 + 1 + a, y0 - b, colour);
            Put(x0 - a, y0 - b, colour);
        }
        ++dy;
        if (error < 0) {
            error += 2 * dy + 1;
        } else {
            --dx;
            error += 2 * (dy - dx) + 1;
        }
    }
}

namespace {

// Liang-Barsky: cuts the segment to [lo, hi] in both axes. False when nothing
// of it lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double loX, double hiX, double loY, double hiY)
{
    const double dx = x1 - x0, dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - loX, hiX - x0, y0 - loY, hiY - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = x0, sy = y0;
    x0 = sx + t0 * dx;
    y0 = sy + t0 * dy;
    x1 = sx + t1 * dx;
    y1 = sy + t1 * dy;
    return true;
}

} // namespace

void Canvas::Line(PixelPoint from, PixelPoint to, QRgb colour)
{
    qint64 x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    const auto inside = [this](qint64 x, qint64 y) { return x >= 0 && y >= 0 && x < width_ && y < height_; };
    if (!inside(x0, y0) || !inside(x1, y1)) {
        // A margin keeps the cut ends' rounding off the visible border.
        double fx0 = double(x0), fy0 = double(y0), fx1 = double(x1), fy1 = double(y1);
        if (!ClipSegment(fx0, fy0, fx1, fy1, -2, double(width_ + 1), -2, double(height_ + 1)))
            return;
        x0 = std::llround(fx0);
        y0 = std::llround(fy0);
        x1 = std::llround(fx1);
        y1 = std::llround(fy1);
    }
    // Bresenham, from `from` towards `to`.
    const qint64 dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
    const qint64 stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    qint64 error = dx + dy;
    for (;;) {
        Put(x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const qint64 twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

void Canvas::Paste(const QImage& piece, int x, int y, int dx, int dy)
{
    const qint64 left = qint64(x) + dx, top = qint64(y) + dy;
    const qint64 firstColumn = std::max<qint64>(0, -left);
    const qint64 lastColumn = std::min<qint64>(piece.width(), width_ - left); // exclusive
    if (firstColumn >= lastColumn)
        return;
    const qint64 firstRow = std::max<qint64>(0, -top);
    const qint64 lastRow = std::min<qint64>(piece.height(), height_ - top);
    for (qint64 row = firstRow; row < lastRow; ++row) {
        const auto* source = reinterpret_cast<const QRgb*>(piece.constScanLine(int(row)));
        QRgb* target = Row(top + row);
        std::memcpy(target + left + firstColumn, source + firstColumn,
                    sizeof(QRgb) * std::size_t(lastColumn - firstColumn));
    }
}
