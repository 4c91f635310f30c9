// The spacing and probability tool and the volume tool as a user drives
// them: opening, range messages, reformatting, the infinite threshold
// distance, a volume too large for a number, the three-set page's notice and
// the reports. Worked results of the arithmetic are in
// ToolArithmeticTest.cpp; the command line
// agrees in tests/cli/tools.tsv.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "models/ModelWindowFixture.h"
#include "core/SymbolFont.h"
#include "documents/InfoBoxForm.h"

namespace ravelin::testing {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// A tool window driven as a user drives it: entries typed field after
// field, a page selected and exported.
class ToolWindowTest : public ModelWindowTest {
protected:
    explicit ToolWindowTest(std::string window) : window_(std::move(window)) {}

    Form& tool() { return session.form(window_); }
    void typeAll(const Entries& entries) {
        for (const auto& [key, value] : entries) type(tool(), key, value);
    }
    // Types the entries, selects the page and exports it; the blocks written.
    const std::vector<ReportBlock>& exportPage(int page, const Entries& entries) {
        report.clear();
        typeAll(entries);
        selectPage(tool(), page);
        click(tool(), "cmdExport");
        return report;
    }

private:
    std::string window_;
};

class ToolSpacingFormTest : public ToolWindowTest {
protected:
    ToolSpacingFormTest() : ToolWindowTest("frmToolSpacing") {}
};

TEST_F(ToolSpacingFormTest, OpensFromMenuAndToolbarAndHidesWhenClosed) {
    for (const auto& [command, button, window] : {std::tuple{"mnuToolsSpacing", "DiscSpac", "frmToolSpacing"},
                                                  std::tuple{"mnuToolsVol", "Volume", "frmToolVol"}}) {
        main->userClick(main->menuItem(command));
        EXPECT_TRUE(session.form(window).visible()) << command;
        EXPECT_EQ(main->toolButton(button)->value(), 1) << command;
        EXPECT_FALSE(session.closeForm(session.form(window)));  // the title bar only hides it
        EXPECT_FALSE(session.form(window).visible());
        EXPECT_EQ(main->menuItem(command).value(), 0);
        main->userClick(*main->toolButton(button));
        EXPECT_TRUE(session.form(window).visible()) << button;
    }
}

TEST_F(ToolSpacingFormTest, RangeMessagesNameTheirField) {
    const struct {
        const char* key;
        const char* typed;
        const char* message;
        const char* left;
    } cases[] = {
        {"txtDistrDisc(1)", "", "The number of discontinuities should not be smaller than 1", "1"},
        {"txtDI(3)", "91",
         "The angle between intersection line and the pole to the surface of observation should not be greater than 90",
         "90.0"},
        {"txtC2(0)", "1e10", "The persistance of the first set should not be greater than 2147483647", "2147483647.0"},
        {"txtC2(6)", "1e12", "The number of successive intersections (stairs) should not be greater than 2147483647",
         "2147483647"},
        {"txtC4(5)", "1e10", "The persistence of the second set should not be greater than 2147483647", "2147483647.0"},
    };
    for (const auto& c : cases) {
        platform.forgetMessages();
        type(tool(), c.key, c.typed);
        EXPECT_EQ(t.messageTexts(), std::vector<std::string>{c.message}) << c.key << " " << c.typed;
        EXPECT_EQ(text(tool(), c.key), c.left) << c.key;
    }
}

TEST_F(ToolSpacingFormTest, LeavingReformatsTheArrayButNotTheStairs) {
    Form& w = tool();
    control(w, "txtDistrDisc(3)").withText("2abc");
    control(w, "txtDI(0)").withText("7abc");
    typeAll({{"txtDistrDisc(0)", "0.123456789"}, {"txtDistrDisc(1)", "2.5"}, {"txtDI(5)", "1"}});
    EXPECT_EQ(text(w, "txtDI(0)"), "7.0");  // another frame, the same array
    EXPECT_EQ(text(w, "txtDistrDisc(0)"), "0.1234568");
    EXPECT_EQ(text(w, "txtDistrDisc(3)"), "2.0");
    EXPECT_EQ(text(w, "txtDistrDisc(1)"), "3");  // k is whole, rounded as shown
    typeAll({{"txtDistrDisc(2)", "2"}, {"txtDistrDisc(5)", "1"}});
    EXPECT_EQ(text(w, "txtResDD(0)"), "18.04");  // k = 3 with two expected

    // The number of stairs keeps its text and rounds halves to even: 2.5 stairs are 2.
    const Entries connectivity = {
        {"txtC2(0)", "1"},  {"txtC2(1)", "1"},  {"txtC2(2)", "1"},   {"txtC2(3)", "1"},
        {"txtC2(4)", "90"}, {"txtC2(5)", "50"}, {"txtC2(6)", "2.5"},
    };
    typeAll(connectivity);
    EXPECT_EQ(text(w, "txtC2(6)"), "2.5");
    EXPECT_EQ(text(w, "txtC2Ret(4)"), "1.692");
}

TEST_F(ToolSpacingFormTest, CertaintyShowsTheInfinitySignInTheSymbolFontAndReportsItAsText) {
    Form& w = tool();
    typeAll({{"txtDistrDisc(0)", "2"}, {"txtDistrDisc(4)", "100"}});
    const Control& threshold = control(w, "txtResDD(3)");
    EXPECT_EQ(threshold.text(), "® +¥ ");
    EXPECT_EQ(threshold.font().name, "Symbol");
    EXPECT_EQ(ShownText(threshold), "→ +∞ ");
    // The report, the Info box's text and its RTF file write the signs as such.
    click(w, "cmdExport");
    EXPECT_EQ(report.back(), bodyBlock("\r\n\r\nProbability threshold of finding one or more discontinuities : 100%\r\n"
                                       "Interval distance for this threshold : → +∞ \r\n\r\n\r\n"));
    const auto& box = dynamic_cast<const InfoBoxForm&>(session.form("frmInfoBox"));
    EXPECT_NE(box.document().plainText("\r\n").find("threshold : → +∞ \r\n"), std::string::npos);
    EXPECT_NE(box.richTextFile().find("threshold : \\u8594? +\\u8734? "), std::string::npos);
    type(w, "txtDistrDisc(4)", "50");
    EXPECT_EQ(threshold.text(), "1.39");
    EXPECT_FALSE(threshold.fontChanged());  // back to the field's own font

    typeAll({{"txtC2(1)", "1"}, {"txtC2(3)", "2"}, {"txtC2(5)", "100"}});
    EXPECT_EQ(ShownText(control(w, "txtC2Ret(0)")), "→ +∞ ");
    EXPECT_EQ(ShownText(control(w, "txtC2Ret(1)")), "→ +∞ ");
    type(w, "txtC2(5)", "75");
    EXPECT_EQ(ShownText(control(w, "txtC2Ret(1)")), "0.69");
    EXPECT_FALSE(control(w, "txtC2Ret(1)").fontChanged());
}

TEST_F(ToolSpacingFormTest, PageKeysWalkThePagesAndOnlyTheThreeSetPageTakesAPress) {
    Form& w = tool();
    Control& threeSets = control(w, "picOptions(4)");
    w.userClick(threeSets);  // a page out of sight takes no press
    w.userFocus(control(w, "txtDistrDisc(0)"));
    for (int i = 0; i < 6; ++i) w.userKeyDown(keys::PageDown, 0);
    EXPECT_EQ(control(w, "tbsOptions").value(), 5);
    EXPECT_TRUE(platform.told().empty());  // selecting the page alone says nothing
    w.userClick(threeSets);
    ASSERT_EQ(platform.told().size(), 1u);
    EXPECT_EQ(platform.told()[0].text,
              "The calculation scheme used for 3 discontinuity sets is still under testing...");
    w.userKeyDown(keys::PageUp, 0);
    EXPECT_EQ(control(w, "tbsOptions").value(), 4);
    EXPECT_FALSE(threeSets.enabled());
}

TEST_F(ToolSpacingFormTest, IntersectionsPageReport) {
    const Entries intersections = {
        {"txtDI(0)", "2"},    {"txtDI(1)", "3"},  {"txtDI(2)", "30"},
        {"txtDI(3)", "7.25"}, {"txtDI(4)", "10"}, {"txtDI(5)", "5"},
    };
    exportPage(2, intersections);
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report[1], headingBlock("\r\n\r\nIntersection data"));
    EXPECT_EQ(report[2].text,
              "\r\nFrequency of set 1 : 2\r\nFrequency of set 2 : 3\r\nAngle between the two sets : 30.0°\r\n"
              "Angle between intersection line and the pole to the surface of observation : 07.25°\r\n\r\n");
    // 2·3·5·cos 7.25° = 29.760 (hand-worked)
    EXPECT_EQ(report[6].text,
              "\r\nSurface : 5\r\nNumber of intersection lines on the considered surface : "
              "29.76\r\n\r\n\r\n");
}

class ToolVolFormTest : public ToolWindowTest {
protected:
    ToolVolFormTest() : ToolWindowTest("frmToolVol") {}
};

TEST_F(ToolVolFormTest, AVolumeTooLargeForANumberAndTheSetsReformattedTogether) {
    Form& w = tool();
    typeAll({{"txtMS(0)", "2000"}, {"txtMS(1)", "1500"}, {"txtMS(2)", "1000"}, {"txtMS(3)", "1000"}});
    // A sliver of an angle (1e-310 degrees) gives a volume too large for a number...
    Control& angle = control(w, "txtMS(4)");
    w.userFocus(angle);
    w.userType(angle, "0." + std::string(309, '0') + "1");
    EXPECT_EQ(text(w, "txtV2"), "-");
    w.userLeave();  // ... until the field shows it as the 0.0 it rounds to
    EXPECT_EQ(text(w, "txtV2"), "0.0");

    const Entries prisms = {
        {"txtMS13(0)", "1"},  {"txtMS13(1)", "2"},  {"txtMS13(2)", "3"},
        {"txtMS13(4)", "90"}, {"txtMS13(6)", "90"}, {"txtMS13(7)", "90"},
    };
    typeAll(prisms);
    EXPECT_EQ(text(w, "txtV3"), "6.0");
    EXPECT_EQ(text(w, "txtMS13(8)"), "0.0");  // leaving a set's field reformats every set's
    type(w, "txtMS13(8)", "90");              // three vertical sets: no prism
    EXPECT_EQ(text(w, "txtV3"), "-");

    const std::pair<const char*, const char*> ranges[] = {
        {"txt1MS(3)",
         "The apparent fequency of the fractures in a direction perpendicular to the intersection of 1 and 2 should "
         "not be greater than 2147483647"},
        {"txtMS13(6)", "The dip angle of plane 1 should not be greater than 90"},
    };
    for (const auto& [key, message] : ranges) {
        type(tool(), key, "3e9");
        EXPECT_EQ(t.messageTexts(), std::vector<std::string>{message}) << key;
        platform.forgetMessages();
    }
}

TEST_F(ToolVolFormTest, ReportsOfThePagesLeaveTheInfoBoxCaption) {
    exportPage(1, {{"txtMS(0)", "1"}, {"txtMS(1)", "1.5"}, {"txtMS(2)", "2"}, {"txtMS(3)", "3"}, {"txtMS(4)", "89.6"}});
    // The report names the Info box without a visible effect.
    EXPECT_EQ(session.form("frmInfoBox").caption(), "InfoBox");
    EXPECT_EQ(dynamic_cast<InfoBoxForm&>(session.form("frmInfoBox")).reportName(), "VolumeEstimation");
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[3].text,
              "\r\nMean spacing of set 1 : 1\r\nMean persistance of set 1 : 2\r\nMean spacing of set 2 : 1.5\r\n"
              "Mean persistance of set 2 : 3\r\nAngle between set 1 and set 2 : 90°\r\n\r\n");
    EXPECT_EQ(report[5].text, "\r\nCompartment mean volume : 1.9\r\n\r\n\r\n");  // 6 / (π sin 89.6°)

    const Entries turned = {
        {"txtMS13(0)", "1"},  {"txtMS13(1)", "2"},  {"txtMS13(2)", "3"},  {"txtMS13(3)", "5"},
        {"txtMS13(4)", "95"}, {"txtMS13(6)", "90"}, {"txtMS13(7)", "90"},
    };
    exportPage(3, turned);
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[3].text,
              "\r\nMean spacing of set 1 : 1\r\nDip direction of set 1 : 005°\r\nDip angle of set 1 : "
              "90°\r\nMean spacing of set 2 : 2\r\nDip direction of set 2 : 095°\r\nDip angle of set 2 : "
              "90°\r\nMean spacing of set 3 : 3\r\nDip direction of set 3 : 000°\r\nDip angle of set 3 : "
              "00°\r\n\r\n");
    EXPECT_EQ(report[5].text, "\r\nCompartment mean volume : 6.0\r\n\r\n\r\n");
}

}  // namespace
}  // namespace ravelin::testing
