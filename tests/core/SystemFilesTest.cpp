// The system's file calls: a regular file read whole into the room the
// caller gives, refusals, the facts the Properties dialog shows, and the
// atomic replacement every save goes through.

#include "core/SystemFiles.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)  // the permission tests below are POSIX's
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/FileFacts.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

namespace fs = std::filesystem;

TEST(SystemFilesTest, ARegularFileIsReadWholeIntoTheRoomOfItsSize) {
    const testing::TempFolder temp;
    // Reads with readRegularFile into a vector sized by its call; the sizes asked for are kept.
    auto read = [](const std::string& path, std::vector<char>& bytes, std::vector<std::size_t>& asked) {
        return readRegularFile(path, [&](std::size_t size) {
            asked.push_back(size);
            bytes.assign(size, '?');
            return bytes.data();
        });
    };
    const std::string bytes("12.5\r\n\0\xE9 end", 11);
    for (const std::string& content : {bytes, std::string(), std::string(300000, 'x')}) {
        const std::string path = temp.write("file.spg", content);
        std::vector<char> room;
        std::vector<std::size_t> asked;
        EXPECT_TRUE(read(path, room, asked)) << content.size();
        EXPECT_EQ(asked, std::vector<std::size_t>{content.size()});  // asked once, for the exact size
        EXPECT_EQ(std::string(room.begin(), room.end()), content);
        EXPECT_EQ(readFileBytes(path), content);
    }
    // A folder and a missing file are refused before any room is asked for.
    for (const std::string& path : {temp.path.string(), temp.file("missing.spg")}) {
        std::vector<char> room;
        std::vector<std::size_t> asked;
        EXPECT_FALSE(read(path, room, asked)) << path;
        EXPECT_TRUE(asked.empty()) << path;
        EXPECT_EQ(readFileBytes(path), std::nullopt);
    }
}

TEST(FileFactsTest, SizeAndDatesOfAFile) {
    testing::TempFolder folder;
    const std::string path = folder.write("facts.spg", std::string(1234567, 'x'));
    // 2024-03-05 06:07:08 UTC, read back in UTC.
    const auto written = std::chrono::sys_days{std::chrono::year{2024} / 3 / 5} + std::chrono::hours{6} +
                         std::chrono::minutes{7} + std::chrono::seconds{8};
    fs::last_write_time(path, std::chrono::file_clock::from_sys(written));
    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const std::optional<FileFacts> facts = fileFacts(path);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->size, 1234567u);
    EXPECT_EQ(localTimeText(facts->modified), "2024-03-05 06:07:08");
    if (zone) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();

    EXPECT_EQ(fileFacts(folder.file("missing.spg")), std::nullopt);
    EXPECT_EQ(fileBirthTime(folder.file("missing.spg")), std::nullopt);
    EXPECT_EQ(fileFacts(folder.path.string()), std::nullopt);  // a folder is no document file
    const std::tuple<std::uintmax_t, const char*> sizes[] = {
        {0, "0 bytes"}, {1, "1 byte"}, {999, "999 bytes"}, {1000, "1 000 bytes"}, {1234567, "1 234 567 bytes"}};
    for (const auto& [bytes, text] : sizes) EXPECT_EQ(byteCountText(bytes), text);
}

// ------------------------------------------------------------- atomic replacement

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
}

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
TEST_F(FileTest, ReplacingKeepsPermissions) {
    std::string path = (folder_ / "b.txt").string();
    ASSERT_TRUE(writeFileAtomically(path, "1"));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "2"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

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
