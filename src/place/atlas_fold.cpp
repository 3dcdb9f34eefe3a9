// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/atlas_fold.h"

#include <QList>

namespace zenthra {
namespace {

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

bool isApostrophe(char32_t c)
{
    switch (c) {
    case U'\'':
    case U'`':
    case U'\u00B4': // acute accent
    case U'\u02B9': // modifier letter prime
    case U'\u02BB': // turned comma (okina)
    case U'\u02BC': // modifier letter apostrophe
    case U'\u02BF': // left half ring (ayin)
    case U'\u2018':
    case U'\u2019':
        return true;
    default:
        return false;
    }
}

// Letters that keep their shape under decomposition; lower case only, since
// they are looked up after case folding.
const char* spelledOut(char32_t c)
{
    switch (c) {
    case U'\u00DF':
        return "ss"; // ß
    case U'\u00E6':
        return "ae"; // æ
    case U'\u00F0':
        return "d"; // ð
    case U'\u00F8':
        return "o"; // ø
    case U'\u00FE':
        return "th"; // þ
    case U'\u0111':
        return "d"; // đ
    case U'\u0127':
        return "h"; // ħ
    case U'\u0131':
        return "i"; // dotless ı
    case U'\u0142':
        return "l"; // ł
    case U'\u0153':
        return "oe"; // œ
    case U'\u0167':
        return "t"; // ŧ
    default:
        return nullptr;
    }
}

} // namespace

QString foldPlaceName(const QString& text)
{
    // Most names are plain ASCII: no decomposition needed.
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QString out;
        out.reserve(text.size());
        bool pendingBlank = false;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == u'\'' || u == u'`')
                continue;
            const bool alnum =
                (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
            if (!alnum) {
                pendingBlank = !out.isEmpty();
                continue;
            }
            if (pendingBlank) {
                out += u' ';
                pendingBlank = false;
            }
            out += (u >= u'A' && u <= u'Z') ? QChar(u + (u'a' - u'A')) : c;
        }
        return out;
    }
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    bool pendingBlank = false;
    for (const char32_t c : decomposed.toUcs4()) {
        if (isMark(c) || isApostrophe(c))
            continue;
        if (!QChar::isLetterOrNumber(c)) {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (pendingBlank) {
            out += u' ';
            pendingBlank = false;
        }
        const char32_t folded = QChar::toCaseFolded(c);
        if (const char* spelled = spelledOut(folded))
            out += QLatin1String(spelled);
        else
            out += QString::fromUcs4(&folded, 1);
    }
    return out;
}

} // namespace zenthra
