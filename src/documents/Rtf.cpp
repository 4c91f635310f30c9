#include "documents/Rtf.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Unicode.h"

namespace ravelin {

// ----------------------------------------------------------------- writer

namespace {

// Font names end at a raw ";", so inside the font table it is escaped too.
void appendEscaped(std::string& out, std::u32string_view text, bool& afterControlWord, bool fontName = false) {
    for (char32_t c : text) {
        if (fontName && (c == U'\t' || c == U';')) {
            if (c == U';') out += "\\'3b";
            afterControlWord = false;
            continue;
        }
        if (c == U'\t') {
            out += "\\tab";
            afterControlWord = true;
            continue;
        }
        if (isDroppedControl(c)) continue;
        if (afterControlWord) {
            out += ' ';  // ends the control word; readers drop this one blank
            afterControlWord = false;
        }
        if (c == U'\\' || c == U'{' || c == U'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const int byte = cp1252Byte(c); byte >= 0) {
            static const char* hex = "0123456789abcdef";
            out += "\\'";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            // \uN takes a signed 16-bit N; beyond the first plane, a surrogate pair.
            auto unit = [&out](unsigned value) {
                out += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(value))) + "?";
            };
            if (c > 0xFFFF) {
                const char32_t v = c - 0x10000;
                unit(0xD800 + (v >> 10));
                unit(0xDC00 + (v & 0x3FF));
            } else {
                unit(c);
            }
        }
    }
}

int halfPoints(double points) { return static_cast<int>(std::lround(points * 2)); }

}  // namespace

std::string writeRtf(const RichText& text) {
    std::vector<std::string> fonts{TextFormat{}.font};
    auto fontNumber = [&fonts](const std::string& name) {
        auto it = std::find(fonts.begin(), fonts.end(), name);
        if (it != fonts.end()) return static_cast<int>(it - fonts.begin());
        fonts.push_back(name);
        return static_cast<int>(fonts.size() - 1);
    };
    for (const RichParagraph& paragraph : text.paragraphs)
        for (const TextRun& run : paragraph.runs) fontNumber(run.format.font);

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0";
        bool afterControlWord = true;
        appendEscaped(out, toCodePoints(fonts[i]), afterControlWord, true);
        out += ";}";
    }
    out += "}\r\n{\\*\\generator Ravelin " RAVELIN_VERSION ";}\\viewkind4\r\n";

    bool known = false;  // nothing about the character format is known before the first run
    TextFormat current;
    int currentFont = 0;
    for (std::size_t p = 0; p < text.paragraphs.size(); ++p) {
        const RichParagraph& paragraph = text.paragraphs[p];
        out += "\\pard";
        if (paragraph.leftIndent != 0) out += "\\li" + std::to_string(paragraph.leftIndent);
        if (paragraph.firstIndent != 0) out += "\\fi" + std::to_string(paragraph.firstIndent);
        if (paragraph.rightIndent != 0) out += "\\ri" + std::to_string(paragraph.rightIndent);
        if (paragraph.alignment == ParagraphAlignment::Center) out += "\\qc";
        if (paragraph.alignment == ParagraphAlignment::Right) out += "\\qr";
        bool afterControlWord = true;
        for (const TextRun& run : paragraph.runs) {
            const TextFormat& f = run.format;
            const int font = fontNumber(f.font);
            if (!known || font != currentFont) out += "\\f" + std::to_string(font), afterControlWord = true;
            if (!known || halfPoints(f.size) != halfPoints(current.size))
                out += "\\fs" + std::to_string(halfPoints(f.size)), afterControlWord = true;
            if (!known || f.bold != current.bold) out += f.bold ? "\\b" : "\\b0", afterControlWord = true;
            if (!known || f.italic != current.italic) out += f.italic ? "\\i" : "\\i0", afterControlWord = true;
            if (!known || f.underline != current.underline)
                out += f.underline ? "\\ul" : "\\ulnone", afterControlWord = true;
            known = true;
            current = f;
            currentFont = font;
            appendEscaped(out, toCodePoints(run.text), afterControlWord);
        }
        if (p + 1 < text.paragraphs.size()) out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

// ----------------------------------------------------------------- reader

bool looksLikeRtf(std::string_view bytes) {
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

namespace {

// Deeper groups are counted but share the deepest state: real documents
// nest a few dozen levels, and memory stays bounded whatever the input.
constexpr std::size_t kMaxDepth = 1000;
// Control words are at most 32 letters; a parameter keeps at most 10 digits.
constexpr std::size_t kMaxWordLength = 32;
constexpr long long kParameterLimit = 2000000000;
// Indents beyond 22 inches (the widest page a word processor offers) are damage.
constexpr long long kIndentLimit = 31680;
// Half points: 1 to 1638 points.
constexpr long long kSmallestHalfPoints = 2;
constexpr long long kLargestHalfPoints = 3276;
// RTF's own default size when a file names none: 12 points.
constexpr int kDefaultHalfPoints = 24;
// Progress is told every 256 KiB: a few times a second on a slow machine, at no cost.
constexpr std::size_t kProgressStep = 256 * 1024;

enum class Word {
    Unknown,
    Par,
    Tab,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Plain,
    Pard,
    Left,
    Right,
    Center,
    LeftIndent,
    RightIndent,
    FirstIndent,
    Font,
    FontSize,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Binary,
    FontTable,
    SkipDestination,
    EmDash,
    EnDash,
    Bullet,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    EmSpace,
    EnSpace,
};

const std::unordered_map<std::string_view, Word>& wordTable() {
    static const std::unordered_map<std::string_view, Word> table = [] {
        std::unordered_map<std::string_view, Word> t = {
            {"par", Word::Par},
            {"line", Word::Par},
            {"sect", Word::Par},
            {"row", Word::Par},
            {"tab", Word::Tab},
            {"cell", Word::Tab},
            {"b", Word::Bold},
            {"i", Word::Italic},
            {"ulnone", Word::UnderlineNone},
            {"plain", Word::Plain},
            {"pard", Word::Pard},
            {"ql", Word::Left},
            {"qj", Word::Left},
            {"qd", Word::Left},
            {"qr", Word::Right},
            {"qc", Word::Center},
            {"li", Word::LeftIndent},
            {"lin", Word::LeftIndent},
            {"ri", Word::RightIndent},
            {"rin", Word::RightIndent},
            {"fi", Word::FirstIndent},
            {"f", Word::Font},
            {"fs", Word::FontSize},
            {"deff", Word::DefaultFont},
            {"uc", Word::UnicodeSkip},
            {"u", Word::Unicode},
            {"bin", Word::Binary},
            {"fonttbl", Word::FontTable},
            {"emdash", Word::EmDash},
            {"endash", Word::EnDash},
            {"bullet", Word::Bullet},
            {"lquote", Word::LeftQuote},
            {"rquote", Word::RightQuote},
            {"ldblquote", Word::LeftDoubleQuote},
            {"rdblquote", Word::RightDoubleQuote},
            {"emspace", Word::EmSpace},
            {"enspace", Word::EnSpace},
        };
        for (const char* underline :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
              "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            t.emplace(underline, Word::Underline);
        // Destinations whose content is not text of the document.
        for (const char* skipped : {"colortbl",
                                    "stylesheet",
                                    "info",
                                    "pict",
                                    "object",
                                    "objdata",
                                    "header",
                                    "headerl",
                                    "headerr",
                                    "headerf",
                                    "footer",
                                    "footerl",
                                    "footerr",
                                    "footerf",
                                    "footnote",
                                    "annotation",
                                    "atnid",
                                    "atnauthor",
                                    "xe",
                                    "tc",
                                    "txe",
                                    "fldinst",
                                    "listtable",
                                    "listoverridetable",
                                    "revtbl",
                                    "rsidtbl",
                                    "generator",
                                    "themedata",
                                    "colorschememapping",
                                    "latentstyles",
                                    "datastore",
                                    "xmlnstbl",
                                    "mmathPr",
                                    "pgdsctbl",
                                    "filetbl",
                                    "template",
                                    "docvar",
                                    "userprops",
                                    "bkmkstart",
                                    "bkmkend",
                                    "ftnsep",
                                    "ftnsepc",
                                    "aftnsep",
                                    "aftnsepc",
                                    "ftncn",
                                    "aftncn",
                                    "fchars",
                                    "lchars",
                                    "nonshppict",
                                    "shpinst",
                                    "pn",
                                    "pntxtb",
                                    "pntxta",
                                    "comment",
                                    "title",
                                    "subject",
                                    "author",
                                    "operator",
                                    "keywords",
                                    "doccomm",
                                    "company",
                                    "manager",
                                    "category",
                                    "falt",
                                    "panose",
                                    "listpicture",
                                    "wgrffmtfilter",
                                    "mmath"})
            t.emplace(skipped, Word::SkipDestination);
        return t;
    }();
    return table;
}

class RtfReader {
public:
    RtfReader(std::string_view bytes, const ReadProgress& progress) : in_(bytes), progress_(progress) {}

    RichText read() {
        std::size_t nextReport = kProgressStep;
        while (pos_ < in_.size() && !finished_) {
            if (progress_ && pos_ >= nextReport) {
                progress_(pos_, in_.size());
                nextReport = pos_ + kProgressStep;
            }
            const char c = in_[pos_++];
            switch (c) {
                case '{': openGroup(); break;
                case '}': closeGroup(); break;
                case '\\': controlSequence(); break;
                case '\r':
                case '\n': break;  // line ends of the file are not text
                default: character(cp1252CodePoint(static_cast<unsigned char>(c)), c == ';'); break;
            }
        }
        if (!finished_) endParagraph();  // a truncated file
        if (progress_) progress_(in_.size(), in_.size());
        return std::move(out_);
    }

private:
    struct CharState {
        int font = -1;  // -1: the default font
        int halfPoints = kDefaultHalfPoints;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool operator==(const CharState&) const = default;
    };
    enum class Destination : unsigned char { Text, Skip, FontTable };
    struct Group {
        CharState chars;
        ParagraphFormat paragraph;
        int unicodeSkip = 1;
        Destination destination = Destination::Text;
    };

    void openGroup() {
        skipPending_ = 0;
        if (stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(state_);
    }

    void closeGroup() {
        skipPending_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.empty()) return;  // an unbalanced brace
        if (state_.destination == Destination::FontTable) endFontEntry();
        if (stack_.size() == 1) {
            // The document's closing brace: its last paragraph keeps the
            // properties in force here, and what follows is not part of it.
            endParagraph();
            finished_ = true;
            return;
        }
        state_ = stack_.back();
        stack_.pop_back();
    }

    void controlSequence() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            symbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_])) ++pos_;
        const std::string_view word = in_.substr(start, std::min(pos_ - start, kMaxWordLength + 1));
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (in_[pos_] - '0'), kParameterLimit);
            ++pos_;
        }
        if (negative) parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting blank
        controlWord(word, hasParameter, parameter);
    }

    void controlWord(std::string_view name, bool hasParameter, long long parameter) {
        const auto it = wordTable().find(name);
        const Word word = it == wordTable().end() ? Word::Unknown : it->second;
        if (word == Word::Binary) {
            // Raw bytes follow, in any destination: they must never be read as text or braces.
            const auto count = static_cast<std::size_t>(std::max(0LL, parameter));
            pos_ += std::min(count, in_.size() - pos_);
            return;
        }
        if (skipPending_ > 0) {  // a control word stands for one fallback character of \uN
            --skipPending_;
            return;
        }
        if (state_.destination == Destination::Skip) return;
        if (state_.destination == Destination::FontTable) {
            if (word == Word::Font) {
                endFontEntry();
                fontNumber_ = static_cast<int>(parameter);
            } else if (word == Word::Unicode) {
                const char32_t c = unicodeValue(parameter);
                if (!isDroppedControl(c) && c != U'\t') appendUtf8(fontName_, c);
                skipPending_ = state_.unicodeSkip;
            }
            return;
        }
        const bool on = !hasParameter || parameter != 0;
        switch (word) {
            case Word::Par: endParagraph(); break;
            case Word::Tab: emit(U'\t'); break;
            case Word::Bold: state_.chars.bold = on; break;
            case Word::Italic: state_.chars.italic = on; break;
            case Word::Underline: state_.chars.underline = on; break;
            case Word::UnderlineNone: state_.chars.underline = false; break;
            case Word::Plain: state_.chars = CharState{}; break;
            case Word::Pard: state_.paragraph = ParagraphFormat{}; break;
            case Word::Left: state_.paragraph.alignment = ParagraphAlignment::Left; break;
            case Word::Right: state_.paragraph.alignment = ParagraphAlignment::Right; break;
            case Word::Center: state_.paragraph.alignment = ParagraphAlignment::Center; break;
            case Word::LeftIndent: state_.paragraph.leftIndent = indent(parameter); break;
            case Word::RightIndent: state_.paragraph.rightIndent = indent(parameter); break;
            case Word::FirstIndent: state_.paragraph.firstIndent = indent(parameter); break;
            case Word::Font: state_.chars.font = static_cast<int>(std::max(0LL, parameter)); break;
            case Word::FontSize:
                if (parameter > 0)
                    state_.chars.halfPoints =
                        static_cast<int>(std::clamp(parameter, kSmallestHalfPoints, kLargestHalfPoints));
                break;
            case Word::DefaultFont: defaultFont_ = static_cast<int>(std::max(0LL, parameter)); break;
            case Word::UnicodeSkip: state_.unicodeSkip = static_cast<int>(std::clamp(parameter, 0LL, 16LL)); break;
            case Word::Unicode: unicode(parameter); break;
            case Word::FontTable:
                state_.destination = Destination::FontTable;
                fontName_.clear();
                break;
            case Word::SkipDestination: state_.destination = Destination::Skip; break;
            case Word::EmDash: emit(0x2014); break;
            case Word::EnDash: emit(0x2013); break;
            case Word::Bullet: emit(0x2022); break;
            case Word::LeftQuote: emit(0x2018); break;
            case Word::RightQuote: emit(0x2019); break;
            case Word::LeftDoubleQuote: emit(0x201C); break;
            case Word::RightDoubleQuote: emit(0x201D); break;
            case Word::EmSpace: emit(0x2003); break;
            case Word::EnSpace: emit(0x2002); break;
            default: break;  // unknown or unused control words
        }
    }

    void symbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}': character(static_cast<unsigned char>(c), false); return;
            case '\'': {
                if (pos_ + 1 < in_.size() && isHex(in_[pos_]) && isHex(in_[pos_ + 1])) {
                    const int byte = hexValue(in_[pos_]) * 16 + hexValue(in_[pos_ + 1]);
                    pos_ += 2;
                    character(cp1252CodePoint(static_cast<unsigned char>(byte)), false);
                } else if (skipPending_ > 0) {
                    --skipPending_;
                }
                return;
            }
            case '*': state_.destination = Destination::Skip; return;
            default: break;
        }
        if (skipPending_ > 0) {
            --skipPending_;
            return;
        }
        if (state_.destination != Destination::Text) return;
        switch (c) {
            case '~': emit(0x00A0); break;
            case '_': emit(0x2011); break;
            case '\r':
            case '\n': endParagraph(); break;
            default: break;  // optional hyphen, index and formula marks
        }
    }

    // A character of the file, raw or escaped; `terminator` when it is a raw ";".
    void character(char32_t c, bool terminator) {
        if (skipPending_ > 0) {
            --skipPending_;
            return;
        }
        switch (state_.destination) {
            case Destination::Skip: return;
            case Destination::FontTable:
                if (terminator) endFontEntry();
                else if (!isDroppedControl(c) && c != U'\t') appendUtf8(fontName_, c);
                return;
            case Destination::Text: emit(c); return;
        }
    }

    char32_t unicodeValue(long long parameter) const {
        long long value = parameter < 0 ? parameter + 65536 : parameter;
        if (value < 0 || value > 0xFFFF) return kReplacementCharacter;
        return static_cast<char32_t>(value);
    }

    void unicode(long long parameter) {
        const char32_t unit = unicodeValue(parameter);
        skipPending_ = 0;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (highSurrogate_) emit(kReplacementCharacter);
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            const char32_t high = highSurrogate_;
            highSurrogate_ = 0;
            emit(high ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00) : kReplacementCharacter);
        } else {
            emit(unit);
        }
        skipPending_ = state_.unicodeSkip;
    }

    void emit(char32_t c) {
        if (highSurrogate_) {
            highSurrogate_ = 0;
            emit(kReplacementCharacter);
        }
        if (isDroppedControl(c)) return;
        if (!runOpen_ || !(state_.chars == runChars_)) {
            closeRun();
            runChars_ = state_.chars;
            runFormat_ = textFormat(state_.chars);
            runOpen_ = true;
        }
        appendUtf8(runText_, c);
    }

    TextFormat textFormat(const CharState& chars) const {
        TextFormat format;
        const auto it = fonts_.find(chars.font >= 0 ? chars.font : defaultFont_);
        if (it != fonts_.end() && !it->second.empty()) format.font = it->second;
        format.size = chars.halfPoints / 2.0;
        format.bold = chars.bold;
        format.italic = chars.italic;
        format.underline = chars.underline;
        return format;
    }

    void closeRun() {
        if (runOpen_ && !runText_.empty()) {
            // Neighbouring runs that look alike are one run.
            if (!paragraph_.runs.empty() && paragraph_.runs.back().format == runFormat_)
                paragraph_.runs.back().text += runText_;
            else paragraph_.runs.push_back({std::move(runText_), runFormat_});
        }
        runText_.clear();
        runOpen_ = false;
    }

    void endParagraph() {
        closeRun();
        paragraph_.setFormat(state_.paragraph);
        out_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = RichParagraph{};
    }

    void endFontEntry() {
        const auto first = fontName_.find_first_not_of(' ');
        if (first != std::string::npos) {
            const auto last = fontName_.find_last_not_of(' ');
            fonts_[fontNumber_] = fontName_.substr(first, last - first + 1);
            closeRun();  // a font defined late changes the look of what follows
        }
        fontName_.clear();
    }

    static int indent(long long value) { return static_cast<int>(std::clamp(value, -kIndentLimit, kIndentLimit)); }
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static bool isHex(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
    static int hexValue(char c) {
        if (isDigit(c)) return c - '0';
        return (c | 0x20) - 'a' + 10;
    }

    std::string_view in_;
    const ReadProgress& progress_;
    std::size_t pos_ = 0;
    bool finished_ = false;

    std::vector<Group> stack_;
    Group state_;
    std::size_t overflow_ = 0;
    int skipPending_ = 0;
    char32_t highSurrogate_ = 0;

    int defaultFont_ = 0;
    std::map<int, std::string> fonts_;
    int fontNumber_ = 0;
    std::string fontName_;

    RichText out_;
    RichParagraph paragraph_;
    std::string runText_;
    CharState runChars_;
    TextFormat runFormat_;
    bool runOpen_ = false;
};

}  // namespace

RichText readRtf(std::string_view bytes, const ReadProgress& progress) { return RtfReader(bytes, progress).read(); }

}  // namespace ravelin
