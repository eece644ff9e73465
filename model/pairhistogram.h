// SPDX-License-Identifier: MIT
#pragma once

#include "model/pairdistances.h"

#include <array>
#include <cstdint>
#include <vector>

// The distances of the pairs of finite present points, counted per pair of
// groups into Bins equal bins over [From, To): bin b holds
// From + b w <= r < From + (b + 1) w with w = (To - From) / Bins.
struct PairHistogram {
    Real From = 0, To = 0;
    int Bins = 0;
    std::array<std::vector<std::int64_t>, GroupPairCount> Counts; // by GroupPairIndex, then bin
    std::array<std::int64_t, GroupPairCount> Below{}, Above{};   // pairs outside [From, To)
    int LeftOut = 0;                                             // present points without a finite position
};

inline constexpr int MostBins = 1000000;

// Throws UserError unless From < To, both finite, and 1 <= bins <= MostBins.
PairHistogram HistogramOfDistances(const TaonSystem& system, Real from, Real to, int bins);
