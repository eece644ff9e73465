#include "model/transcendental.h"

#include <cmath>

Real Ln(Real x)
{
    return std::log(x);
}

// The C library reports every underflow to zero through its slow error path,
// several times the cost of an ordinary call, and the law underflows all the
// time (s^e for s > 1). An argument this far below ln(smallest denormal),
// about -11400, has +0 as its exact rounded result, so it is given directly.
constexpr Real CertainUnderflow = -16384.0L;

Real Exp(Real x)
{
    if (std::isless(x, CertainUnderflow))
        return 0.0L;
    return std::exp(x);
}

Real Power(Real base, Real exponent)
{
    return PowerOfLn(Ln(base), exponent);
}

Real PowerOfLn(Real lnBase, Real exponent)
{
    return Exp(exponent * lnBase);
}
