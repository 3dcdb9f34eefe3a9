// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "births/birth.h"
#include "rules/csv.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>
#include <vector>

namespace zenthra {

// zenthra-calc's batch columns, then name, second, city, state, country,
// dst_box (unchecked, checked or greyed), place_zone_id, place_offset
// (seconds east of UTC; both empty unless a place was picked), zone_by_hand,
// zone_text, saved_at and last_used (ISO 8601 UTC). A header row first, CRLF
// line ends. The batch's utc_offset holds the offset the birth is computed
// with when that is not its zone entry's (an exact place time, a local mean
// time), so that the batch computes each row as the store does.
QByteArray exportBirthsCsv(const QList<Birth>& births);

// Reads what exportBirthsCsv writes, one row at a time in bounded memory,
// with the batch's CSV reader and its limits. Columns are found by name; the
// batch columns but utc_offset, and name, are required, the others may be
// missing; a column named twice refuses the header. A row that cannot be
// read (a field longer than kMaxTextChars among them, a number with anything
// after it, a time without its offset or more than a day ahead) is reported
// by its line and left out; the rest are read. A header that lacks a
// required column gives no births and one problem. Past kMaxBytes of input,
// however it arrives, reading stops and tooLarge() says so: the input is
// then refused whole, never taken cut short.
// A utc_offset that is not empty is the offset the birth is computed with:
// when the other columns give another, it becomes the birth's place time,
// in the fixed zone "UTC+05:45".
class BirthsCsvReader {
public:
    // A births file is a few hundred bytes a person; far more is not one.
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    explicit BirthsCsvReader(CsvReader::Source source, std::size_t maxBytes = kMaxBytes);
    // Reads the device from where it stands; it must stay open meanwhile.
    explicit BirthsCsvReader(QIODevice& in, std::size_t maxBytes = kMaxBytes);

    // The next birth read; nothing at the end.
    std::optional<Birth> next();
    // "line 4: month 13 is outside 1-12": the first kMaxProblems of them.
    const QStringList& problems() const { return problems_; }
    // Every row left out, listed or not.
    int problemCount() const { return problemCount_; }
    // "the input is larger than 64 MB: not a births file" once more than
    // maxBytes were offered; nothing while reading stayed within them.
    std::optional<QString> tooLarge() const;
    static QString tooLargeText(std::size_t maxBytes = kMaxBytes);

    static constexpr int kMaxProblems = 100;

private:
    bool readHeader();
    std::optional<QString> readRow(Birth& b) const;
    void note(const QString& problem, long line);

    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    CsvReader csv_;
    std::vector<std::string_view> fields_;
    std::vector<std::size_t> where_; // each column's field, or npos
    std::size_t width_ = 0;
    bool started_ = false;
    bool done_ = false;
    QStringList problems_;
    int problemCount_ = 0;
};

struct CsvBirths {
    QList<Birth> births;
    QStringList problems; // the first BirthsCsvReader::kMaxProblems
};
// Every birth of a small file at once.
CsvBirths importBirthsCsv(const QByteArray& text);

} // namespace zenthra
