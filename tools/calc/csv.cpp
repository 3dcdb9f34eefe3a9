// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/csv.h"

namespace zenthra::calc {

CsvReader::CsvReader(std::FILE* in)
    : in_(in)
    , buffer_(1 << 16)
{
}

int CsvReader::get()
{
    if (pos_ == end_) {
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
        pos_ = 0;
        if (end_ == 0)
            return EOF;
    }
    return static_cast<unsigned char>(buffer_[pos_++]);
}

bool CsvReader::next(std::vector<std::string>& fields)
{
    fields.clear();
    unterminated_ = false;
    int c = get();
    if (c == EOF)
        return false;
    recordLine_ = line_;
    fields.emplace_back();
    bool quoted = false;
    for (;; c = get()) {
        if (c == EOF) {
            unterminated_ = quoted;
            return true;
        }
        if (quoted) {
            if (c == '"') {
                const int after = get();
                if (after == '"') {
                    fields.back() += '"';
                    continue;
                }
                quoted = false;
                if (after == EOF)
                    return true;
                c = after; // fall through to the unquoted handling below
            } else {
                if (c == '\n')
                    ++line_;
                fields.back() += static_cast<char>(c);
                continue;
            }
        }
        if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            ++line_;
            if (!fields.back().empty() && fields.back().back() == '\r')
                fields.back().pop_back();
            return true;
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else {
            fields.back() += static_cast<char>(c);
        }
    }
}

void appendCsvField(std::string& out, const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
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
