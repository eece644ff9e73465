// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

// A point of model space.
struct Point3 {
    Real x = 0, y = 0, z = 0;
};
