#include "documents/RichTextDocument.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/Unicode.h"

namespace ravelin {

namespace {

// Word processors accept 1 to 1638 points.
constexpr double kSmallestFontSize = 1;
constexpr double kLargestFontSize = 1638;
constexpr double kDefaultFontSize = 11;

// Splits text into lines at CR LF, lone CR and lone LF, dropping other controls.
std::vector<std::u32string> splitLines(std::string_view utf8) {
    std::vector<std::u32string> lines(1);
    const std::u32string text = toCodePoints(utf8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            lines.emplace_back();
        } else if (!isDroppedControl(c)) {
            lines.back().push_back(c);
        }
    }
    return lines;
}

}  // namespace

double normalizedFontSize(double points) {
    if (!std::isfinite(points) || points <= 0) return kDefaultFontSize;
    return std::clamp(std::round(points * 2) / 2, kSmallestFontSize, kLargestFontSize);
}

RichTextDocument::RichTextDocument() { paragraphs_.emplace_back(); }

RichTextDocument::RichTextDocument(const RichText& text) : RichTextDocument() { assign(text); }

long long RichTextDocument::clampPosition(long long position) const { return std::clamp(position, 0LL, length_); }

long long RichTextDocument::clampLength(long long start, long long length) const {
    return std::clamp(length, 0LL, length_ - start);
}

RichTextDocument::Location RichTextDocument::locate(long long position) const {
    position = clampPosition(position);
    starts_.resize(paragraphs_.size());
    if (startsKnown_ == 0 && !starts_.empty()) {
        starts_[0] = 0;
        startsKnown_ = 1;
    }
    for (std::size_t p = startsKnown_; p < paragraphs_.size(); ++p)
        starts_[p] = starts_[p - 1] + static_cast<long long>(paragraphs_[p - 1].text.size()) + 1;
    startsKnown_ = paragraphs_.size();
    // The last paragraph starting at or before the position; its end (just before the break) is its own.
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), position);
    const auto p = static_cast<std::size_t>(after - starts_.begin()) - 1;
    return {p, static_cast<std::size_t>(position - starts_[p])};
}

std::uint32_t RichTextDocument::intern(const TextFormat& format) {
    TextFormat f = format;
    if (f.font.empty()) f.font = TextFormat{}.font;
    f.size = normalizedFontSize(f.size);
    auto key = std::make_tuple(f.font, f.size, f.bold, f.italic, f.underline);
    auto it = formatIndex_.find(key);
    if (it != formatIndex_.end()) return it->second;
    const auto index = static_cast<std::uint32_t>(formats_.size());
    formats_.push_back(std::move(f));
    formatIndex_.emplace(std::move(key), index);
    return index;
}

template <class F>
void RichTextDocument::forEachSpan(long long start, long long length, F f) const {
    start = clampPosition(start);
    long long left = clampLength(start, length);
    Location at = locate(start);
    for (;;) {
        const std::size_t size = paragraphs_[at.paragraph].text.size();
        const std::size_t take = std::min<std::size_t>(size - at.offset, static_cast<std::size_t>(left));
        f(at.paragraph, at.offset, at.offset + take);
        left -= static_cast<long long>(take);
        if (left <= 0 || at.paragraph + 1 >= paragraphs_.size()) return;
        --left;  // the paragraph break
        at = {at.paragraph + 1, 0};
    }
}

std::pair<std::size_t, std::size_t> RichTextDocument::paragraphSpan(long long start, long long length) const {
    start = clampPosition(start);
    length = clampLength(start, length);
    const Location first = locate(start);
    Location last = locate(start + length);
    // A range that ends just after a break does not reach into the next paragraph.
    if (length > 0 && last.offset == 0 && last.paragraph > first.paragraph) --last.paragraph;
    return {first.paragraph, last.paragraph};
}

void RichTextDocument::notify(DocumentChange::Kind kind, long long start, long long length) {
    const DocumentChange change{kind, start, length};
    for (RichTextDocumentObserver* observer : std::vector<RichTextDocumentObserver*>(observers_))
        observer->documentChanged(change);
}

void RichTextDocument::addObserver(RichTextDocumentObserver* observer) { observers_.push_back(observer); }

void RichTextDocument::removeObserver(RichTextDocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void RichTextDocument::clear(const ParagraphFormat& format) {
    paragraphsChangedAfter(0);
    paragraphs_.clear();
    paragraphs_.emplace_back();
    paragraphs_.back().format = format;
    length_ = 0;
    notify(DocumentChange::Kind::Reset, 0, 0);
}

void RichTextDocument::assign(const RichText& text) {
    paragraphsChangedAfter(0);
    paragraphs_.clear();
    length_ = 0;
    for (const RichParagraph& source : text.paragraphs) {
        Paragraph paragraph;
        paragraph.format = source.format();
        for (const TextRun& run : source.runs) {
            const std::uint32_t format = intern(run.format);
            for (char32_t c : toCodePoints(run.text)) {
                if (c == U'\r' || c == U'\n' || isDroppedControl(c)) continue;
                paragraph.text.push_back(c);
                paragraph.formats.push_back(format);
            }
        }
        length_ += static_cast<long long>(paragraph.text.size());
        paragraphs_.push_back(std::move(paragraph));
    }
    if (paragraphs_.empty()) paragraphs_.emplace_back();
    length_ += static_cast<long long>(paragraphs_.size()) - 1;
    notify(DocumentChange::Kind::Reset, 0, length_);
}

void RichTextDocument::appendRuns(RichParagraph& out, const Paragraph& paragraph, std::size_t from,
                                  std::size_t to) const {
    std::size_t i = from;
    while (i < to) {
        const std::uint32_t format = paragraph.formats[i];
        std::size_t j = i + 1;
        while (j < to && paragraph.formats[j] == format) ++j;
        out.runs.push_back({toUtf8(std::u32string_view(paragraph.text).substr(i, j - i)), formats_[format]});
        i = j;
    }
}

RichText RichTextDocument::richText() const { return richText(0, length_); }

RichText RichTextDocument::richText(long long start, long long length) const {
    RichText out;
    forEachSpan(start, length, [&](std::size_t p, std::size_t from, std::size_t to) {
        const Paragraph& paragraph = paragraphs_[p];
        RichParagraph rich;
        rich.setFormat(paragraph.format);
        appendRuns(rich, paragraph, from, to);
        out.paragraphs.push_back(std::move(rich));
    });
    return out;
}

std::string RichTextDocument::plainText(std::string_view lineBreak) const { return plainText(0, length_, lineBreak); }

std::string RichTextDocument::plainText(long long start, long long length, std::string_view lineBreak) const {
    std::string out;
    bool first = true;
    forEachSpan(start, length, [&](std::size_t p, std::size_t from, std::size_t to) {
        if (!first) out += lineBreak;
        first = false;
        for (std::size_t i = from; i < to; ++i) appendUtf8(out, paragraphs_[p].text[i]);
    });
    return out;
}

long long RichTextDocument::insertText(long long position, std::string_view utf8, const TextFormat& format) {
    std::vector<std::u32string> lines = splitLines(utf8);
    long long inserted = static_cast<long long>(lines.size()) - 1;
    for (const auto& line : lines) inserted += static_cast<long long>(line.size());
    if (inserted == 0) return 0;

    position = clampPosition(position);
    const std::uint32_t id = intern(format);
    const Location at = locate(position);
    paragraphsChangedAfter(at.paragraph);
    Paragraph& target = paragraphs_[at.paragraph];
    if (lines.size() == 1) {
        target.text.insert(at.offset, lines.front());
        target.formats.insert(target.formats.begin() + static_cast<std::ptrdiff_t>(at.offset), lines.front().size(),
                              id);
    } else {
        // The text after the insertion point moves to the end of the last new paragraph.
        std::u32string tailText = target.text.substr(at.offset);
        std::vector<std::uint32_t> tailFormats(target.formats.begin() + static_cast<std::ptrdiff_t>(at.offset),
                                               target.formats.end());
        target.text.resize(at.offset);
        target.formats.resize(at.offset);
        target.text += lines.front();
        target.formats.insert(target.formats.end(), lines.front().size(), id);
        std::vector<Paragraph> added(lines.size() - 1);
        for (std::size_t k = 1; k < lines.size(); ++k) {
            Paragraph& paragraph = added[k - 1];
            paragraph.format = target.format;
            paragraph.text = std::move(lines[k]);
            paragraph.formats.assign(paragraph.text.size(), id);
        }
        added.back().text += tailText;
        added.back().formats.insert(added.back().formats.end(), tailFormats.begin(), tailFormats.end());
        paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(at.paragraph) + 1,
                           std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    }
    length_ += inserted;
    notify(DocumentChange::Kind::Inserted, position, inserted);
    return inserted;
}

void RichTextDocument::remove(long long start, long long length) {
    start = clampPosition(start);
    length = clampLength(start, length);
    if (length == 0) return;
    const Location first = locate(start);
    const Location last = locate(start + length);
    paragraphsChangedAfter(first.paragraph);
    Paragraph& head = paragraphs_[first.paragraph];
    if (first.paragraph == last.paragraph) {
        head.text.erase(first.offset, last.offset - first.offset);
        head.formats.erase(head.formats.begin() + static_cast<std::ptrdiff_t>(first.offset),
                           head.formats.begin() + static_cast<std::ptrdiff_t>(last.offset));
    } else {
        const Paragraph& tail = paragraphs_[last.paragraph];
        head.text.resize(first.offset);
        head.formats.resize(first.offset);
        head.text += tail.text.substr(last.offset);
        head.formats.insert(head.formats.end(), tail.formats.begin() + static_cast<std::ptrdiff_t>(last.offset),
                            tail.formats.end());
        paragraphs_.erase(paragraphs_.begin() + static_cast<std::ptrdiff_t>(first.paragraph) + 1,
                          paragraphs_.begin() + static_cast<std::ptrdiff_t>(last.paragraph) + 1);
    }
    length_ -= length;
    notify(DocumentChange::Kind::Removed, start, length);
}

long long RichTextDocument::fragmentLength(const RichText& fragment) {
    if (fragment.paragraphs.empty()) return 0;
    long long length = static_cast<long long>(fragment.paragraphs.size()) - 1;
    for (const RichParagraph& paragraph : fragment.paragraphs)
        for (const TextRun& run : paragraph.runs) length += static_cast<long long>(toCodePoints(run.text).size());
    return length;
}

long long RichTextDocument::insertFragment(long long position, const RichText& fragment) {
    if (fragment.paragraphs.empty()) return 0;
    std::vector<Paragraph> pieces;
    long long inserted = static_cast<long long>(fragment.paragraphs.size()) - 1;
    for (const RichParagraph& source : fragment.paragraphs) {
        Paragraph piece;
        piece.format = source.format();
        for (const TextRun& run : source.runs) {
            const std::uint32_t format = intern(run.format);
            const std::u32string text = toCodePoints(run.text);
            piece.text += text;
            piece.formats.insert(piece.formats.end(), text.size(), format);
        }
        inserted += static_cast<long long>(piece.text.size());
        pieces.push_back(std::move(piece));
    }

    position = clampPosition(position);
    const Location at = locate(position);
    paragraphsChangedAfter(at.paragraph);
    Paragraph& target = paragraphs_[at.paragraph];
    const auto offset = static_cast<std::ptrdiff_t>(at.offset);
    if (pieces.size() == 1) {
        target.text.insert(at.offset, pieces.front().text);
        target.formats.insert(target.formats.begin() + offset, pieces.front().formats.begin(),
                              pieces.front().formats.end());
        target.format = pieces.front().format;
    } else {
        // The text after the position moves to the end of the fragment's last paragraph.
        Paragraph& last = pieces.back();
        last.text += target.text.substr(at.offset);
        last.formats.insert(last.formats.end(), target.formats.begin() + offset, target.formats.end());
        target.text.resize(at.offset);
        target.formats.resize(at.offset);
        target.text += pieces.front().text;
        target.formats.insert(target.formats.end(), pieces.front().formats.begin(), pieces.front().formats.end());
        target.format = pieces.front().format;
        paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(at.paragraph) + 1,
                           std::make_move_iterator(pieces.begin() + 1), std::make_move_iterator(pieces.end()));
    }
    length_ += inserted;
    // An empty piece still gives its paragraph its format back.
    notify(inserted > 0 ? DocumentChange::Kind::Inserted : DocumentChange::Kind::Formatted, position, inserted);
    return inserted;
}

std::pair<long long, long long> RichTextDocument::paragraphBounds(long long start, long long length) const {
    const auto [first, last] = paragraphSpan(start, length);
    locate(length_);  // brings the paragraph starts up to date
    return {starts_[first], starts_[last] + static_cast<long long>(paragraphs_[last].text.size())};
}

void RichTextDocument::applyFormat(long long start, long long length, const FormatChange& change) {
    start = clampPosition(start);
    length = clampLength(start, length);
    if (length == 0) return;
    std::unordered_map<std::uint32_t, std::uint32_t> changed;  // old format -> new format
    auto convert = [&](std::uint32_t id) {
        auto it = changed.find(id);
        if (it != changed.end()) return it->second;
        TextFormat format = formats_[id];
        if (change.font && !change.font->empty()) format.font = *change.font;
        if (change.size) format.size = *change.size;
        if (change.bold) format.bold = *change.bold;
        if (change.italic) format.italic = *change.italic;
        if (change.underline) format.underline = *change.underline;
        const std::uint32_t result = intern(format);
        changed.emplace(id, result);
        return result;
    };
    forEachSpan(start, length, [&](std::size_t p, std::size_t from, std::size_t to) {
        auto& formats = paragraphs_[p].formats;
        for (std::size_t i = from; i < to; ++i) formats[i] = convert(formats[i]);
    });
    notify(DocumentChange::Kind::Formatted, start, length);
}

void RichTextDocument::setAlignment(long long start, long long length, ParagraphAlignment alignment) {
    const auto [first, last] = paragraphSpan(start, length);
    for (std::size_t p = first; p <= last; ++p) paragraphs_[p].format.alignment = alignment;
    notify(DocumentChange::Kind::Formatted, clampPosition(start), clampLength(clampPosition(start), length));
}

void RichTextDocument::setParagraphFormat(long long start, long long length, const ParagraphFormat& format) {
    const auto [first, last] = paragraphSpan(start, length);
    for (std::size_t p = first; p <= last; ++p) paragraphs_[p].format = format;
    notify(DocumentChange::Kind::Formatted, clampPosition(start), clampLength(clampPosition(start), length));
}

TextFormat RichTextDocument::formatAt(long long position) const {
    const Location at = locate(position);
    const Paragraph& paragraph = paragraphs_[at.paragraph];
    if (!paragraph.text.empty()) return formats_[paragraph.formats[at.offset > 0 ? at.offset - 1 : 0]];
    for (std::size_t p = at.paragraph; p-- > 0;)
        if (!paragraphs_[p].formats.empty()) return formats_[paragraphs_[p].formats.back()];
    return TextFormat{};
}

ParagraphFormat RichTextDocument::paragraphFormatAt(long long position) const {
    return paragraphs_[locate(position).paragraph].format;
}

RangeFormat RichTextDocument::formatOf(long long start, long long length) const {
    RangeFormat result;
    start = clampPosition(start);
    length = clampLength(start, length);
    const auto [first, last] = paragraphSpan(start, length);
    result.alignment = paragraphs_[first].format.alignment;
    for (std::size_t p = first + 1; p <= last; ++p)
        if (paragraphs_[p].format.alignment != result.alignment) result.alignment.reset();

    bool any = false;
    bool sameFont = true, sameSize = true, sameBold = true, sameItalic = true, sameUnderline = true;
    TextFormat reference;
    std::uint32_t previous = UINT32_MAX;
    forEachSpan(start, length, [&](std::size_t p, std::size_t from, std::size_t to) {
        const auto& formats = paragraphs_[p].formats;
        for (std::size_t i = from; i < to; ++i) {
            if (formats[i] == previous) continue;
            previous = formats[i];
            const TextFormat& f = formats_[previous];
            if (!any) {
                reference = f;
                any = true;
                continue;
            }
            sameFont = sameFont && f.font == reference.font;
            sameSize = sameSize && f.size == reference.size;
            sameBold = sameBold && f.bold == reference.bold;
            sameItalic = sameItalic && f.italic == reference.italic;
            sameUnderline = sameUnderline && f.underline == reference.underline;
        }
    });
    if (!any) reference = formatAt(start);
    if (sameFont) result.font = reference.font;
    if (sameSize) result.size = reference.size;
    if (sameBold) result.bold = reference.bold;
    if (sameItalic) result.italic = reference.italic;
    if (sameUnderline) result.underline = reference.underline;
    return result;
}

}  // namespace ravelin
