// SPDX-License-Identifier: MIT
#include "model/pairforces.h"

#include "model/extended.h"
#include "model/fpfault.h"
#include "model/negligibleshell.h"
#include "model/usererror.h"
#include "model/vanishingshell.h"

#include <atomic>
#include <cfenv>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int Stride = SlotCount + 1;

// Below this many pair evaluations waking the pool costs more than it saves.
constexpr int ParallelWork = 256;

// The parts of a shell term that depend on the coefficient alone.
struct ShellConstants {
    Real K;     // 1.029 / K
    Real MK;    // m * k
    Real T1;    // Power(m * k, -1)
    Real K200;  // k * 200
    bool MKIsK; // m * k is k bit for bit (width 1), so (m * k) * r is s
};

struct GroupConstants {
    Real A = 0;
    Real G = 0;
    std::array<ShellConstants, ShellCount> Shell{};
    Real DecayG = 0;      // (Power(2.72, -1) * -0.5) * G
    bool Suspect = false; // a fault flag came up forming these
};

// Power(r, -2) of one distance, formed when a shell first needs it: where
// every shell term vanishes it is not needed, and forming it raises no fault
// there (vanishingshell.h bounds r).
class InverseSquare {
public:
    explicit InverseSquare(Real r) : r_(r) {}
    Real operator()()
    {
        if (!formed_) {
            value_ = ExpInline(-2.0L * Ln(r_));
            formed_ = true;
        }
        return value_;
    }

private:
    Real r_;
    Real value_ = 0;
    bool formed_ = false;
};

// One shell T(K, m, w), the literal ShellTerm with Power(r, -2) taken once per
// pair and ln s once per shell: t1 and k*200 come in ready, Power(s, 20) is
// formed once for t3 and t7, Power(s, 18) and Power(s, e) from the same ln s,
// and so is Power(s, -1) where (m * k) * r is s. A term known to vanish is
// given as the zero it is.
Real FastShell(const ShellConstants& c, int shell, Real r, InverseSquare& inverseSquare)
{
    const Real s = c.K * r;
    if (ShellVanishes(shell, c.K, s))
        return VanishedTerm(shell);
    const Real t2 = inverseSquare() * c.T1;
    const Real lnS = Ln(s);
    const Real s20 = ExpInline(OuterPower * lnS);
    const Real t3 = (ShellOffset - s20) * t2;
    const Real t4 = (1.0L - lnS) * t3;
    const Real t5 = ExpInline(InnerPower * lnS) * c.K200;
    const Real t6 = (t4 - lnS * t5) * Shells[shell].Weight;
    const Real lnMKR = c.MKIsK ? lnS : Ln(c.MK * r);
    const Real e = ExpInline(-1.0L * lnMKR) * (ShellOffset - s20);
    return ExpInline(e * lnS) * t6;
}

Real FastContact(const GroupConstants& g, Real contactScale, Real r)
{
    if (!ContactApplies(r, g.G))
        return 0.0L;
    const Real gap = r - g.G;
    const Real h = ((Power(gap, -2.0L) * contactScale) * g.A) * g.G;
    return h * Exp(g.DecayG / gap);
}

// The terms S is made of at one distance: the shells B, C, D, F, G and H. A
// deferred shell term is negligible (negligibleshell.h) and not yet formed.
struct BracketTerms {
    std::array<Real, ShellCount> Shell{};
    std::array<bool, ShellCount> Deferred{};
    Real Contact = 0;
};

// S as written, over reals or over partial sums.
template <class Value>
Value Combine(const std::array<Value, ShellCount>& shell, Value contact, bool functions3x1)
{
    if (!functions3x1)
        return shell[0] + (((shell[1] - shell[2]) - shell[3]) - shell[ShellG]);
    return (shell[0] + ((shell[1] - shell[2]) - shell[3])) + contact;
}

bool SameBits(Real a, Real b)
{
    return std::memcmp(&a, &b, ExtendedSize) == 0;
}

} // namespace

struct PairForces::Sweep {
    // Inputs of the sweep.
    const TaonSystem* System = nullptr;
    int N = 0;
    bool XOnly = false;
    bool Functions3X1 = false;
    LawSwitches Law;
    SlotFlags Wanted{};
    std::array<GroupConstants, GroupCount> Groups{};
    std::array<int, Stride> GroupOfSlot{};
    Real ContactFactor = 0;           // Power(2.72, -1) * 0.85
    bool DeferNegligible = false;     // negligibleshell.h reasons in rounding to nearest
    std::optional<std::string> Fault; // a quotient fault, thrown at the first request
    fenv_t Environment{};
    std::atomic<int> Next{0};

    // Per ordered pair (i, j), the action of j on i.
    std::vector<Real> R = std::vector<Real>(Stride * Stride);
    std::vector<Real> S = std::vector<Real>(Stride * Stride);
    std::vector<std::uint8_t> Flagged = std::vector<std::uint8_t>(Stride * Stride);

    // Per slot: the three totals, and whether the literal law must decide.
    std::array<SlotReals, 3> Totals{};
    SlotFlags Suspect{};

    bool Present(int j) const { return System->Present[j] != 0; }

    Real DistanceOf(int i, int j) const
    {
        const TaonSystem& s = *System;
        return Distance<PlainOps>(s.X[i] - s.X[j], s.Y[i] - s.Y[j], s.Z[i] - s.Z[j]);
    }

    // The terms of group g's S at distance r, negligible ones deferred. A
    // shell whose coefficient is the same in group `known` - always so within
    // one group - is the same function of r: its term is taken from
    // `knownTerms`, formed (or deferred) at this r.
    BracketTerms Terms(const GroupConstants& g, Real r, InverseSquare& inverseSquare, const GroupConstants* known,
                       const BracketTerms* knownTerms) const
    {
        BracketTerms t;
        const int shells = Functions3X1 ? ShellG : ShellCount;
        for (int k = 0; k < shells; ++k) {
            const ShellConstants& c = g.Shell[k];
            if (known && SameBits(known->Shell[k].K, c.K)) {
                t.Shell[k] = knownTerms->Shell[k];
                t.Deferred[k] = knownTerms->Deferred[k];
            } else if (DeferNegligible && ShellNegligible(k, c.K, c.K * r)) {
                t.Deferred[k] = true;
            } else {
                t.Shell[k] = FastShell(c, k, r, inverseSquare);
            }
        }
        if (Functions3X1)
            t.Contact = known && SameBits(known->A, g.A) && SameBits(known->G, g.G) ? knownTerms->Contact
                                                                                    : FastContact(g, ContactFactor, r);
        return t;
    }

    // S of group g at distance r, its terms left in `t` for the other action
    // of the pair. Deferred terms are formed only where the sum needs them.
    Real BracketAt(const GroupConstants& g, Real r, InverseSquare& inverseSquare, BracketTerms& t,
                   const GroupConstants* known = nullptr, const BracketTerms* knownTerms = nullptr) const
    {
        t = Terms(g, r, inverseSquare, known, knownTerms);
        std::array<BracketPartial, ShellCount> partial{};
        for (int k = 0; k < ShellCount; ++k)
            partial[k] = t.Deferred[k] ? BracketPartial::Negligible() : BracketPartial::Exact(t.Shell[k]);
        const BracketPartial sum = Combine(partial, BracketPartial::Exact(t.Contact), Functions3X1);
        if (sum.State == BracketPartial::Kind::Exact)
            return sum.Value;
        for (int k = 0; k < ShellCount; ++k) {
            if (t.Deferred[k]) {
                t.Shell[k] = FastShell(g.Shell[k], k, r, inverseSquare);
                t.Deferred[k] = false;
            }
        }
        return Combine(t.Shell, t.Contact, Functions3X1);
    }

    // S for both actions within the pair a < b that the sweep needs, under one
    // test of the flags. Swapping the points negates dx, dy, dz exactly, so
    // both actions normally see the same r.
    void EvaluatePair(int a, int b, bool onA, bool onB)
    {
        const GroupConstants& actsOnA = Groups[GroupOfSlot[b]];
        const GroupConstants& actsOnB = Groups[GroupOfSlot[a]];
        Real ab = DistanceOf(a, b);
        Real ba = DistanceOf(b, a);
        Real sOnA = 0;
        Real sOnB = 0;
        BracketTerms terms;
        if (onA && onB && SameBits(ab, ba)) {
            InverseSquare inverseSquare(ab);
            BracketTerms termsOnB;
            sOnA = BracketAt(actsOnA, ab, inverseSquare, terms);
            sOnB = BracketAt(actsOnB, ab, inverseSquare, termsOnB, &actsOnA, &terms);
        } else {
            InverseSquare inverseSquareAB(ab);
            InverseSquare inverseSquareBA(ba);
            if (onA)
                sOnA = BracketAt(actsOnA, ab, inverseSquareAB, terms);
            if (onB)
                sOnB = BracketAt(actsOnB, ba, inverseSquareBA, terms);
        }
        Pin(ab);
        Pin(ba);
        Pin(sOnA);
        Pin(sOnB);
        // A NaN's sign and payload follow the order of the operands, which this
        // code does not keep; a NaN bracket is left to the literal law.
        const bool raised = RaisedFaultFlags() != 0 || std::isnan(sOnA) || std::isnan(sOnB);
        if (raised)
            ClearFaultFlags();
        if (onA) {
            R[a * Stride + b] = ab;
            S[a * Stride + b] = sOnA;
            Flagged[a * Stride + b] = raised || actsOnA.Suspect;
        }
        if (onB) {
            R[b * Stride + a] = ba;
            S[b * Stride + a] = sOnB;
            Flagged[b * Stride + a] = raised || actsOnB.Suspect;
        }
    }

    // The flags are cleared for a row and again after each pair that raised
    // one, so each pair's test sees its own operations alone.
    void PairRow(int a)
    {
        ClearFaultFlags();
        for (int b = a + 1; b <= N; ++b) {
            const bool onA = Wanted[a] != 0 && Present(b);
            const bool onB = Wanted[b] != 0 && Present(a);
            if (onA || onB)
                EvaluatePair(a, b, onA, onB);
        }
    }

    // sum = ((((sign * d) / r) * A) * S) + sum over j = 1..N, per axis.
    void Total(int i)
    {
        const TaonSystem& s = *System;
        for (int j = 1; j <= N; ++j) {
            if (j != i && Present(j) && Flagged[i * Stride + j] != 0) {
                Suspect[i] = 1;
                return;
            }
        }
        ClearFaultFlags();
        Real sums[3] = {0.0L, 0.0L, 0.0L};
        for (int j = 1; j <= N; ++j) {
            if (j == i || !Present(j))
                continue;
            const Real sign = Real(PairSign(Law, EqualParity(i, j)));
            const Real a = Groups[GroupOfSlot[j]].A;
            const Real r = R[i * Stride + j];
            const Real bracket = S[i * Stride + j];
            sums[0] = ((((sign * (s.X[i] - s.X[j])) / r) * a) * bracket) + sums[0];
            if (XOnly)
                continue;
            sums[1] = ((((sign * (s.Y[i] - s.Y[j])) / r) * a) * bracket) + sums[1];
            sums[2] = ((((sign * (s.Z[i] - s.Z[j])) / r) * a) * bracket) + sums[2];
        }
        Pin(sums);
        Suspect[i] = RaisedFaultFlags() != 0 ? 1 : 0;
        for (int axis = 0; axis < 3; ++axis)
            Totals[axis][i] = sums[axis];
    }

    void FormGroups(const TaonSystem& system, const ShellTable& quotients)
    {
        const Real inverseBase = Power(ContactBase, -1.0L);
        ContactFactor = inverseBase * ContactScale;
        const Real decay = inverseBase * ContactDecay;
        const int shells = Functions3X1 ? ShellG : ShellCount;
        for (int g = 0; g < GroupCount; ++g) {
            const GroupCoefficients c = CoefficientsOf(system, g + 1);
            GroupConstants constants;
            std::array<Real, ShellCount> k = quotients[g];
            Real gValue = c.G;
            Real decayValue = decay;
            ClearFaultFlags();
            Pin(k);
            Pin(gValue);
            Pin(decayValue);
            for (int shell = 0; shell < shells; ++shell) {
                ShellConstants& sc = constants.Shell[shell];
                sc.K = k[shell];
                sc.MK = Shells[shell].Width * k[shell];
                sc.T1 = Power(sc.MK, -1.0L);
                sc.K200 = k[shell] * ShellFactor;
                sc.MKIsK = SameBits(sc.MK, sc.K);
            }
            constants.DecayG = Functions3X1 ? decayValue * gValue : 0.0L;
            Pin(constants);
            constants.Suspect = RaisedFaultFlags() != 0;
            constants.A = c.A;
            constants.G = c.G;
            Groups[g] = constants;
        }
    }
};

PairForces::PairForces(WorkerPool& pool) : pool_(pool), sweep_(std::make_unique<Sweep>()) {}

PairForces::~PairForces() = default;

void PairForces::Prepare(const TaonSystem& system, const LawSwitches& law, const SlotFlags& wanted, bool xOnly)
{
    Sweep& w = *sweep_;
    w.System = &system;
    w.N = SlotsInUse(system);
    w.XOnly = xOnly;
    w.Functions3X1 = law.Functions3X1;
    w.Law = law;
    w.Wanted = wanted;
    w.Suspect.fill(0);
    w.Fault.reset();

    int wantedCount = 0;
    int presentCount = 0;
    for (int i = 1; i <= w.N; ++i) {
        wantedCount += wanted[i] != 0;
        presentCount += system.Present[i] != 0;
        w.GroupOfSlot[i] = GroupOf(i, w.N) - 1;
    }
    if (wantedCount == 0)
        return;

    try {
        const ShellTable quotients = FormQuotients(CoefficientTable(system));
        w.FormGroups(system, quotients);
    } catch (const UserError& fault) {
        w.Fault = fault.what();
        return;
    }

    const bool parallel = pool_.ThreadCount() > 1 && wantedCount * presentCount >= ParallelWork;
    std::fegetenv(&w.Environment);
    w.DeferNegligible = std::fegetround() == FE_TONEAREST;
    const auto spread = [&](int last, auto&& job) {
        w.Next.store(1);
        const auto run = [&](int thread) {
            if (thread != 0)
                std::fesetenv(&w.Environment); // same precision and rounding as the caller
            for (int item = w.Next.fetch_add(1); item <= last; item = w.Next.fetch_add(1))
                job(item);
        };
        if (parallel)
            pool_.Run(run);
        else
            run(0);
    };
    spread(w.N - 1, [&](int a) { w.PairRow(a); });
    spread(w.N, [&](int i) {
        if (w.Wanted[i] != 0)
            w.Total(i);
    });
}

Real PairForces::Force(const TaonSystem& system, const LawSwitches& law, int i, Axis axis)
{
    const Sweep& w = *sweep_;
    if (w.Fault)
        throw UserError(*w.Fault);
    if (w.Suspect[i] != 0)
        return ::Force(system, law, i, axis);
    return w.Totals[int(axis)][i];
}
