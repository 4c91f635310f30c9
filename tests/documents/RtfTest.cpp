#include "documents/Rtf.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/Report.h"
#include "documents/InfoText.h"
#include "documents/RichTextDocument.h"

namespace ravelin {
namespace {

std::string plain(const RichText& text) {
    std::string out;
    for (std::size_t p = 0; p < text.paragraphs.size(); ++p) {
        if (p) out += "|";
        for (const TextRun& run : text.paragraphs[p].runs) out += run.text;
    }
    return out;
}

// ------------------------------------------------------------------ writer

TEST(RtfWriter, HeaderFontsEscapesAndEveryCharacterIn7BitText) {
    RichText text;
    text.paragraphs = {RichParagraph{{{"x", {"Times New Roman", 12, false, false, false}},
                                      {"a\\b{c}d\te \xC3\xA9 \xE2\x82\xAC \xC5\x91 \xF0\x9F\x98\x80", {}}}}};
    const std::string rtf = writeRtf(text);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                        "{\\f1\\fnil\\fcharset0 Times New Roman;}}",
                        0),
              0u)
        << rtf;
    EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
    // Code page bytes where they exist, else Unicode words with a signed 16-bit number, surrogates in pairs.
    EXPECT_NE(rtf.find(" \\'e9 \\'80 \\u337? \\u-10179?\\u-8704?"), std::string::npos) << rtf;
    // Nothing but 7-bit text in the file: any word processor reads it on any code page.
    for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(readRtf(rtf), text);  // escapes, code page bytes and Unicode words alike
}

// -------------------------------------------------------------- round trip

RichText sampleReport() {
    return reportRichText({
        titleBlock("Plane failure\r\n\r\n"),
        bodyBlock("Dip direction : 135\xC2\xB0\r\n\tFactor of safety : 1.25\r\n"),
        {"Bold italic underlined ", style::Bold | style::Italic | style::Underline, 0, ""},
        {"Courier 9.5 ", style::Plain, 9.5, "Courier New"},
        {"{braces} \\backslash\\ \xE2\x80\x94 \xCE\xB8 = 24\xC2\xB0 \xF0\x9D\x9C\x83", style::Italic, 0, ""},
        bodyBlock("\r\n\r\n 12 leading blank and digits\r\n-dash first"),
    });
}

// Identical, so no empty paragraph is added after the last one either.
TEST(RtfRoundTrip, WhatRavelinWritesReadsBackIdentical) {
    // Indents and alignment come back through the same words the reader takes from other programs' files.
    RichText aligned;
    aligned.paragraphs = {RichParagraph{{{"right", {"\xE5\xAE\x8B\xE4\xBD\x93", 10.5, true, false, false}}},
                                        ParagraphAlignment::Right,
                                        0,
                                        -400,
                                        1440},
                          RichParagraph{{}, ParagraphAlignment::Center}, RichParagraph{{{"last", {}}}}};
    std::vector<ReportBlock> blocks;  // every style, size and font mix
    for (int i = 0; i < 300; ++i)
        blocks.push_back({"Block " + std::to_string(i) + "\r\n", i % 8, i % 3 ? 0.0 : 14.0, i % 5 ? "" : "Verdana"});
    for (const RichText& text : {sampleReport(), aligned, reportRichText(blocks)}) {
        EXPECT_EQ(readRtf(writeRtf(text)), text);
        EXPECT_EQ(RichTextDocument(text).richText(), text);  // the Info box's document keeps it whole too
    }
    // An empty text reads back as one empty paragraph.
    EXPECT_EQ(readRtf(writeRtf(RichText{})).paragraphs, std::vector<RichParagraph>(1));
}

// ------------------------------------------------- word processors' files

TEST(RtfReader, ReadsAWordDocumentWithItsTablesAndDestinations) {
    const std::string rtf =
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\deff0"
        "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
        "{\\f1\\fswiss\\fcharset0 Arial{\\*\\falt Helvetica};}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\stylesheet{\\ql \\li0\\widctlpar\\f0\\fs24 \\snext0 Normal;}}{\\*\\generator Microsoft Word 16.0;}"
        "{\\info{\\title Report}}{\\header \\pard\\plain \\qc header text\\par}"
        "\\pard\\plain \\ltrpar\\qc \\li0\\ri0\\fi0\\rtlch\\fcs1 \\af0 \\ltrch\\b\\f1\\fs32\\insrsid1234567 "
        "Title\\par \\pard\\plain \\ql \\li567\\ri283\\fi-283 \\f0\\fs24 {\\b Bold {\\i both} bold} plain "
        "{\\field{\\*\\fldinst {HYPERLINK \"https://example.org\"}}{\\fldrslt {\\ul link}}} "
        "\\uc2\\u21271\\'96\\'b4 \\uc1\\u-10179?\\u-8704? \\lquote q\\rquote\\emdash\\~\\line next\\tab tabbed"
        "{\\*\\bkmkstart mark}\\par\\trowd \\cellx2000\\cellx4000 \\pard\\intbl A1\\cell B1\\cell \\row "
        "{\\pict\\pngblip 89504e47}{\\*\\shppict{\\pict\\wmetafile8 0100}}{\\nonshppict{\\pict\\wmetafile8 0100}}"
        "{\\object\\objemb{\\*\\objdata 0105}{\\result after object}}\\pard\\qr right \\bin3 {}\\end}";
    const RichText text = readRtf(rtf);
    EXPECT_EQ(plain(text),
              "Title|Bold both bold plain link \xE5\x8C\x97 \xF0\x9F\x98\x80 \xE2\x80\x98q\xE2\x80\x99\xE2\x80\x94"
              "\xC2\xA0|next\ttabbed|A1\tB1\t|right end");
    ASSERT_GE(text.paragraphs.size(), 5u);
    EXPECT_EQ(text.paragraphs[0].alignment, ParagraphAlignment::Center);
    EXPECT_EQ(text.paragraphs[0].runs[0].format, (TextFormat{"Arial", 16, true, false, false}));
    const RichParagraph& body = text.paragraphs[1];
    EXPECT_EQ((std::array{body.leftIndent, body.rightIndent, body.firstIndent}), (std::array{567, 283, -283}));
    ASSERT_GE(body.runs.size(), 5u);
    // Nested groups: bold italic inside bold, plain after the group; the field's result underlined.
    EXPECT_EQ(body.runs[1].format, (TextFormat{"Times New Roman", 12, true, true, false}));
    EXPECT_FALSE(body.runs[3].format.bold);
    EXPECT_EQ(body.runs[4], (TextRun{"link", {"Times New Roman", 12, false, false, true}}));
    EXPECT_EQ(text.paragraphs[4].alignment, ParagraphAlignment::Right);
}

TEST(RtfReader, PlainResetsCharactersAndPardResetsParagraphs) {
    const RichText text = readRtf(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\qc\\li300\\f1\\fs18\\b\\i\\ul A\\plain B\\par "
        "\\pard C}");
    ASSERT_EQ(text.paragraphs.size(), 2u);
    EXPECT_EQ(text.paragraphs[0].runs[0].format, (TextFormat{"Courier New", 9, true, true, true}));
    EXPECT_EQ(text.paragraphs[0].runs[1].format, (TextFormat{"Arial", 12, false, false, false}));
    EXPECT_EQ((std::pair{text.paragraphs[0].alignment, text.paragraphs[0].leftIndent}),
              (std::pair{ParagraphAlignment::Center, 300}));
    EXPECT_EQ((std::pair{text.paragraphs[1].alignment, text.paragraphs[1].leftIndent}),
              (std::pair{ParagraphAlignment::Left, 0}));
}

TEST(RtfReader, UnicodeFallbackSkippingFollowsUc) {
    // \uc0: nothing to skip; \uc3: a hex escape, a control word and a character are three.
    EXPECT_EQ(plain(readRtf("{\\rtf1\\uc0\\u233 x}")), "\xC3\xA9x");
    EXPECT_EQ(plain(readRtf("{\\rtf1\\uc3\\u233\\'65\\tab eX}")), "\xC3\xA9X");
    // A group end stops the skipping; a group keeps its own \uc.
    EXPECT_EQ(plain(readRtf("{\\rtf1\\uc2{\\u233?}yz}")), "\xC3\xA9yz");
    EXPECT_EQ(plain(readRtf("{\\rtf1{\\uc0 \\u233}\\u233?z}")), "\xC3\xA9\xC3\xA9z");
    // A lone surrogate becomes the replacement character.
    EXPECT_EQ(plain(readRtf("{\\rtf1\\u-10179?x}")), "\xEF\xBF\xBDx");
}

TEST(RtfReader, EightBitTextBadEscapesAndLeadingBlanksAreTolerated) {
    EXPECT_EQ(plain(readRtf("{\\rtf1 caf\xE9 \\'zz\\'4}")), "caf\xC3\xA9 zz4");
    EXPECT_EQ(plain(readRtf("{\\rtf1 a\\unknownword42 b\\*\\x c}")), "ab");
    EXPECT_EQ(plain(readRtf("{\\rtf1 ok} trailing text after the document")), "ok");
    // The signature is recognised after a byte order mark and blanks.
    EXPECT_TRUE(looksLikeRtf("\xEF\xBB\xBF \r\n{\\rtf1"));
    for (const char* text : {"Plane failure report", "{\\rt", ""}) EXPECT_FALSE(looksLikeRtf(text)) << text;
}

// --------------------------------------------------------------------- fuzz

TEST(RtfReaderFuzz, DeepNestingNeitherOverflowsNorLosesText) {
    const std::size_t depth = 100'000;
    const std::string deep = "{\\rtf1 " + std::string(depth, '{') + "\\b deep" + std::string(depth, '}') + " after}";
    const RichText text = readRtf(deep);
    EXPECT_EQ(plain(text), "deep after");
    EXPECT_TRUE(text.paragraphs[0].runs[0].format.bold);
    EXPECT_FALSE(text.paragraphs[0].runs[1].format.bold);

    EXPECT_EQ(plain(readRtf(std::string(depth, '{'))), "");
    EXPECT_EQ(plain(readRtf("{\\rtf1 x" + std::string(depth, '}') + "y")), "x");
    EXPECT_EQ(plain(readRtf(std::string(depth, '}') + "{\\rtf1 z}")), "z");
}

TEST(RtfReaderFuzz, HugeCountsAndLongWordsAreClamped) {
    EXPECT_EQ(plain(readRtf("{\\rtf1 a\\bin999999999999 {}b}")), "a");
    EXPECT_EQ(plain(readRtf("{\\rtf1 a\\bin-5 b}")), "ab");
    EXPECT_EQ(plain(readRtf("{\\rtf1\\uc999999999 \\u65 abc}")), "A");
    EXPECT_EQ(plain(readRtf("{\\rtf1\\u99999999999999999999 x}")), "\xEF\xBF\xBD");
    EXPECT_EQ(plain(readRtf("{\\rtf1\\fs99999999 big\\li-99999999999 x}")), "bigx");
    EXPECT_EQ(readRtf("{\\rtf1\\fs99999999 big}").paragraphs[0].runs[0].format.size, 1638);
    EXPECT_EQ(plain(readRtf("{\\rtf1\\" + std::string(100'000, 'a') + " x}")), "x");
    EXPECT_EQ(plain(readRtf("{\\rtf1\\f" + std::string(100'000, '9') + " y}")), "y");
    for (const char* tail : {"\\", "\\'", "\\'4", "\\u", "\\u-", "\\bin", "\\*", "{\\fonttbl{\\f0 Ari"})
        EXPECT_NO_THROW(readRtf(std::string("{\\rtf1 x") + tail)) << tail;
}

TEST(RtfReaderFuzz, TruncationsRandomBytesAndMutationsNeverCrashOrHang) {
    const std::string seed = writeRtf(sampleReport());
    const std::size_t full = plain(readRtf(seed)).size();
    for (std::size_t length = 0; length <= seed.size(); ++length) {
        // A truncated file never shows more text than the whole one.
        ASSERT_LE(plain(readRtf(std::string_view(seed).substr(0, length))).size(), full + 8) << length;
    }
    std::mt19937 random(20240601);  // fixed seed: a failure is reproducible
    const std::string alphabet = "{}\\'*;?0123456789-abfiuclsqrpnt \r\n\x80\xff";
    for (int round = 0; round < 3000; ++round) {
        const int kind = round % 3;  // raw random bytes, random RTF-like tokens, or a real file with damage
        std::string input = kind == 2 ? seed : kind == 1 ? "{\\rtf1" : "";
        const std::size_t n = random() % 400;
        for (std::size_t i = 0; kind < 2 && i < n; ++i)
            input += kind ? alphabet[random() % alphabet.size()] : static_cast<char>(random() & 0xFF);
        for (int k = 0; kind == 2 && k < 10; ++k) input[random() % input.size()] = alphabet[random() % alphabet.size()];
        if (kind == 2) input.resize(random() % input.size());
        const RichText text = readRtf(input);
        ASSERT_FALSE(text.paragraphs.empty());
        for (const RichParagraph& p : text.paragraphs)
            for (const TextRun& run : p.runs)
                ASSERT_TRUE(!run.text.empty() && run.text.find_first_of("\r\n") == std::string::npos) << round;
        // Whatever was read can be written and read again unchanged.
        RichTextDocument document(text);
        ASSERT_EQ(readRtf(writeRtf(document.richText())), document.richText()) << round;
    }
}

}  // namespace
}  // namespace ravelin
