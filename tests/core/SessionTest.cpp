// The session's event log: its file, named from the program, and its window.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/TextCodec.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;
using testing::TestSession;

struct LogTest : ::testing::Test {
    TempFolder folder;
    testing::TestPlatform platform;
    void SetUp() override {
        platform.folder = folder.path.string();
        platform.executable = "Ravelin";
    }
};

TEST_F(LogTest, AFullSessionReadsLineByLine) {
    {
        TestSession t;
        t.platform.folder = platform.folder;
        Session& s = t.session;
        // Reload the main window so that its first block goes to the folder.
        s.destroyForm(*t.main);
        auto& main = dynamic_cast<MainForm&>(s.createForm("frmMain"));
        t.platform.clock = {"06/12/2026", "09:15:00"};
        s.logEvent("Opening XYZ - Tool");
        s.writeLogFile("");
        s.writeLogFile("\r\nno time here");
        ASSERT_TRUE(main.shutdown());
    }
    const std::string rule(43, '_');
    EXPECT_EQ(readFileBytes(folder.file("RaveEvents.log")).value_or("<missing>"),
              "Ravelin last session events\r\n\r\n" + rule + "\r\n\r\nSession started on 06/12/2026 at 14:03:27\r\n" +
                  rule + "\r\n\r\n09:15:00  -  Opening XYZ - Tool\r\n09:15:00  -  \r\n\r\nno time here\r\n" +
                  "\r\n     Session ended on 06/12/2026 at 09:15:00\r\n\r\n");
}

TEST_F(LogTest, ASecondSessionReplacesTheFirst) {
    Session{platform}.writeLogFile("first session");
    {
        Session s{platform};
        s.writeLogFile("second session");
        s.writeLogFile("line");
    }
    EXPECT_EQ(readFileBytes(folder.file("RaveEvents.log")).value_or("<missing>"),
              "Ravelin last session events\r\nsecond session\r\n14:03:27  -  line\r\n");
}

TEST_F(LogTest, TheLogWindowShowsTimeAndMessage) {
    TestSession t;
    t.session.logEvent("\r\nstarts with a break");
    const std::string text = t.session.form("frmLog").text("txtLog");
    EXPECT_NE(text.find("\r\n        14:03:27  -  \r\nstarts with a break"), std::string::npos) << text;
}

TEST_F(LogTest, TheFileIsNamedFromTheExecutableAndAnUnwritableFolderIsIgnored) {
    platform.executable = "ra";
    EXPECT_EQ(Session{platform}.logFilePath(), folder.file("raEvents.log"));
    platform.executable = "ravelin-cli";
    EXPECT_EQ(Session{platform}.logFilePath(), folder.file("raveEvents.log"));
    platform.folder = folder.file("missing/deeper");
    Session s{platform};
    s.writeLogFile("nothing");
    s.logEvent("still nothing");
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
}

}  // namespace
}  // namespace ravelin
