// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "view/viewstate.h"

// R(a, b, c) = Rx(a) * Ry(b) * Rz(c).
Matrix3 RotationMatrix(Real a, Real b, Real c);

// ViewMatrix := R(Teta, Psi, Phi): the scene's orientation.
void BuildViewMatrix(ViewState& view);
// ViewMatrix := R(dTeta, dPsi, dPhi): one turn of the spiral figure.
void BuildTurnMatrix(ViewState& view);

// Nearest integer, halves to even. A value beyond the int range saturates to
// its end and NaN gives INT_MIN, so such a point lands far off any picture
// instead of being undefined behaviour.
int RoundToPixel(Real value);

// The pixel of a point already turned into screen axes (x right, z down).
PixelPoint ScreenPixel(const ViewState& view, Real turnedX, Real turnedZ);

// Orthographic projection through ViewMatrix; the depth row is not used.
PixelPoint ProjectPoint(const ViewState& view, Real x, Real y, Real z);

// The first half of a scene draw: BuildViewMatrix, the shift that keeps the
// centroid at the centre while FollowCentroid is on, then ScreenX/ScreenY of
// every present point from its display copy. Absent points keep their pixels.
void ProjectScene(const TaonSystem& system, ViewState& view);

// Turns display points 1..n in place by ViewMatrix and projects them.
void TurnFigure(TaonSystem& system, ViewState& view, int n);
