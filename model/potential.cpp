// SPDX-License-Identifier: MIT
#include "model/potential.h"

#include "model/usererror.h"
#include "model/vanishingshell.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Ten times finer than the promise: the scale of the table is estimated, and
// the part below Floor is left out.
constexpr Real TableTolerance = PotentialTolerance / 10;
constexpr Real FloorArgument = 0.05L;
// Rounding in End and in the faultless range must not cross a threshold.
constexpr Real Margin = 0x1p-40L;

int ShellsOf(const LawSwitches& switches)
{
    return switches.Functions3X1 ? ShellG : ShellCount;
}

// Panel ends around each shell's peak at s = 1 and the contact term's rise
// just above G: no feature narrower than a tenth of a panel.
std::vector<Real> Cuts(const std::array<Real, ShellCount>& k, int shells, const GroupCoefficients& row,
                       const LawSwitches& switches)
{
    std::vector<Real> cuts;
    for (int shell = 0; shell < shells; ++shell)
        for (Real s : {0.3L, 0.5L, 0.7L, 0.8L, 0.9L, 0.95L, 1.0L, 1.05L, 1.1L, 1.15L, 1.2L, 1.3L, 1.4L, 1.5L, 1.6L})
            cuts.push_back(s / k[shell]);
    if (switches.Functions3X1 && row.G > 0)
        for (Real f : {1.0L, 1.02L, 1.05L, 1.1L, 1.2L, 1.4L, 1.7L})
            cuts.push_back(f * row.G);
    return cuts;
}

} // namespace

bool SameRow(const GroupCoefficients& a, const GroupCoefficients& b)
{
    return a.A == b.A && a.B == b.B && a.C == b.C && a.D == b.D && a.F == b.F && a.G == b.G;
}

Real ContactIntegral(Real a, Real g, Real r)
{
    // 1.7 A = (0.85 A G / 2.72) / (0.5 G / 2.72); expm1 keeps G = 0 exact.
    const Real rate = -ContactDecay * g / ContactBase;
    const Real scale = ContactScale / -ContactDecay * a;
    if (!ContactApplies(r, g))
        return g > 0 ? scale : 0;
    return -scale * std::expm1(-rate / (r - g));
}

GroupPotential::GroupPotential(const GroupCoefficients& row, const LawSwitches& switches)
    : row_(row), switches_(switches)
{
    try {
        const int shells = ShellsOf(switches);
        ShellTable table{};
        table.fill(ShellCoefficients(row));
        const std::array<Real, ShellCount> k = FormQuotients(table)[0];
        Real largest = 0, end = 0, faultless = std::numeric_limits<Real>::infinity();
        bool provable = true;
        for (int shell = 0; shell < shells; ++shell) {
            if (!(k[shell] > 0 && std::isfinite(k[shell]))) {
                // The law faults or gives no number for such a row; let it say which.
                PairBracket(row, switches, 1);
                throw UserError("The coefficients of this group are not all positive numbers.");
            }
            largest = std::max(largest, k[shell]);
            end = std::max(end, VanishingFrom[shell] / k[shell]);
            faultless = std::min(faultless, VanishingTo / k[shell]);
            provable = provable && k[shell] >= VanishingQuotientLow && k[shell] <= VanishingQuotientHigh;
        }
        floor_ = FloorArgument / largest;
        end_ = end * (1 + Margin);
        // Beyond 2 G the contact term's parts only shrink (r - G >= G).
        if (switches.Functions3X1 && row.G > 0)
            end_ = std::max(end_, 2 * row.G);
        faultlessTo_ = provable ? std::max(end_, faultless * (1 - Margin)) : end_;
        const auto strength = [this](Real r) { return row_.A * PairBracket(row_, switches_, r); };
        table_.emplace(strength, floor_, end_, Cuts(k, shells, row, switches), TableTolerance);
    } catch (const UserError& fault) {
        fault_ = fault.what();
        table_.reset();
    }
}

Real GroupPotential::Contact(Real r) const
{
    return switches_.Functions3X1 ? row_.A * ContactIntegral(row_.A, row_.G, r) : 0;
}

// Inside [Floor, End] the law gave a number at every sample, and between two
// samples each value it forms is monotonic in r or, like Power(s, e), bounded
// by a few units, so it faults nowhere in between; beyond End up to
// faultlessTo_ vanishingshell.h proves the shells faultless and the contact
// term only shrinks. Elsewhere the law itself is asked.
Real GroupPotential::At(Real r) const
{
    if (!table_)
        throw UserError(fault_);
    if (std::isnan(r))
        return r;
    if (!(r >= floor_ && r <= faultlessTo_))
        PairBracket(row_, switches_, r);
    if (r >= end_)
        return Contact(r);
    const Real beyond = Contact(end_);
    if (r >= floor_)
        return table_->At(r) + beyond;
    return table_->At(floor_) + beyond + Contact(r) - Contact(floor_);
}

const std::vector<Real>& GroupPotential::Distances() const
{
    static const std::vector<Real> none;
    return table_ ? table_->Arguments() : none;
}

const std::vector<Real>& GroupPotential::Strengths() const
{
    static const std::vector<Real> none;
    return table_ ? table_->Values() : none;
}

PairLaw::PairLaw(const LawSetting& setting) : setting_(setting)
{
    groups_.reserve(GroupCount);
    for (int g = 0; g < GroupCount; ++g) {
        const auto same = std::find_if(setting.Groups.begin(), setting.Groups.begin() + g,
                                       [&](const GroupCoefficients& row) { return SameRow(row, setting.Groups[g]); });
        if (same != setting.Groups.begin() + g)
            groups_.push_back(groups_[same - setting.Groups.begin()]);
        else
            groups_.emplace_back(setting.Groups[g], setting.Switches);
    }
}

const PairLaw& PairLawCache::For(const TaonSystem& system, const LawSwitches& switches)
{
    const LawSetting setting = LawSettingOf(system, switches);
    if (!law_ || !(law_->Setting() == setting))
        law_.emplace(setting);
    return *law_;
}
