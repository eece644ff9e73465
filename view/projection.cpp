// SPDX-License-Identifier: MIT
#include "view/projection.h"

#include "view/viewframing.h"

#include <algorithm>
#include <climits>
#include <cmath>

Matrix3 RotationMatrix(Real a, Real b, Real c)
{
    const Real ca = std::cos(a), sa = std::sin(a);
    const Real cb = std::cos(b), sb = std::sin(b);
    const Real cc = std::cos(c), sc = std::sin(c);
    return {{
        {cb * cc, -cb * sc, sb},
        {sa * sb * cc + ca * sc, -sa * sb * sc + ca * cc, -sa * cb},
        {-ca * sb * cc + sa * sc, ca * sb * sc + sa * cc, ca * cb},
    }};
}

void BuildViewMatrix(ViewState& view)
{
    view.ViewMatrix = RotationMatrix(view.Teta, view.Psi, view.Phi);
}

void BuildTurnMatrix(ViewState& view)
{
    view.ViewMatrix = RotationMatrix(view.dTeta, view.dPsi, view.dPhi);
}

int RoundToPixel(Real value)
{
    if (std::isnan(value))
        return INT_MIN;
    const Real rounded = std::nearbyint(value);
    if (rounded <= INT_MIN)
        return INT_MIN;
    if (rounded >= INT_MAX)
        return INT_MAX;
    return static_cast<int>(rounded);
}

void ViewState::UpdateCenter(int areaWidth, int panelTop)
{
    CenterX = RoundToPixel(Real(areaWidth) / 2);
    CenterY = RoundToPixel(Real(panelTop) / 2);
}

PixelPoint ScreenPixel(const ViewState& view, Real turnedX, Real turnedZ)
{
    return {RoundToPixel(view.CenterX + turnedX * view.Scale / 2 + view.PanX),
            RoundToPixel(view.CenterY + turnedZ * view.Scale / 2 + view.PanY)};
}

namespace {

Real Row(const Matrix3& m, int row, Real x, Real y, Real z)
{
    return m[row][0] * x + m[row][1] * y + m[row][2] * z;
}

} // namespace

PixelPoint ProjectPoint(const ViewState& view, Real x, Real y, Real z)
{
    return ScreenPixel(view, Row(view.ViewMatrix, 0, x, y, z), Row(view.ViewMatrix, 2, x, y, z));
}

void ProjectScene(const TaonSystem& system, ViewState& view)
{
    BuildViewMatrix(view);
    if (view.FollowCentroid)
        FollowCentroidShift(view, system);
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (!system.Present[i])
            continue;
        const PixelPoint pixel = ProjectPoint(view, system.DrawX[i], system.DrawY[i], system.DrawZ[i]);
        view.ScreenX[i] = pixel.x;
        view.ScreenY[i] = pixel.y;
    }
}

void TurnFigure(TaonSystem& system, ViewState& view, int n)
{
    const Matrix3& m = view.ViewMatrix;
    for (int k = 1; k <= std::min(n, SlotCount); ++k) {
        const Real x = system.DrawX[k], y = system.DrawY[k], z = system.DrawZ[k];
        system.DrawX[k] = Row(m, 0, x, y, z);
        system.DrawY[k] = Row(m, 1, x, y, z);
        system.DrawZ[k] = Row(m, 2, x, y, z);
        const PixelPoint pixel = ScreenPixel(view, system.DrawX[k], system.DrawZ[k]);
        view.ScreenX[k] = pixel.x;
        view.ScreenY[k] = pixel.y;
    }
}
