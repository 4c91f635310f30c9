// The spacing and probability tool, the volume tool and the XYZ tool as a
// user drives them: arrays reformatted across frames, the infinite threshold
// distance, a volume too large for a number, the report's caption, the XYZ
// tool's quadrants and signs. Worked results are in ToolArithmeticTest.cpp
// and in tests/cli/tools.tsv and xyz.tsv.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/SymbolFont.h"
#include "documents/InfoBoxForm.h"
#include "models/ModelWindowFixture.h"

namespace ravelin::testing {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

class ToolFormsTest : public ModelWindowTest {
protected:
    Form& spacing() { return session.form("frmToolSpacing"); }
    Form& volume() { return session.form("frmToolVol"); }
    Form& xyz() { return session.form("frmToolXYZ"); }

    static void typeAll(Form& form, const Entries& entries) {
        for (const auto& [key, value] : entries) type(form, key, value);
    }
    std::vector<std::string> texts(const std::string& name, int first, int last) {
        std::vector<std::string> result;
        for (int i = first; i <= last; ++i) result.push_back(text(xyz(), name + "(" + std::to_string(i) + ")"));
        return result;
    }
};

TEST_F(ToolFormsTest, LeavingReformatsTheArrayAcrossFramesButNotTheStairs) {
    Form& w = spacing();
    control(w, "txtDistrDisc(3)").withText("2abc");
    control(w, "txtDI(0)").withText("7abc");
    typeAll(w, {{"txtDistrDisc(0)", "0.123456789"}, {"txtDI(5)", "1"}});
    EXPECT_EQ(text(w, "txtDI(0)"), "7.0");  // another frame, the same array
    EXPECT_EQ(text(w, "txtDistrDisc(0)"), "0.1234568");
    EXPECT_EQ(text(w, "txtDistrDisc(3)"), "2.0");

    // The number of stairs keeps its text and rounds halves to even: 2.5 stairs are 2.
    const Entries connectivity = {
        {"txtC2(0)", "1"},  {"txtC2(1)", "1"},  {"txtC2(2)", "1"},   {"txtC2(3)", "1"},
        {"txtC2(4)", "90"}, {"txtC2(5)", "50"}, {"txtC2(6)", "2.5"},
    };
    typeAll(w, connectivity);
    EXPECT_EQ(text(w, "txtC2(6)"), "2.5");
    EXPECT_EQ(text(w, "txtC2Ret(4)"), "1.692");
}

TEST_F(ToolFormsTest, CertaintyShowsTheInfinitySignInTheSymbolFontAndReportsItAsText) {
    Form& w = spacing();
    typeAll(w, {{"txtDistrDisc(0)", "2"}, {"txtDistrDisc(4)", "100"}});
    const Control& threshold = control(w, "txtResDD(3)");
    EXPECT_EQ(threshold.text(), "® +¥ ");
    EXPECT_EQ(ShownText(threshold), "→ +∞ ");
    // The Info box's text and its RTF file write the signs as such (the report is the CLI's).
    click(w, "cmdExport");
    const auto& box = dynamic_cast<const InfoBoxForm&>(session.form("frmInfoBox"));
    EXPECT_NE(box.document().plainText("\r\n").find("threshold : → +∞ \r\n"), std::string::npos);
    EXPECT_NE(box.richTextFile().find("threshold : \\u8594? +\\u8734? "), std::string::npos);
    type(w, "txtDistrDisc(4)", "50");
    EXPECT_EQ(threshold.text(), "1.39");
    EXPECT_FALSE(threshold.fontChanged());  // back to the field's own font
}

TEST_F(ToolFormsTest, AVolumeTooLargeForANumberAndTheSetsReformattedTogether) {
    Form& w = volume();
    typeAll(w, {{"txtMS(0)", "2000"}, {"txtMS(1)", "1500"}, {"txtMS(2)", "1000"}, {"txtMS(3)", "1000"}});
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
    typeAll(w, prisms);
    EXPECT_EQ(text(w, "txtV3"), "6.0");
    EXPECT_EQ(text(w, "txtMS13(8)"), "0.0");  // leaving a set's field reformats every set's
}

TEST_F(ToolFormsTest, VolumeReportLeavesTheInfoBoxCaption) {
    typeAll(volume(),
            {{"txtMS(0)", "1"}, {"txtMS(1)", "1.5"}, {"txtMS(2)", "2"}, {"txtMS(3)", "3"}, {"txtMS(4)", "89.6"}});
    selectPage(volume(), 1);
    click(volume(), "cmdExport");
    // The report names the Info box without a visible effect.
    EXPECT_EQ(session.form("frmInfoBox").caption(), "InfoBox");
    EXPECT_EQ(dynamic_cast<InfoBoxForm&>(session.form("frmInfoBox")).reportName(), "VolumeEstimation");
    EXPECT_NE(reportText().find("Compartment mean volume : 1.9\r\n"), std::string::npos);  // 6 / (π sin 89.6°)
}

TEST_F(ToolFormsTest, XyzPolesAndVerticalVectorsHaveTheirTrendAndTwoLinesSpanTheirPlane) {
    typeAll(xyz(), {{"txtDirPen(0)", "180"}, {"txtDirPen(1)", "40"}});
    EXPECT_EQ(texts("txtXYZ", 3, 4), (std::vector<std::string>{"360.0", "50.0"}));  // a pole trend of 360, not 0
    type(xyz(), "txtXYZ1(2)", "3");                                                 // straight down
    EXPECT_EQ(texts("txtIXYZ1", 0, 6),
              (std::vector<std::string>{"0.000", "0.000", "1.000", "0.0", "90.0", "180.0", "0.0"}));
    // North horizontal and east plunging 30: the plane dips 30 to the east.
    typeAll(xyz(), {{"txtLDirPen(2)", "90"}, {"txtLDirPen(3)", "30"}});
    EXPECT_EQ(texts("txtRes", 0, 1), (std::vector<std::string>{"90.0", "30.0"}));
    EXPECT_EQ(text(xyz(), "txtRes(5)"), "90.00");
}

TEST_F(ToolFormsTest, XyzOnlyTheVectorFieldsTakeAMinusSign) {
    Form& w = xyz();
    Control& vector = control(w, "txtXYZ1(0)");
    Control& angle = control(w, "txtDirPen(0)");
    w.userType(vector, "");
    w.userType(angle, "");
    for (char c : std::string("-1,5")) {
        int k1 = c, k2 = c;
        w.userKeyPress(vector, k1);
        w.userKeyPress(angle, k2);
    }
    EXPECT_EQ(vector.text(), "-15");
    EXPECT_EQ(angle.text(), "15");
}

}  // namespace
}  // namespace ravelin::testing
