// SPDX-License-Identifier: MIT
#include "editor/calculators.h"

#include "model/fpfault.h"
#include "model/usererror.h"
#include "scenes/numbertext.h"

#include <cmath>
#include <string>

namespace {

template <class Ops>
Real Square(Real value)
{
    return Ops::Mul(value, value);
}

template <class Ops>
Real DistanceOf(const Point3& a, const Point3& b)
{
    const Real dx = Ops::Sub(b.x, a.x);
    const Real dy = Ops::Sub(b.y, a.y);
    const Real dz = Ops::Sub(b.z, a.z);
    return Ops::Sqrt(Ops::Add(Ops::Add(Square<Ops>(dx), Square<Ops>(dy)), Square<Ops>(dz)));
}

// One operation a statement where the order decides which fault comes first
// (ny / nz before nx / nz: with the normal horizontal, 0/0 or n/0).
template <class Ops>
Point3 FourthPointOf(const Point3& p1, const Point3& p2, const Point3& p3, bool upper)
{
    const Real s = DistanceOf<Ops>(p1, p2); // only the edge p1 p2 sets the size
    const Real mx = Ops::Div(Ops::Add(Ops::Add(p1.x, p2.x), p3.x), 3.0L);
    const Real my = Ops::Div(Ops::Add(Ops::Add(p1.y, p2.y), p3.y), 3.0L);
    const Real mz = Ops::Div(Ops::Add(Ops::Add(p1.z, p2.z), p3.z), 3.0L);

    // n = (M - p1) x (M - p2), normal to the base.
    const Real nx =
        Ops::Sub(Ops::Mul(Ops::Sub(my, p1.y), Ops::Sub(mz, p2.z)), Ops::Mul(Ops::Sub(mz, p1.z), Ops::Sub(my, p2.y)));
    const Real ny =
        Ops::Sub(Ops::Mul(Ops::Sub(mz, p1.z), Ops::Sub(mx, p2.x)), Ops::Mul(Ops::Sub(mx, p1.x), Ops::Sub(mz, p2.z)));
    const Real nz =
        Ops::Sub(Ops::Mul(Ops::Sub(mx, p1.x), Ops::Sub(my, p2.y)), Ops::Mul(Ops::Sub(my, p1.y), Ops::Sub(mx, p2.x)));

    // The apex line, z as parameter: x = mx + (z - mz) nx/nz, y = my + (z - mz) ny/nz.
    // Its distance from p1 equal to s gives k2 z^2 + k1 z + k0 = 0.
    const Real qy = Ops::Div(ny, nz);
    const Real qx = Ops::Div(nx, nz);
    const Real k2 = Ops::Add(Ops::Add(Square<Ops>(qy), Square<Ops>(qx)), 1.0L);
    const Real ax = Ops::Div(Ops::Mul(Ops::Sub(Ops::Mul(nz, mx), Ops::Mul(nx, mz)), nx), nz);
    const Real ay = Ops::Div(Ops::Mul(Ops::Sub(Ops::Mul(nz, my), Ops::Mul(ny, mz)), ny), nz);
    const Real np1 = Ops::Add(Ops::Add(Ops::Mul(nx, p1.x), Ops::Mul(ny, p1.y)), Ops::Mul(nz, p1.z));
    const Real k1 = Ops::Mul(Ops::Div(2.0L, nz), Ops::Sub(Ops::Add(ax, ay), np1));
    const Real gx = Ops::Sub(Ops::Div(Ops::Mul(nx, mz), nz), mx);
    const Real gy = Ops::Sub(Ops::Div(Ops::Mul(ny, mz), nz), my);
    Real k0 = Ops::Add(Square<Ops>(gy), Square<Ops>(gx));
    k0 = Ops::Add(k0, Ops::Mul(Ops::Mul(2.0L, p1.x), gx));
    k0 = Ops::Add(k0, Ops::Mul(Ops::Mul(2.0L, p1.y), gy));
    k0 = Ops::Add(Ops::Add(Ops::Add(k0, Square<Ops>(p1.x)), Square<Ops>(p1.y)), Square<Ops>(p1.z));
    k0 = Ops::Sub(k0, Ops::Mul(s, s));

    // The absolute value always gives an answer, also where the line never
    // comes as far as s from p1.
    const Real r = Ops::Sqrt(std::fabs(Ops::Sub(Square<Ops>(k1), Ops::Mul(Ops::Mul(4.0L, k2), k0))));
    const Real twoK2 = Ops::Mul(2.0L, k2);
    const Real z = upper ? Ops::Div(Ops::Add(-k1, r), twoK2) : Ops::Div(Ops::Sub(-k1, r), twoK2);
    const Real dz = Ops::Sub(z, mz);
    return {Ops::Add(Ops::Div(Ops::Mul(dz, nx), nz), mx), Ops::Add(Ops::Div(Ops::Mul(dz, ny), nz), my), z};
}

} // namespace

// Both are checked like a run step: the first overflow, division by zero or
// invalid operation is reported instead of a result of INF or NAN.
Real Distance(const Point3& a, const Point3& b)
{
    return EvaluateChecked([](auto ops, Point3 p, Point3 q) { return DistanceOf<decltype(ops)>(p, q); }, a, b);
}

Point3 FourthPoint(const Point3& p1, const Point3& p2, const Point3& p3, bool upper)
{
    const auto apex = [upper](auto ops, Point3 a, Point3 b, Point3 c) {
        return FourthPointOf<decltype(ops)>(a, b, c, upper);
    };
    return EvaluateChecked(apex, p1, p2, p3);
}

Point3 ReadGridPoint(const CellText& cell, const QString& numberText)
{
    const int number = TextToInt(numberText);
    if (number < 0)
        throw UserError("List index out of bounds (" + std::to_string(number) + ")");
    const Real x = TextToFloat(cell(1, number));
    const Real y = TextToFloat(cell(2, number));
    const Real z = TextToFloat(cell(3, number));
    return {x, y, z};
}
