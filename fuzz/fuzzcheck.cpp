// SPDX-License-Identifier: MIT
#include "fuzz/fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

void Broken(const std::string& what)
{
    std::fprintf(stderr, "broken promise: %s\n", what.c_str());
    std::abort();
}
