// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "view/viewstate.h"

// Where the scene view looks from and what it keeps in the frame. Only present
// points with finite coordinates count; the model is only read.

enum class ViewAxis { X, Y, Z };

struct ViewAngles {
    Real Teta = 0, Psi = 0, Phi = 0;
};

// The view angles that look along the axis, so it points away from the viewer:
//   X: Teta 0, Psi 0, Phi pi/2  (y to the left, z down)
//   Y: all 0, the start view    (x to the right, z down)
//   Z: Teta -pi/2, Psi 0, Phi 0 (x to the right, y up)
ViewAngles LookAlongAngles(ViewAxis axis);

// Scale and shift so that every counted point's 2 x 2 square lies inside the
// 2 CenterX x 2 CenterY drawing area below its top `coveredTop` rows (which
// controls hide), with a margin of a twentieth of the area's shorter side,
// centred on the points' extent (on their centroid while FollowCentroid is on,
// where the next draw puts it). Points all at one place keep Scale and are
// only centred. False, and nothing changed, without points.
bool FitView(ViewState& view, const TaonSystem& system, int coveredTop = 0);

// The shift that draws the points' centroid at (CenterX, CenterY) through the
// view angles and Scale as they stand; the shift stays when there is no point.
void FollowCentroidShift(ViewState& view, const TaonSystem& system);
