#include "core/CommaFields.h"

#include <algorithm>

namespace ravelin {

namespace {

// A line quoted in a message is cut to this many bytes (then to a whole character).
constexpr std::size_t kQuotedLineLength = 80;

}  // namespace

bool FieldReader::next(Field& field) {
    if (position_ >= text_.size()) return false;
    while (position_ < text_.size() && isBlank(text_[position_])) ++position_;
    field.offset = position_;
    field.line = line_;
    if (position_ < text_.size() && text_[position_] == '"') {
        const std::size_t start = ++position_;
        while (position_ < text_.size() && text_[position_] != '"' && !isLineEnd(text_[position_])) ++position_;
        field.text = text_.substr(start, position_ - start);
        if (position_ < text_.size() && text_[position_] == '"') ++position_;
        while (position_ < text_.size() && text_[position_] != ',' && !isLineEnd(text_[position_])) ++position_;
    } else {
        const std::size_t start = position_;
        while (position_ < text_.size() && text_[position_] != ',' && !isLineEnd(text_[position_])) ++position_;
        std::size_t end = position_;
        while (end > start && isBlank(text_[end - 1])) --end;
        field.text = text_.substr(start, end - start);
    }
    endField();
    return true;
}

std::string FieldReader::lineAround(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    std::size_t begin = offset;
    while (begin > 0 && !isLineEnd(text_[begin - 1])) --begin;
    std::size_t end = offset;
    while (end < text_.size() && !isLineEnd(text_[end])) ++end;
    if (end - begin <= kQuotedLineLength) return std::string(text_.substr(begin, end - begin));
    std::size_t cut = begin + kQuotedLineLength;
    // The text is UTF-8: a character is not split by the cut.
    while (cut > begin && (static_cast<unsigned char>(text_[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text_.substr(begin, cut - begin)) + "...";
}

void FieldReader::endField() {
    if (position_ >= text_.size()) return;
    const char c = text_[position_++];
    if (c == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
    if (c != ',') ++line_;
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string protectField(const std::string& field, bool quoteLeadingQuote) {
    const bool leadingQuote = quoteLeadingQuote && !field.empty() && field[0] == '"';
    const bool needed = field.find(',') != std::string::npos || leadingQuote;
    if (!needed) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += "\xE2\x80\x9D";
        else out.push_back(c);
    }
    return out + "\"";
}

std::string oneLine(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    // The reader drops blanks and tabs at a field's ends: written, they would not read back.
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

}  // namespace ravelin
