// The session's event log: its file, named from the program.

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

TEST_F(LogTest, AnUnwritableFolderIsIgnored) {
    platform.folder = folder.file("missing/deeper");
    Session s{platform};
    s.writeLogFile("nothing");
    s.logEvent("still nothing");
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
}

}  // namespace
}  // namespace ravelin
