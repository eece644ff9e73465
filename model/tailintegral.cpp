// SPDX-License-Identifier: MIT
#include "model/tailintegral.h"

#include "model/usererror.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace {

constexpr int N = TailIntegral::Degree;
constexpr Real FirstPassShare = 1e-3L;
// Coefficients this small beside the panel's samples are rounding noise,
// which no split removes: such a panel is as good as 80 bits make it.
constexpr Real NoiseShare = 0x1p-56L;
// A panel this much narrower than the whole is kept as it is, and a table of
// more panels than this is refused: a bound on the work for any f.
constexpr Real NarrowestShare = 0x1p-40L;
constexpr std::size_t MostPanels = 1 << 16;

using Samples = std::array<Real, N + 1>;
using Series = std::array<Real, N + 1>;

// cos(pi j / N) for j = 0 .. 2N - 1.
Real Node(int j)
{
    static const std::array<Real, 2 * N> nodes = [] {
        std::array<Real, 2 * N> c{};
        for (int k = 0; k < 2 * N; ++k)
            c[k] = std::cos(std::numbers::pi_v<Real> * k / N);
        return c;
    }();
    return nodes[j];
}

struct Sampled {
    Real Low, High;
    Samples X, F; // from High (node 0) down to Low (node N)
};

Sampled Sample(const std::function<Real(Real)>& f, Real low, Real high)
{
    Sampled p{low, high, {}, {}};
    const Real mid = (low + high) / 2, half = (high - low) / 2;
    for (int j = 0; j <= N; ++j) {
        p.X[j] = j == 0 ? high : j == N ? low : mid + half * Node(j);
        p.F[j] = f(p.X[j]);
        if (!std::isfinite(p.F[j])) {
            std::ostringstream text;
            text.precision(20);
            text << "The integrand is not a finite number at " << p.X[j] << '.';
            throw UserError(text.str());
        }
    }
    return p;
}

Series Coefficients(const Samples& f)
{
    Series c{};
    for (int k = 0; k <= N; ++k) {
        Real sum = 0;
        for (int j = 0; j <= N; ++j)
            sum += (j == 0 || j == N ? f[j] / 2 : f[j]) * Node(j * k % (2 * N));
        c[k] = sum * 2 / N;
    }
    c[0] /= 2;
    c[N] /= 2;
    return c;
}

Real Tail(const Series& c)
{
    return std::fabs(c[N - 3]) + std::fabs(c[N - 2]) + std::fabs(c[N - 1]) + std::fabs(c[N]);
}

Real LargestSample(const Samples& f)
{
    Real largest = 0;
    for (Real v : f)
        largest = std::max(largest, std::fabs(v));
    return largest;
}

// Sum of c_k T_k(x).
template <std::size_t Size>
Real Clenshaw(const std::array<Real, Size>& c, Real x)
{
    Real b1 = 0, b2 = 0;
    for (std::size_t k = Size - 1; k >= 1; --k) {
        const Real b = 2 * x * b1 - b2 + c[k];
        b2 = b1;
        b1 = b;
    }
    return x * b1 - b2 + c[0];
}

// Splits `p` until `accept` holds for each part; appends the parts in order.
template <class Accept>
void Refine(const std::function<Real(Real)>& f, const Sampled& p, Real narrowest, const Accept& accept,
            std::vector<Sampled>& out)
{
    if (accept(p) || p.High - p.Low <= narrowest) {
        out.push_back(p);
        if (out.size() > MostPanels)
            throw UserError("The function changes too sharply to be tabulated.");
        return;
    }
    const Real mid = (p.Low + p.High) / 2;
    Refine(f, Sample(f, p.Low, mid), narrowest, accept, out);
    Refine(f, Sample(f, mid, p.High), narrowest, accept, out);
}

// Integral of |f| by the trapezoid rule over the nodes: a scale, not a result.
Real AbsoluteArea(const Sampled& p)
{
    Real area = 0;
    for (int j = 0; j < N; ++j)
        area += (p.X[j] - p.X[j + 1]) * (std::fabs(p.F[j]) + std::fabs(p.F[j + 1])) / 2;
    return area;
}

} // namespace

TailIntegral::TailIntegral(const std::function<Real(Real)>& f, Real from, Real to, std::vector<Real> cuts,
                           Real tolerance)
    : from_(from), to_(to)
{
    cuts.push_back(from);
    cuts.push_back(to);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    std::erase_if(cuts, [&](Real c) { return !(c >= from && c <= to); });
    const Real narrowest = (to - from) * NarrowestShare;

    std::vector<Sampled> start;
    Real peak = 0;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        start.push_back(Sample(f, cuts[k], cuts[k + 1]));
        peak = std::max(peak, LargestSample(start.back().F));
    }
    std::vector<Sampled> resolved;
    const auto resolvedHere = [peak](const Sampled& p) { return Tail(Coefficients(p.F)) <= FirstPassShare * peak; };
    for (const Sampled& p : start)
        Refine(f, p, narrowest, resolvedHere, resolved);
    for (const Sampled& p : resolved)
        scale_ += AbsoluteArea(p);

    const Real allowed = to > from ? tolerance * scale_ / (to - from) : 0;
    std::vector<Sampled> accurate;
    const auto accurateHere = [allowed](const Sampled& p) {
        return Tail(Coefficients(p.F)) <= std::max(allowed, NoiseShare * LargestSample(p.F));
    };
    for (const Sampled& p : resolved)
        Refine(f, p, narrowest, accurateHere, accurate);

    // Panels from the far end inwards, each integrated from its low end.
    Real beyond = 0;
    panels_.resize(accurate.size());
    for (std::size_t k = accurate.size(); k-- > 0;) {
        const Sampled& p = accurate[k];
        const Series c = Coefficients(p.F);
        const Real half = (p.High - p.Low) / 2;
        Panel& panel = panels_[k];
        panel.Low = p.Low;
        panel.High = p.High;
        // The integral of sum c_k T_k from -1, scaled to the panel's length.
        auto& g = panel.Integral;
        g.fill(0);
        for (int j = 1; j <= N + 1; ++j) {
            const Real before = j == 1 ? 2 * c[0] : c[j - 1];
            const Real after = j + 1 <= N ? c[j + 1] : 0;
            g[j] = half * (before - after) / (2 * j);
        }
        Real atLow = 0;
        for (int j = 1; j <= N + 1; ++j)
            atLow += j % 2 == 0 ? g[j] : -g[j];
        g[0] = -atLow;
        beyond += Clenshaw(g, 1);
        panel.Whole = beyond;
    }

    for (const Sampled& p : accurate)
        for (int j = N; j >= 0; --j)
            if (arguments_.empty() || arguments_.back() < p.X[j]) {
                arguments_.push_back(p.X[j]);
                values_.push_back(p.F[j]);
            }
}

Real TailIntegral::At(Real x) const
{
    if (panels_.empty())
        return 0;
    x = std::clamp(x, from_, to_);
    auto it = std::upper_bound(panels_.begin(), panels_.end(), x, [](Real v, const Panel& p) { return v < p.Low; });
    const Panel& p = it == panels_.begin() ? *it : *std::prev(it);
    const Real t = std::clamp((2 * x - p.Low - p.High) / (p.High - p.Low), Real(-1), Real(1));
    return p.Whole - Clenshaw(p.Integral, t);
}
