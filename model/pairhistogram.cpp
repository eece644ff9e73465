// SPDX-License-Identifier: MIT
#include "model/pairhistogram.h"

#include "model/usererror.h"

#include <algorithm>
#include <string>

PairHistogram HistogramOfDistances(const TaonSystem& system, Real from, Real to, int bins)
{
    if (!(std::isfinite(from) && std::isfinite(to) && from < to && std::isfinite(to - from)))
        throw UserError("The histogram's range must be two finite numbers A:B with A less than B.");
    if (bins < 1 || bins > MostBins)
        throw UserError("The histogram needs from 1 to " + std::to_string(MostBins) + " bins.");
    PairHistogram h;
    h.From = from;
    h.To = to;
    h.Bins = bins;
    for (auto& counts : h.Counts)
        counts.assign(std::size_t(bins), 0);
    const FinitePoints points = FinitePresentPoints(system);
    h.LeftOut = points.LeftOut;
    const int n = SlotsInUse(system);
    for (std::size_t a = 0; a < points.Slots.size(); ++a) {
        for (std::size_t b = a + 1; b < points.Slots.size(); ++b) {
            const int i = points.Slots[a], j = points.Slots[b];
            const int pair = GroupPairIndex(GroupOf(i, n), GroupOf(j, n));
            const Real r = SlotDistance<PlainOps>(system, i, j);
            if (r < from)
                ++h.Below[pair];
            else if (!(r < to)) // an overflowed distance is infinite: above
                ++h.Above[pair];
            else // rounding may give Bins for r just below To
                ++h.Counts[pair][std::min<std::size_t>(std::size_t((r - from) / (to - from) * bins), bins - 1)];
        }
    }
    return h;
}
