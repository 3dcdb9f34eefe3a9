// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sign_colors.h"

namespace zenthra {
namespace {

// Aries is fire, Taurus earth, Gemini air, Cancer water, and round again.
const QColor kElementFill[4] = {QColor(0xF9, 0xD5, 0xC9), QColor(0xDC, 0xEB, 0xCF),
                                QColor(0xF6, 0xEB, 0xC0), QColor(0xCF, 0xE0, 0xF1)};
const QColor kElementInk[4] = {QColor(0x8A, 0x2A, 0x0B), QColor(0x2F, 0x5A, 0x1A),
                               QColor(0x5E, 0x48, 0x00), QColor(0x1B, 0x4F, 0x80)};

} // namespace

QColor signFillColor(int sign)
{
    return kElementFill[((sign % 4) + 4) % 4];
}
QColor signInkColor(int sign)
{
    return kElementInk[((sign % 4) + 4) % 4];
}
QString signGlyph(int sign)
{
    return QString(QChar(0x2648 + ((sign % 12) + 12) % 12)) + QChar(0xFE0E);
}

} // namespace zenthra
