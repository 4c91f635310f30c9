// The system's file calls behind one interface: a regular file read whole
// into the room the caller gives, what is refused, and a new file's
// creation date where the file system keeps one.

#include "core/SystemFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSession.h"

namespace ravelin {
namespace {

// Reads `path` with readRegularFile into a vector sized by its call; the sizes asked for are kept.
struct Reading {
    bool whole = false;
    std::vector<char> bytes;
    std::vector<std::size_t> asked;
};

Reading readInto(const std::string& path) {
    Reading reading;
    reading.whole = readRegularFile(path, [&reading](std::size_t size) {
        reading.asked.push_back(size);
        reading.bytes.assign(size, '?');
        return reading.bytes.data();
    });
    return reading;
}

TEST(SystemFilesTest, ARegularFileIsReadWholeIntoTheRoomOfItsSize) {
    const testing::TempFolder temp;
    const std::string bytes("12.5\r\n\0\xE9 end", 11);
    for (const std::string& content : {bytes, std::string(), std::string(300000, 'x')}) {
        const std::string path = temp.write("file.spg", content);
        const Reading reading = readInto(path);
        EXPECT_TRUE(reading.whole) << content.size();
        EXPECT_EQ(reading.asked, std::vector<std::size_t>{content.size()});  // asked once, for the exact size
        EXPECT_EQ(std::string(reading.bytes.begin(), reading.bytes.end()), content);
        EXPECT_EQ(readFileBytes(path), content);
    }
    // A folder and a missing file are refused before any room is asked for.
    for (const std::string& path : {temp.path.string(), (temp.path / "missing.spg").string()}) {
        const Reading reading = readInto(path);
        EXPECT_FALSE(reading.whole) << path;
        EXPECT_TRUE(reading.asked.empty()) << path;
    }
}

TEST(SystemFilesTest, ANewFileWasCreatedNowWhereTheSystemTellsIt) {
    const testing::TempFolder temp;
    const std::time_t before = std::time(nullptr);
    const std::string path = temp.write("new.txt", "x");
    const std::time_t after = std::time(nullptr);
    const std::optional<std::time_t> created = fileBirthTime(path);
    if (!created) GTEST_SKIP() << "this file system keeps no creation date";
    // Whole seconds on both sides; the file system's clock may round down.
    EXPECT_GE(*created, before - 1);
    EXPECT_LE(*created, after + 1);
    EXPECT_EQ(fileBirthTime((temp.path / "missing.txt").string()), std::nullopt);
}

TEST(SystemFilesTest, LocalTimeIsACalendarTime) {
    // 2026-06-12 12:00 UTC is that day everywhere within twelve hours of UTC.
    const std::tm local = localCalendarTime(1781265600);
    EXPECT_EQ(local.tm_year, 126);
    EXPECT_EQ(local.tm_mon, 5);
    EXPECT_GE(local.tm_mday, 11);
    EXPECT_LE(local.tm_mday, 13);
}

}  // namespace
}  // namespace ravelin
