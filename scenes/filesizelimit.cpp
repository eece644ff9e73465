// SPDX-License-Identifier: MIT
#include "scenes/filesizelimit.h"

#include <csignal>

void LetFileSizeLimitFailWrites()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
