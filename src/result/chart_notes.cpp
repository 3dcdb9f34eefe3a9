// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/chart_notes.h"

#include "result/sign_facts.h"

#include <cstdlib>

namespace zenthra {
namespace {

std::string signName(const std::string& code)
{
    const int k = signIndexOfCode(code);
    return k >= 0 ? signFacts(k).name : code;
}

} // namespace

std::string ascendantLine(const std::string& longText)
{
    if (longText.size() < 3)
        return "Ascendant " + longText;
    const std::string code = longText.substr(longText.size() - 3);
    return "Ascendant " + longText.substr(0, longText.size() - 3) + signName(code);
}

std::string universalTimeLine(const std::string& universalTime)
{
    return "for " + universalTime;
}

std::string cuspNote(const SignChange& change)
{
    const int n = std::abs(change.minutes);
    return "Near the cusp: born " + std::to_string(n) + (n == 1 ? " minute " : " minutes ") +
           (change.minutes < 0 ? "earlier" : "later") + ", the rising sign would be " +
           signName(change.code) + ".";
}

} // namespace zenthra
