// SPDX-License-Identifier: MIT
#include "view/trails.h"

#include "view/colours.h"
#include "view/projection.h"

#include <algorithm>
#include <climits>
#include <cmath>

void TrailHistory::Clear()
{
    for (Trail& trail : trails_) {
        trail.next = trail.count = trail.unprojected = 0;
        trail.foldPending = false;
    }
}

void TrailHistory::SetLength(int length)
{
    length_ = std::max(length, 1);
    Clear();
    // The rings are made again at the new length; the fold counts stay.
    for (Trail& trail : trails_) {
        trail.points = {};
        trail.pixels = {};
        trail.startsPiece = {};
    }
}

void TrailHistory::Record(const TaonSystem& system)
{
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (!system.Present[i])
            continue;
        Trail& trail = trails_[i];
        if (trail.points.empty()) {
            trail.points.resize(length_);
            trail.pixels.resize(length_);
            trail.startsPiece.resize(length_);
        }
        trail.points[trail.next] = {system.X[i], system.Y[i], system.Z[i]};
        // A step's fold moves the working position, after the commit: the
        // committed one jumps at the next step. (The count is kept across a
        // Clear, so a fold is never missed; at worst one piece is cut short.)
        trail.startsPiece[trail.next] = trail.foldPending;
        trail.foldPending = system.Folds[i] != trail.folds;
        trail.folds = system.Folds[i];
        trail.next = (trail.next + 1) % length_;
        trail.count = std::min(trail.count + 1, length_);
        trail.unprojected = std::min(trail.unprojected + 1, length_);
    }
}

namespace {

// ProjectPoint in double, rounded halves to even like it.
struct QuickProjection {
    explicit QuickProjection(const ViewState& view)
    {
        const double half = double(view.Scale) / 2;
        for (int c = 0; c < 3; ++c) {
            across[c] = double(view.ViewMatrix[0][c]) * half;
            down[c] = double(view.ViewMatrix[2][c]) * half;
        }
        left = double(view.CenterX + view.PanX);
        top = double(view.CenterY + view.PanY);
    }
    static int Round(double value)
    {
        if (!(value > INT_MIN && value < INT_MAX)) // beyond the ends, or NaN
            return value >= INT_MAX ? INT_MAX : INT_MIN;
        return int(std::lrint(value));
    }
    PixelPoint operator()(const Point3& p) const
    {
        const double x = double(p.x), y = double(p.y), z = double(p.z);
        return {Round(left + across[0] * x + across[1] * y + across[2] * z),
                Round(top + down[0] * x + down[1] * y + down[2] * z)};
    }
    double across[3], down[3], left, top;
};

} // namespace

void TrailHistory::Project(const ViewState& view, bool quick)
{
    const Projection now{view.ViewMatrix, view.Scale, view.PanX, view.PanY, view.CenterX, view.CenterY, quick};
    const bool viewChanged = !(now == projectedFor_);
    projectedFor_ = now;
    const QuickProjection quickly(view);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        Trail& trail = trails_[slot];
        if (quick && viewChanged) {
            // The ring's filled entries, in storage order: all of it once full.
            for (int k = 0; k < trail.count; ++k)
                trail.pixels[k] = quickly(trail.points[k]);
            trail.unprojected = 0;
            continue;
        }
        const int first = viewChanged ? 0 : trail.count - trail.unprojected;
        for (int k = first; k < trail.count; ++k) {
            const Point3& p = At(slot, k);
            trail.pixels[Index(slot, k)] = quick ? quickly(p) : ProjectPoint(view, p.x, p.y, p.z);
        }
        trail.unprojected = 0;
    }
}

QRgb TrailColour(QRgb pointColour)
{
    return qRgb(qRed(pointColour) / 2, qGreen(pointColour) / 2, qBlue(pointColour) / 2);
}

void DrawTrail(Canvas& canvas, const TrailHistory& trails, int slot, QRgb colour)
{
    if (trails.Count(slot) < 2)
        return;
    PixelPoint from = trails.PixelAt(slot, 0);
    for (int k = 1; k < trails.Count(slot); ++k) {
        const PixelPoint to = trails.PixelAt(slot, k);
        // A slow point stays on its pixel for many steps.
        if ((to.x != from.x || to.y != from.y) && !trails.StartsPiece(slot, k))
            canvas.Line(from, to, colour);
        from = to;
    }
}

void DrawTrails(Canvas& canvas, TrailHistory& trails, const TaonSystem& system, const ViewState& view, bool taoscope,
                bool quick)
{
    trails.Project(view, quick);
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (system.Present[i])
            DrawTrail(canvas, trails, i, TrailColour(PointColour(i, system.TaonCount, taoscope)));
    }
}
