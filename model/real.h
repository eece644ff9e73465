// SPDX-License-Identifier: MIT
#pragma once

#include <limits>

// Every real of the model and of the view is an 80-bit extended number, the
// x87 format the scene files store. On x86-64 Linux that is long double.
using Real = long double;

static_assert(std::numeric_limits<Real>::radix == 2 && std::numeric_limits<Real>::digits == 64 &&
                  std::numeric_limits<Real>::max_exponent == 16384 &&
                  std::numeric_limits<Real>::min_exponent == -16381,
              "Real must be the 80-bit x87 extended type");
