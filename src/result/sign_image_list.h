// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

#include <array>

namespace zenthra {

inline constexpr int kAquariusRow = 11;

// The compiled-in resource path of the picture of row 1 (Aries) .. 12 (Pisces).
QString signPictureResource(int row);

// Loads one sign picture from the resources; throws SignProfileError when it
// is missing or not a readable JPEG, std::out_of_range for a row outside 1..12.
QPixmap loadSignPicture(int row);

// The twelve sign pictures in zodiac order, held but never shown by itself;
// windows copy a picture out of it. Each is read when first asked for, so
// that start-up does not pay for twelve pictures. Needs a running
// QApplication.
class SignImageList {
public:
    static constexpr int count() { return 12; }
    // index 1 (Aries) .. 12 (Pisces); throws std::out_of_range otherwise,
    // and as loadSignPicture does when the picture cannot be read
    const QPixmap& picture(int index) const;

private:
    mutable std::array<QPixmap, 12> pictures_;
};

} // namespace zenthra
