// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_parts.h"

#include "calc/calc_args.h"
#include "calc/calc_print.h"
#include "calc/store_option.h"
#include "engine/zodiac.h"
#include "rules/chart_inputs.h"

#include <iterator>
#include <optional>

namespace zenthra::calc {

namespace {

// What the saved births are asked for; each takes --store too.
constexpr const char* kStoreActions[] = {"--list", "--person", "--export-births",
                                         "--import-births"};

int printReply(const StoreReply& reply, std::FILE* out, std::FILE* err)
{
    for (const std::string& line : reply.lines)
        std::fprintf(out, "%s\n", escaped(line).c_str());
    std::fwrite(reply.data.data(), 1, reply.data.size(), out);
    for (const std::string& message : reply.messages)
        inputError(err, message);
    return reply.status;
}

} // namespace

bool isStoreOption(const std::string& arg)
{
    const std::string name = arg.substr(0, arg.find('='));
    return isOneOf(name, std::begin(kStoreActions), std::end(kStoreActions)) || name == "--store";
}

int runStore(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    std::string action, value, storePath;
    Zodiac zodiac = Zodiac::Tropical;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        const auto eq = name.find('=');
        std::optional<std::string> given;
        if (eq != std::string::npos) {
            given = name.substr(eq + 1);
            name.resize(eq);
        }
        const bool isAction = isOneOf(name, std::begin(kStoreActions), std::end(kStoreActions));
        if (!isAction && name != "--store" && name != "--sidereal") {
            usageError(err, shown(name) + " does not go with " +
                                (action.empty() ? "the saved births" : action));
            return 2;
        }
        if (isAction && !action.empty()) {
            usageError(err, "give one of --list, --person, --export-births and --import-births");
            return 2;
        }
        if (name == "--list" && given) {
            usageError(err, "--list takes no value");
            return 2;
        }
        // The file of an export may be left out: the CSV then goes to standard output.
        const bool optional = name == "--export-births";
        if (!given && name != "--list" && i + 1 < args.size() &&
            (!optional || args[i + 1].rfind("--", 0) != 0))
            given = args[++i];
        if (!given && name != "--list" && !optional) {
            usageError(err, name + " needs a value");
            return 2;
        }
        if (given && given->empty()) {
            usageError(err, name + " needs a value that is not empty");
            return 2;
        }
        if (name == "--store") {
            storePath = *given;
        } else if (name == "--sidereal") {
            const auto named = readSidereal(*given, err);
            if (!named)
                return 2;
            zodiac = *named;
        } else {
            action = name;
            value = given && *given != "-" ? *given : std::string();
        }
    }
    if (action.empty()) {
        usageError(err, "--store goes with --list, --person, --export-births or --import-births");
        return 2;
    }
    if (isSidereal(zodiac) && action != "--person") {
        usageError(err, "--sidereal goes with --person, not " + action);
        return 2;
    }
    if (!birthStoreAvailable()) {
        usageError(err, action + " needs the saved births, which this build does not have");
        return 2;
    }
    if (action == "--list")
        return printReply(listBirths(storePath), out, err);
    if (action == "--export-births")
        return printReply(exportBirths(storePath, value), out, err);
    if (action == "--import-births") {
        if (value.empty()) {
            usageError(err, "--import-births needs a file");
            return 2;
        }
        return printReply(importBirths(storePath, value), out, err);
    }
    PersonReply person = findPerson(storePath, value);
    if (person.status != 0) {
        person.lines.clear();
        return printReply(person, out, err);
    }
    if (const auto problem = checkChartInputs(person.request)) {
        inputError(err, *problem);
        return 1;
    }
    person.request.zodiac = zodiac;
    printChart(person.request, person.lines, person.zoneText, out);
    return 0;
}

} // namespace zenthra::calc
