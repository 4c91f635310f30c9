// The save dialog's file type decides the format: a name typed without an
// extension takes the chosen filter's, and a file of the completed name is
// not replaced without asking.

#include "core/SaveDialog.h"

#include <gtest/gtest.h>

#include <tuple>

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
        {"/d/chart.SVG", kChartFilter, 1, "/d/chart.SVG"},  // an extension the dialog offers stays
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

}  // namespace
}  // namespace ravelin
