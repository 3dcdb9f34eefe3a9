// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace zenthra {

// Everything the printed result holds, as plain texts.
struct ResultPage {
    int row = 0; // profile row 1 (Aries) .. 12 (Pisces)
    QImage picture;
    QString personName;
    QString birthDate;  // "15 August 1947"
    QString birthTime;  // "00:00"
    QString birthPlace; // "Delhi, India, 28° 40′ N 77° 13′ E, UTC+05:30"
    QString ascendantLine;
    QString timeLine;
    QString cuspNote;
    QString polarNote; // the ascendant stands opposite the formula's point
    QString bigThree;
};

// The page as a document: the sign's picture, name and facts, who was born
// when and where, what was computed, and the five texts in full. The picture
// is pictureSide document pixels square.
void buildResultDocument(QTextDocument& document, const ResultPage& page, int pictureSide);

// Lays the document out on one page of the device, shrinking the type until
// it fits, and paints it. False when the device cannot be painted on.
bool paintResultPage(QPagedPaintDevice& device, const ResultPage& page);

// Writes the page as a one-page PDF; false with the reason when it fails.
bool saveResultPdf(const QString& path, const ResultPage& page, QString* error = nullptr);

} // namespace zenthra
