// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Steps per second over the last second, from the times of the steps in
// nanoseconds on any steady clock.
class StepRate {
public:
    void StepAt(std::int64_t nanoseconds);
    std::int64_t PerSecond(std::int64_t now);

private:
    void Forget(std::int64_t now);
    std::vector<std::int64_t> times_; // oldest first, from `first_` on
    std::size_t first_ = 0;
};
