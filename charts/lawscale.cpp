// SPDX-License-Identifier: MIT
#include "charts/lawscale.h"

#include <cmath>
#include <limits>

double PlottedPush(Real push, PushScale scale)
{
    const double value = scale == PushScale::Linear ? double(push) : double(std::asinh(push / CompressionUnit));
    return std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

std::vector<AxisTick> CompressedTicks(double largest)
{
    std::vector<AxisTick> ticks{{0, QStringLiteral("0")}};
    // From 1e-9: the unit's own decade would sit on top of the 0. 1e306 is
    // the last such decade a double holds.
    for (int decade = -9;; decade += 3) {
        const double value = std::pow(10.0, decade);
        const double plotted = std::asinh(value / CompressionUnit);
        const QString label = decade == 0 ? QStringLiteral("1") : QStringLiteral("1e%1").arg(decade);
        ticks.insert(ticks.begin(), {-plotted, QLatin1Char('-') + label});
        ticks.push_back({plotted, label});
        if (!(value < largest) || decade == 306)
            return ticks;
    }
}
