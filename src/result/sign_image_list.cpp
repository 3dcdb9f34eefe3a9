// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/sign_image_list.h"

#include "result/sign_profiles.h"
#include "rules/sign_facts.h"

#include <QImage>

#include <stdexcept>

namespace zenthra {
namespace {

void checkRow(int row)
{
    if (row < 1 || row > kSignCount)
        throw std::out_of_range("sign picture index must be 1..12");
}

} // namespace

static_assert(SignImageList::count() == kSignCount, "one picture per sign");

QString signPictureResource(int row)
{
    checkRow(row);
    return QStringLiteral(":/zenthra/result/images/") +
           QString::fromUtf8(signFacts(row - 1).pictureFile);
}

QPixmap loadSignPicture(int row)
{
    const QString path = signPictureResource(row);
    // The format is named so that a file that is not a JPEG is refused.
    QImage image(path, "JPG");
    if (image.isNull())
        throw SignProfileError(("sign picture cannot be read: " + path).toStdString());
    return QPixmap::fromImage(image);
}

const QPixmap& SignImageList::picture(int index) const
{
    checkRow(index);
    QPixmap& picture = pictures_[static_cast<std::size_t>(index - 1)];
    if (picture.isNull())
        picture = loadSignPicture(index);
    return picture;
}

} // namespace zenthra
