// SPDX-License-Identifier: GPL-3.0-or-later
// zenthra-calc's command line: the input is the arguments, separated by NUL
// bytes. Any of them gives a known exit status and messages free of control
// bytes.
#include "calc/calc_main.h"
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
    static std::FILE* none = std::fopen("/dev/null", "r");
    std::rewind(none);
    char* outText = nullptr;
    char* errText = nullptr;
    std::size_t outLength = 0, errLength = 0;
    std::FILE* out = open_memstream(&outText, &outLength);
    std::FILE* err = open_memstream(&errText, &errLength);
    const int status = zenthra::calc::runCalc(args, none, out, err);
    std::fclose(out);
    std::fclose(err);

    require(status >= 0 && status <= 2, "exit status");
    require((status == 0) == (errLength == 0), "a message exactly when something failed");
    for (std::size_t i = 0; i < errLength; ++i) {
        const auto ch = static_cast<unsigned char>(errText[i]);
        require(ch == '\n' || (ch >= 0x20 && ch != 0x7F), "no control bytes in messages");
    }
    if (status == 0 && args.size() > 1)
        require(std::string(outText, outLength).find("Ascendant:") != std::string::npos, "a chart");
    std::free(outText);
    std::free(errText);
    return 0;
}
