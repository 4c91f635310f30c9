#pragma once
// Comma-separated fields, as Ravelin's own text files (".spg", ".dgt") are
// read and written. A field ends at a comma or a line end; leading blanks are
// skipped; a field that starts with a double quote runs to its closing quote
// (or the line end), so a text holding commas survives when written whole
// between quotes. Any bytes are read without harm: there is no escape for a
// quote inside a quoted field.

#include <cstddef>
#include <string>
#include <string_view>

namespace ravelin {

class FieldReader {
public:
    struct Field {
        std::string_view text;   // without its quotes and surrounding blanks
        std::size_t offset = 0;  // where it starts in the text
        long long line = 1;      // 1-based line of the text
    };

    explicit FieldReader(std::string_view text) : text_(text) {}

    // The next field; false at the end of the text.
    bool next(Field& field);

    // Reads the next field at once when `accept` takes its raw text (up to the
    // next comma or line end, leading blanks skipped, no quote handling);
    // otherwise consumes nothing, and next() reads the field. A fast path for
    // readers whose fields are nearly all plain numbers.
    template <class Accept>
    bool acceptNext(Accept&& accept) {
        std::size_t start = position_;
        while (start < text_.size() && isBlank(text_[start])) ++start;
        std::size_t end = start;
        while (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end])) ++end;
        if (!accept(text_.substr(start, end - start))) return false;
        position_ = end;
        endField();
        return true;
    }

    // Bytes not read yet: no more fields than this can follow.
    std::size_t remainingBytes() const { return text_.size() - position_; }
    // The text not read yet, for a reader's own fast path over whole lines;
    // skipLines then steps over the `bytes` it read, holding `lines` line ends.
    std::string_view rest() const { return text_.substr(position_); }
    void skipLines(std::size_t bytes, long long lines) {
        position_ += bytes;
        line_ += lines;
    }
    // The line the next field starts on.
    long long line() const { return line_; }
    // The line holding `offset`, cut to a length fit for a message (80 bytes, on a character boundary).
    std::string lineAround(std::size_t offset) const;

    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

private:
    // Steps over the comma or line end after a field.
    void endField();

    std::string_view text_;
    std::size_t position_ = 0;
    long long line_ = 1;
};

// The text without the spaces around it.
std::string_view trimSpaces(std::string_view text);

// A field that would be cut at a comma (or, with quoteLeadingQuote, lose a
// leading quote) written whole between double quotes; others as they are. A
// quote inside a quoted field becomes the typographic closing quote, since
// the reader has no escape for it.
std::string protectField(const std::string& field, bool quoteLeadingQuote = false);

// A text written on one line (line breaks inside it would start new fields),
// without the blanks and tabs at its ends, which the reader would drop.
std::string oneLine(std::string_view text);

}  // namespace ravelin
