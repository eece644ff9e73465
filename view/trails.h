#pragma once

#include "model/point3.h"
#include "model/taonsystem.h"
#include "view/canvas.h"
#include "view/viewstate.h"

#include <array>

// The last committed positions of every slot, in model coordinates, so a
// trail follows the view when it turns, zooms or shifts.
class TrailHistory {
public:
    static constexpr int Length = 200;

    void Clear();
    // Adds the committed position of every present slot; the oldest goes
    // once a slot holds Length.
    void Record(const TaonSystem& system);
    int Count(int slot) const { return trails_[slot].count; }
    // Position k of the slot's trail, 0 the oldest.
    const Point3& At(int slot, int k) const;

private:
    struct Trail {
        std::array<Point3, Length> points;
        int next = 0; // where the next position goes
        int count = 0;
    };
    std::array<Trail, SlotCount + 1> trails_{};
};

// A trail's colour: its point's colour at half strength.
QRgb TrailColour(QRgb pointColour);

// Each present slot's trail as a one-pixel path through its projected
// positions, through ViewMatrix as it stands.
void DrawTrails(Canvas& canvas, const TrailHistory& trails, const TaonSystem& system, const ViewState& view,
                bool taoscope);

// The x, y and z axes of the model as a small lettered triad in the lower-left
// corner of the picture, turned by ViewMatrix as it stands.
void DrawAxes(QImage& picture, const ViewState& view);
