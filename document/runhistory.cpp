// SPDX-License-Identifier: MIT
#include "document/runhistory.h"

#include <algorithm>

RunHistory::RunHistory(int capacity) : capacity_(std::max(capacity, 2)) {}

void RunHistory::Clear()
{
    states_.clear();
    states_.shrink_to_fit();
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
    return states_.capacity() * sizeof(Kept);
}
