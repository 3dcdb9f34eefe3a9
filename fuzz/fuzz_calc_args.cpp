// SPDX-License-Identifier: GPL-3.0-or-later
// zenthra-calc's command line: the input is the arguments, separated by NUL
// bytes. Any of them gives a known exit status and messages free of control
// bytes.
#include "fuzz_calc_run.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= 32; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    if (size == 0)
        args.clear();
    const CalcRun run = runCalcCaptured(args);
    const int status = run.status;

    require(status >= 0 && status <= 2, "exit status");
    require((status == 0) == run.said.empty(), "a message exactly when something failed");
    for (const char c : run.said) {
        const auto ch = static_cast<unsigned char>(c);
        require(ch == '\n' || (ch >= 0x20 && ch != 0x7F), "no control bytes in messages");
    }
    if (status == 0 && args.size() > 1)
        require(run.printed.find("Ascendant:") != std::string::npos, "a chart");
    return 0;
}
