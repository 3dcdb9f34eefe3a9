// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_main.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zenthra::calc::runCalc(args, stdin, stdout, stderr);
}
