#include "core/TextCodec.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)  // the permission tests below are POSIX's
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "support/TestSession.h"

namespace ravelin {
namespace {

namespace fs = std::filesystem;

const std::string kDegree = "\xC2\xB0";        // °
const std::string kAUmlaut = "\xC3\xA4";       // ä
const std::string kEuro = "\xE2\x82\xAC";      // €
const std::string kMountain = "\xE5\xB1\xB1";  // a CJK character Windows-1252 lacks

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

    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF"
                             "a" +
                             kDegree),
              "a" + kDegree);
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF"), "");
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
        {"\xEF\xBB\xBF"
         "a",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "a"},  // U+FEFF first: behind a mark of its own
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(encodeFileText(text), bytes) << text;
        EXPECT_EQ(decodeFileText(encodeFileText(text)), text) << text;
    }
    // Single-byte text that no reader mistakes stays single-byte.
    EXPECT_EQ(encodeFileText(aTilde + " " + copyright), "\xC3 \xA9");
}

class FileTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ignored;  // a failed permission test must not leave the folder locked
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }
    testing::TempFolder temp;
    fs::path folder_ = temp.path;
};

TEST_F(FileTest, WriteThenReadBinary) {
    std::string path = (folder_ / "a.spg").string();
    std::string bytes("one\r\ntwo\0three\xB0\r\n", 18);
    std::string error = "stale";
    ASSERT_TRUE(writeFileAtomically(path, bytes, &error));
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(readFileBytes(path), bytes);
    ASSERT_TRUE(writeFileAtomically(path, "short"));
    EXPECT_EQ(readFileBytes(path), std::string("short"));
    EXPECT_EQ(entries(), 1u);  // no temporary left behind
    EXPECT_EQ(readFileBytes((folder_ / "missing").string()), std::nullopt);
    EXPECT_EQ(readFileBytes(folder_.string()), std::nullopt);
}

#if !defined(_WIN32)
TEST_F(FileTest, ReplacingKeepsPermissions) {
    std::string path = (folder_ / "b.txt").string();
    ASSERT_TRUE(writeFileAtomically(path, "1"));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "2"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

#endif

TEST_F(FileTest, FailedWriteLeavesTheOldFile) {
    std::string missing = (folder_ / "no-such-folder" / "c.txt").string();
    std::string error;
    EXPECT_FALSE(writeFileAtomically(missing, "x", &error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;

    // Renaming over a folder fails after the temporary is written: it must go.
    fs::create_directory(folder_ / "d");
    temp.write("d/inside", "kept");
    error.clear();
    EXPECT_FALSE(writeFileAtomically((folder_ / "d").string(), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFileBytes((folder_ / "d" / "inside").string()), std::string("kept"));
    EXPECT_EQ(entries(), 1u);
}

#if !defined(_WIN32)
TEST_F(FileTest, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    fs::create_directory(folder_ / "d");
    std::string error;
    std::string path = (folder_ / "c.txt").string();
    ASSERT_TRUE(writeFileAtomically(path, "old contents"));
    fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(writeFileAtomically(path, "new", &error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readFileBytes(path), std::string("old contents"));
    EXPECT_EQ(entries(), 2u);  // the folder "d" and the untouched file
}

#endif

}  // namespace
}  // namespace ravelin
