// SPDX-License-Identifier: MIT
#include "view/trails.h"

#include "view/colours.h"
#include "view/projection.h"

#include <algorithm>

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

void TrailHistory::Project(const ViewState& view)
{
    const Projection now{view.ViewMatrix, view.Scale, view.PanX, view.PanY, view.CenterX, view.CenterY};
    const bool viewChanged = !(now == projectedFor_);
    projectedFor_ = now;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        Trail& trail = trails_[slot];
        const int first = viewChanged ? 0 : trail.count - trail.unprojected;
        for (int k = first; k < trail.count; ++k) {
            const Point3& p = At(slot, k);
            trail.pixels[Index(slot, k)] = ProjectPoint(view, p.x, p.y, p.z);
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

void DrawTrails(Canvas& canvas, TrailHistory& trails, const TaonSystem& system, const ViewState& view, bool taoscope)
{
    trails.Project(view);
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (system.Present[i])
            DrawTrail(canvas, trails, i, TrailColour(PointColour(i, system.TaonCount, taoscope)));
    }
}
