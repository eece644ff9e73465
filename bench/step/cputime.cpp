// SPDX-License-Identifier: MIT
#include "bench/step/cputime.h"

double CpuMicroseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}
