// The save dialog's file type decides the format: a name typed without an
// extension takes the chosen filter's, and a file of the completed name is
// not replaced without asking. Then the file facts the Properties dialog
// shows.

#include "core/SaveDialog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "core/FileFacts.h"
#include "support/TestPlatform.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;

const char* const kChartFilter =
    "Windows bitmap (*.bmp)|*.bmp|PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";
const char* const kReportFilter = "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt";
const char* const kDatasheetFilter = "Spacing datasheet (*.spg)|*.spg|All Files (*.*)|*.*";

TEST(SaveDialogTest, ABareNameTakesTheChosenFiltersExtension) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"/d/chart", kChartFilter, 2, "/d/chart.png"},
        {"/d/chart", kChartFilter, 4, "/d/chart.pdf"},
        {"/d/chart.SVG", kChartFilter, 1, "/d/chart.SVG"},  // an extension the dialog offers stays
        {"/d/report", kReportFilter, 2, "/d/report.txt"},
        {"/d/report.rtf", kReportFilter, 2, "/d/report.rtf"},  // typed: the name decides
        {"/d/report.final", kReportFilter, 1, "/d/report.final.rtf"},
        {"/d/v1.2/survey", kDatasheetFilter, 1, "/d/v1.2/survey.spg"},  // a dot in a folder is no extension
        {"/d/survey", kDatasheetFilter, 2, "/d/survey"},                // "All Files": as typed
        {"/d/survey", kDatasheetFilter, 7, "/d/survey"},                // no such filter
        {"/d/survey", "Several (*.dgt;*.spg)|*.dgt;*.spg", 1, "/d/survey.dgt"},
    };
    for (const auto& [path, filter, index, expected] : cases)
        EXPECT_EQ(pathForFilter(path, filter, index), expected) << path << " filter " << index;
    EXPECT_EQ(filterExtensions("A (*.A;*.b)|*.A;*.b|All|*.*"),
              (std::vector<std::vector<std::string>>{{".a", ".b"}, {}}));
}

TEST(SaveDialogTest, ACompletedNameThatExistsIsReplacedOnlyWhenTheUserAgrees) {
    TempFolder folder;
    testing::TestPlatform platform;
    const std::string bare = folder.file("report");
    const std::string existing = folder.write("report.txt", "old");
    const FileDialogRequest request{"Ravelin - Save", kReportFilter, "", 1, false, true};
    platform.saveAnswers = {bare, bare, bare};
    platform.saveFilters = {2, 2, 1};
    platform.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_EQ(chooseSaveFile(platform, request), std::nullopt);  // No: as if cancelled
    EXPECT_EQ(chooseSaveFile(platform, request), existing);
    EXPECT_EQ(chooseSaveFile(platform, request), bare + ".rtf");  // nothing there: no question
    ASSERT_EQ(platform.told().size(), 2u);
    EXPECT_EQ(platform.told()[0].text, "The file '" + existing + "' already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(platform.told()[0].buttons, MessageButtons::YesNo);
    // A name the dialog returned whole was asked about by the dialog itself.
    platform.saveAnswers = {existing, std::nullopt};
    EXPECT_EQ(chooseSaveFile(platform, request), existing);
    EXPECT_EQ(platform.told().size(), 2u);
    EXPECT_EQ(chooseSaveFile(platform, request), std::nullopt);  // cancelled
}

TEST(FileFactsTest, SizeAndDatesOfAFile) {
    TempFolder folder;
    const std::time_t made = std::time(nullptr);
    const std::string path = folder.write("facts.spg", std::string(1234567, 'x'));
    // 2024-03-05 06:07:08 UTC, read back in UTC.
    const auto written = std::chrono::sys_days{std::chrono::year{2024} / 3 / 5} + std::chrono::hours{6} +
                         std::chrono::minutes{7} + std::chrono::seconds{8};
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(written));
    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const std::optional<FileFacts> facts = fileFacts(path);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->size, 1234567u);
    EXPECT_EQ(localTimeText(facts->modified), "2024-03-05 06:07:08");
    // Where the file system keeps it, the creation date is now, not the date the file was given.
    if (facts->created) {
        EXPECT_NEAR(static_cast<double>(*facts->created), static_cast<double>(made), 5);
    }
    if (zone) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();

    EXPECT_EQ(fileFacts(folder.file("missing.spg")), std::nullopt);
    EXPECT_EQ(fileFacts(folder.path.string()), std::nullopt);  // a folder is no document file
    const std::tuple<std::uintmax_t, const char*> sizes[] = {
        {0, "0 bytes"}, {1, "1 byte"}, {999, "999 bytes"}, {1000, "1 000 bytes"}, {1234567, "1 234 567 bytes"}};
    for (const auto& [bytes, text] : sizes) EXPECT_EQ(byteCountText(bytes), text);
}

}  // namespace
}  // namespace ravelin
