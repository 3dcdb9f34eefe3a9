// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/key_rules.h"

namespace zenthra {
namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kSpace = 32;

bool isDigit(int code)
{
    return code >= '0' && code <= '9';
}
bool isCapital(int code)
{
    return code >= 'A' && code <= 'Z';
}
bool isSmall(int code)
{
    return code >= 'a' && code <= 'z';
}

} // namespace

int filterKeyCode(KeyRule rule, int code)
{
    switch (rule) {
    case KeyRule::Letters:
        if (isCapital(code))
            return code;
        if (isSmall(code))
            return code - ('a' - 'A');
        if (code == kSpace || code == kEnter || code == kBackspace)
            return code;
        return 0;
    case KeyRule::Digits:
        return isDigit(code) || code == kBackspace ? code : 0;
    }
    return 0;
}

bool isEditingShortcutLetter(int capital)
{
    switch (capital) {
    case 'A':
    case 'C':
    case 'V':
    case 'X':
    case 'Y':
    case 'Z':
        return true;
    default:
        return false;
    }
}

std::optional<std::u16string> filterArrivingText(KeyRule rule, std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        const int code = c;
        if (code == kBackspace || code == kEnter)
            return std::nullopt;
        const int kept = filterKeyCode(rule, code);
        if (kept == 0)
            return std::nullopt;
        out.push_back(static_cast<char16_t>(kept));
    }
    return out;
}

} // namespace zenthra
