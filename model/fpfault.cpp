// SPDX-License-Identifier: MIT
#include "model/fpfault.h"

#include "model/usererror.h"

void ReportFault(int flags, bool nanOperand)
{
    if (flags & FE_DIVBYZERO)
        throw UserError(DivisionByZeroText);
    if (flags & FE_OVERFLOW)
        throw UserError(OverflowText);
    if ((flags & FE_INVALID) && !nanOperand)
        throw UserError(InvalidOperationText);
}
