// SPDX-License-Identifier: MIT
#include "model/stepbenchmark.h"

#include <iostream>

int main()
{
    return RunBenchmark(std::cout) ? 0 : 1;
}
