// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "view/viewstate.h"

#include <QRgb>

#include <array>
#include <vector>

// The Depth look: points as discs that grow and brighten toward the viewer,
// drawn far ones first so near ones cover them. Depth is ViewMatrix's middle
// row, which grows away from the viewer.

// Nearness in whole steps, 0 for the farthest present point to NearSteps for
// the nearest; steps keep the number of shades (and label pictures) small.
constexpr int NearSteps = 7;

struct DepthOrder {
    std::vector<int> FarToNear;                 // present slots, farthest first
    std::array<int, SlotCount + 1> Nearness{};  // by slot, 0..NearSteps
};
// Of the display copies through the view's ViewMatrix; points all at one
// depth are half near.
DepthOrder OrderByDepth(const TaonSystem& system, const ViewState& view);

// The colour at a nearness: from two fifths of its strength to all of it.
QRgb DepthShade(QRgb colour, int nearness);
// The disc's radius in pixels, from 1 to 4.
int DiscRadius(int nearness);
// The nearness of a direction given by its depth component (-1 toward the
// viewer .. 1 away).
int DirectionNearness(Real depth);
