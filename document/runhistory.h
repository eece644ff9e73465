// SPDX-License-Identifier: MIT
#pragma once

#include "document/scenestate.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The states of a scene's runs, every k-th step. Steps are numbered from the
// first run since the history was cleared (0 is the state that run started
// from); step n is kept when k divides n. When the history is full, every
// other state goes and k doubles, so a run of any length keeps between
// Capacity / 2 and Capacity evenly spaced states.
class RunHistory {
public:
    static constexpr int DefaultCapacity = 2048;

    explicit RunHistory(int capacity = DefaultCapacity);

    void Clear();
    // A run begins from this state: kept as step 0 when the history is empty.
    void RunStarts(const TaonSystem& system, Real modelTime);
    // One step taken.
    void StepTaken(const TaonSystem& system, Real modelTime);

    int Count() const { return int(states_.size()); }
    const SceneState& State(int index) const { return states_[std::size_t(index)].state; }
    // The step number of a kept state, counted as above.
    std::int64_t Ordinal(int index) const { return states_[std::size_t(index)].ordinal; }
    std::int64_t Every() const { return every_; }
    std::size_t Bytes() const; // of the states kept

private:
    struct Kept {
        std::int64_t ordinal;
        SceneState state;
    };
    void Thin();

    int capacity_;
    std::int64_t every_ = 1;
    std::int64_t steps_ = 0;
    std::vector<Kept> states_;
};
