// SPDX-License-Identifier: MIT
#pragma once

#include "model/point3.h"
#include "model/taonsystem.h"
#include "view/canvas.h"
#include "view/viewstate.h"

#include <array>
#include <vector>

// The last committed positions of every slot, in model coordinates, so a
// trail follows the view when it turns, zooms or shifts. Their pixels are
// kept too and projected again only when the view has changed, so a draw
// during a run projects just the newest position of each trail.
class TrailHistory {
public:
    // View > Trail Length offers these; the first is the start.
    static constexpr std::array<int, 3> Lengths{200, 1000, 5000};

    void Clear();
    // Positions kept per slot; a new length starts every trail afresh.
    int Length() const { return length_; }
    void SetLength(int length);
    // Adds the committed position of every present slot, once a step; the
    // oldest goes once a slot holds Length.
    void Record(const TaonSystem& system);
    int Count(int slot) const { return trails_[slot].count; }
    // Whether position k begins a new piece of the trail, the line from the
    // one before it being a fold across the box, no move.
    bool StartsPiece(int slot, int k) const { return trails_[slot].startsPiece[Index(slot, k)]; }
    // Position k of the slot's trail, 0 the oldest.
    const Point3& At(int slot, int k) const { return trails_[slot].points[Index(slot, k)]; }
    // Its pixel through the view as it stands: call Project first.
    PixelPoint PixelAt(int slot, int k) const { return trails_[slot].pixels[Index(slot, k)]; }
    // Brings the pixels of every trail up to date with the view. `quick`, for
    // the passing pictures of a held drag, turns every position in double
    // precision: thousands of positions a trail in a few milliseconds, a pixel
    // off now and then; the next exact projection does them all again.
    void Project(const ViewState& view, bool quick = false);

private:
    // Rings of Length() entries, made at a slot's first position.
    struct Trail {
        std::vector<Point3> points;
        std::vector<PixelPoint> pixels;
        int next = 0; // where the next position goes
        int count = 0;
        int unprojected = 0; // the newest positions still without their pixels
        std::vector<char> startsPiece;
        std::uint32_t folds = 0; // the slot's fold count at the last position
        bool foldPending = false; // the next position starts a new piece
    };
    // What a pixel depends on besides the position.
    struct Projection {
        Matrix3 matrix{};
        Real scale = 0, panX = 0, panY = 0;
        int centerX = 0, centerY = 0;
        bool quick = false;
        bool operator==(const Projection&) const = default;
    };
    int Index(int slot, int k) const { return (trails_[slot].next - trails_[slot].count + k + length_) % length_; }

    std::array<Trail, SlotCount + 1> trails_{};
    int length_ = Lengths[0];
    Projection projectedFor_;
};

// A trail's colour: its point's colour at half strength.
QRgb TrailColour(QRgb pointColour);

// One slot's trail in the given colour, through its pixels as last projected.
void DrawTrail(Canvas& canvas, const TrailHistory& trails, int slot, QRgb colour);

// Each present slot's trail as one-pixel paths through its projected
// positions, through ViewMatrix as it stands, broken where it folds.
void DrawTrails(Canvas& canvas, TrailHistory& trails, const TaonSystem& system, const ViewState& view, bool taoscope,
                bool quick = false);
