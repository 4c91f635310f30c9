#include <gtest/gtest.h>

#include "ModelWindowFixture.h"

namespace ravelin::testing {
namespace {

class ModProbFormTest : public ModelWindowTest {
protected:
    Form& window() { return session.form("frmModProb"); }
    void typeSlipExample(Form& w) {
        const char* values[] = {"60", "30", "10", "50", "2"};
        for (int i = 0; i < 5; ++i) type(w, "txtMS(" + std::to_string(i) + ")", values[i]);
    }
};

TEST_F(ModProbFormTest, WindowAndDefaults) {
    Form& w = window();
    EXPECT_EQ(w.caption(), "Probabilistic models");
    const Control& tabs = control(w, "tbsOptions");
    ASSERT_EQ(tabs.tabs().size(), 2u);
    EXPECT_EQ(tabs.tabs()[1].toolTip, "Probabilistic wedge (p. 81)");
    EXPECT_EQ(control(w, "txt1MS(0)").description(), "d1 =");
    for (const char* key : {"txtMS(0)", "txtMS(4)", "txt1MS(0)", "txt1MS(7)"}) EXPECT_EQ(text(w, key), "0") << key;
}

TEST_F(ModProbFormTest, FieldsAreReformattedOnLeaving) {
    Form& w = window();
    type(w, "txt1MS(0)", "12abc");
    EXPECT_EQ(text(w, "txt1MS(0)"), "12.0");
    type(w, "txt1MS(1)", "abc");
    EXPECT_EQ(text(w, "txt1MS(1)"), "0.0");
    type(w, "txt1MS(2)", "2.345");
    EXPECT_EQ(text(w, "txt1MS(2)"), "2.35");
    // The slip dip box is rewritten with the dip in use on every reading, not reformatted.
    typeSlipExample(w);
    EXPECT_EQ(text(w, "txtMS(2)"), "10.0");
    EXPECT_EQ(text(w, "txtMS(1)"), "30");
}

TEST_F(ModProbFormTest, SlipSurfaceCannotBeSteeperThanTheSlope) {
    Form& w = window();
    typeSlipExample(w);
    type(w, "txtMS(1)", "75");
    EXPECT_EQ(text(w, "txtMS(1)"), "60");
    EXPECT_EQ(text(w, "txtV2(0)"), "-");
    EXPECT_EQ(text(w, "txtV2(1)"), "-");
    EXPECT_TRUE(platform.messages.empty());
    type(w, "txtMS(1)", "30");
    type(w, "txtMS(3)", "0");
    EXPECT_EQ(text(w, "txtV2(0)"), "-");
    type(w, "txtMS(0)", "91");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "The dip angle of the slope should not be greater than 90");
    EXPECT_EQ(text(w, "txtMS(0)"), "90.0");
}

TEST_F(ModProbFormTest, ProbabilisticWedgeWithTheLineIntoTheSlope) {
    Form& w = window();
    selectPage(w, 2);
    const char* values[] = {"2", "3", "120", "50", "240", "70", "180", "60"};
    for (int i = 0; i < 8; ++i) type(w, "txt1MS(" + std::to_string(i) + ")", values[i]);
    EXPECT_EQ(text(w, "txtV21(0)"), "9.275");
    type(w, "txt1MS(6)", "0");  // the line of intersection now points into the slope
    EXPECT_EQ(text(w, "txtV21(0)"), "-");
}

TEST_F(ModProbFormTest, ExportWritesTheSlipSurfaceReport) {
    Form& w = window();
    click(w, "cmdExport");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_NE(report[1].text.find("Dip angle of the slope : 000°\r\n"), std::string::npos);
    EXPECT_NE(report[1].text.find("slip surface : -\r\n"), std::string::npos);
    EXPECT_NE(report[1].text.find("completely : -%\r\n"), std::string::npos);

    report.clear();
    typeSlipExample(w);
    click(w, "cmdExport");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], titleBlock("Probabilistic slip surface\r\n\r\n"));
    EXPECT_EQ(report[1], bodyBlock("Dip angle of the slope : 060°\r\n"
                                   "Dip angle of the slip surface : 30°\r\n"
                                   "Length of the slope face : 10\r\n"
                                   "Mean surface of the slip surface : 50\r\n"
                                   "Mean spacing of the discontinuity set : 2\r\n"
                                   "Distance do between the slope crest and the slip surface : 1.44\r\n"
                                   "Probability that the slip surface crosses the rock mass completely : 51.41%\r\n"
                                   "\r\n"));
}

}  // namespace
}  // namespace ravelin::testing
