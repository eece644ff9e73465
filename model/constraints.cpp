// SPDX-License-Identifier: MIT
#include "model/constraints.h"

#include "model/groups.h"

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

// A speed limit: a working velocity beyond +-Limit is reduced by Brake once
// per step, not clamped.
struct SpeedLimit {
    Real Limit;
    Real Brake;
};
constexpr SpeedLimit Fast{100.0L, 5.0L};
constexpr SpeedLimit Slow{50.0L, 25.0L};

// A wall at +-Half reflects the velocity and steps the position back by Step.
struct WallAt {
    Real Half;
    Real Step;
};

// Slots First .. N - FromEnd, counted from the slot count N.
struct SlotSpan {
    int First;
    int FromEnd;
};

// An x hold keeps NewX of its slots between Low and High by steps of
// HoldStep; velocities stay.
struct Hold {
    SlotSpan Slots;
    Real Low;
    Real High;
};
constexpr Real HoldStep = 0.05L;

void Limit(Real& c, SpeedLimit limit)
{
    if (Above(c, limit.Limit))
        c = c - limit.Brake;
    if (Below(c, -limit.Limit))
        c = c + limit.Brake;
}

void LimitSpeeds(TaonSystem& s, int i, SpeedLimit alongX, SpeedLimit across)
{
    Limit(s.NewU[i], alongX);
    Limit(s.NewV[i], across);
    Limit(s.NewW[i], across);
}

void Wall(Real& position, Real& velocity, WallAt wall)
{
    if (Above(position, wall.Half)) {
        velocity = -velocity;
        position = position - wall.Step;
    }
    if (Below(position, -wall.Half)) {
        velocity = -velocity;
        position = position + wall.Step;
    }
}

// Folds x to the other side of the box, and counts the fold.
void FoldX(TaonSystem& s, int i, Real x)
{
    s.NewX[i] = x;
    ++s.Folds[i];
}

void HoldX(TaonSystem& s, int n, const Hold& hold)
{
    for (int i = hold.Slots.First; i <= n - hold.Slots.FromEnd; ++i) {
        if (Below(s.NewX[i], hold.Low))
            s.NewX[i] = s.NewX[i] + HoldStep;
        if (Above(s.NewX[i], hold.High))
            s.NewX[i] = s.NewX[i] - HoldStep;
    }
}

// Hot and Cold: the points of group 1 stay in a box, x within +-ContactX
// (crossing it is answered by the mode), y and z within walls at +-1.3; the
// first points of group 2 are held near x = -1.
constexpr Real ContactX = 3.3L;
constexpr WallAt ContactWall{1.3L, 0.001L};
constexpr Hold ContactHold{{51, 45}, -1.0L, -0.945L};
// Hot folds a point over the x bound to the far side: x = FoldOffset - x.
constexpr Real HotFoldOffset = 0.5L;
// Cold reflects its velocity and steps it back inside by ColdStep.
constexpr Real ColdStep = 0.001L;

enum class Answer { Fold, Reflect };

// Above +ContactX (sign +1) or below -ContactX (sign -1).
void AnswerCrossing(TaonSystem& s, int i, Answer answer, int side)
{
    if (answer == Answer::Fold) {
        FoldX(s, i, side > 0 ? HotFoldOffset - s.NewX[i] : -s.NewX[i] - HotFoldOffset);
        return;
    }
    s.NewU[i] = -s.NewU[i];
    s.NewX[i] = side > 0 ? s.NewX[i] - ColdStep : s.NewX[i] + ColdStep;
}

void Contact(TaonSystem& s, int n, Answer answer)
{
    const int last = LastSlotOf(1, n);
    for (int i = 1; i <= last; ++i) {
        if (Above(s.NewX[i], ContactX))
            AnswerCrossing(s, i, answer, +1);
        LimitSpeeds(s, i, Fast, Fast);
    }
    for (int i = 1; i <= last; ++i) {
        if (Below(s.NewX[i], -ContactX))
            AnswerCrossing(s, i, answer, -1);
        Wall(s.NewY[i], s.NewV[i], ContactWall);
        Wall(s.NewZ[i], s.NewW[i], ContactWall);
    }
    HoldX(s, n, ContactHold);
}

// The two current modes: group 1 folded at x = +-XBound onto
// x = CurrentFoldOffset - x, a z wall at +-ZWall.Half, and two x holds in
// group 2; its first quarter and second quarter kept in y bands hanging on
// the levels of two fixed slots of group 2.
struct CurrentMode {
    Real XBound;
    WallAt ZWall;
    Hold FirstHold;
    Hold SecondHold;
};
constexpr CurrentMode Current1{1.11L, {0.44L, 0.01L}, {{50, 46}, -1.0L, -0.945L}, {{60, 36}, -1.0L, -0.945L}};
constexpr CurrentMode Current2{1.0L, {0.4L, 0.01L}, {{55, 40}, -0.3L, -0.245L}, {{65, 30}, 0.3L, 0.355L}};
constexpr Real CurrentFoldOffset = 0.05L;
constexpr int LevelSlot1 = 57;
constexpr int LevelSlot2 = 67;
constexpr SlotSpan Band1{1, 75};
constexpr SlotSpan Band2{26, SlotsAfterGroup[0]}; // to the end of group 1
constexpr Real BandWidth = 0.5L;
constexpr Real BandStep = 0.01L;

// Keeps NewY of the span's slots between low and high, reflecting.
void Band(TaonSystem& s, int n, SlotSpan span, Real low, Real high)
{
    for (int i = span.First; i <= n - span.FromEnd; ++i) {
        if (Below(s.NewY[i], low)) {
            s.NewV[i] = -s.NewV[i];
            s.NewY[i] = s.NewY[i] + BandStep;
        }
        if (Above(s.NewY[i], high)) {
            s.NewV[i] = -s.NewV[i];
            s.NewY[i] = s.NewY[i] - BandStep;
        }
    }
}

void Current(TaonSystem& s, int n, const CurrentMode& mode)
{
    const int last = LastSlotOf(1, n);
    for (int i = 1; i <= last; ++i) {
        if (Above(s.NewX[i], mode.XBound))
            FoldX(s, i, CurrentFoldOffset - s.NewX[i]);
        if (Below(s.NewX[i], -mode.XBound))
            FoldX(s, i, -s.NewX[i] - CurrentFoldOffset);
        LimitSpeeds(s, i, Fast, Slow);
    }
    for (int i = 1; i <= last; ++i)
        Wall(s.NewZ[i], s.NewW[i], mode.ZWall);

    const Real level1 = s.NewY[LevelSlot1];
    const Real level2 = s.NewY[LevelSlot2];
    Band(s, n, Band1, level1, level1 + BandWidth);
    Band(s, n, Band2, level2 - BandWidth, level2);
    HoldX(s, n, mode.FirstHold);
    HoldX(s, n, mode.SecondHold);
}

} // namespace

void ApplyConstraints(TaonSystem& system, ConstraintMode mode)
{
    const int n = SlotsInUse(system);
    switch (mode) {
    case ConstraintMode::AtomStand:
        break;
    case ConstraintMode::HotContact:
        Contact(system, n, Answer::Fold);
        break;
    case ConstraintMode::ColdContact:
        Contact(system, n, Answer::Reflect);
        break;
    case ConstraintMode::ElecCurrent1:
        Current(system, n, Current1);
        break;
    case ConstraintMode::ElecCurrent2:
        Current(system, n, Current2);
        break;
    }
}
