#pragma once
// A rich text as the Info box holds it: paragraphs of runs, each run with
// its font, size and bold/italic/underline, each paragraph with its
// alignment and indents (twips). Plain value type, no platform.

#include <string>
#include <vector>

namespace ravelin {

struct TextFormat {
    std::string font = "Arial";
    double size = 11;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TextFormat&) const = default;
};

enum class ParagraphAlignment { Left = 0, Right = 1, Center = 2 };

struct TextRun {
    std::string text;  // UTF-8, no line breaks
    TextFormat format;
    bool operator==(const TextRun&) const = default;
};

struct ParagraphFormat {
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    int leftIndent = 0;   // twips
    int firstIndent = 0;  // twips, relative to leftIndent (negative = hanging)
    int rightIndent = 0;  // twips
    bool operator==(const ParagraphFormat&) const = default;
};

// The format's fields stand in the paragraph itself so that a paragraph
// reads and initialises as one flat record.
struct RichParagraph {
    std::vector<TextRun> runs;
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    int leftIndent = 0;   // twips
    int firstIndent = 0;  // twips, relative to leftIndent (negative = hanging)
    int rightIndent = 0;  // twips
    bool operator==(const RichParagraph&) const = default;

    ParagraphFormat format() const { return {alignment, leftIndent, firstIndent, rightIndent}; }
    void setFormat(const ParagraphFormat& format) {
        alignment = format.alignment;
        leftIndent = format.leftIndent;
        firstIndent = format.firstIndent;
        rightIndent = format.rightIndent;
    }
};

struct RichText {
    std::vector<RichParagraph> paragraphs;
    bool operator==(const RichText&) const = default;
};

}  // namespace ravelin
