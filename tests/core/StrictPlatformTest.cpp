// The scripted platform: in strict mode what a test did not script is
// reported and still answered, a message that only tells apart from a
// question answered by a guess; the command line's lenient mode only answers.

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

}  // namespace
}  // namespace ravelin
