// SPDX-License-Identifier: MIT
#include "scenes/figures.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int SpiralPoints = 19;

// Each further corner of the ThetraSpiral reflects corner l through the
// centroid of the face i j k: one more tetrahedron on the chain.
struct Reflection {
    int n, i, j, k, l;
};

constexpr std::array<Reflection, SpiralPoints - 5> SpiralChain = {{
    {6, 1, 2, 5, 3},     {7, 1, 2, 6, 5},     {8, 2, 6, 7, 1},     {9, 2, 6, 8, 7},     {10, 2, 8, 9, 6},
    {11, 2, 8, 10, 9},   {12, 2, 10, 11, 8},  {13, 2, 10, 12, 11}, {14, 10, 12, 13, 2}, {15, 10, 12, 14, 13},
    {16, 10, 14, 15, 12}, {17, 10, 14, 16, 15}, {18, 10, 16, 17, 14}, {19, 10, 16, 18, 17},
}};

void BuildThetraSpiral(TaonSystem& s)
{
    const Real R = 0.5L / std::sin(std::numbers::pi_v<Real> / 3); // circumradius of a unit triangle
    const Real H = std::sqrt(1 - 0.5L * 0.5L);                   // height of a unit triangle
    const Real Q = std::sqrt(H * H - 0.5L * 0.5L);
    const Real r = (H - R) / R; // one half: turns a median's midpoint into the centroid

    std::array<Point3, SpiralPoints + 1> p{};
    p[1] = {0, 0, 0};
    p[2] = {1, 0, 0};
    p[3] = {0.5L, 0, H};
    p[4] = {0.5L, Q, H - R};
    p[5] = {0.5L, -Q, H - R};
    for (const Reflection& f : SpiralChain) {
        const Point3 m = PointBetween(p[f.i], p[f.j], 1);
        const Point3 g = PointBetween(m, p[f.k], r);
        p[f.n] = {2 * g.x - p[f.l].x, 2 * g.y - p[f.l].y, 2 * g.z - p[f.l].z};
    }
    for (int k = 1; k <= SpiralPoints; ++k) {
        s.DrawX[k] = p[k].x;
        s.DrawY[k] = p[k].y;
        s.DrawZ[k] = p[k].z;
    }
}

void BuildEasySquare(TaonSystem& s)
{
    constexpr Real a = 0.212L;
    constexpr std::array<Point3, 4> corners = {{{a, a, -a}, {a, a, a}, {-a, a, a}, {-a, a, -a}}};
    // The same row in all three groups; B is the decimal 2.718, not e.
    constexpr std::array<Real, 6> row = {1, 2.718L, 5, 10, 20, 30};
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = row[k % row.size()];
    for (int i = 1; i <= 4; ++i) {
        s.DrawX[i] = corners[i - 1].x;
        s.DrawY[i] = corners[i - 1].y;
        s.DrawZ[i] = corners[i - 1].z;
        s.Present[i] = 1;
        s.U[i] = s.V[i] = s.W[i] = 0;
        s.NewU[i] = s.NewV[i] = s.NewW[i] = 0;
        s.NewX[i] = s.X[i] = s.DrawX[i];
        s.NewY[i] = s.Y[i] = s.DrawY[i];
        s.NewZ[i] = s.Z[i] = s.DrawZ[i];
    }
}

} // namespace

Point3 PointBetween(const Point3& a, const Point3& b, Real r)
{
    return {(a.x + r * b.x) / (1 + r), (a.y + r * b.y) / (1 + r), (a.z + r * b.z) / (1 + r)};
}

void BuildFigure(TaonSystem& system, bool spiralMode)
{
    for (int i = 1; i <= SlotCount; ++i)
        system.DrawX[i] = system.DrawY[i] = system.DrawZ[i] = 0;
    if (spiralMode)
        BuildThetraSpiral(system);
    else
        BuildEasySquare(system);
}
