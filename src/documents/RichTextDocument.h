#pragma once
// An editable rich text: the Info box's text and the hidden print field.
// Positions count characters (Unicode code points) from 0; a paragraph
// break is one character, so a report block's CR LF takes one position.
// Positions and lengths out of range are clamped, never an error.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/RichText.h"

namespace ravelin {

// A change of character format: attributes present are set, the rest kept.
struct FormatChange {
    std::optional<std::string> font{};
    std::optional<double> size{};  // points
    std::optional<bool> bold{};
    std::optional<bool> italic{};
    std::optional<bool> underline{};
};

// What a range has in common; an attribute that varies within it is absent.
// The toolbar buttons that follow the selection read this.
struct RangeFormat {
    std::optional<std::string> font;
    std::optional<double> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<ParagraphAlignment> alignment;
};

struct DocumentChange {
    enum class Kind { Reset, Inserted, Removed, Formatted };
    Kind kind = Kind::Reset;
    long long start = 0;
    long long length = 0;  // characters inserted, removed or reformatted
};

class RichTextDocumentObserver {
public:
    virtual ~RichTextDocumentObserver() = default;
    virtual void documentChanged(const DocumentChange& change) = 0;
};

// Font sizes are kept in half points (what rich text files store) within
// what word processors accept.
double normalizedFontSize(double points);

class RichTextDocument {
public:
    RichTextDocument();
    explicit RichTextDocument(const RichText& text);
    RichTextDocument(const RichTextDocument&) = delete;
    RichTextDocument& operator=(const RichTextDocument&) = delete;

    long long length() const { return length_; }
    bool empty() const { return length_ == 0; }
    long long paragraphCount() const { return static_cast<long long>(paragraphs_.size()); }

    // Empties the text; the one paragraph left takes `format`.
    void clear(const ParagraphFormat& format = {});
    void assign(const RichText& text);
    RichText richText() const;
    RichText richText(long long start, long long length) const;
    // Paragraphs joined by lineBreak.
    std::string plainText(std::string_view lineBreak = "\r\n") const;
    std::string plainText(long long start, long long length, std::string_view lineBreak = "\r\n") const;

    // Inserts UTF-8 text in `format`: CR LF, a lone CR or a lone LF is one
    // paragraph break taking the format of the paragraph it splits; other
    // control characters except tab are dropped. Returns the characters inserted.
    long long insertText(long long position, std::string_view utf8, const TextFormat& format);
    void remove(long long start, long long length);
    // Inserts a piece taken with richText(start, length): its runs keep their
    // formats and the paragraphs it lands in take its paragraph formats, so
    // that remove() and then insertFragment() of the piece removed give the
    // text back as it was. Returns the characters inserted.
    long long insertFragment(long long position, const RichText& fragment);
    // Characters of a piece taken with richText(): its runs and its breaks.
    static long long fragmentLength(const RichText& fragment);
    // From the start of the paragraph `start` lies in to the end of the last
    // paragraph the range touches (before its break).
    std::pair<long long, long long> paragraphBounds(long long start, long long length) const;

    void applyFormat(long long start, long long length, const FormatChange& change);
    // The paragraphs touched by the range (the caret's paragraph when empty).
    void setAlignment(long long start, long long length, ParagraphAlignment alignment);
    void setParagraphFormat(long long start, long long length, const ParagraphFormat& format);

    // Of an empty range: the format typing would continue with at that point.
    RangeFormat formatOf(long long start, long long length) const;
    // The character before `position` in its paragraph (the first one at a
    // paragraph start); the nearest character before for an empty paragraph.
    TextFormat formatAt(long long position) const;
    ParagraphFormat paragraphFormatAt(long long position) const;

    void addObserver(RichTextDocumentObserver* observer);
    void removeObserver(RichTextDocumentObserver* observer);

private:
    struct Paragraph {
        std::u32string text;
        std::vector<std::uint32_t> formats;  // one format index per character
        ParagraphFormat format;
    };
    struct Location {
        std::size_t paragraph = 0;
        std::size_t offset = 0;
    };

    Location locate(long long position) const;
    // An edit of paragraph p moves where the paragraphs after it start.
    void paragraphsChangedAfter(std::size_t p) { startsKnown_ = std::min(startsKnown_, p + 1); }
    long long clampPosition(long long position) const;
    long long clampLength(long long start, long long length) const;
    std::uint32_t intern(const TextFormat& format);
    // Calls f(paragraph, from, to) for the characters of the range, paragraph by paragraph.
    template <class F>
    void forEachSpan(long long start, long long length, F f) const;
    std::pair<std::size_t, std::size_t> paragraphSpan(long long start, long long length) const;
    void appendRuns(RichParagraph& out, const Paragraph& paragraph, std::size_t from, std::size_t to) const;
    void notify(DocumentChange::Kind kind, long long start, long long length);

    std::vector<Paragraph> paragraphs_;
    long long length_ = 0;
    // Where each paragraph starts, for finding a position's paragraph by
    // bisection; the first startsKnown_ entries are up to date. Reports are
    // appended at the end, so an append recomputes only the last entries.
    mutable std::vector<long long> starts_;
    mutable std::size_t startsKnown_ = 0;
    std::vector<TextFormat> formats_;
    std::map<std::tuple<std::string, double, bool, bool, bool>, std::uint32_t> formatIndex_;
    std::vector<RichTextDocumentObserver*> observers_;
};

}  // namespace ravelin
