#include <gtest/gtest.h>

#include "ModelWindowFixture.h"

namespace ravelin::testing {
namespace {

class ModGeomFormTest : public ModelWindowTest {
protected:
    Form& window() { return session.form("frmModGeom"); }
    std::string logText() { return session.form("frmLog").text("txtLog"); }
    void expectResults(Form& w, std::initializer_list<const char*> keys, const std::string& expected) {
        for (const char* key : keys) EXPECT_EQ(text(w, key), expected) << key;
    }
};

TEST_F(ModGeomFormTest, WindowLayoutAndDefaults) {
    Form& w = window();
    EXPECT_EQ(w.caption(), "Geomechanical models");
    const Control& tabs = control(w, "tbsOptions");
    ASSERT_EQ(tabs.tabs().size(), 2u);
    EXPECT_EQ(tabs.tabs()[0].toolTip, "Plane failure, with tension crack");
    EXPECT_EQ(control(w, "fraResults(1)").container(), "picOptions(1)");
    EXPECT_EQ(control(w, "txt1MS(5)").container(), "fraParameters(0)");
    EXPECT_EQ(control(w, "txt1MS(5)").description(), "Dip of the slope face (°)");
    EXPECT_TRUE(control(w, "txtFact(3)").readOnly());
    // Entries 6 and 11 of the wedge do not exist.
    EXPECT_EQ(w.findByKey("txtW(6)"), nullptr);
    EXPECT_EQ(w.findByKey("txtW(11)"), nullptr);
    EXPECT_EQ(text(w, "txt1MS(2)"), "0.5");
    EXPECT_EQ(text(w, "txtW(18)"), "62.4");
    EXPECT_EQ(text(w, "txtV21(0)"), "1.106");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.219");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ModGeomFormTest, MenuItemTogglesTheToolWindow) {
    Control& item = main->menuItem("mnuModelsGeomec");
    EXPECT_TRUE(main->menuItem("mnuModelsProb").enabled());
    main->runCommand("mnuModelsGeomec");
    Form* w = session.findForm("frmModGeom");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_GE(w->left(), 0);  // beside the main window, not off the screen's edge
    EXPECT_EQ(item.value(), 1);
    EXPECT_NE(logText().find("Opening Probabilistic models window"), std::string::npos);

    type(*w, "txt1MS(7)", "500");
    // The title bar only hides it: inputs and results stay.
    EXPECT_FALSE(session.closeForm(*w));
    EXPECT_FALSE(w->visible());
    EXPECT_EQ(item.value(), 0);
    EXPECT_NE(logText().find("Closing Probabilistic models window"), std::string::npos);
    main->runCommand("mnuModelsGeomec");
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(text(*w, "txt1MS(7)"), "500");
}

TEST_F(ModGeomFormTest, FieldsRefuseTheCommaAndAreNotReformattedOnLeaving) {
    Form& w = window();
    Control& field = control(w, "txt1MS(6)");
    w.userFocus(field);
    for (int key : {'2', ',', '5'}) w.userKeyPress(field, key);
    EXPECT_EQ(field.text(), "25");
    type(w, "txtW(0)", "150abc");
    EXPECT_EQ(text(w, "txtW(0)"), "150abc");
    EXPECT_NE(text(w, "txtFact(0)"), "-");
}

TEST_F(ModGeomFormTest, OutOfRangeValueIsToldOnceAndReplacedByTheBound) {
    Form& w = window();
    type(w, "txt1MS(0)", "-5");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Invalid data");
    EXPECT_EQ(platform.messages[0].text, "The height of the slope face (m) should not be smaller than 0");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(text(w, "txt1MS(0)"), "0");
    EXPECT_EQ(text(w, "txtV21(0)"), "-");
    // Bounds themselves pass.
    type(w, "txtW(2)", "360");
    type(w, "txt1MS(8)", "90");
    type(w, "txt1MS(2)", "1");
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ModGeomFormTest, EmptyCohesionShowsNoResult) {
    Form& w = window();
    type(w, "txt1MS(7)", "");
    EXPECT_EQ(text(w, "txt1MS(7)"), "0.0");
    EXPECT_EQ(text(w, "txtV21(0)"), "-");
    // No crack depth for an analysis that computed nothing, not the earlier 49.924.
    EXPECT_EQ(text(w, "txtV21(1)"), "-");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ModGeomFormTest, PlaneWarningsAndCrackPosition) {
    Form& w = window();
    type(w, "txt1MS(6)", "70");
    EXPECT_EQ(text(w, "txtV21(0)"), "Warning : slope face dip < failure surface dip");
    type(w, "txt1MS(6)", "30");
    EXPECT_EQ(text(w, "txtV21(0)"), "1.106");

    click(w, "opt(1)");
    EXPECT_EQ(control(w, "opt(0)").value(), 0);
    // Crack 29 m from the crest on a face 57.735 m long: z = 28.735 (tan 60 - tan 30) = 33.180.
    EXPECT_EQ(text(w, "txtV21(1)"), "33.18");
    type(w, "txt1MS(1)", "58");
    EXPECT_EQ(text(w, "txtV21(0)"), "Invalid tension crack. B should be <57.735");
    click(w, "opt(0)");  // 58 m behind the crest is a valid crack
    EXPECT_EQ(text(w, "txtV21(0)"), "1.213");
}

TEST_F(ModGeomFormTest, WedgeCheckBoxes) {
    Form& w = window();
    selectPage(w, 2);
    for (const char* key : {"txtW(16)", "txtW(17)", "txtW(19)"}) EXPECT_FALSE(control(w, key).enabled()) << key;
    click(w, "chkTensionCrack");
    for (const char* key : {"txtW(16)", "txtW(17)", "txtW(19)"}) EXPECT_TRUE(control(w, key).enabled()) << key;

    type(w, "txtW(19)", "148");
    EXPECT_EQ(text(w, "txtFact(3)"), "The tension crack is behind the wedge !");
    // Cleared, the crack box keeps its value, which is still tested.
    click(w, "chkTensionCrack");
    EXPECT_FALSE(control(w, "txtW(19)").enabled());
    EXPECT_EQ(text(w, "txtW(19)"), "148");
    EXPECT_EQ(text(w, "txtFact(3)"), "The tension crack is behind the wedge !");
    expectResults(w, {"txtFact(0)", "txtFact(1)", "txtFact(4)", "txtFact(5)"}, "-");

    click(w, "chkTensionCrack");
    type(w, "txtW(19)", "40");
    click(w, "chkTensionCrack");
    click(w, "chkClosedOutfall");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.219");
}

TEST_F(ModGeomFormTest, IncompleteWedgeOrLostContactClearsTheResults) {
    Form& w = window();
    type(w, "txtW(3)", "0");
    expectResults(w, {"txtFact(0)", "txtFact(1)", "txtFact(3)", "txtFact(4)", "txtFact(5)"}, "-");
    type(w, "txtW(3)", "45");
    type(w, "txtW(7)", "105");
    type(w, "txtW(8)", "45");  // plane 2 = plane 1
    EXPECT_EQ(text(w, "txtFact(0)"), "-");

    type(w, "txtW(2)", "90");
    type(w, "txtW(3)", "30");
    type(w, "txtW(7)", "230");
    type(w, "txtW(8)", "30");
    EXPECT_EQ(text(w, "txtFact(3)"), "Contact lost on both planes");
    EXPECT_EQ(text(w, "txtFact(0)"), "0.00");
    EXPECT_EQ(text(w, "txtFact(4)"), "-");
}

TEST_F(ModGeomFormTest, ExportWritesThePlaneReportOfTheSelectedPage) {
    Form& w = window();
    selectPage(w, 2);
    selectPage(w, 1);
    click(w, "cmdExport");
    const std::vector<ReportBlock> expected = {
        titleBlock("Plane failure analysis\r\n\r\n"),
        headingBlock("Model geometry\r\n"),
        bodyBlock(
            "Height of the slope face : 100\r\nDistance of the tension crack from the slope crest : 29\r\n"
            "Dip of the slope face : 60°\r\nDip of the upper face : 00°\r\nDip of the failure plane : 30°\r\n\r\n"),
        headingBlock("Rock properties\r\n"),
        bodyBlock("Cohesion : 1000\r\nFriction angle  : 30°\r\nUnit weight of rock : 160\r\n\r\n"),
        headingBlock("Water properties\r\n"),
        bodyBlock("Unit weight of water : 62.5\r\n"
                  "Filling of the tension crack (0 = no water in t.c., 1 = t.c. filled) : 0.5\r\n\r\n"),
        headingBlock("External load\r\n"),
        bodyBlock("Seismic coefficient (fraction of g) = horizontal acceleration : 0\r\nRock bolt / cable dip : 00°\r\n"
                  "Rock bolt / cable tension : 0\r\n\r\n"),
        headingBlock("Model results\r\n"),
        bodyBlock("Safety factor : 1.106\r\nDepth of the tension crack (z) : 49.924\r\n\r\n"),
    };
    EXPECT_EQ(report, expected);
}

TEST_F(ModGeomFormTest, ExportWritesTheWedgeReport) {
    Form& w = window();
    selectPage(w, 2);
    click(w, "chkTensionCrack");
    click(w, "chkDrySlope");
    click(w, "cmdExport");
    EXPECT_EQ(report[0], titleBlock("Wedge failure analysis\r\n\r\n"));
    EXPECT_EQ(reportText(),
              "Wedge failure analysis\r\n\r\nModel dimensions\r\nSlope height (referred to plane 1) : 100\r\n\r\n"
              "Discontinuity set 1\r\nDip direction : 105°\r\nDip angle : 45°\r\nCohesion : 500\r\n"
              "Friction angle : 20°\r\n\r\nDiscontinuity set 2\r\nDip direction : 235°\r\nDip angle : 70°\r\n"
              "Cohesion : 1000\r\nFriction angle : 30°\r\n\r\nUpper slope surface\r\nDip direction : 195°\r\n"
              "Dip angle : 12°\r\n\r\nSlope face\r\nDip direction : 185°\r\nDip angle : 65°\r\n\r\n"
              "Tension crack\r\nDip direction of the tension crack : 165°\r\nDip angle of the tension crack : 70°\r\n"
              "Distance from slope crest to tension crack (along the trace of plane 1) : 40\r\n\r\n"
              "Model characteristics\r\nUnit weight of rock : 160\r\nDry slope\r\nOverhanging slope face = no\r\n\r\n"
              "Analysis results\r\nSafety factor : 1.73558\r\nWedge weight : 28'272'195\r\n"
              "Failure mode : Sliding on line of intersection\r\nSliding direction : 157.732°\r\n"
              "Sliding plunge : 31.197°\r\n\r\n");
}

}  // namespace
}  // namespace ravelin::testing
