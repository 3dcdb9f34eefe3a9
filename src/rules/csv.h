// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zenthra {

struct CsvLimits {
    std::size_t maxRecord = std::size_t{1} << 20; // bytes
    std::size_t maxFields = 1024;
};

// Reads RFC 4180 records from a stream, one at a time, in constant memory:
// quoted fields may hold commas, doubled quotes and line breaks; CRLF and LF
// both end a record, and so does a CR at the very end of the input. A UTF-8
// byte order mark at the start is skipped.
class CsvReader {
public:
    // Where the bytes come from: up to size bytes into buffer, how many were
    // put there, 0 at the end of the input.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;

    explicit CsvReader(Source source, CsvLimits limits = {});
    explicit CsvReader(std::FILE* in, CsvLimits limits = {});

    // False at the end of the input. The views stay valid until the next
    // call; at most maxFields of them are given. A record that ends inside
    // an open quote is returned as it stands and flagged by unterminatedQuote().
    bool next(std::vector<std::string_view>& fields);
    // The line on which the last record began, counting from 1.
    long recordLine() const { return recordLine_; }
    bool unterminatedQuote() const { return unterminated_; }
    // The record was longer than maxRecord bytes (every byte counts, quotes,
    // commas and line breaks too); its fields are cut short.
    bool tooLong() const { return tooLong_; }
    // How many fields the record has, including those past maxFields.
    std::size_t fieldCount() const { return fieldCount_; }
    // The line held nothing at all before its line end.
    bool blank() const { return blank_; }

    const CsvLimits& limits() const { return limits_; }

    static constexpr std::size_t kMaxRecord = CsvLimits{}.maxRecord;
    static constexpr std::size_t kMaxFields = CsvLimits{}.maxFields;

private:
    bool fill();
    void take(const char* p, std::size_t n); // record bytes of the current field
    void newField();
    void finish(std::vector<std::string_view>& fields);

    Source source_;
    CsvLimits limits_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool started_ = false;
    std::string record_;              // the unquoted text of the current record
    std::vector<std::size_t> starts_; // where each kept field begins in record_
    std::size_t bytes_ = 0;           // bytes of the record read so far
    std::size_t fieldCount_ = 0;
    long line_ = 1;
    long recordLine_ = 0;
    bool unterminated_ = false;
    bool tooLong_ = false;
    bool blank_ = false;
};

// A column of a header row, found by its name with the blanks around the
// names ignored.
struct CsvColumn {
    static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
    std::size_t index = kAbsent;
    bool twice = false; // named twice: the header is refused
};
CsvColumn findCsvColumn(const std::vector<std::string_view>& header, std::string_view name);
// "the header has the column 'year' twice"
std::string csvColumnTwice(std::string_view name);

// Appends one field, quoted when it holds a comma, a quote or a line break.
void appendCsvField(std::string& out, std::string_view field);

} // namespace zenthra
