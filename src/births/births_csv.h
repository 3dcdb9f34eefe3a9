// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "births/birth.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zenthra {

// RFC 4180 records from UTF-8 text: quoted fields may hold commas, doubled
// quotes and line breaks; CRLF and LF both end a record.
class CsvSplitter {
public:
    explicit CsvSplitter(const QByteArray& text);
    // False at the end. A record that ends inside an open quote is returned
    // as it stands and flagged by unterminatedQuote().
    bool next(QStringList& fields);
    int recordLine() const { return recordLine_; } // where the last record began, from 1
    bool unterminatedQuote() const { return unterminated_; }

private:
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int recordLine_ = 0;
    bool unterminated_ = false;
};

// One field, quoted when it holds a comma, a quote or a line break.
QString csvField(const QString& field);

// zenthra-calc's batch columns (so an export is also a batch input), then
// name, second, city, state, country, dst_box (unchecked, checked or
// greyed), place_zone_id, place_offset (seconds east of UTC; both empty
// unless a place was picked), zone_by_hand, zone_text, saved_at and
// last_used (ISO 8601 UTC). A header row first, CRLF line ends.
QByteArray exportBirthsCsv(const QList<Birth>& births);

struct CsvBirths {
    QList<Birth> births;
    QStringList problems; // "line 4: month 13 is outside 1-12"
};
// Reads what exportBirthsCsv writes. Columns are found by name; the batch
// columns and name are required, the others may be missing. A row that
// cannot be read is reported by its line and left out; the rest are kept.
// A header that lacks a required column gives no births and one problem.
CsvBirths importBirthsCsv(const QByteArray& text);

} // namespace zenthra
