// SPDX-License-Identifier: MIT
#include "model/steprate.h"

namespace {

constexpr std::int64_t Second = 1'000'000'000;

} // namespace

void StepRate::StepAt(std::int64_t nanoseconds)
{
    times_.push_back(nanoseconds);
    Forget(nanoseconds);
}

std::int64_t StepRate::PerSecond(std::int64_t now)
{
    Forget(now);
    return std::int64_t(times_.size() - first_);
}

void StepRate::Forget(std::int64_t now)
{
    while (first_ < times_.size() && times_[first_] <= now - Second)
        ++first_;
    // Drop the forgotten times in one go once they are most of the buffer.
    if (first_ > 1024 && first_ * 2 > times_.size()) {
        times_.erase(times_.begin(), times_.begin() + std::ptrdiff_t(first_));
        first_ = 0;
    }
}
