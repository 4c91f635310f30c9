// The spacing and probability tool as a user drives it: opening, range
// messages, reformatting, the infinite threshold distance, the three-set
// page's notice and the reports of every page. Worked results of the
// arithmetic are in SpacingProbabilityTest.cpp; the command line agrees in
// tests/cli/tools.tsv.

#include <gtest/gtest.h>

#include "core/SymbolFont.h"
#include "documents/InfoBoxForm.h"
#include "ToolWindowFixture.h"

namespace ravelin::testing {
namespace {

class ToolSpacingFormTest : public ToolWindowTest {
protected:
    ToolSpacingFormTest() : ToolWindowTest("frmToolSpacing") {}
};

TEST_F(ToolSpacingFormTest, OpensFromMenuAndToolbarAndHidesWhenClosed) {
    for (const char* command : {"mnuToolsSpacing", "mnuToolsVol"}) {
        const ToolWindowInfo* info = nullptr;
        for (const ToolWindowInfo& candidate : toolWindows())
            if (candidate.menuItem == command) info = &candidate;
        ASSERT_TRUE(info);
        main->userClick(main->menuItem(command));
        Form& window = session.form(info->form);
        EXPECT_TRUE(window.visible()) << command;
        EXPECT_EQ(main->toolButton(info->button)->value(), 1) << command;
        EXPECT_FALSE(session.closeForm(window));  // the title bar only hides it
        EXPECT_FALSE(window.visible());
        EXPECT_EQ(main->menuItem(command).value(), 0);
        EXPECT_EQ(main->toolButton(info->button)->value(), 0);
        main->userClick(*main->toolButton(info->button));
        EXPECT_TRUE(window.visible()) << info->button;
        const std::string& log = session.form("frmLog").text("txtLog");
        EXPECT_NE(log.find("Opening " + info->logName), std::string::npos);
        EXPECT_NE(log.find("Closing " + info->logName), std::string::npos);
    }
    EXPECT_EQ(session.form("frmToolSpacing").caption(), "Spacing distribution and density of intersection");
    EXPECT_EQ(session.form("frmToolVol").caption(), "Volume estimations Tool");
}

TEST_F(ToolSpacingFormTest, RangeMessagesNameTheirField) {
    const struct {
        const char* key;
        const char* typed;
        const char* message;
        const char* left;
    } cases[] = {
        {"txtDistrDisc(1)", "0.4", "The number of discontinuities should not be smaller than 1", "1"},
        {"txtDistrDisc(1)", "", "The number of discontinuities should not be smaller than 1", "1"},
        {"txtDistrDisc(4)", "101", "The probability threshold should not be greater than 100", "100.0"},
        {"txtDistrDisc(5)", "3000000000", "The volume of the discontinuity should not be greater than 2147483647",
         "2147483647.0"},
        {"txtDI(3)", "91",
         "The angle between intersection line and the pole to the surface of observation should not be greater than 90",
         "90.0"},
        {"txtC2(0)", "1e10", "The persistance of the first set should not be greater than 2147483647", "2147483647.0"},
        {"txtC2(4)", "95", "The acute angle between the two sets should not be greater than 90", "90.0"},
        {"txtC2(6)", "1e12", "The number of successive intersections (stairs) should not be greater than 2147483647",
         "2147483647"},
        {"txtC24(4)", "90.5", "The angle between the two sets should not be greater than 90", "90.0"},
        {"txtC4(5)", "1e10", "The persistence of the second set should not be greater than 2147483647", "2147483647.0"},
        {"txtC4(10)", "361", "The dip direction of the third set should not be greater than 360", "360.0"},
        {"txtC4(7)", "91", "The dip angle of the second set should not be greater than 90", "90.0"},
        {"txtC4(12)", "200", "The probability threshold should not be greater than 100", "100.0"},
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
    typeAll({{"txtC2(0)", "1"},
             {"txtC2(1)", "1"},
             {"txtC2(2)", "1"},
             {"txtC2(3)", "1"},
             {"txtC2(4)", "90"},
             {"txtC2(5)", "50"},
             {"txtC2(6)", "2.5"}});
    EXPECT_EQ(text(w, "txtC2(6)"), "2.5");
    EXPECT_EQ(text(w, "txtC2(5)"), "50.0");
    EXPECT_EQ(text(w, "txtC2Ret(4)"), "1.692");
}

TEST_F(ToolSpacingFormTest, CertaintyShowsTheInfinitySignInTheSymbolFont) {
    Form& w = tool();
    typeAll({{"txtDistrDisc(0)", "2"}, {"txtDistrDisc(4)", "100"}});
    const Control& threshold = control(w, "txtResDD(3)");
    EXPECT_EQ(threshold.text(), "® +¥ ");
    EXPECT_EQ(threshold.font().name, "Symbol");
    EXPECT_EQ(ShownText(threshold), "→ +∞ ");
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

TEST_F(ToolSpacingFormTest, ThreeSetPageTellsItsSchemeIsUnderTestingWhenPressed) {
    Form& w = tool();
    Control& page = control(w, "picOptions(4)");
    w.userClick(page);  // a page out of sight takes no press
    selectPage(w, 5);
    EXPECT_TRUE(platform.told().empty());  // selecting the tab alone says nothing
    w.userClick(page);
    ASSERT_EQ(platform.told().size(), 1u);
    EXPECT_EQ(platform.told()[0].title, "Not available");
    EXPECT_EQ(platform.told()[0].text,
              "The calculation scheme used for 3 discontinuity sets is still under testing...");
    EXPECT_EQ(platform.told()[0].icon, MessageIcon::Information);
}

TEST_F(ToolSpacingFormTest, PageKeysWalkTheFivePages) {
    Form& w = tool();
    w.userFocus(control(w, "txtDistrDisc(0)"));
    for (int i = 0; i < 6; ++i) w.userKeyDown(keys::PageDown, 0);
    EXPECT_EQ(control(w, "tbsOptions").value(), 5);
    EXPECT_TRUE(control(w, "picOptions(4)").enabled());
    EXPECT_FALSE(control(w, "picOptions(0)").enabled());
    w.userKeyDown(keys::PageUp, 0);
    EXPECT_EQ(control(w, "tbsOptions").value(), 4);
    EXPECT_EQ(control(w, "tbsOptions").tabs().at(3).toolTip, "Connectivity of 4 disc. form 2 families (p. 71-75)");
}

TEST_F(ToolSpacingFormTest, DistributionReportCopiesTheInfinitySignAsText) {
    Form& w = tool();
    typeAll({{"txtDistrDisc(0)", "2"},
             {"txtDistrDisc(2)", "3"},
             {"txtDistrDisc(5)", "3"},
             {"txtDistrDisc(3)", "1.5"},
             {"txtDistrDisc(4)", "100"}});
    click(w, "cmdExport");
    const std::vector<ReportBlock> expected = {
        titleBlock("Spacing distribution and probability threshold"),
        bodyBlock("\r\n\r\nMean spacing of the discontinuity set : 2\r\n\r\n"),
        titleBlock("Discontinuities per volume"),
        bodyBlock("\r\n\r\nNumber of discontinuities k : 1\r\nVolume : 3\r\n"
                  "Probability of finding k discontinuities in this volume : 36.79%\r\n"
                  "Probability of finding less than k discontinuities in this volume : 36.79%\r\n\r\n"),
        titleBlock("Spacing distribution"),
        bodyBlock("\r\n\r\nInterval length d for probability calculation : 1.5\r\n"
                  "Probability of finding one or more discontinuities in an interval of d meters : 52.76%\r\n\r\n"),
        titleBlock("Threshold distance"),
        bodyBlock("\r\n\r\nProbability threshold of finding one or more discontinuities : 100%\r\n"
                  "Interval distance for this threshold : → +∞ \r\n\r\n\r\n"),
    };
    EXPECT_EQ(report, expected);
    // The Info box keeps the signs in its text and writes them as such into its files.
    const auto& box = dynamic_cast<const InfoBoxForm&>(session.form("frmInfoBox"));
    EXPECT_NE(box.document().plainText("\r\n").find("threshold : → +∞ \r\n"), std::string::npos);
    EXPECT_NE(box.richTextFile().find("threshold : \\u8594? +\\u8734? "), std::string::npos);
}

TEST_F(ToolSpacingFormTest, EachPageExportsItsOwnReport) {
    exportPage(2, {{"txtDI(0)", "2"},
                   {"txtDI(1)", "3"},
                   {"txtDI(2)", "30"},
                   {"txtDI(3)", "7.25"},
                   {"txtDI(4)", "10"},
                   {"txtDI(5)", "5"}});
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report[1], headingBlock("\r\n\r\nIntersection data"));
    EXPECT_EQ(report[2].text,
              "\r\nFrequency of set 1 : 2\r\nFrequency of set 2 : 3\r\nAngle between the two sets : 30.0°\r\n"
              "Angle between intersection line and the pole to the surface of observation : 07.25°\r\n\r\n");
    EXPECT_EQ(report[4].text,
              "\r\nVolume : 10\r\nTotal length of the intersection lines in the considered volume : "
              "30\r\n\r\n");
    // 2·3·5·cos 7.25° = 29.760 (hand-worked)
    EXPECT_EQ(report[6].text,
              "\r\nSurface : 5\r\nNumber of intersection lines on the considered surface : "
              "29.76\r\n\r\n\r\n");

    exportPage(3, {{"txtC2(0)", "1"},
                   {"txtC2(1)", "1"},
                   {"txtC2(2)", "1"},
                   {"txtC2(3)", "1"},
                   {"txtC2(4)", "90"},
                   {"txtC2(5)", "50"},
                   {"txtC2(6)", "2"}});
    ASSERT_EQ(report.size(), 5u);
    EXPECT_EQ(report[0], titleBlock("Connectivity of two discontinuity sets"));
    EXPECT_NE(
        report[2].text.find("Angle between the two sets : 90.0°\r\nProbability of continuity threshold : 50.0%\r\n"
                            "Number of successive intersections (=number of stairs) : 2\r\n\r\n"),
        std::string::npos);
    EXPECT_EQ(report[3], headingBlock("Probability of intersection"));
    EXPECT_EQ(report[4].text,
              "\r\nThreshold distance of set 1 : 0.69\r\nThreshold distance of set 2 : 0.69\r\n"
              "Probability of crossing of the two sets (Pc) : 52.034%\r\n"
              "Probability of continuity of the net (threshold) (Ps) : 25.0%\r\n"
              "Probability of intersection under this threshold (Pt) : 1.692%\r\n\r\n\r\n");

    exportPage(4,
               {{"txtC24(0)", "1"}, {"txtC24(1)", "1"}, {"txtC24(2)", "1"}, {"txtC24(3)", "1"}, {"txtC24(4)", "90"}});
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report[0], titleBlock("Connectivity of 4 discontinuities form 2 discontinuity sets"));
    EXPECT_EQ(report[4].text,
              "\r\nProbability that one disc. of set 1 cuts two (or more) disc. of set 2 : 26.4\r\n"
              "Probability that one discontinuity of set 2 cuts two (or more) disc. of set 1 : 26.4\r\n"
              "Probability that sets 1 and 2 form a net of four successive discontinuities : 7.0\r\n\r\n");
    EXPECT_EQ(report[5], headingBlock("Solution 2 (simplification of solution 1)"));

    EXPECT_EQ(exportPage(5, {}),
              (std::vector<ReportBlock>{
                  titleBlock("Connectivity net formed by 3 discontinuity sets"),
                  bodyBlock("\r\n\r\nThe calculation scheme used for 3 discontinuity sets is still under "
                            "testing...\r\n\r\n\r\n")}));
    EXPECT_TRUE(platform.told().empty());
}

}  // namespace
}  // namespace ravelin::testing
