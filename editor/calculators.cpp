#include "editor/calculators.h"

#include "model/usererror.h"
#include "scenes/numbertext.h"

#include <cmath>
#include <string>

namespace {

Real Sqr(Real value)
{
    return value * value;
}

// nz is the divisor of every division of the apex formulas; the first of
// them is ny / nz, so that pair decides which fault the processor reports.
void CheckFirstDivision(Real numerator, Real divisor)
{
    if (divisor != 0)
        return;
    if (numerator == 0)
        throw UserError("Invalid floating point operation");
    throw UserError("Floating point division by zero");
}

} // namespace

Real Distance(const Point3& a, const Point3& b)
{
    return std::sqrt(Sqr(b.x - a.x) + Sqr(b.y - a.y) + Sqr(b.z - a.z));
}

Point3 FourthPoint(const Point3& p1, const Point3& p2, const Point3& p3, bool upper)
{
    const Real s = Distance(p1, p2); // only the edge p1 p2 sets the size
    const Real mx = (p1.x + p2.x + p3.x) / 3.0L;
    const Real my = (p1.y + p2.y + p3.y) / 3.0L;
    const Real mz = (p1.z + p2.z + p3.z) / 3.0L;

    // n = (M - p1) x (M - p2), normal to the base.
    const Real nx = (my - p1.y) * (mz - p2.z) - (mz - p1.z) * (my - p2.y);
    const Real ny = (mz - p1.z) * (mx - p2.x) - (mx - p1.x) * (mz - p2.z);
    const Real nz = (mx - p1.x) * (my - p2.y) - (my - p1.y) * (mx - p2.x);

    // The apex line, z as parameter: x = mx + (z - mz) nx/nz, y = my + (z - mz) ny/nz.
    // Its distance from p1 equal to s gives k2 z^2 + k1 z + k0 = 0.
    CheckFirstDivision(ny, nz);
    const Real k2 = Sqr(ny / nz) + Sqr(nx / nz) + 1.0L;
    const Real k1 = (2.0L / nz) * ((nz * mx - nx * mz) * nx / nz + (nz * my - ny * mz) * ny / nz -
                                   (nx * p1.x + ny * p1.y + nz * p1.z));
    const Real gx = nx * mz / nz - mx;
    const Real gy = ny * mz / nz - my;
    const Real k0 = Sqr(gy) + Sqr(gx) + 2.0L * p1.x * gx + 2.0L * p1.y * gy + Sqr(p1.x) + Sqr(p1.y) +
                    Sqr(p1.z) - s * s;

    // The absolute value always gives an answer, also where the line never
    // comes as far as s from p1.
    const Real r = std::sqrt(std::fabs(Sqr(k1) - 4.0L * k2 * k0));
    const Real z = upper ? (-k1 + r) / (2.0L * k2) : (-k1 - r) / (2.0L * k2);
    return {(z - mz) * nx / nz + mx, (z - mz) * ny / nz + my, z};
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
