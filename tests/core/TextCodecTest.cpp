// Windows-1252 and UTF-8: validation, conversion, and the encoding files
// are written in and read back from.

#include "core/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin {
namespace {

const std::string kDegree = "\xC2\xB0";        // °
const std::string kAUmlaut = "\xC3\xA4";       // ä
const std::string kEuro = "\xE2\x82\xAC";      // €
const std::string kMountain = "\xE5\xB1\xB1";  // a CJK character Windows-1252 lacks
const std::string kBom = "\xEF\xBB\xBF";

TEST(Utf8Validation, AcceptsWellFormedAndRejectsTheRest) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ASCII " + kDegree + kEuro + kMountain + "\xF0\x9F\x98\x80"));
    // A lone Windows-1252 degree sign, truncated, overlong in two and three bytes, a surrogate,
    // above U+10FFFF, a bad continuation.
    for (const char* bad :
         {"\xB0", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82x"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
}

TEST(Cp1252, EveryByteRoundTripsAndTheHighRangeMapsToItsCharacters) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string utf8 = cp1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToCp1252(utf8), all);
    // € … — Ÿ, and the five unassigned bytes keep their own code point.
    EXPECT_EQ(cp1252ToUtf8("\x80\x85\x97\x9F\xB0"), kEuro + "\xE2\x80\xA6\xE2\x80\x94\xC5\xB8" + kDegree);
    EXPECT_EQ(cp1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
    EXPECT_EQ(utf8ToCp1252(kMountain), std::nullopt);
    EXPECT_EQ(utf8ToCp1252("\xC2\x80"), std::nullopt);  // U+0080 is not the euro byte
    EXPECT_EQ(utf8ToCp1252("\xB0"), std::nullopt);      // not UTF-8 at all
}

TEST(FileText, EncodingPrefersWindows1252AndDecodingDropsTheBomAndFallsBack) {
    std::string text = "Dip " + kDegree + " " + kAUmlaut + " " + kEuro;
    EXPECT_EQ(encodeFileText(text), "Dip \xB0 \xE4 \x80");
    std::string wide = text + " " + kMountain;
    EXPECT_EQ(encodeFileText(wide), wide);  // kept as UTF-8 rather than lost
    EXPECT_EQ(decodeFileText(encodeFileText(wide)), wide);

    EXPECT_EQ(decodeFileText(kBom + "a" + kDegree), "a" + kDegree);
    EXPECT_EQ(decodeFileText(kBom), "");
    EXPECT_EQ(decodeFileText("45\xB0"), "45" + kDegree);
    // One invalid byte makes the whole file Windows-1252.
    EXPECT_EQ(decodeFileText(kAUmlaut + "\xB0"), "\xC3\x83\xC2\xA4" + kDegree);
}

// Texts whose Windows-1252 bytes a reader would take for UTF-8 or a byte-order mark.
TEST(FileText, EveryTextReadsBackAsWritten) {
    const std::string aTilde = "\xC3\x83";                      // Ã, Windows-1252 0xC3
    const std::string copyright = "\xC2\xA9";                   // ©, Windows-1252 0xA9
    const std::string bomAsLatin = "\xC3\xAF\xC2\xBB\xC2\xBF";  // "ï»¿", Windows-1252 EF BB BF
    const std::pair<std::string, std::string> cases[] = {
        {aTilde + copyright, aTilde + copyright},            // C3 A9 is "é" in UTF-8
        {aTilde + copyright + kDegree, "\xC3\xA9\xB0"},      // not UTF-8 as a whole: single-byte
        {bomAsLatin + "x", bomAsLatin + "x"},                // EF BB BF would be dropped as a mark
        {bomAsLatin + "\xC3\xA9", bomAsLatin + "\xC3\xA9"},  // ... even before invalid UTF-8
        {kBom + "a", kBom + kBom + "a"},                     // U+FEFF first: behind a mark of its own
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(encodeFileText(text), bytes) << text;
        EXPECT_EQ(decodeFileText(encodeFileText(text)), text) << text;
    }
    // Single-byte text that no reader mistakes stays single-byte.
    EXPECT_EQ(encodeFileText(aTilde + " " + copyright), "\xC3 \xA9");
}

}  // namespace
}  // namespace ravelin
