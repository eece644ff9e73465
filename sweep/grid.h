// SPDX-License-Identifier: MIT
#pragma once

#include "scenes/sweeptable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One name varied by a sweep: values listed, or a range FROM..TO with the
// number of evenly spaced values, both ends included, for a grid.
struct SweepAxis {
    std::string Name;
    std::vector<Real> Values;                   // when listed
    std::optional<std::pair<Real, Real>> Range; // FROM, TO when given as a range
    std::uint64_t Count = 0;                    // of a range's grid; 0 when not given
};

// "NAME=FROM:TO:COUNT", "NAME=V1,V2,..." or, for random draws only,
// "NAME=FROM:TO". Throws UserError with the fault.
SweepAxis AxisFromText(const std::string& text);

// Grids above this many jobs are refused unless forced.
constexpr std::uint64_t MostJobs = 100000;

// The number of jobs of the grid, saturating at the largest value.
std::uint64_t GridSize(const std::vector<SweepAxis>& axes);

// Every combination, the first name varying slowest. Throws UserError for a
// name given twice or a range without COUNT.
SweepTable GridTable(const std::vector<SweepAxis>& axes);

// `count` jobs, each value drawn evenly within its range from a generator
// seeded by `seed`: the same table on every machine. Throws UserError
// without ranges.
SweepTable RandomTable(const std::vector<SweepAxis>& axes, std::uint64_t count, std::uint64_t seed);
