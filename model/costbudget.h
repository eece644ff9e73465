// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Keeps an optional measurement within a share of the time: it is due while
// the time spent on it since the start is at most that share of the time
// gone by, so however long one takes, the rest of the work keeps its pace.
class CostBudget {
public:
    explicit CostBudget(double share) : share_(share) {}
    void Restart(std::int64_t nowNs)
    {
        start_ = nowNs;
        spent_ = 0;
    }
    bool Due(std::int64_t nowNs) const { return double(spent_) <= share_ * double(nowNs - start_); }
    void Spend(std::int64_t ns) { spent_ += ns; }

private:
    double share_;
    std::int64_t start_ = 0;
    std::int64_t spent_ = 0;
};
