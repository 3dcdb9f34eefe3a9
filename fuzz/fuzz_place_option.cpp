// SPDX-License-Identifier: GPL-3.0-or-later
// zenthra-calc's --place with the real atlas and the place-time choice: the
// input is a place query, a date and a clock time separated by NUL bytes; a
// first byte with its low bit set asks for the whole day instead. Any of
// them gives a known exit status, a place time line for every chart or day
// computed, and messages that quote the query short and harmless.
#include "fuzz_calc_run.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A bidirectional control in UTF-8: U+061C, U+200E/F, U+202A-E, U+2066-9.
bool bidiAt(std::string_view s, std::size_t i)
{
    const auto b = [&s, i](std::size_t k) {
        return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
    };
    if (b(0) == 0xD8 && b(1) == 0x9C)
        return true;
    if (b(0) != 0xE2)
        return false;
    return (b(1) == 0x80 && (b(2) == 0x8E || b(2) == 0x8F || (b(2) >= 0xAA && b(2) <= 0xAE))) ||
           (b(1) == 0x81 && b(2) >= 0xA6 && b(2) <= 0xA9);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool day = data[0] & 1;
    std::vector<std::string> parts(1);
    for (std::size_t i = 1; i < size && parts.size() <= 3; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    parts.resize(3);
    std::vector<std::string> args = {"--place", parts[0], "--date", parts[1]};
    if (day)
        args.emplace_back("--day");
    else
        args.insert(args.end(), {"--time", parts[2]});

    const CalcRun run = runCalcCaptured(args);
    const int status = run.status;
    const std::string_view printed(run.printed), said(run.said);

    require(status >= 0 && status <= 2, "exit status");
    require((status == 0) == said.empty(), "a message exactly when something failed");
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < said.size(); ++i) {
        const auto ch = static_cast<unsigned char>(said[i]);
        require(ch == '\n' || (ch >= 0x20 && ch != 0x7F), "no control bytes in messages");
        require(!bidiAt(said, i), "no bidirectional controls in messages");
        // 64 characters of the query, escaped, and five suggestions at most.
        require(i - lineStart < 2048, "messages quote the input short");
        if (ch == '\n')
            lineStart = i + 1;
    }
    if (status == 0) {
        require(printed.find("Place time:") != std::string_view::npos, "the place time is said");
        require(printed.find(day ? "Rising sign" : "Ascendant:") != std::string_view::npos,
                "a chart or a day");
    }
    return 0;
}
