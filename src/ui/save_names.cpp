// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/save_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cstdio>

namespace zenthra {
namespace {

constexpr int kLongestBase = 120;

QString cleaned(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            out += QLatin1Char(' ');
        else if (QStringLiteral("/\\:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    return out.simplified();
}

} // namespace

QString resultFileBase(const QString& person, const QString& sign, const QString& what)
{
    QString base = cleaned(sign);
    if (!what.isEmpty())
        base += QLatin1Char(' ') + cleaned(what);
    const QString name = cleaned(person);
    if (!name.isEmpty())
        base = name + QStringLiteral(" - ") + base;
    // A leading dot would hide the file.
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);
    base = base.left(kLongestBase).trimmed();
    return base.isEmpty() ? QStringLiteral("Rising sign") : base;
}

QString proposedSavePath(const QString& fileBase, const QString& suffix)
{
    const auto kind = suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0
                          ? QStandardPaths::DocumentsLocation
                          : QStandardPaths::PicturesLocation;
    // A folder the desktop names but that was never made would leave the
    // file dialog in the working folder.
    QString folder = QDir::homePath();
    for (const auto location : {kind, QStandardPaths::DocumentsLocation}) {
        const QString candidate = QStandardPaths::writableLocation(location);
        if (!candidate.isEmpty() && QDir(candidate).exists()) {
            folder = candidate;
            break;
        }
    }
    return QDir(folder).filePath(fileBase + QLatin1Char('.') + suffix);
}

QString savedMessage(const QString& path)
{
    return QStringLiteral("Saved as %1").arg(QDir::toNativeSeparators(path));
}

QString temporaryNextTo(const QString& target)
{
    const QFileInfo info(target);
    QTemporaryFile reserve(info.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    // Only the name is wanted; the writer creates the file again.
    reserve.setAutoRemove(true);
    return reserve.open() ? reserve.fileName() : QString();
}

bool replaceWith(const QString& written, const QString& target)
{
    // rename(2) replaces the target in one step on the desktops we run on;
    // QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(written).constData(),
                    QFile::encodeName(target).constData()) == 0)
        return true;
    QFile::remove(written);
    return false;
}

} // namespace zenthra
