#include "model/runquantities.h"

#include <algorithm>
#include <cmath>

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
        q.LargestSpeed = std::max(q.LargestSpeed, std::sqrt(squared));
        sum.x += system.X[i];
        sum.y += system.Y[i];
        sum.z += system.Z[i];
    }
    for (Real k : q.GroupKinetic)
        q.Kinetic += k;
    const Point3& p = q.Momentum;
    q.MomentumSize = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    if (present == 0)
        return q;

    q.Centroid = {sum.x / present, sum.y / present, sum.z / present};
    Real spread = 0;
    for (int i = 1; i <= slots; ++i) {
        if (system.Present[i] == 0)
            continue;
        const Real dx = system.X[i] - q.Centroid.x, dy = system.Y[i] - q.Centroid.y, dz = system.Z[i] - q.Centroid.z;
        spread += dx * dx + dy * dy + dz * dz;
    }
    q.Gyration = std::sqrt(spread / present);
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
