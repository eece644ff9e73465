// SPDX-License-Identifier: MIT
#include "scenes/filesizelimit.h"
#include "tools/cli.h"

#include <iostream>

int main(int argc, char* argv[])
{
    LetFileSizeLimitFailWrites();
    return CliMain(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
