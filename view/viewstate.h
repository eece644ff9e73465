// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"
#include "model/taonsystem.h"

#include <array>

// Rows and columns 0..2; ViewMatrix[0] gives the horizontal screen axis,
// ViewMatrix[2] the vertical one, ViewMatrix[1] the unused depth.
using Matrix3 = std::array<std::array<Real, 3>, 3>;

constexpr Matrix3 IdentityMatrix = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// Pixels of the projected points, indexed by slot number like the model.
using SlotPixels = std::array<int, SlotCount + 1>;

// Every value of the view. Nothing here is ever clamped or reduced: angles
// grow without bound and a negative Scale mirrors the picture.
struct ViewState {
    bool SpiralMode = true; // the wireframe figure (true) or the taon scene

    Real Teta = 0, Psi = 0, Phi = 0;    // view angles of the scene, about x, y, z
    Real dTeta = 0, dPsi = 0, dPhi = 0; // turn of one gesture; the spiral turns by them at every draw
    Matrix3 ViewMatrix = IdentityMatrix;

    Real Scale = 120; // a model length L is drawn L * Scale / 2 pixels long
    Real PanX = 0, PanY = 0;
    int CenterX = 0, CenterY = 0; // pixel of the model origin when unshifted

    // Start values; the track bar replaces RotStep and ZoomStep when first moved.
    Real RotStep = 0.01L; // radians per turn click and per pixel of drag
    Real ZoomStep = 3;    // Scale per pixel of right drag; the zoom buttons use three times it
    Real PanStep = 5;     // pixels per shift command

    PixelPoint LeftDown, RightDown; // where the left (or middle) and the right button went down

    SlotPixels ScreenX{}, ScreenY{};

    bool SpinOn = false;      // "ShowSpin": spiral turn angles outlive their gesture
    bool ShowNumbers = false; // "Show Numbers of Points"
    bool ShowTrails = false;  // "Trails": each point's last positions behind it
    bool ShowAxes = false;    // "Axes": the x/y/z triad in the lower-left corner
    bool FollowCentroid = false; // "Follow Centroid": each scene draw shifts the points' centroid to the centre
    bool DepthLook = false;      // "Depth": points as discs sized and lit by their nearness (depthlook.h)

    // CenterX := areaWidth / 2 and CenterY := panelTop / 2, halves to even.
    void UpdateCenter(int areaWidth, int panelTop);
};
