// SPDX-License-Identifier: MIT
#pragma once

#include "model/runquantities.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The samples of a watched run, one every `Stride()` steps. When they pass the
// cap, every second one goes and the stride doubles, so a record of any
// length holds at most `cap` samples, evenly spaced.
class SampleRecord {
public:
    explicit SampleRecord(std::size_t cap = 4000);

    // Counts one step; true when that step is to be sampled.
    bool StepDue();
    void Add(const RunSample& sample);
    void Clear();

    const std::vector<RunSample>& Samples() const { return samples_; }
    std::int64_t Stride() const { return stride_; }
    // Changes whenever samples went other than at the end (a thinning, a clear).
    std::uint64_t Generation() const { return generation_; }

private:
    std::size_t cap_;
    std::vector<RunSample> samples_;
    std::int64_t stride_ = 1;
    std::int64_t sinceLast_ = 0;
    std::uint64_t generation_ = 0;
};
