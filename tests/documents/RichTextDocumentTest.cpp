#include "documents/RichTextDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <tuple>

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
    EXPECT_EQ(odd.insertText(0,
                             std::string("a\tb\0c\x07"
                                         "d\x7F"
                                         "e",
                                         9) +
                                 "x\xFFy",
                             {}),
              9);
    EXPECT_EQ(odd.plainText(), "a\tbcdex\xEF\xBF\xBDy");
}

TEST(RichTextDocument, InsertingInsideAParagraphSplitsItAndKeepsItsFormat) {
    RichTextDocument document;
    document.insertText(0, "headtail", {});
    document.setAlignment(0, 0, ParagraphAlignment::Center);
    document.insertText(4, "1\r\n2\r\n3", kBold);
    EXPECT_EQ(document.plainText("|"), "head1|2|3tail");
    ASSERT_EQ(document.paragraphCount(), 3);
    const RichText rich = document.richText();
    for (const RichParagraph& paragraph : rich.paragraphs) EXPECT_EQ(paragraph.alignment, ParagraphAlignment::Center);
    EXPECT_EQ(rich.paragraphs[2].runs, (std::vector<TextRun>{{"3", kBold}, {"tail", {}}}));
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

TEST(RichTextDocument, RemovingAcrossBreaksJoinsParagraphs) {
    RichTextDocument document;
    document.insertText(0, "one\r\ntwo\r\nthree", {});
    document.setAlignment(0, 0, ParagraphAlignment::Right);
    document.remove(2, 7);  // "e", break, "two", break, "t"
    EXPECT_EQ(document.plainText("|"), "onhree");
    EXPECT_EQ(document.paragraphFormatAt(0).alignment, ParagraphAlignment::Right);
    document.remove(0, document.length());
    EXPECT_TRUE(document.empty());
    EXPECT_EQ(document.paragraphCount(), 1);
}

TEST(RichTextDocument, FormatChangesTouchOnlyTheRangeAndTheirAttributes) {
    RichTextDocument document;
    TextFormat times{"Times New Roman", 14, false, true, false};
    document.insertText(0, "abcdef", times);
    document.applyFormat(2, 2, {.bold = true, .underline = true});
    EXPECT_EQ(document.richText().paragraphs[0].runs,
              (std::vector<TextRun>{{"ab", times}, {"cd", {"Times New Roman", 14, true, true, true}}, {"ef", times}}));
}

TEST(RichTextDocument, FontSizesAreKeptInHalfPointsWithinWordProcessorLimits) {
    const std::pair<double, double> sizes[] = {{10.3, 10.5}, {0.1, 1}, {5000, 1638}, {-3, 11}, {std::nan(""), 11}};
    for (const auto& [size, expected] : sizes) EXPECT_EQ(normalizedFontSize(size), expected) << size;
    RichTextDocument document;
    document.insertText(0, "x", TextFormat{"", 9.1, false, false, false});
    EXPECT_EQ(document.formatAt(1).size, 9);
    EXPECT_EQ(document.formatAt(1).font, "Arial");  // a nameless font is the default one
}

TEST(RichTextDocument, RangeFormatTellsWhatVaries) {
    RichTextDocument document;
    document.insertText(0, "plain", {});
    document.insertText(5, "BOLD", kBold);
    document.insertText(9, "\r\ncentred", kBold);
    document.setAlignment(10, 0, ParagraphAlignment::Center);

    const RangeFormat all = document.formatOf(0, document.length());
    EXPECT_FALSE(all.bold.has_value());
    EXPECT_FALSE(all.alignment.has_value());
    EXPECT_EQ(all.font, "Arial");  // the same throughout
    EXPECT_EQ(document.formatOf(5, 10).bold, true);

    // A range ending just after a break leaves the next paragraph out.
    EXPECT_EQ(document.formatOf(0, 10).alignment, ParagraphAlignment::Left);
    EXPECT_EQ(document.formatOf(12, 0).alignment, ParagraphAlignment::Center);
    // An empty range reports what typing would continue with.
    EXPECT_EQ(document.formatOf(5, 0).bold, false);
    EXPECT_EQ(document.formatOf(6, 0).bold, true);
}

TEST(RichTextDocument, FormatAtEmptyParagraphLooksBackwards) {
    RichTextDocument document;
    EXPECT_EQ(document.formatAt(0), TextFormat{});
    document.insertText(0, "title\r\n\r\n", kBold);
    EXPECT_TRUE(document.formatAt(7).bold);
    EXPECT_TRUE(document.formatAt(0).bold);  // at a paragraph start: its first character
}

TEST(RichTextDocument, RangesCopyAsRichAndPlainText) {
    RichTextDocument document;
    document.insertText(0, "ab\r\ncd", {});
    document.applyFormat(1, 3, {.italic = true});
    EXPECT_EQ(document.plainText(1, 3), "b\r\nc");
    const RichText piece = document.richText(1, 3);
    ASSERT_EQ(piece.paragraphs.size(), 2u);
    EXPECT_EQ(piece.paragraphs[0].runs, (std::vector<TextRun>{{"b", {.italic = true}}}));
    EXPECT_EQ(piece.paragraphs[1].runs, (std::vector<TextRun>{{"c", {.italic = true}}}));
    // A range that ends with a break ends with an empty paragraph.
    EXPECT_EQ(document.richText(0, 3).paragraphs.size(), 2u);
    EXPECT_EQ(document.plainText(0, 3), "ab\r\n");
}

struct Recorder : RichTextDocumentObserver {
    void documentChanged(const DocumentChange& change) override { changes.push_back(change); }
    std::vector<DocumentChange> changes;
};

TEST(RichTextDocument, ObserversHearEveryChangeWithItsRange) {
    RichTextDocument document;
    Recorder recorder;
    document.addObserver(&recorder);
    document.insertText(0, "abc\r\nd", {});
    document.applyFormat(1, 2, {.bold = true});
    document.remove(0, 1);
    document.insertText(0, "", {});  // nothing inserted, nothing told
    document.clear();
    document.removeObserver(&recorder);
    document.insertText(0, "x", {});
    ASSERT_EQ(recorder.changes.size(), 4u);
    EXPECT_EQ(recorder.changes[0].length, 5);
    EXPECT_EQ(recorder.changes[1].kind, DocumentChange::Kind::Formatted);
    EXPECT_EQ(recorder.changes[1].start, 1);
    EXPECT_EQ(recorder.changes[3].kind, DocumentChange::Kind::Reset);
}

TEST(RichTextDocument, EditsAnywhereFindTheirParagraphAfterManyOthers) {
    // Inserts and removals at random places, checked against the plain text
    // kept aside (one character per position, '\n' for a break).
    std::mt19937 random(17);
    RichTextDocument document;
    std::string model;
    const std::string pieces[] = {"a", "bc\r\n", "\r\n", "def", "\r\ng\r\nh", "\n\n"};
    for (int round = 0; round < 3000; ++round) {
        const auto size = static_cast<long long>(model.size());
        const long long at = size == 0 ? 0 : static_cast<long long>(random() % static_cast<unsigned>(size + 1));
        if (round % 3 == 2 && size > 0) {
            const long long length = std::min<long long>(size - at, 1 + random() % 5);
            document.remove(at, length);
            model.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(length));
        } else {
            const std::string& piece = pieces[random() % std::size(pieces)];
            document.insertText(at, piece, kBold);
            std::string plain = piece;  // the pieces' breaks are CR LF or LF alone
            std::erase(plain, '\r');
            model.insert(static_cast<std::size_t>(at), plain);
        }
        ASSERT_EQ(document.length(), static_cast<long long>(model.size()));
        if (round % 100 == 0 || round > 2950) {
            ASSERT_EQ(document.plainText("\n"), model) << round;
            const long long probe = static_cast<long long>(random() % (model.size() + 1));
            EXPECT_EQ(document.plainText(probe, 3, "\n"), model.substr(static_cast<std::size_t>(probe), 3));
        }
    }
    EXPECT_EQ(document.paragraphCount(), static_cast<long long>(std::count(model.begin(), model.end(), '\n')) + 1);
}

// Undo puts a removed piece back with insertFragment: whatever was removed,
// across paragraphs of different alignments and runs of different formats,
// the text comes back equal, paragraph formats included.
TEST(RichTextDocument, ARemovedPieceInsertedBackGivesTheTextAsItWas) {
    std::mt19937 random(29);
    const TextFormat formats[] = {TextFormat{}, kBold, TextFormat{.font = "Courier New", .size = 14, .italic = true}};
    const ParagraphAlignment alignments[] = {ParagraphAlignment::Left, ParagraphAlignment::Center,
                                             ParagraphAlignment::Right};
    for (int trial = 0; trial < 300; ++trial) {
        RichTextDocument document;
        for (int piece = 0; piece < 6; ++piece) {
            const std::string text = piece % 2 ? "ab\r\ncd"
                                               : "\xC3\xA9"
                                                 "f g";
            document.insertText(random() % (document.length() + 1), text, formats[random() % 3]);
            const long long at = random() % (document.length() + 1);
            document.setAlignment(at, 0, alignments[random() % 3]);
            document.setParagraphFormat(random() % (document.length() + 1), 0,
                                        {alignments[random() % 3], static_cast<int>(random() % 3) * 200, -200, 0});
        }
        const RichText original = document.richText();
        const long long start = random() % (document.length() + 1);
        const long long length = random() % (document.length() - start + 1);
        const RichText piece = document.richText(start, length);
        ASSERT_EQ(RichTextDocument::fragmentLength(piece), length);
        document.remove(start, length);
        EXPECT_EQ(document.insertFragment(start, piece), length);
        ASSERT_EQ(document.richText(), original) << "trial " << trial << " at " << start << " + " << length;
    }
}

TEST(RichTextDocument, ParagraphBoundsSpanTheWholeParagraphsARangeTouches) {
    RichTextDocument document;
    document.insertText(0, "one\r\ntwo\r\nthree", TextFormat{});
    // one = 0..3, break 3, two = 4..7, break 7, three = 8..13
    const std::tuple<long long, long long, long long, long long> cases[] = {
        {1, 0, 0, 3},   // a caret: its paragraph
        {5, 4, 4, 13},  // into the third
        {2, 2, 0, 3},   // up to the break: not into the next
        {13, 0, 8, 13},
    };
    for (const auto& [start, length, from, to] : cases)
        EXPECT_EQ(document.paragraphBounds(start, length), (std::pair{from, to})) << start << "+" << length;
}

}  // namespace
}  // namespace ravelin
