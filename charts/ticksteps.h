// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <QString>

#include <vector>

// The distance between axis ticks: 1, 2 or 5 times a power of ten, the
// nearest at or above `step`. A span of zero (or one that is not a number)
// has no ticks to space: it gets 1, so an axis never loops on a zero step.
Real RoundStep(Real step);

// The printf format of tick labels `step` apart, the largest `largest` in
// size: as many digits as the ticks need to differ, plain decimals for the
// everyday sizes and powers of ten beyond them.
QString TickFormat(Real step, Real largest);

// A value axis fitted to data between `low` and `high` (the finite extremes;
// none when low > high): both ends are ticks, `Step` apart, about
// `intervals` of them. A flat line sits in a band of its own size; a
// quantity that cannot be negative gets no range below zero.
struct TickedRange {
    Real Low = 0;
    Real High = 1;
    Real Step = 1;
    std::vector<QString> Labels; // one per tick, from Low up

    // Where a value sits in tick intervals from the lower end: Qt's axes
    // only ever see a range of a few units, whatever the data's scale.
    double Plotted(Real value) const { return double((value - Low) / Step); }
};
TickedRange FitRange(Real low, Real high, bool neverNegative, int intervals = 5);
