// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_main.h"

#include "calc/calc_args.h"
#include "calc/calc_help.h"
#include "calc/calc_parts.h"
#include "calc/calc_print.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zenthra::calc {
namespace {

// --csv, with --big-three and --sidereal NAME or nothing else.
int runBatch(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err)
{
    bool csv = false, bigThree = false;
    Zodiac zodiac = Zodiac::Tropical;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--csv" && !csv) {
            csv = true;
        } else if (a == "--big-three" && !bigThree) {
            bigThree = true;
        } else if (a == "--sidereal" || a.rfind("--sidereal=", 0) == 0) {
            if (a == "--sidereal" && i + 1 == args.size()) {
                usageError(err, "--sidereal needs a value");
                return 2;
            }
            const auto named = readSidereal(a == "--sidereal" ? args[++i] : a.substr(11), err);
            if (!named)
                return 2;
            zodiac = *named;
        } else {
            usageError(err, "--csv takes no other options but --big-three and --sidereal");
            return 2;
        }
    }
    return runCsv(in, out, err, {}, bigThree, zodiac);
}

int run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err)
{
    if (args.empty()) {
        usageError(err, "nothing to do");
        return 2;
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fprintf(out, "%s\n%s", kUsage, kHelp);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::fprintf(out, "zenthra-calc %s\n", ZENTHRA_VERSION);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--zones")
        return printZones(out);
    for (const std::string& a : args)
        if (a == "--zones" || a == "--help" || a == "--version") {
            usageError(err, a + " takes no other options");
            return 2;
        }
    if (std::find(args.begin(), args.end(), "--csv") != args.end())
        return runBatch(args, in, out, err);
    if (std::any_of(args.begin(), args.end(), isStoreOption))
        return runStore(args, out, err);
    return runOne(args, out, err);
}

} // namespace

int runCalc(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err)
{
    return checkedOutput(out, err, run(args, in, out, err));
}

int checkedOutput(std::FILE* out, std::FILE* err, int status)
{
    errno = 0;
    // A full disk or a closed pipe shows only now, or was noted on the way.
    if (std::fflush(out) == 0 && !std::ferror(out))
        return status;
    const int why = errno;
    inputError(err, std::string("could not write the output: ") +
                        (why != 0 ? std::strerror(why) : "write error"));
    return status == 0 ? 1 : status;
}

} // namespace zenthra::calc
