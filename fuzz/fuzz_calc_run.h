// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calc_main.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// zenthra-calc run in the process, with nothing on standard input and what
// it prints and says kept apart.
struct CalcRun {
    int status = 0;
    std::string printed;
    std::string said;
};

inline CalcRun runCalcCaptured(const std::vector<std::string>& args)
{
    static std::FILE* none = std::fopen("/dev/null", "r");
    std::rewind(none);
    char* outText = nullptr;
    char* errText = nullptr;
    std::size_t outLength = 0, errLength = 0;
    std::FILE* out = open_memstream(&outText, &outLength);
    std::FILE* err = open_memstream(&errText, &errLength);
    CalcRun run;
    run.status = zenthra::calc::runCalc(args, none, out, err);
    std::fclose(out);
    std::fclose(err);
    run.printed.assign(outText, outLength);
    run.said.assign(errText, errLength);
    std::free(outText);
    std::free(errText);
    return run;
}
