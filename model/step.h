// SPDX-License-Identifier: MIT
#pragma once

#include "model/law.h"
#include "model/switches.h"
#include "model/taonsystem.h"

// Where one step gets its forces. Before each sweep the step names the slots
// whose forces it will ask for (the committed positions stay fixed until the
// sweep's commit), then asks for them one slot and axis at a time in the
// sweep's order. A fault is thrown from Force, at the point of the sweep where
// the literal evaluation meets it.
class ForceSource {
public:
    virtual ~ForceSource() = default;
    virtual void Prepare(const TaonSystem& system, const LawSwitches& law, const SlotFlags& wanted,
                         bool xOnly) = 0;
    virtual Real Force(const TaonSystem& system, const LawSwitches& law, int i, Axis axis) = 0;
};

// The law evaluated literally at every request: the reference.
class LiteralForces final : public ForceSource {
public:
    void Prepare(const TaonSystem&, const LawSwitches&, const SlotFlags&, bool) override {}
    Real Force(const TaonSystem& system, const LawSwitches& law, int i, Axis axis) override
    {
        return ::Force(system, law, i, axis);
    }
};

// Velocity retention per step: 0.95 with Cool checked, 1.0 otherwise.
Real CoolFactor(const RunSwitches& switches);

// The index ranges of Blockade, counted from N = TaonCount.
struct SlotRange {
    int First;
    int Last;
};
struct StepRanges {
    SlotRange FreeLower; // 1 .. N-30: full update
    SlotRange FreeUpper; // N-19 .. N: full update
    SlotRange XOnly;     // N-29 .. N-25: x and u only
    SlotRange Fixed;     // N-24 .. N-20: never touched
};
StepRanges BlockadeRanges(int slotCount);

// One pass of the run without its window duties: integrate (x, then y, then z
// per slot) and commit, then the constraint pass of the mode. On a fault it
// throws UserError and leaves everything as the literal order had it: slots
// before the failing one kicked in the working arrays, the committed arrays as
// after the last complete step.
void AdvanceStep(TaonSystem& system, const RunSwitches& switches, ForceSource& forces);

// AdvanceStep with the literal law: the reference the fast engine is held to.
void ReferenceStep(TaonSystem& system, const RunSwitches& switches);
