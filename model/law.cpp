// SPDX-License-Identifier: MIT
#include "model/law.h"

namespace {

using Quotients = std::array<Real, ShellCount>;

// Everything one pair contribution reads, so it can be pinned as a whole.
struct PairInputs {
    Real Xi, Yi, Zi, Xj, Yj, Zj;
    Real Sign;
    Real A, G;
    Quotients K;
    Real Sum;
};

// One shell T(K, m, w) with k = 1.029 / K, step by step as written.
template <class Ops>
Real ShellTerm(Real k, const Shell& shell, Real r)
{
    const Real m = shell.Width;
    const Real s = Ops::Mul(k, r);
    const Real t1 = Ops::Power(Ops::Mul(m, k), -1.0L);
    const Real t2 = Ops::Mul(Ops::Power(r, -2.0L), t1);
    const Real t3 = Ops::Mul(Ops::Sub(ShellOffset, Ops::Power(s, OuterPower)), t2);
    const Real t4 = Ops::Mul(Ops::Sub(1.0L, Ops::Ln(s)), t3);
    const Real t5 = Ops::Mul(Ops::Power(s, InnerPower), Ops::Mul(k, ShellFactor));
    const Real t6 = Ops::Mul(Ops::Sub(t4, Ops::Mul(Ops::Ln(s), t5)), shell.Weight);
    const Real t7 = Ops::Sub(ShellOffset, Ops::Power(s, OuterPower));
    const Real e = Ops::Mul(Ops::Power(Ops::Mul(Ops::Mul(m, k), r), -1.0L), t7);
    return Ops::Mul(Ops::Power(s, e), t6);
}

template <class Ops>
Real ContactTerm(Real a, Real g, Real r)
{
    if (!ContactApplies(r, g))
        return 0.0L;
    const Real near = Ops::Power(Ops::Sub(r, g), -2.0L);
    const Real scale = Ops::Mul(Ops::Power(ContactBase, -1.0L), ContactScale);
    const Real h = Ops::Mul(Ops::Mul(Ops::Mul(near, scale), a), g);
    const Real decay = Ops::Mul(Ops::Mul(Ops::Power(ContactBase, -1.0L), ContactDecay), g);
    return Ops::Mul(h, Ops::Exp(Ops::Div(decay, Ops::Sub(r, g))));
}

template <class Ops>
Real Bracket(const Quotients& k, Real a, Real g, bool functions3x1, Real r)
{
    const Real tb = ShellTerm<Ops>(k[0], Shells[0], r);
    const Real tc = ShellTerm<Ops>(k[1], Shells[1], r);
    const Real td = ShellTerm<Ops>(k[2], Shells[2], r);
    const Real tf = ShellTerm<Ops>(k[3], Shells[3], r);
    if (!functions3x1) {
        const Real tg = ShellTerm<Ops>(k[ShellG], Shells[ShellG], r);
        return Ops::Add(tb, Ops::Sub(Ops::Sub(Ops::Sub(tc, td), tf), tg));
    }
    const Real h = ContactTerm<Ops>(a, g, r);
    return Ops::Add(Ops::Add(tb, Ops::Sub(Ops::Sub(tc, td), tf)), h);
}

// sum = ((((sign * d) / r) * A) * S) + sum for one present j.
template <class Ops>
Real PairContribution(const PairInputs& p, Axis axis, bool functions3x1)
{
    const Real dx = Ops::Sub(p.Xi, p.Xj);
    const Real dy = Ops::Sub(p.Yi, p.Yj);
    const Real dz = Ops::Sub(p.Zi, p.Zj);
    const Real r = Distance<Ops>(dx, dy, dz);
    const Real s = Bracket<Ops>(p.K, p.A, p.G, functions3x1, r);
    const Real d = axis == Axis::X ? dx : axis == Axis::Y ? dy : dz;
    const Real along = Ops::Div(Ops::Mul(p.Sign, d), r);
    return Ops::Add(Ops::Mul(Ops::Mul(along, p.A), s), p.Sum);
}

} // namespace

ShellTable CoefficientTable(const TaonSystem& system)
{
    ShellTable table;
    for (int g = 0; g < GroupCount; ++g)
        table[g] = ShellCoefficients(CoefficientsOf(system, g + 1));
    return table;
}

ShellTable FormQuotients(const ShellTable& coefficients)
{
    return EvaluateChecked(
        [](auto ops, ShellTable c) {
            using Ops = decltype(ops);
            ShellTable k;
            for (int g = 0; g < GroupCount; ++g)
                for (int shell = 0; shell < ShellCount; ++shell)
                    k[g][shell] = Ops::Div(QuotientScale, c[g][shell]);
            return k;
        },
        coefficients);
}

GroupCoefficients CoefficientsOf(const TaonSystem& s, int group)
{
    switch (group) {
    case 1:
        return {s.A1, s.B1, s.C1, s.D1, s.F1, s.G1};
    case 2:
        return {s.A2, s.B2, s.C2, s.D2, s.F2, s.G2};
    default:
        return {s.A3, s.B3, s.C3, s.D3, s.F3, s.G3};
    }
}

std::array<Real, ShellCount> ShellCoefficients(const GroupCoefficients& c)
{
    return {c.B, c.C, c.D, c.F, c.G};
}

Real ShellTermAt(Real k, int shell, Real r)
{
    return EvaluateChecked(
        [shell](auto ops, Real q, Real distance) { return ShellTerm<decltype(ops)>(q, Shells[shell], distance); }, k,
        r);
}

Real PairBracket(const GroupCoefficients& coefficients, const LawSwitches& law, Real r)
{
    ShellTable table{};
    table.fill(ShellCoefficients(coefficients));
    const Quotients k = FormQuotients(table)[0];
    const bool functions3x1 = law.Functions3X1;
    return EvaluateChecked(
        [functions3x1](auto ops, Quotients q, Real a, Real g, Real distance) {
            return Bracket<decltype(ops)>(q, a, g, functions3x1, distance);
        },
        k, coefficients.A, coefficients.G, r);
}

Real Force(const TaonSystem& system, const LawSwitches& law, int i, Axis axis)
{
    const int n = SlotsInUse(system);
    const ShellTable k = FormQuotients(CoefficientTable(system));
    const bool functions3x1 = law.Functions3X1;
    Real sum = 0.0L;
    for (int j = 1; j <= n; ++j) {
        if (system.Present[j] == 0 || j == i)
            continue;
        const int group = GroupOf(j, n);
        const GroupCoefficients c = CoefficientsOf(system, group);
        const PairInputs pair{system.X[i], system.Y[i], system.Z[i],
                              system.X[j], system.Y[j], system.Z[j],
                              Real(PairSign(law, EqualParity(i, j))),
                              c.A, c.G, k[group - 1], sum};
        sum = EvaluateChecked(
            [axis, functions3x1](auto ops, PairInputs p) {
                return PairContribution<decltype(ops)>(p, axis, functions3x1);
            },
            pair);
    }
    return sum;
}

Real ForceX(const TaonSystem& system, const LawSwitches& law, int i)
{
    return Force(system, law, i, Axis::X);
}

Real ForceY(const TaonSystem& system, const LawSwitches& law, int i)
{
    return Force(system, law, i, Axis::Y);
}

Real ForceZ(const TaonSystem& system, const LawSwitches& law, int i)
{
    return Force(system, law, i, Axis::Z);
}
