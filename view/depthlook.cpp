// SPDX-License-Identifier: MIT
#include "view/depthlook.h"

#include "view/projection.h"

#include <algorithm>
#include <cmath>

namespace {

Real Depth(const Matrix3& m, Real x, Real y, Real z)
{
    return m[1][0] * x + m[1][1] * y + m[1][2] * z;
}

int Steps(Real nearness)
{
    return std::clamp(RoundToPixel(nearness * NearSteps), 0, NearSteps);
}

} // namespace

DepthOrder OrderByDepth(const TaonSystem& system, const ViewState& view)
{
    DepthOrder order;
    std::array<Real, SlotCount + 1> depth{};
    Real nearest = 0, farthest = 0;
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (!system.Present[i])
            continue;
        depth[i] = Depth(view.ViewMatrix, system.DrawX[i], system.DrawY[i], system.DrawZ[i]);
        if (!std::isfinite(depth[i]))
            depth[i] = 0; // a broken point is neither near nor far, and sorts
        if (order.FarToNear.empty() || depth[i] < nearest)
            nearest = depth[i];
        if (order.FarToNear.empty() || depth[i] > farthest)
            farthest = depth[i];
        order.FarToNear.push_back(i);
    }
    const Real span = farthest - nearest;
    for (int i : order.FarToNear)
        order.Nearness[i] = span > 0 && std::isfinite(span) ? Steps((farthest - depth[i]) / span) : Steps(0.5L);
    // Stable: of equally deep points the later slot is drawn over the earlier, as in the plain look.
    std::stable_sort(order.FarToNear.begin(), order.FarToNear.end(),
                     [&depth](int a, int b) { return depth[a] > depth[b]; });
    return order;
}

QRgb DepthShade(QRgb colour, int nearness)
{
    const int strength = 2 * NearSteps + 3 * nearness; // fifths of NearSteps: 2/5 .. 5/5
    const auto shade = [strength](int c) { return c * strength / (5 * NearSteps); };
    return qRgb(shade(qRed(colour)), shade(qGreen(colour)), shade(qBlue(colour)));
}

int DiscRadius(int nearness)
{
    return 1 + (3 * nearness + NearSteps / 2) / NearSteps;
}

int DirectionNearness(Real depth)
{
    return Steps((1 - depth) / 2);
}
