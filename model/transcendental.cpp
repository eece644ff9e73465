// SPDX-License-Identifier: MIT
#include "model/transcendental.h"

#include <cmath>

Real Ln(Real x)
{
    return std::log(x);
}

Real Exp(Real x)
{
    return ExpInline(x);
}

Real Power(Real base, Real exponent)
{
    return Exp(exponent * Ln(base));
}
