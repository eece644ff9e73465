// SPDX-License-Identifier: MIT
#include "view/viewframing.h"

#include "view/projection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// The counted points in screen axes (x' right, z' down), their extent and centroid.
struct Spread {
    int count = 0;
    Real minX = 0, maxX = 0, minZ = 0, maxZ = 0;
    Real sumX = 0, sumZ = 0;

    Real CentroidX() const { return sumX / count; }
    Real CentroidZ() const { return sumZ / count; }
};

Spread SpreadOf(const ViewState& view, const TaonSystem& system)
{
    const Matrix3 m = RotationMatrix(view.Teta, view.Psi, view.Phi);
    Spread s;
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (!system.Present[i])
            continue;
        const Real x = system.DrawX[i], y = system.DrawY[i], z = system.DrawZ[i];
        const Real turnedX = m[0][0] * x + m[0][1] * y + m[0][2] * z;
        const Real turnedZ = m[2][0] * x + m[2][1] * y + m[2][2] * z;
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) || !std::isfinite(turnedX) ||
            !std::isfinite(turnedZ))
            continue;
        if (s.count == 0) {
            s.minX = s.maxX = turnedX;
            s.minZ = s.maxZ = turnedZ;
        }
        s.minX = std::min(s.minX, turnedX);
        s.maxX = std::max(s.maxX, turnedX);
        s.minZ = std::min(s.minZ, turnedZ);
        s.maxZ = std::max(s.maxZ, turnedZ);
        s.sumX += turnedX;
        s.sumZ += turnedZ;
        ++s.count;
    }
    return s;
}

} // namespace

ViewAngles LookAlongAngles(ViewAxis axis)
{
    constexpr Real quarter = std::numbers::pi_v<Real> / 2;
    switch (axis) {
    case ViewAxis::X:
        return {0, 0, quarter};
    case ViewAxis::Z:
        return {-quarter, 0, 0};
    case ViewAxis::Y:
        break;
    }
    return {};
}

bool FitView(ViewState& view, const TaonSystem& system, int coveredTop)
{
    const Spread s = SpreadOf(view, system);
    if (s.count == 0)
        return false;
    const bool follow = view.FollowCentroid;
    const Real centreX = follow ? s.CentroidX() : (s.minX + s.maxX) / 2;
    const Real centreZ = follow ? s.CentroidZ() : (s.minZ + s.maxZ) / 2;
    // Pixels a square may start on: a square at sx also covers sx + 1.
    const int margin = std::max(2, std::min(view.CenterX, view.CenterY) / 10);
    const Real left = margin, right = 2 * view.CenterX - 2 - margin;
    const Real top = std::clamp(coveredTop, 0, 2 * view.CenterY) + margin, bottom = 2 * view.CenterY - 2 - margin;
    // Following keeps the centroid on the centre; else the extent goes to the
    // middle of the free part.
    const Real targetX = follow ? view.CenterX : (left + right) / 2;
    const Real targetY = follow ? view.CenterY : (top + bottom) / 2;
    Real scale = std::numeric_limits<Real>::infinity();
    const auto limit = [&scale](Real room, Real reach) {
        if (reach > 0)
            scale = std::min(scale, 2 * std::max<Real>(room, 1) / reach);
    };
    limit(targetX - left, centreX - s.minX);
    limit(right - targetX, s.maxX - centreX);
    limit(targetY - top, centreZ - s.minZ);
    limit(bottom - targetY, s.maxZ - centreZ);
    if (std::isfinite(scale))
        view.Scale = scale;
    view.PanX = targetX - view.CenterX - centreX * view.Scale / 2;
    view.PanY = targetY - view.CenterY - centreZ * view.Scale / 2;
    return true;
}

void FollowCentroidShift(ViewState& view, const TaonSystem& system)
{
    const Spread s = SpreadOf(view, system);
    if (s.count == 0)
        return;
    view.PanX = -s.CentroidX() * view.Scale / 2;
    view.PanY = -s.CentroidZ() * view.Scale / 2;
}
