// SPDX-License-Identifier: MIT
#pragma once

#include "model/point3.h"
#include "model/taonsystem.h"

// The two figures that need no file. With spiralMode the ThetraSpiral, a chain
// of 19 tetrahedron corners written into the display copies only; otherwise
// The easy square, a four-point scene in slots 1..4 with its coefficients.
// Display copies of all other slots become 0. Draws nothing.
void BuildFigure(TaonSystem& system, bool spiralMode);

// The dt the window's model runs with from the start, whatever the scene holds.
constexpr Real StartingDt = 0.001L;

// The point whose distances to a and to b are in the ratio r : 1,
// (a + r·b) / (1 + r) per coordinate; r = 1 gives the midpoint.
Point3 PointBetween(const Point3& a, const Point3& b, Real r);
