#include "model/constraints.h"

#include <cmath>

namespace {

// Strict comparisons that stay quiet on a NaN (a NaN fails them all).
bool Above(Real value, Real limit)
{
    return std::isgreater(value, limit);
}

bool Below(Real value, Real limit)
{
    return std::isless(value, limit);
}

// A fast velocity is reduced once per step by `brake`, not clamped.
void SpeedLimit(Real& c, Real limit, Real brake)
{
    if (Above(c, limit))
        c = c - brake;
    if (Below(c, -limit))
        c = c + brake;
}

void LimitSpeeds(TaonSystem& s, int i, Real limitU, Real brakeU, Real limitVW, Real brakeVW)
{
    SpeedLimit(s.NewU[i], limitU, brakeU);
    SpeedLimit(s.NewV[i], limitVW, brakeVW);
    SpeedLimit(s.NewW[i], limitVW, brakeVW);
}

// A wall at +-h reflects the velocity and steps the position back by d.
void Wall(Real& position, Real& velocity, Real h, Real d)
{
    if (Above(position, h)) {
        velocity = -velocity;
        position = position - d;
    }
    if (Below(position, -h)) {
        velocity = -velocity;
        position = position + d;
    }
}

// Folds x to the other side of the box, and counts the fold.
void FoldX(TaonSystem& s, int i, Real x)
{
    s.NewX[i] = x;
    ++s.Folds[i];
}

// Holds x between a and b by steps of 0.05; velocities stay.
void HoldX(TaonSystem& s, int first, int last, Real a, Real b)
{
    for (int i = first; i <= last; ++i) {
        if (Below(s.NewX[i], a))
            s.NewX[i] = s.NewX[i] + 0.05L;
        if (Above(s.NewX[i], b))
            s.NewX[i] = s.NewX[i] - 0.05L;
    }
}

void HotContact(TaonSystem& s, int n)
{
    for (int i = 1; i <= n - 50; ++i) {
        if (Above(s.NewX[i], 3.3L))
            FoldX(s, i, 0.5L - s.NewX[i]);
        LimitSpeeds(s, i, 100.0L, 5.0L, 100.0L, 5.0L);
    }
    for (int i = 1; i <= n - 50; ++i) {
        if (Below(s.NewX[i], -3.3L))
            FoldX(s, i, -s.NewX[i] - 0.5L);
        Wall(s.NewY[i], s.NewV[i], 1.3L, 0.001L);
        Wall(s.NewZ[i], s.NewW[i], 1.3L, 0.001L);
    }
    HoldX(s, 51, n - 45, -1.0L, -0.945L);
}

void ColdContact(TaonSystem& s, int n)
{
    for (int i = 1; i <= n - 50; ++i) {
        if (Above(s.NewX[i], 3.3L)) {
            s.NewU[i] = -s.NewU[i];
            s.NewX[i] = s.NewX[i] - 0.001L;
        }
        LimitSpeeds(s, i, 100.0L, 5.0L, 100.0L, 5.0L);
    }
    for (int i = 1; i <= n - 50; ++i) {
        if (Below(s.NewX[i], -3.3L)) {
            s.NewU[i] = -s.NewU[i];
            s.NewX[i] = s.NewX[i] + 0.001L;
        }
        Wall(s.NewY[i], s.NewV[i], 1.3L, 0.001L);
        Wall(s.NewZ[i], s.NewW[i], 1.3L, 0.001L);
    }
    HoldX(s, 51, n - 45, -1.0L, -0.945L);
}

// The two current modes differ in the x fold bound, the z wall and the holds.
void ElecCurrent(TaonSystem& s, int n, Real bound, Real zWall)
{
    for (int i = 1; i <= n - 50; ++i) {
        if (Above(s.NewX[i], bound))
            FoldX(s, i, 0.05L - s.NewX[i]);
        if (Below(s.NewX[i], -bound))
            FoldX(s, i, -s.NewX[i] - 0.05L);
        LimitSpeeds(s, i, 100.0L, 5.0L, 50.0L, 25.0L);
    }
    for (int i = 1; i <= n - 50; ++i)
        Wall(s.NewZ[i], s.NewW[i], zWall, 0.01L);

    // Two bands in y hang on the levels of two fixed slots of group 2.
    const Real level1 = s.NewY[57];
    const Real level2 = s.NewY[67];
    for (int i = 1; i <= n - 75; ++i) {
        if (Below(s.NewY[i], level1)) {
            s.NewV[i] = -s.NewV[i];
            s.NewY[i] = s.NewY[i] + 0.01L;
        }
        if (Above(s.NewY[i], level1 + 0.5L)) {
            s.NewV[i] = -s.NewV[i];
            s.NewY[i] = s.NewY[i] - 0.01L;
        }
    }
    for (int i = 26; i <= n - 50; ++i) {
        if (Below(s.NewY[i], level2 - 0.5L)) {
            s.NewV[i] = -s.NewV[i];
            s.NewY[i] = s.NewY[i] + 0.01L;
        }
        if (Above(s.NewY[i], level2)) {
            s.NewV[i] = -s.NewV[i];
            s.NewY[i] = s.NewY[i] - 0.01L;
        }
    }
}

} // namespace

void ApplyConstraints(TaonSystem& system, ConstraintMode mode)
{
    const int n = SlotsInUse(system);
    switch (mode) {
    case ConstraintMode::AtomStand:
        break;
    case ConstraintMode::HotContact:
        HotContact(system, n);
        break;
    case ConstraintMode::ColdContact:
        ColdContact(system, n);
        break;
    case ConstraintMode::ElecCurrent1:
        ElecCurrent(system, n, 1.11L, 0.44L);
        HoldX(system, 50, n - 46, -1.0L, -0.945L);
        HoldX(system, 60, n - 36, -1.0L, -0.945L);
        break;
    case ConstraintMode::ElecCurrent2:
        ElecCurrent(system, n, 1.0L, 0.4L);
        HoldX(system, 55, n - 40, -0.3L, -0.245L);
        HoldX(system, 65, n - 30, 0.3L, 0.355L);
        break;
    }
}
