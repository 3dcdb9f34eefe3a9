// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zenthra::calc {

// Reads RFC 4180 records from a stream, one at a time, in constant memory:
// quoted fields may hold commas, doubled quotes and line breaks; CRLF and LF
// both end a record.
class CsvReader {
public:
    explicit CsvReader(std::FILE* in);

    // False at the end of the input. The views stay valid until the next
    // call. A record that ends inside an open quote is returned as it stands
    // and flagged by unterminatedQuote().
    bool next(std::vector<std::string_view>& fields);
    // The line on which the last record began, counting from 1.
    long recordLine() const { return recordLine_; }
    bool unterminatedQuote() const { return unterminated_; }
    // The record was longer than kMaxRecord bytes; its fields are cut short.
    bool tooLong() const { return tooLong_; }

    static constexpr std::size_t kMaxRecord = 1 << 20;

private:
    bool fill();

    std::FILE* in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::string record_;              // the unquoted text of the current record
    std::vector<std::size_t> starts_; // where each field begins in record_
    long line_ = 1;
    long recordLine_ = 0;
    bool unterminated_ = false;
    bool tooLong_ = false;
};

// Appends one field, quoted when it holds a comma, a quote or a line break.
void appendCsvField(std::string& out, std::string_view field);

} // namespace zenthra::calc
