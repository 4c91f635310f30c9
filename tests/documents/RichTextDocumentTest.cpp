#include "documents/RichTextDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "documents/Rtf.h"

namespace ravelin {
namespace {

const TextFormat kBold{.bold = true};

TEST(RichTextDocument, InsertedTextCountsCodePointsAndOneCharacterPerLineBreak) {
    RichTextDocument document;
    EXPECT_EQ(document.insertText(0, "ab\r\ncd\nef\rg", {}), 10);
    EXPECT_EQ(document.plainText(), "ab\r\ncd\r\nef\r\ng");
    // "°" is two bytes, "€" three, the emoji four: each is one position.
    RichTextDocument wide;
    EXPECT_EQ(wide.insertText(0, "a\xC2\xB0\xE2\x82\xAC\xF0\x9F\x98\x80z", {}), 5);
    wide.insertText(4, "|", {});
    EXPECT_EQ(wide.plainText(1, 4), "\xC2\xB0\xE2\x82\xAC\xF0\x9F\x98\x80|");
    // Control characters other than tab are dropped; malformed UTF-8 is replaced rather than lost.
    RichTextDocument odd;
    EXPECT_EQ(odd.insertText(0, std::string("a\tb\0c\ad\177e", 9) + "x\xFFy", {}), 9);
    EXPECT_EQ(odd.plainText(), "a\tbcdex\xEF\xBF\xBDy");
}

// A split paragraph's pieces keep its format; joined ones take the first's.
TEST(RichTextDocument, SplittingAndJoiningParagraphsKeepTheirFormat) {
    RichTextDocument document;
    document.insertText(0, "headtail", {});
    document.setAlignment(0, 0, ParagraphAlignment::Center);
    document.insertText(4, "1\r\n2\r\n3", kBold);
    EXPECT_EQ(document.plainText("|"), "head1|2|3tail");
    ASSERT_EQ(document.paragraphCount(), 3);
    const RichText rich = document.richText();
    for (const RichParagraph& paragraph : rich.paragraphs) EXPECT_EQ(paragraph.alignment, ParagraphAlignment::Center);
    EXPECT_EQ(rich.paragraphs[2].runs, (std::vector<TextRun>{{"3", kBold}, {"tail", {}}}));

    document.insertText(document.length(), "\r\nlast", {});
    document.setAlignment(0, 0, ParagraphAlignment::Right);
    document.remove(2, 13);  // "ad1", break, "2", break, "3tail", break, "l"
    EXPECT_EQ(document.plainText("|"), "heast");
    EXPECT_EQ(document.paragraphFormatAt(0).alignment, ParagraphAlignment::Right);
    document.remove(0, document.length());
    EXPECT_TRUE(document.empty());
    EXPECT_EQ(document.paragraphCount(), 1);
}

TEST(RichTextDocument, OutOfRangePositionsAreClamped) {
    RichTextDocument document;
    document.insertText(-5, "abc", {});
    document.insertText(1000, "d", {});
    EXPECT_EQ(document.plainText(), "abcd");
    document.remove(2, 1000);
    EXPECT_EQ(document.plainText(), "ab");
    document.remove(-3, 1);
    EXPECT_EQ(document.plainText(), "b");
    document.applyFormat(7, 3, {.bold = true});
    EXPECT_FALSE(document.formatAt(1).bold);
}

// Sizes are kept in half points within word processors' limits; a nameless font is the default one.
TEST(RichTextDocument, FormatChangesTouchOnlyTheRangeAndTheirAttributes) {
    const std::pair<double, double> sizes[] = {{10.3, 10.5}, {0.1, 1}, {5000, 1638}, {-3, 11}, {std::nan(""), 11}};
    for (const auto& [size, expected] : sizes) EXPECT_EQ(normalizedFontSize(size), expected) << size;
    RichTextDocument document;
    const TextFormat times{"Times New Roman", 14, false, true, false};
    document.insertText(0, "abcdef", times);
    document.applyFormat(2, 2, {.bold = true, .underline = true});
    document.insertText(6, "x", TextFormat{"", 9.1, false, false, false});
    EXPECT_EQ(document.richText().paragraphs[0].runs,
              (std::vector<TextRun>{{"ab", times},
                                    {"cd", {"Times New Roman", 14, true, true, true}},
                                    {"ef", times},
                                    {"x", {"Arial", 9, false, false, false}}}));
}

// Edits at random places, checked against the plain text kept aside (one
// character a position: '\n' a break, '~' the two-byte "é"). Now and then a
// piece is removed and put back, as Undo does: the text, formats and
// paragraph formats included, must come back as it was, and read back whole
// from the RTF written of it.
TEST(RichTextDocument, RandomEditsFindTheirParagraphAndARemovedPiecePutBackGivesTheTextAsItWas) {
    std::mt19937 random(17);
    const TextFormat formats[] = {TextFormat{}, kBold, TextFormat{.font = "Courier New", .size = 14, .italic = true}};
    const ParagraphAlignment alignments[] = {ParagraphAlignment::Left, ParagraphAlignment::Center,
                                             ParagraphAlignment::Right};
    const std::pair<std::string, std::string> pieces[] = {
        {"a", "a"},      {"bc\r\n", "bc\n"}, {"\r\n", "\n"}, {"d\xC3\xA9g", "d~g"}, {"\r\ng\r\nh", "\ng\nh"},
        {"\n\n", "\n\n"}};
    auto flat = [](std::string text) {
        for (std::size_t at; (at = text.find("\xC3\xA9")) != std::string::npos;) text.replace(at, 2, "~");
        return text;
    };
    RichTextDocument document;
    std::string model;
    auto anywhere = [&] { return static_cast<long long>(random() % (model.size() + 1)); };
    for (int round = 0; round < 3000; ++round) {
        const long long at = anywhere();
        if (round % 3 == 2 && !model.empty()) {
            const auto length = std::min<long long>(static_cast<long long>(model.size()) - at, 1 + random() % 5);
            document.remove(at, length);
            model.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(length));
        } else {
            const auto& [text, plain] = pieces[random() % std::size(pieces)];
            document.insertText(at, text, formats[random() % 3]);
            model.insert(static_cast<std::size_t>(at), plain);
            document.setParagraphFormat(anywhere(), 0,
                                        {alignments[random() % 3], static_cast<int>(random() % 3) * 200, -200, 0});
        }
        ASSERT_EQ(document.length(), static_cast<long long>(model.size()));
        if (round % 10 != 0) continue;
        ASSERT_EQ(flat(document.plainText("\n")), model) << round;
        const RichText whole = document.richText();
        ASSERT_EQ(readRtf(writeRtf(whole)), whole) << round;
        const long long start = anywhere();
        const long long length =
            static_cast<long long>(random() % (model.size() - static_cast<std::size_t>(start) + 1));
        EXPECT_EQ(flat(document.plainText(start, length, "\n")),
                  model.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
        const RichText piece = document.richText(start, length);
        ASSERT_EQ(RichTextDocument::fragmentLength(piece), length);
        document.remove(start, length);
        EXPECT_EQ(document.insertFragment(start, piece), length);
        ASSERT_EQ(document.richText(), whole) << round << " at " << start << " + " << length;
    }
    EXPECT_EQ(document.paragraphCount(), static_cast<long long>(std::count(model.begin(), model.end(), '\n')) + 1);
}

}  // namespace
}  // namespace ravelin
