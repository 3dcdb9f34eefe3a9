// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/message_text.h"

namespace zenthra {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// The length of the UTF-8 sequence at s[i] and its code point; 0 when the
// bytes there are not UTF-8 (overlong forms and surrogates included).
std::size_t decode(std::string_view s, std::size_t i, char32_t& cp)
{
    const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t n = b < 0x80                ? 1
                    : b >= 0xC2 && b < 0xE0 ? 2
                    : b >= 0xE0 && b < 0xF0 ? 3
                    : b >= 0xF0 && b < 0xF5 ? 4
                                            : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    cp = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return n;
}

bool bidiControl(char32_t cp)
{
    return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2066 && cp <= 0x2069);
}

void appendByte(std::string& out, unsigned char u)
{
    out += "\\x";
    out += kHex[u >> 4];
    out += kHex[u & 15];
}

} // namespace

std::string escaped(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const std::size_t n = decode(s, i, cp);
        if (n == 0) {
            appendByte(out, static_cast<unsigned char>(s[i++]));
            continue;
        }
        if (cp == '\n') {
            out += "\\n";
        } else if (cp == '\r') {
            out += "\\r";
        } else if (cp == '\t') {
            out += "\\t";
        } else if (cp < 0x20 || cp == 0x7F) {
            appendByte(out, static_cast<unsigned char>(cp));
        } else if ((cp >= 0x80 && cp < 0xA0) || bidiControl(cp)) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(cp >> shift) & 15];
        } else {
            out.append(s.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string shown(std::string_view s)
{
    std::size_t cut = 0;
    for (std::size_t chars = 0; cut < s.size() && chars < kMaxQuotedChars; ++chars) {
        char32_t cp = 0;
        const std::size_t n = decode(s, cut, cp);
        cut += n == 0 ? 1 : n;
    }
    return "'" + escaped(s.substr(0, cut)) + (cut < s.size() ? "...'" : "'");
}

} // namespace zenthra
