// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/CommandLine.h"

#include <iostream>

int main(int argc, char** argv)
{
    return navdb::runNavdb(argc, argv, std::cout, std::cerr);
}
