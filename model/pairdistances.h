// SPDX-License-Identifier: MIT
#pragma once

#include "model/fpfault.h"
#include "model/law.h"
#include "model/taonsystem.h"

#include <array>
#include <cmath>
#include <vector>

// What the structure figures read: the present slots whose position is a
// finite number, and how many present slots were left out for not having one.
struct FinitePoints {
    std::vector<int> Slots; // increasing
    int LeftOut = 0;
};

inline FinitePoints FinitePresentPoints(const TaonSystem& system)
{
    FinitePoints points;
    for (int i = 1; i <= SlotsInUse(system); ++i) {
        if (system.Present[i] == 0)
            continue;
        if (std::isfinite(system.X[i]) && std::isfinite(system.Y[i]) && std::isfinite(system.Z[i]))
            points.Slots.push_back(i);
        else
            ++points.LeftOut;
    }
    return points;
}

// The distance of slots i and j as the law forms it (law.h).
template <class Ops>
Real SlotDistance(const TaonSystem& s, int i, int j)
{
    return Distance<Ops>(Ops::Sub(s.X[i], s.X[j]), Ops::Sub(s.Y[i], s.Y[j]), Ops::Sub(s.Z[i], s.Z[j]));
}

// The six pairs of groups 1-1, 1-2, 1-3, 2-2, 2-3, 3-3, numbered 0..5.
constexpr int GroupPairCount = 6;
inline constexpr std::array<const char*, GroupPairCount> GroupPairNames = {"1-1", "1-2", "1-3", "2-2", "2-3", "3-3"};
inline int GroupPairIndex(int g, int h)
{
    if (g > h)
        std::swap(g, h);
    static constexpr int first[] = {0, 3, 5}; // where the pairs of each lower group start
    return first[g - 1] + (h - g);
}
