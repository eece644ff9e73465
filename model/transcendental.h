#pragma once

#include "model/real.h"

// The law's logarithms, exponentials and powers. They live in their own
// translation unit on purpose: the compiler folds a call with constant
// arguments using its own correctly rounded arithmetic, which can differ from
// the C library's by an ulp. Behind these functions every value, Power(2.72, -1)
// included, is computed by the library at run time, the same way on every path;
// noipa keeps it so even under link-time optimisation.
[[gnu::noipa]] Real Ln(Real x);
[[gnu::noipa]] Real Exp(Real x); // +0 for arguments far below the underflow threshold, else the library's

// Power(base, exponent) = exp(exponent * ln base): the law's only power
// function, reciprocals included.
[[gnu::noipa]] Real Power(Real base, Real exponent);

// Power with ln(base) already taken; bit for bit the same as Power(base, exponent).
[[gnu::noipa]] Real PowerOfLn(Real lnBase, Real exponent);
