// SPDX-License-Identifier: MIT
#include "charts/ticksteps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

Real RoundStep(Real step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 1;
    const Real decade = std::pow(10.0L, std::floor(std::log10(step)));
    for (Real factor : {1.0L, 2.0L, 5.0L})
        if (factor * decade >= step)
            return factor * decade;
    return 10 * decade;
}

QString TickFormat(Real step, Real largest)
{
    const int stepDecade = int(std::floor(std::log10(step)));
    const int topDecade = largest > step ? int(std::floor(std::log10(largest))) : stepDecade;
    if (-3 <= topDecade && topDecade < 7)
        return QStringLiteral("%.%1f").arg(std::max(0, -stepDecade));
    return QStringLiteral("%.%1e").arg(std::max(0, topDecade - stepDecade));
}

TickedRange FitRange(Real low, Real high, bool neverNegative, int intervals)
{
    if (!(low <= high))
        low = high = 0;
    if (high - low <= std::fabs(high) * 1e-12L) {
        const Real band = high != 0 ? std::fabs(high) * 0.05L : 1;
        low -= band;
        high += band;
    }
    if (neverNegative)
        low = std::max<Real>(low, 0);
    TickedRange range;
    range.Step = RoundStep((high - low) / intervals);
    const Real first = std::floor(low / range.Step), last = std::ceil(high / range.Step);
    range.Low = first * range.Step;
    range.High = last * range.Step;
    // The long double form of the format: the data may lie beyond a double's range.
    QString format = TickFormat(range.Step, std::max(std::fabs(range.Low), std::fabs(range.High)));
    format.insert(format.size() - 1, QLatin1Char('L'));
    const QByteArray formatBytes = format.toLatin1();
    for (Real k = first; k <= last; ++k) {
        char text[64];
        std::snprintf(text, sizeof text, formatBytes.constData(), k * range.Step);
        range.Labels.push_back(k == 0 ? QStringLiteral("0") : QString::fromLatin1(text));
    }
    return range;
}
