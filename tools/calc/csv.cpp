// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/csv.h"

#include <cstring>

namespace zenthra::calc {

CsvReader::CsvReader(std::FILE* in)
    : in_(in)
    , buffer_(1 << 16)
{
}

bool CsvReader::fill()
{
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
    pos_ = 0;
    return end_ > 0;
}

bool CsvReader::next(std::vector<std::string_view>& fields)
{
    fields.clear();
    record_.clear();
    starts_.assign(1, 0);
    unterminated_ = false;
    tooLong_ = false;
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
        for (;;) {
            const char* comma = p;
            while (comma < stop && *comma != ',')
                ++comma;
            fields.emplace_back(p, static_cast<std::size_t>(comma - p));
            if (comma == stop)
                break;
            p = comma + 1;
        }
        pos_ = static_cast<std::size_t>(nl - data) + 1;
        ++line_;
        return true;
    }

    bool quoted = false;
    bool quoteJustClosed = false; // a quote inside quotes: closing, or the first of a pair
    bool done = false;
    while (!done) {
        if (pos_ == end_ && !fill()) {
            unterminated_ = quoted && !quoteJustClosed;
            break;
        }
        // Copy the plain run up to the next character that matters in one go.
        data = buffer_.data();
        std::size_t run = pos_;
        if (quoted && !quoteJustClosed)
            while (run < end_ && data[run] != '"' && data[run] != '\n')
                ++run;
        else if (!quoteJustClosed)
            while (run < end_ && data[run] != '"' && data[run] != '\n' && data[run] != ',')
                ++run;
        // Memory stays bounded even when a quote is never closed: past the
        // limit the record is only read to its end.
        if (record_.size() + (run - pos_) > kMaxRecord)
            tooLong_ = true;
        if (!tooLong_)
            record_.append(data + pos_, run - pos_);
        pos_ = run;
        if (pos_ == end_)
            continue;
        const char c = data[pos_++];
        if (quoteJustClosed) {
            quoteJustClosed = false;
            if (c == '"') { // a doubled quote stands for one
                record_ += '"';
                continue;
            }
            quoted = false;
        } else if (quoted) {
            if (c == '"') {
                quoteJustClosed = true;
            } else { // a line break inside quotes
                ++line_;
                record_ += c;
            }
            continue;
        }
        switch (c) {
        case ',':
            starts_.push_back(record_.size());
            break;
        case '\n':
            ++line_;
            if (!record_.empty() && record_.back() == '\r' && record_.size() > starts_.back())
                record_.pop_back();
            done = true;
            break;
        case '"':
            if (record_.size() == starts_.back())
                quoted = true;
            else
                record_ += c; // a stray quote inside an unquoted field is kept
            break;
        default:
            record_ += c;
        }
    }
    starts_.push_back(record_.size());
    for (std::size_t i = 0; i + 1 < starts_.size(); ++i)
        fields.emplace_back(record_.data() + starts_[i], starts_[i + 1] - starts_[i]);
    return true;
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

} // namespace zenthra::calc
