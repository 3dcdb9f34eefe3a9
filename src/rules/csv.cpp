// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/csv.h"

#include "rules/message_text.h"
#include "rules/whole_number.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zenthra {

CsvReader::CsvReader(Source source, CsvLimits limits)
    : source_(std::move(source))
    , limits_(limits)
    , buffer_(1 << 16)
{
}

CsvReader::CsvReader(std::FILE* in, CsvLimits limits)
    : CsvReader([in](char* buffer, std::size_t size) { return std::fread(buffer, 1, size, in); },
                limits)
{
}

bool CsvReader::fill()
{
    const auto read = [this](std::size_t from) {
        return std::min(source_(buffer_.data() + from, buffer_.size() - from),
                        buffer_.size() - from);
    };
    end_ = read(0);
    pos_ = 0;
    if (!started_) {
        started_ = true;
        // A pipe may give the byte order mark in pieces.
        for (std::size_t more = end_; end_ > 0 && end_ < 3 && more > 0;) {
            more = read(end_);
            end_ += more;
        }
        if (end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0)
            pos_ = 3;
    }
    return pos_ < end_;
}

void CsvReader::take(const char* p, std::size_t n)
{
    bytes_ += n;
    if (bytes_ > limits_.maxRecord)
        tooLong_ = true;
    // Past either limit the record is only read to its end, not kept.
    if (!tooLong_ && fieldCount_ <= limits_.maxFields)
        record_.append(p, n);
}

void CsvReader::newField()
{
    ++bytes_;
    if (bytes_ > limits_.maxRecord)
        tooLong_ = true;
    ++fieldCount_;
    if (!tooLong_ && fieldCount_ <= limits_.maxFields)
        starts_.push_back(record_.size());
}

void CsvReader::finish(std::vector<std::string_view>& fields)
{
    starts_.push_back(record_.size());
    for (std::size_t i = 0; i + 1 < starts_.size(); ++i)
        fields.emplace_back(record_.data() + starts_[i], starts_[i + 1] - starts_[i]);
}

bool CsvReader::next(std::vector<std::string_view>& fields)
{
    fields.clear();
    record_.clear();
    starts_.assign(1, 0);
    bytes_ = 0;
    fieldCount_ = 0;
    unterminated_ = false;
    tooLong_ = false;
    blank_ = false;
    if (pos_ == end_ && !fill())
        return false;
    recordLine_ = line_;

    // Most records are a plain line wholly inside the buffer: split it in
    // place, without copying.
    const char* data = buffer_.data();
    if (const auto* nl = static_cast<const char*>(std::memchr(data + pos_, '\n', end_ - pos_));
        nl && !std::memchr(data + pos_, '"', static_cast<std::size_t>(nl - (data + pos_)))) {
        const char* p = data + pos_;
        const char* stop = nl > p && nl[-1] == '\r' ? nl - 1 : nl;
        blank_ = stop == p;
        for (;;) {
            const auto* comma =
                static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(stop - p)));
            if (!comma)
                comma = stop;
            if (++fieldCount_ <= limits_.maxFields)
                fields.emplace_back(p, static_cast<std::size_t>(comma - p));
            if (comma == stop)
                break;
            p = comma + 1;
        }
        pos_ = static_cast<std::size_t>(nl - data) + 1;
        ++line_;
        return true;
    }

    fieldCount_ = 1;
    bool quoted = false;
    bool quoteJustClosed = false; // a quote inside quotes: closing, or the first of a pair
    bool fieldStart = true;       // nothing of the current field read yet
    bool pendingCr = false;       // a CR outside quotes: a line end if LF or the end follows
    for (;;) {
        if (pos_ == end_ && !fill()) {
            unterminated_ = quoted && !quoteJustClosed;
            break;
        }
        data = buffer_.data();
        // Take the plain run up to the next character that matters in one go.
        if (!pendingCr && !quoteJustClosed) {
            std::size_t run = pos_;
            if (quoted)
                while (run < end_ && data[run] != '"' && data[run] != '\n')
                    ++run;
            else
                while (run < end_ && data[run] != '"' && data[run] != '\n' && data[run] != ',' &&
                       data[run] != '\r')
                    ++run;
            if (run != pos_) {
                take(data + pos_, run - pos_);
                fieldStart = false;
                pos_ = run;
                continue;
            }
        }
        const char c = data[pos_++];
        if (quoteJustClosed) {
            quoteJustClosed = false;
            if (c == '"') { // a doubled quote stands for one
                take(&c, 1);
                continue;
            }
            quoted = false;
        } else if (quoted) {
            if (c == '"') {
                ++bytes_;
                quoteJustClosed = true;
            } else { // a line break inside quotes
                ++line_;
                take(&c, 1);
            }
            continue;
        }
        if (pendingCr) {
            pendingCr = false;
            if (c == '\n') {
                ++line_;
                break;
            }
            take("\r", 1);
            fieldStart = false;
        }
        if (c == '\n') {
            ++line_;
            break;
        }
        if (c == '\r') {
            pendingCr = true;
        } else if (c == ',') {
            newField();
            fieldStart = true;
        } else if (c == '"' && fieldStart) {
            ++bytes_;
            quoted = true;
            fieldStart = false;
        } else { // a stray quote inside an unquoted field is kept
            take(&c, 1);
            fieldStart = false;
        }
    }
    blank_ = bytes_ == 0;
    if (bytes_ > limits_.maxRecord)
        tooLong_ = true;
    finish(fields);
    return true;
}

CsvColumn findCsvColumn(const std::vector<std::string_view>& header, std::string_view name)
{
    CsvColumn column;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (trimmed(header[i]) != name)
            continue;
        column.twice = column.index != CsvColumn::kAbsent;
        if (column.twice)
            break;
        column.index = i;
    }
    return column;
}

std::string csvColumnTwice(std::string_view name)
{
    return "the header has the column " + shown(name) + " twice";
}

void appendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char ch : field) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}

} // namespace zenthra
