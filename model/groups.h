// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"
#include "model/taonsystem.h"

#include <array>
#include <string>

// The index groups of slots 1..N: group 1 is j <= N - 50, group 2
// N - 50 < j <= N - 25 and group 3 j > N - 25; with the 100 slots of every
// scene, 1-50, 51-75 and 76-100. The group of the acting point chooses the
// coefficient column.
constexpr int GroupCount = 3;
// How many slots follow each group's last one.
inline constexpr std::array<int, GroupCount> SlotsAfterGroup{50, 25, 0};

constexpr int GroupOf(int slot, int slotCount)
{
    int group = 1;
    while (group < GroupCount && slot > slotCount - SlotsAfterGroup[group - 1])
        ++group;
    return group;
}

constexpr int FirstSlotOf(int group, int slotCount)
{
    return group == 1 ? 1 : slotCount - SlotsAfterGroup[group - 2] + 1;
}

constexpr int LastSlotOf(int group, int slotCount)
{
    return slotCount - SlotsAfterGroup[group - 1];
}

// "51-75" for group 2 of 100 slots, with `between` between the numbers.
inline std::string GroupRangeText(int group, const std::string& between = "-", int slotCount = SlotCount)
{
    return std::to_string(FirstSlotOf(group, slotCount)) + between + std::to_string(LastSlotOf(group, slotCount));
}

// The rows of each group's coefficient column (there is no E), and the value
// each coefficient field of the main window and the point editor starts with.
constexpr int CoefficientRows = 6;
inline constexpr std::array<char, CoefficientRows> CoefficientLetters{'A', 'B', 'C', 'D', 'F', 'G'};
inline constexpr std::array<Real, CoefficientRows> StartingCoefficients{1, 1, 2, 3, 4, 5};
