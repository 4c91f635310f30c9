// The scripted platform: in strict mode what a test did not script is
// recorded and reported, still answered so the window goes on, and a
// message that only tells is kept apart from a question answered by a
// guess; the lenient mode of the command line only answers. Scripted
// pictures have their size or the failure a real file would give.

#include <gtest/gtest.h>

#include "core/ScriptedPlatform.h"

namespace ravelin {
namespace {

TEST(StrictPlatformTest, UnscriptedRequestsAreReportedAndStillAnswered) {
    ScriptedPlatform platform;
    std::vector<std::string> reported;
    platform.onUnscripted = [&](const ScriptedPlatform::Unscripted& u) { reported.push_back(u.what); };
    const MessageRequest question{"Closing", "Save it ?", MessageIcon::None, MessageButtons::YesNoCancel};

    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(platform.messageBox(question), MessageAnswer::No);
    EXPECT_TRUE(platform.unscripted.empty());  // scripted: nothing to report

    EXPECT_EQ(platform.messageBox(question), MessageAnswer::Yes);
    EXPECT_EQ(platform.messageBox({"Invalid data", "Too large", MessageIcon::None, MessageButtons::Ok}),
              MessageAnswer::Ok);
    EXPECT_EQ(platform.inputBox("Width", "Export", "640"), std::optional<std::string>("640"));
    EXPECT_EQ(platform.openFileDialog({"Ravelin - Open", "All (*.*)|*.*", "", 1, false, false}), std::nullopt);
    EXPECT_EQ(platform.saveFileDialog({"Ravelin - Save", "All (*.*)|*.*", "", 1, false, true}), std::nullopt);

    ASSERT_EQ(platform.unscripted.size(), 5u);
    EXPECT_EQ(reported.size(), 5u);
    EXPECT_EQ(platform.unscripted[0].what, "message box \"Closing\": Save it ?");
    EXPECT_TRUE(platform.unscripted[0].question);
    EXPECT_FALSE(platform.unscripted[1].question);  // OK alone tells, asks nothing
    EXPECT_TRUE(platform.unscripted[2].question);
    EXPECT_EQ(platform.unscripted[4].what, "save dialog \"Ravelin - Save\"");

    platform.strict = false;
    platform.unscripted.clear();
    EXPECT_EQ(platform.messageBox(question), MessageAnswer::Yes);
    EXPECT_EQ(platform.openFileDialog({"Ravelin - Open", "All (*.*)|*.*", "", 1, false, false}), std::nullopt);
    EXPECT_TRUE(platform.unscripted.empty());
    EXPECT_EQ(reported.size(), 5u);
}

TEST(ScriptedPlatformTest, ScriptedPicturesHaveTheirSizeOrTheirFailure) {
    ScriptedPlatform platform;
    platform.addPicture("cliff.jpg", 6000, 4000);
    platform.addPictureFailure("broken.png", "'broken.png' is damaged or incomplete.");
    platform.addPicture("huge.bmp", 20000, 20000);  // 400 million pixels
    platform.addPicture("empty.gif", 0, 10);
    const PictureLoad photo = platform.loadPicture("cliff.jpg");
    ASSERT_TRUE(photo.picture);
    EXPECT_EQ(std::pair(photo.picture->width(), photo.picture->height()), std::pair(6000, 4000));
    const std::pair<const char*, const char*> failures[] = {
        {"broken.png", "'broken.png' is damaged or incomplete."},
        {"huge.bmp", "'huge.bmp' is too large to open: 20000 x 20000 pixels, more than 268435456."},
        {"empty.gif", "'empty.gif' is damaged or incomplete (no pixels)."},
        {"nowhere.tif", "Cannot open 'nowhere.tif': no such file."},
    };
    for (const auto& [path, message] : failures) {
        const PictureLoad failed = platform.loadPicture(path);
        EXPECT_FALSE(failed.picture) << path;
        EXPECT_EQ(failed.error, message);
    }
    EXPECT_EQ(platform.loadedPictures.size(), 5u);
}

}  // namespace
}  // namespace ravelin
