// SPDX-License-Identifier: MIT
#include "document/runhistory.h"

#include <algorithm>

// The room is set aside once, so keeping a state never copies the others;
// the system gives it memory only as states fill it.
RunHistory::RunHistory(int capacity) : capacity_(std::max(capacity, 2))
{
    states_.reserve(std::size_t(capacity_));
}

void RunHistory::Clear()
{
    states_.clear();
    every_ = 1;
    steps_ = 0;
}

void RunHistory::RunStarts(const TaonSystem& system, Real modelTime)
{
    if (states_.empty() && steps_ == 0)
        states_.push_back({0, SceneState::Capture(system, modelTime)});
}

void RunHistory::StepTaken(const TaonSystem& system, Real modelTime)
{
    ++steps_;
    if (steps_ % every_ != 0)
        return;
    if (int(states_.size()) >= capacity_)
        Thin();
    if (steps_ % every_ == 0)
        states_.push_back({steps_, SceneState::Capture(system, modelTime)});
}

void RunHistory::Thin()
{
    every_ *= 2;
    std::erase_if(states_, [this](const Kept& kept) { return kept.ordinal % every_ != 0; });
}

std::size_t RunHistory::Bytes() const
{
    return states_.size() * sizeof(Kept);
}
