// SPDX-License-Identifier: MIT
#include "model/samplerecord.h"

SampleRecord::SampleRecord(std::size_t cap) : cap_(cap < 2 ? 2 : cap) {}

bool SampleRecord::StepDue()
{
    if (++sinceLast_ < stride_)
        return false;
    sinceLast_ = 0;
    return true;
}

void SampleRecord::Add(const RunSample& sample)
{
    samples_.push_back(sample);
    if (samples_.size() <= cap_)
        return;
    // Keep the samples 0, 2, 4, ...: the first stays, the spacing doubles.
    const bool lastGoes = samples_.size() % 2 == 0;
    std::size_t kept = 0;
    for (std::size_t k = 0; k < samples_.size(); k += 2)
        samples_[kept++] = samples_[k];
    samples_.resize(kept);
    // The next sample comes one new stride after the last one kept.
    sinceLast_ = lastGoes ? stride_ : 0;
    stride_ *= 2;
    ++generation_;
}

void SampleRecord::Clear()
{
    samples_.clear();
    stride_ = 1;
    sinceLast_ = 0;
    ++generation_;
}
