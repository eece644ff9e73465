// SPDX-License-Identifier: MIT
#pragma once

#include "model/switches.h"
#include "model/taonsystem.h"

// The constraint pass of the selected mode, run after the commit on the
// working arrays NewX..NewW of slots counted from TaonCount, present or not.
// Every test sees what the tests before it left; a fold of x to the other
// side of the box counts in Folds. AtomStand does nothing.
void ApplyConstraints(TaonSystem& system, ConstraintMode mode);
