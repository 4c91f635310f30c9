// The volume tool as a user drives it: results as shown, range messages,
// and the report of each page.

#include <gtest/gtest.h>

#include "ToolWindowFixture.h"
#include "documents/InfoBoxForm.h"

namespace ravelin::testing {
namespace {

class ToolVolFormTest : public ToolWindowTest {
protected:
    ToolVolFormTest() : ToolWindowTest("frmToolVol") {}
};

TEST_F(ToolVolFormTest, EachPageShowsItsVolume) {
    Form& w = tool();
    EXPECT_EQ(text(w, "txtV2"), "0.0");
    EXPECT_EQ(text(w, "txtV3"), "-");
    typeAll({{"txtMS(0)", "1"}, {"txtMS(1)", "1"}, {"txtMS(2)", "2"}, {"txtMS(3)", "3"}, {"txtMS(4)", "90"}});
    EXPECT_EQ(text(w, "txtV2"), "1.3");  // 4/π
    type(w, "txtMS(4)", "180");
    EXPECT_EQ(text(w, "txtV2"), "0.0");
    typeAll(
        {{"txtMS(0)", "2000"}, {"txtMS(1)", "1500"}, {"txtMS(2)", "1000"}, {"txtMS(3)", "1000"}, {"txtMS(4)", "90"}});
    EXPECT_EQ(text(w, "txtV2"), "1.91E+09");  // 6E+09 / π
    // A sliver of an angle (1e-310 degrees) gives a volume too large for a number...
    Control& angle = control(w, "txtMS(4)");
    w.userFocus(angle);
    w.userType(angle, "0." + std::string(309, '0') + "1");
    EXPECT_EQ(text(w, "txtV2"), "-");
    w.userLeave();  // ... until the field shows it as the 0.0 it rounds to
    EXPECT_EQ(text(w, "txtV2"), "0.0");

    typeAll({{"txt1MS(0)", "2"}, {"txt1MS(1)", "3"}, {"txt1MS(2)", "30"}, {"txt1MS(3)", "4"}});
    EXPECT_EQ(text(w, "txtV21"), "3.0");

    typeAll({{"txtMS13(0)", "1"},
             {"txtMS13(1)", "2"},
             {"txtMS13(2)", "3"},
             {"txtMS13(4)", "90"},
             {"txtMS13(6)", "90"},
             {"txtMS13(7)", "90"}});
    EXPECT_EQ(text(w, "txtV3"), "6.0");
    EXPECT_EQ(text(w, "txtMS13(8)"), "0.0");  // leaving a set's field reformats every set's
    type(w, "txtMS13(8)", "90");              // three vertical sets: no prism
    EXPECT_EQ(text(w, "txtV3"), "-");
    EXPECT_TRUE(platform.told().empty());
}

TEST_F(ToolVolFormTest, RangeMessagesNameTheSetOrPlane) {
    const struct {
        const char* key;
        const char* typed;
        const char* message;
    } cases[] = {
        {"txtMS(1)", "3e9", "The mean spacing 2 should not be greater than 2147483647"},
        {"txtMS(2)", "3e9", "The mean persistence 1 should not be greater than 2147483647"},
        {"txtMS(4)", "181", "The angle between set 1 and set 2 should not be greater than 180"},
        {"txt1MS(3)", "3e9",
         "The apparent fequency of the fractures in a direction perpendicular to the intersection of 1 and 2 should "
         "not be greater than 2147483647"},
        {"txtMS13(2)", "3e9", "The mean spacing of plane 3 should not be greater than 2147483647"},
        {"txtMS13(4)", "400", "The dip direction of plane 2 should not be greater than 360"},
        {"txtMS13(6)", "95", "The dip angle of plane 1 should not be greater than 90"},
    };
    for (const auto& c : cases) {
        platform.forgetMessages();
        type(tool(), c.key, c.typed);
        EXPECT_EQ(t.messageTexts(), std::vector<std::string>{c.message}) << c.key;
    }
}

TEST_F(ToolVolFormTest, ReportsOfThePagesLeaveTheInfoBoxCaption) {
    exportPage(1, {{"txtMS(0)", "1"}, {"txtMS(1)", "1.5"}, {"txtMS(2)", "2"}, {"txtMS(3)", "3"}, {"txtMS(4)", "89.6"}});
    // The report names the Info box without a visible effect.
    EXPECT_EQ(session.form("frmInfoBox").caption(), "InfoBox");
    EXPECT_EQ(dynamic_cast<InfoBoxForm&>(session.form("frmInfoBox")).reportName(), "VolumeEstimation");
    const std::vector<ReportBlock> expected = {
        titleBlock("Volume estimation from 2 discontinuity sets"),
        {"\r\nMean spacing and mean persistance of the 2 sets + angle between the two sets", style::Italic, 9, ""},
        headingBlock("\r\n\r\nDiscontinuity sets characteristics"),
        bodyBlock("\r\nMean spacing of set 1 : 1\r\nMean persistance of set 1 : 2\r\nMean spacing of set 2 : 1.5\r\n"
                  "Mean persistance of set 2 : 3\r\nAngle between set 1 and set 2 : 90°\r\n\r\n"),
        headingBlock("Volume estimation"),
        bodyBlock("\r\nCompartment mean volume : 1.9\r\n\r\n\r\n"),  // 6 / (π sin 89.6°)
    };
    EXPECT_EQ(report, expected);

    exportPage(2, {{"txt1MS(0)", "2"}, {"txt1MS(1)", "3"}, {"txt1MS(2)", "30"}, {"txt1MS(3)", "4"}});
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[1].text,
              "\r\nMean spacing of the 2 sets + angle between the two sets + apparent frequency\r\n"
              "of the fracturation in a direction perpendicular to the intersection of set 1 and 2");
    EXPECT_EQ(report[3].text,
              "\r\nMean spacing of set 1 : 2\r\nMean spacing of set 2 : 3\r\n"
              "Angle between set 1 and set 2 : 30°\r\nApparent frequency of the fracturation : 4\r\n\r\n");

    exportPage(3, {{"txtMS13(0)", "1"},
                   {"txtMS13(1)", "2"},
                   {"txtMS13(2)", "3"},
                   {"txtMS13(3)", "5"},
                   {"txtMS13(4)", "95"},
                   {"txtMS13(6)", "90"},
                   {"txtMS13(7)", "90"}});
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
