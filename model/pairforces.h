// SPDX-License-Identifier: MIT
#pragma once

#include "model/step.h"
#include "model/workerpool.h"

#include <memory>

// The forces of a sweep computed ahead, all at once, and bit for bit those of
// the literal law: S once per pair instead of once per component; for the two
// actions within a pair, each shell term formed once where both groups have
// the same coefficient (all of S within one group); the coefficient terms once
// per sweep; one logarithm for every power of the same base - the same library
// calls on the same arguments, the same order of accumulation - and none at all
// for a shell term known to vanish (model/vanishingshell.h). The pairs are
// spread over the pool. A slot whose numbers raised a fault flag anywhere is
// handed to the literal law when its force is asked for, which finds the fault
// (if it is one) at the literal point.
class PairForces final : public ForceSource {
public:
    explicit PairForces(WorkerPool& pool);
    ~PairForces() override;
    PairForces(const PairForces&) = delete;
    PairForces& operator=(const PairForces&) = delete;

    void Prepare(const TaonSystem& system, const LawSwitches& law, const SlotFlags& wanted,
                 bool xOnly) override;
    Real Force(const TaonSystem& system, const LawSwitches& law, int i, Axis axis) override;

private:
    struct Sweep;
    WorkerPool& pool_;
    std::unique_ptr<Sweep> sweep_;
};
