#include <gtest/gtest.h>

#include "ModelWindowFixture.h"

namespace ravelin::testing {
namespace {

class ModProbFormTest : public ModelWindowTest {
protected:
    Form& window() { return session.form("frmModProb"); }
    void typeSlipExample(Form& w) {
        type(w, "txtMS(0)", "60");
        type(w, "txtMS(1)", "30");
        type(w, "txtMS(2)", "10");
        type(w, "txtMS(3)", "50");
        type(w, "txtMS(4)", "2");
    }
    void typeWedgeExample(Form& w) {
        const char* values[] = {"2", "3", "120", "50", "240", "70", "180", "60"};
        for (int i = 0; i < 8; ++i) type(w, "txt1MS(" + std::to_string(i) + ")", values[i]);
    }
};

TEST_F(ModProbFormTest, WindowAndDefaults) {
    Form& w = window();
    EXPECT_EQ(w.caption(), "Probabilistic models");
    const Control& tabs = control(w, "tbsOptions");
    ASSERT_EQ(tabs.tabs().size(), 2u);
    EXPECT_EQ(tabs.tabs()[0].caption, "Probabilistic slip surface");
    EXPECT_EQ(tabs.tabs()[0].toolTip, "Probabilistic slip surface (p. 64)");
    EXPECT_EQ(tabs.tabs()[1].caption, "Probabilistic wedge");
    EXPECT_EQ(tabs.tabs()[1].toolTip, "Probabilistic wedge (p. 81)");
    EXPECT_EQ(control(w, "fraParameters(1)").text(), "Model parameters");
    EXPECT_EQ(control(w, "txt1MS(0)").description(), "d1 =");
    for (const char* key : {"txtMS(0)", "txtMS(4)", "txt1MS(0)", "txt1MS(7)"}) EXPECT_EQ(text(w, key), "0") << key;
    for (const char* key : {"txtV2(0)", "txtV2(1)", "txtV21(0)"}) EXPECT_EQ(text(w, key), "-") << key;
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(main->menuItem("mnuModelsProb").enabled());
}

TEST_F(ModProbFormTest, SlipSurfaceWorkedExample) {
    Form& w = window();
    typeSlipExample(w);
    EXPECT_EQ(text(w, "txtV2(0)"), "1.44");
    EXPECT_EQ(text(w, "txtV2(1)"), "51.41");
    // Left fields show "0.0#"; the slip dip box is rewritten with the dip in use on every reading.
    EXPECT_EQ(text(w, "txtMS(0)"), "60.0");
    EXPECT_EQ(text(w, "txtMS(2)"), "10.0");
    EXPECT_EQ(text(w, "txtMS(1)"), "30");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ModProbFormTest, FieldsAreReformattedOnLeaving) {
    Form& w = window();
    type(w, "txt1MS(0)", "12abc");
    EXPECT_EQ(text(w, "txt1MS(0)"), "12.0");
    type(w, "txt1MS(1)", "abc");
    EXPECT_EQ(text(w, "txt1MS(1)"), "0.0");
    type(w, "txt1MS(2)", "2.345");
    EXPECT_EQ(text(w, "txt1MS(2)"), "2.35");
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
}

TEST_F(ModProbFormTest, RangeMessages) {
    Form& w = window();
    type(w, "txt1MS(1)", "1e308");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "The d distance should not be greater than 2147483647");
    EXPECT_EQ(text(w, "txt1MS(1)"), "2147483647.0");
    type(w, "txtMS(0)", "91");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, "The dip angle of the slope should not be greater than 90");
    EXPECT_EQ(text(w, "txtMS(0)"), "90.0");
}

TEST_F(ModProbFormTest, ProbabilisticWedge) {
    Form& w = window();
    selectPage(w, 2);
    typeWedgeExample(w);
    EXPECT_EQ(text(w, "txtV21(0)"), "9.275");
    type(w, "txt1MS(6)", "0");  // the line of intersection now points into the slope
    EXPECT_EQ(text(w, "txtV21(0)"), "-");
}

TEST_F(ModProbFormTest, ExportWritesTheSlipSurfaceReport) {
    Form& w = window();
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

TEST_F(ModProbFormTest, ExportWritesTheWedgeReport) {
    Form& w = window();
    selectPage(w, 2);
    typeWedgeExample(w);
    click(w, "cmdExport");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], titleBlock("Probabilistic wedge\r\n\r\n"));
    EXPECT_EQ(report[1], bodyBlock("Distance d1 : 2\r\nDistance d2 : 3\r\n"
                                   "Dip direction of the first set of discontinuities : 120°\r\n"
                                   "Dip angle of the first set of discontinuities : 50°\r\n"
                                   "Dip direction of the second set of discontinuities : 240°\r\n"
                                   "Dip angle of the second set of discontinuities : 70°\r\n"
                                   "Dip direction of the slope surface : 180°\r\n"
                                   "Dip angle of the slope surface : 60°\r\n"
                                   "Height of emergence : 9.275\r\n\r\n"));
}

TEST_F(ModProbFormTest, ExportOfTheDefaultsReportsDashes) {
    Form& w = window();
    click(w, "cmdExport");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_NE(report[1].text.find("Dip angle of the slope : 000°\r\n"), std::string::npos);
    EXPECT_NE(report[1].text.find("slip surface : -\r\n"), std::string::npos);
    EXPECT_NE(report[1].text.find("completely : -%\r\n"), std::string::npos);
}

}  // namespace
}  // namespace ravelin::testing
