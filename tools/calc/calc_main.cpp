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
    if (args.size() == 1 && args[0] == "--csv")
        return runCsv(in, out, err);
    if (args.size() == 2 && std::count(args.begin(), args.end(), "--csv") == 1 &&
        std::count(args.begin(), args.end(), "--big-three") == 1)
        return runCsv(in, out, err, {}, true);
    for (const std::string& a : args)
        if (a == "--csv" || a == "--zones" || a == "--help" || a == "--version") {
            usageError(err, a + (a == "--csv" ? " takes no other options but --big-three"
                                              : " takes no other options"));
            return 2;
        }
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
