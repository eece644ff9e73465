// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <QString>

#include <vector>

// The vertical scales of the law window. The law spans many decades: tails of
// 1e-12 next to peaks of hundreds. Compressed plots asinh(push / unit), which
// is linear within a unit of zero and logarithmic beyond, with either sign.
enum class PushScale { Linear, Compressed };

inline constexpr double CompressionUnit = 1e-12;

// Where a push is plotted; NaN for one that cannot be plotted.
double PlottedPush(Real push, PushScale scale);

// The compressed axis's labelled values up to `largest` in size: 0, then
// every third decade from 1e-9 on, with both signs.
struct AxisTick {
    double Plotted;
    QString Label;
};
std::vector<AxisTick> CompressedTicks(double largest);
