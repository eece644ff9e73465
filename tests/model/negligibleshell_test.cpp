// SPDX-License-Identifier: MIT
#include "model/negligibleshell.h"
#include "testscenes.h"

#include <QTest>

#include <cfenv>

using namespace testscenes;

namespace {

// The same chain of sums and differences over reals and over partial sums.
template <class Value>
Value Chain(const std::vector<Value>& terms, const std::vector<bool>& subtract, bool nested)
{
    Value sum = terms.back();
    for (int k = int(terms.size()) - 2; k >= 0; --k)
        if (nested)
            sum = subtract[k] ? terms[k] - sum : terms[k] + sum; // a + (b - (c ...))
        else
            sum = subtract[k] ? sum - terms[k] : sum + terms[k]; // ((... c) - b) + a
    return sum;
}

} // namespace

class NegligibleShellTest : public QObject {
    Q_OBJECT
private slots:
    void negligibleTermsAreTinyAndFaultless_data() { AddShellRows(); }

    // s densely from below the threshold to where the term vanishes, the ulps
    // at both ends, k at the ends of its range and between: the literal term
    // forms without a fault and is below the bound; and a pair whose shells
    // share one coefficient, so that their sum may rest on deferred terms
    // alone, feels the law's forces from the engine.
    void negligibleTermsAreTinyAndFaultless()
    {
        QFETCH(int, shell);
        std::vector<Real> s;
        for (Real x = NegligibleFrom[shell] * 0.98L; x < VanishingFrom[shell]; x *= 1 + 1 / 4096.0L)
            s.push_back(x);
        AddEdges(s, {NegligibleFrom[shell], VanishingFrom[shell]});
        int negligible = 0;
        for (Real k : {NegligibleQuotientLow, 0x1p-10L, 0.206L, 1.029L, 77.7L, NegligibleQuotientHigh})
            for (Real target : s) {
                const Real r = target / k;
                if (!ShellNegligible(shell, k, k * r))
                    continue;
                ++negligible;
                Real literal = 1;
                const QString fault = ErrorOf([&] { literal = ShellTermAt(k, shell, r); });
                QVERIFY2(fault.isEmpty() && std::fabs(literal) < NegligibleTerm, qPrintable(fault));
            }
        QVERIFY(negligible > 5 * int(s.size()) * 3 / 4);

        TaonSystem oneCoefficient = EmptyModel();
        for (Real* coefficient : {&oneCoefficient.C1, &oneCoefficient.D1, &oneCoefficient.F1, &oneCoefficient.G1,
                                  &oneCoefficient.C3, &oneCoefficient.D3, &oneCoefficient.F3, &oneCoefficient.G3})
            *coefficient = 1;
        for (int rounding : {FE_TONEAREST, FE_UPWARD}) { // upward, the bound proves nothing
            int differing = 0;
            std::fesetround(rounding);
            for (Real x = NegligibleFrom[shell] * 0.9L; x < VanishingFrom[shell] * 1.02L; x *= 1 + 1 / 512.0L)
                differing += !PairForcesAreTheLaw(oneCoefficient, x / QuotientScale) +
                             !PairForcesAreTheLaw(EmptyModel(), x * (shell + 1) / QuotientScale);
            std::fesetround(FE_TONEAREST);
            QCOMPARE(differing, 0);
        }
    }

    // Sums of dominant values and negligible ones in any order: where the
    // partial sum is decided it is the sum itself, bit for bit.
    void decidedSumsAreTheLiteralSums()
    {
        std::mt19937_64 random(17);
        std::uniform_real_distribution<double> unit(-1, 1);
        std::uniform_int_distribution<int> scale(-360, 100);
        int decided = 0;
        constexpr int trials = 20000;
        for (int trial = 0; trial < trials; ++trial) {
            std::vector<Real> terms(2 + trial % 5);
            std::vector<BracketPartial> partial;
            std::vector<bool> subtract;
            for (Real& term : terms) {
                const bool tiny = random() % 2 == 0;
                term = tiny
                           ? std::ldexp(Real(unit(random)), -430 - int(random() % 700))
                           : std::ldexp(1 + std::fabs(Real(unit(random))), scale(random)) * (unit(random) < 0 ? -1 : 1);
                if (random() % 8 == 0)
                    term = tiny ? 0.0L : -0.0L;
                partial.push_back(tiny ? BracketPartial::Negligible() : BracketPartial::Exact(term));
                subtract.push_back(random() % 2 == 0);
            }
            for (bool nested : {false, true}) {
                const BracketPartial sum = Chain(partial, subtract, nested);
                if (sum.State != BracketPartial::Kind::Exact)
                    continue;
                ++decided;
                QVERIFY(SameBits(sum.Value, Chain(terms, subtract, nested)));
            }
        }
        QVERIFY(decided > trials / 2);

        const BracketPartial nan = BracketPartial::Exact(std::numeric_limits<Real>::quiet_NaN());
        QCOMPARE(int((nan - BracketPartial::Negligible()).State), int(BracketPartial::Kind::Undecided));
    }
};

QTEST_GUILESS_MAIN(NegligibleShellTest)
#include "negligibleshell_test.moc"
