// SPDX-License-Identifier: MIT
#include "model/step.h"

#include "model/constraints.h"
#include "model/fpfault.h"

#include <algorithm>

namespace {

// a = F dt; u = cool u + a; x = x + u dt - semi-implicit Euler on one axis.
template <class Ops>
void Kick(Real force, Real dt, Real cool, Real& u, Real& x)
{
    const Real a = Ops::Mul(force, dt);
    const Real kept = Ops::Mul(cool, u);
    u = Ops::Add(kept, a);
    const Real move = Ops::Mul(u, dt);
    x = Ops::Add(x, move);
}

// Tested as a whole; on a fault flag redone one operation at a time on the
// model itself, so a fault in the position leaves the new velocity stored.
void UpdateAxis(Real force, Real dt, Real cool, Real& u, Real& x)
{
    Real newU = u;
    Real newX = x;
    ClearFaultFlags();
    Pin(force);
    Pin(dt);
    Pin(cool);
    Pin(newU);
    Pin(newX);
    Kick<PlainOps>(force, dt, cool, newU, newX);
    Pin(newU);
    Pin(newX);
    if (RaisedFaultFlags() == 0) {
        u = newU;
        x = newX;
        return;
    }
    Kick<CheckedOps>(force, dt, cool, u, x);
}

void UpdateSlot(TaonSystem& s, const RunSwitches& switches, ForceSource& forces, int i, bool xOnly)
{
    const Real fx = forces.Force(s, switches.Law, i, Axis::X);
    UpdateAxis(fx, s.dt, CoolFactor(switches), s.NewU[i], s.NewX[i]);
    if (xOnly)
        return;
    const Real fy = forces.Force(s, switches.Law, i, Axis::Y);
    UpdateAxis(fy, s.dt, CoolFactor(switches), s.NewV[i], s.NewY[i]);
    const Real fz = forces.Force(s, switches.Law, i, Axis::Z);
    UpdateAxis(fz, s.dt, CoolFactor(switches), s.NewW[i], s.NewZ[i]);
}

void Commit(TaonSystem& s, int i)
{
    s.X[i] = s.NewX[i];
    s.U[i] = s.NewU[i];
    s.Y[i] = s.NewY[i];
    s.V[i] = s.NewV[i];
    s.Z[i] = s.NewZ[i];
    s.W[i] = s.NewW[i];
    s.DrawX[i] = s.NewX[i];
    s.DrawY[i] = s.NewY[i];
    s.DrawZ[i] = s.NewZ[i];
}

void CommitX(TaonSystem& s, int i)
{
    s.X[i] = s.NewX[i];
    s.U[i] = s.NewU[i];
    s.DrawX[i] = s.NewX[i];
}

void MarkPresent(const TaonSystem& s, SlotRange range, SlotFlags& wanted)
{
    for (int i = std::max(range.First, 1); i <= range.Last; ++i)
        wanted[i] = s.Present[i] != 0 ? 1 : 0;
}

template <class Action>
void ForPresent(const TaonSystem& s, SlotRange range, Action action)
{
    for (int i = std::max(range.First, 1); i <= range.Last; ++i)
        if (s.Present[i] != 0)
            action(i);
}

void StepFree(TaonSystem& s, const RunSwitches& switches, ForceSource& forces, int n)
{
    SlotFlags wanted{};
    for (int i = 1; i <= n; ++i)
        wanted[i] = 1;
    forces.Prepare(s, switches.Law, wanted, false);
    // Absent slots move too: nothing tests Present here.
    for (int i = 1; i <= n; ++i)
        UpdateSlot(s, switches, forces, i, false);
    for (int i = 1; i <= n; ++i)
        Commit(s, i);
}

void StepBlockade(TaonSystem& s, const RunSwitches& switches, ForceSource& forces, int n)
{
    const StepRanges ranges = BlockadeRanges(n);
    SlotFlags wanted{};
    MarkPresent(s, ranges.FreeLower, wanted);
    MarkPresent(s, ranges.FreeUpper, wanted);
    forces.Prepare(s, switches.Law, wanted, false);
    const auto update = [&](int i) { UpdateSlot(s, switches, forces, i, false); };
    ForPresent(s, ranges.FreeLower, update);
    ForPresent(s, ranges.FreeUpper, update);
    const auto commit = [&](int i) { Commit(s, i); };
    ForPresent(s, ranges.FreeLower, commit);
    ForPresent(s, ranges.FreeUpper, commit);

    // The x-only slots feel the free slots where they have just been committed.
    SlotFlags xOnly{};
    MarkPresent(s, ranges.XOnly, xOnly);
    forces.Prepare(s, switches.Law, xOnly, true);
    ForPresent(s, ranges.XOnly, [&](int i) { UpdateSlot(s, switches, forces, i, true); });
    ForPresent(s, ranges.XOnly, [&](int i) { CommitX(s, i); });
}

} // namespace

Real CoolFactor(const RunSwitches& switches)
{
    return switches.Cool ? 0.95L : 1.0L;
}

StepRanges BlockadeRanges(int n)
{
    return {{1, n - 30}, {n - 19, n}, {n - 29, n - 25}, {n - 24, n - 20}};
}

void AdvanceStep(TaonSystem& system, const RunSwitches& switches, ForceSource& forces)
{
    const int n = SlotsInUse(system);
    if (switches.Blockade)
        StepBlockade(system, switches, forces, n);
    else
        StepFree(system, switches, forces, n);
    ApplyConstraints(system, switches.Mode);
}

void ReferenceStep(TaonSystem& system, const RunSwitches& switches)
{
    LiteralForces literal;
    AdvanceStep(system, switches, literal);
}
