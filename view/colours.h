// SPDX-License-Identifier: MIT
#pragma once

#include "model/groups.h"

#include <QRgb>

#include <array>

// The program's colours, by their usual names.
namespace Colours {
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Lime = qRgb(0, 255, 0);
constexpr QRgb Yellow = qRgb(255, 255, 0);
constexpr QRgb Maroon = qRgb(128, 0, 0);
constexpr QRgb Green = qRgb(0, 128, 0);
constexpr QRgb Blue = qRgb(0, 0, 255);
constexpr QRgb Navy = qRgb(0, 0, 128);
constexpr QRgb Silver = qRgb(192, 192, 192);
constexpr QRgb Aqua = qRgb(0, 255, 255);

// The three index groups of the coefficient columns, first to last.
inline constexpr std::array<QRgb, GroupCount> GroupColours{Lime, Yellow, Red};
} // namespace Colours

// Colour of point i among count slots: by parity under Taoscope (odd red, even
// lime), by index group under Gravoscope (lime, yellow, red for the groups of
// the coefficient columns).
constexpr QRgb PointColour(int i, int count, bool taoscope)
{
    if (taoscope)
        return i % 2 != 0 ? Colours::Red : Colours::Lime;
    return Colours::GroupColours[GroupOf(i, count) - 1];
}
