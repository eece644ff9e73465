// SPDX-License-Identifier: MIT
#include "model/runquantities.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// True where a sum of squares was formed without overflow or underflow.
bool SquaresHeld(Real squared)
{
    return std::isnan(squared) || (std::isfinite(squared) && squared >= std::numeric_limits<Real>::min());
}

// sqrt(x^2 + y^2 + z^2) as written wherever the squares neither overflow nor
// underflow, so ordinary figures keep their bits; elsewhere the components are
// first divided by the largest, so a length that fits is found. A NaN
// component gives NaN, even beside an infinity.
Real Length(Real x, Real y, Real z)
{
    const Real squared = x * x + y * y + z * z;
    if (SquaresHeld(squared))
        return std::sqrt(squared);
    const Real scale = std::max({std::fabs(x), std::fabs(y), std::fabs(z)});
    if (scale == 0 || std::isinf(scale))
        return scale;
    x /= scale;
    y /= scale;
    z /= scale;
    return scale * std::sqrt(x * x + y * y + z * z);
}

// sqrt(mean squared distance of the present points from c), with the same
// guard as Length. Halving both ends keeps the difference of two huge
// coordinates finite.
Real Gyration(const TaonSystem& system, int slots, Point3 c, int n)
{
    Real spread = 0;
    for (int i = 1; i <= slots; ++i) {
        if (system.Present[i] == 0)
            continue;
        const Real dx = system.X[i] - c.x, dy = system.Y[i] - c.y, dz = system.Z[i] - c.z;
        spread += dx * dx + dy * dy + dz * dz;
    }
    if (SquaresHeld(spread / n))
        return std::sqrt(spread / n);
    const auto eachHalfOffset = [&](auto use) {
        for (int i = 1; i <= slots; ++i)
            if (system.Present[i] != 0)
                for (Real d : {system.X[i] / 2 - c.x / 2, system.Y[i] / 2 - c.y / 2, system.Z[i] / 2 - c.z / 2})
                    use(d);
    };
    Real scale = 0;
    eachHalfOffset([&](Real d) { scale = std::max(scale, std::fabs(d)); });
    if (scale == 0 || std::isinf(scale))
        return 2 * scale;
    Real scaled = 0;
    eachHalfOffset([&](Real d) { scaled += (d / scale) * (d / scale); });
    return 2 * scale * std::sqrt(scaled / n);
}

} // namespace

RunQuantities MeasureRun(const TaonSystem& system)
{
    RunQuantities q;
    const int slots = SlotsInUse(system);
    int present = 0;
    Point3 sum;
    for (int i = 1; i <= slots; ++i) {
        if (system.Present[i] == 0)
            continue;
        ++present;
        const Real u = system.U[i], v = system.V[i], w = system.W[i];
        const Real squared = u * u + v * v + w * w;
        q.GroupKinetic[GroupOf(i, slots) - 1] += squared / 2;
        q.Momentum.x += u;
        q.Momentum.y += v;
        q.Momentum.z += w;
        // A NaN speed makes the largest NaN and keeps it so.
        const Real speed = Length(u, v, w);
        if (!std::isnan(q.LargestSpeed) && !(speed <= q.LargestSpeed))
            q.LargestSpeed = speed;
        sum.x += system.X[i];
        sum.y += system.Y[i];
        sum.z += system.Z[i];
    }
    for (Real k : q.GroupKinetic)
        q.Kinetic += k;
    q.MomentumSize = Length(q.Momentum.x, q.Momentum.y, q.Momentum.z);
    if (present == 0)
        return q;

    q.Centroid = {sum.x / present, sum.y / present, sum.z / present};
    q.Gyration = Gyration(system, slots, q.Centroid, present);
    return q;
}

std::array<Real, RunFigureCount> FiguresInLogOrder(const RunQuantities& q)
{
    return {q.GroupKinetic[0], q.GroupKinetic[1], q.GroupKinetic[2], q.Kinetic,    q.Momentum.x,
            q.Momentum.y,      q.Momentum.z,      q.MomentumSize,    q.Centroid.x, q.Centroid.y,
            q.Centroid.z,      q.Gyration,        q.LargestSpeed};
}

RunSample SampleOf(const TaonSystem& system, const RunTally& tally)
{
    return {system.StepCount, tally.ModelTime(), MeasureRun(system)};
}
