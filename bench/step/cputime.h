// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>

// Processor time of `clock` (CLOCK_THREAD_CPUTIME_ID, CLOCK_PROCESS_CPUTIME_ID)
// in microseconds: it hardly depends on what else the machine runs.
double CpuMicroseconds(clockid_t clock);
