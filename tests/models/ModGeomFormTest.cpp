#include <gtest/gtest.h>

#include "ModelWindowFixture.h"
#include "core/NumberText.h"
#include "models/PlaneFailure.h"

namespace ravelin::testing {
namespace {

PlaneFailureInput planeDefaults() {
    PlaneFailureInput in;
    in.slopeHeight = 100;
    in.crackDistance = 29;
    in.crackFilling = 0.5;
    in.rockUnitWeight = 160;
    in.waterUnitWeight = 62.5;
    in.faceDip = 60;
    in.failurePlaneDip = 30;
    in.cohesion = 1000;
    in.frictionAngle = 30;
    return in;
}

class ModGeomFormTest : public ModelWindowTest {
protected:
    Form& window() { return session.form("frmModGeom"); }
    std::string logText() { return session.form("frmLog").text("txtLog"); }
};

TEST_F(ModGeomFormTest, WindowPagesAndFrames) {
    Form& w = window();
    EXPECT_EQ(w.caption(), "Geomechanical models");
    const Control& tabs = control(w, "tbsOptions");
    ASSERT_EQ(tabs.tabs().size(), 2u);
    EXPECT_EQ(tabs.tabs()[0].caption, "Plane failure");
    EXPECT_EQ(tabs.tabs()[0].toolTip, "Plane failure, with tension crack");
    EXPECT_EQ(tabs.tabs()[1].caption, "Wedge failure");
    EXPECT_EQ(tabs.tabs()[1].toolTip, "Wedge failure");
    for (int page = 0; page < 2; ++page) {
        EXPECT_EQ(control(w, "fraResults(" + std::to_string(page) + ")").text(), "Model results");
        EXPECT_EQ(control(w, "fraResults(" + std::to_string(page) + ")").container(),
                  "picOptions(" + std::to_string(page) + ")");
    }
    EXPECT_EQ(control(w, "txt1MS(5)").container(), "fraParameters(0)");
    EXPECT_EQ(control(w, "txt1MS(5)").description(), "Dip of the slope face (°)");
    EXPECT_EQ(control(w, "txtW(19)").container(), "fraParameters(1)");
    EXPECT_TRUE(control(w, "txtV21(0)").readOnly());
    EXPECT_TRUE(control(w, "txtFact(3)").readOnly());
    EXPECT_EQ(control(w, "opt(0)").text(), "upper surface");
    EXPECT_EQ(control(w, "opt(1)").text(), "slope face");
    EXPECT_EQ(control(w, "chkClosedOutfall").text(), "Closed groundwater outlet");
    // Entries 6 and 11 of the wedge do not exist.
    EXPECT_EQ(w.findByKey("txtW(6)"), nullptr);
    EXPECT_EQ(w.findByKey("txtW(11)"), nullptr);
}

TEST_F(ModGeomFormTest, LoadingShowsTheResultsOfTheDefaults) {
    Form& w = window();
    EXPECT_EQ(text(w, "txt1MS(2)"), "0.5");
    EXPECT_EQ(text(w, "txtW(18)"), "62.4");
    EXPECT_EQ(text(w, "txtV21(0)"), "1.106");
    EXPECT_EQ(text(w, "txtV21(1)"), "49.924");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.219");
    EXPECT_EQ(text(w, "txtFact(1)"), "36'788'030");
    EXPECT_EQ(text(w, "txtFact(3)"), "Sliding on line of intersection");
    EXPECT_EQ(text(w, "txtFact(4)"), "157.732");
    EXPECT_EQ(text(w, "txtFact(5)"), "31.197");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ModGeomFormTest, MenuItemTogglesTheToolWindow) {
    Control& item = main->menuItem("mnuModelsGeomec");
    ASSERT_TRUE(item.enabled());
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
    EXPECT_EQ(session.findForm("frmModGeom"), w);
    EXPECT_FALSE(w->visible());
    EXPECT_EQ(item.value(), 0);
    EXPECT_NE(logText().find("Closing Probabilistic models window"), std::string::npos);
    main->runCommand("mnuModelsGeomec");
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(text(*w, "txt1MS(7)"), "500");
}

TEST_F(ModGeomFormTest, FieldsAreNotReformattedOnLeaving) {
    Form& w = window();
    type(w, "txt1MS(0)", "100.50");
    EXPECT_EQ(text(w, "txt1MS(0)"), "100.50");
    type(w, "txtW(0)", "150abc");
    EXPECT_EQ(text(w, "txtW(0)"), "150abc");
    EXPECT_NE(text(w, "txtFact(0)"), "-");
}

TEST_F(ModGeomFormTest, KeyFilterRefusesTheComma) {
    Form& w = window();
    Control& field = control(w, "txt1MS(6)");
    w.userFocus(field);
    for (int key : {'2', ',', '5'}) w.userKeyPress(field, key);
    EXPECT_EQ(field.text(), "25");
}

TEST_F(ModGeomFormTest, OutOfRangeValueIsToldOnceAndReplacedByTheBound) {
    Form& w = window();
    type(w, "txt1MS(2)", "2");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Invalid data");
    EXPECT_EQ(platform.messages[0].text,
              "The filling of the tension crack (0 = no water in tension crack, 1 = tension crack filled) should not "
              "be greater than 1");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(text(w, "txt1MS(2)"), "1");
    PlaneFailureInput full = planeDefaults();
    full.crackFilling = 1;
    EXPECT_EQ(text(w, "txtV21(0)"), formatNumber(*ComputePlaneFailure(full).safetyFactor, "0.000"));

    type(w, "txt1MS(0)", "-5");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, "The height of the slope face (m) should not be smaller than 0");
    EXPECT_EQ(text(w, "txt1MS(0)"), "0");
    EXPECT_EQ(text(w, "txtV21(0)"), "-");

    click(w, "chkTensionCrack");
    type(w, "txtW(19)", "300000000");
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[2].text,
              "The distance of tension crack from crest, along trace of plane 1 should not be greater than 214748364");

    // Bounds themselves pass.
    type(w, "txtW(2)", "360");
    type(w, "txt1MS(8)", "90");
    EXPECT_EQ(platform.messages.size(), 3u);
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
    type(w, "txt1MS(6)", "60");
    EXPECT_EQ(text(w, "txtV21(0)"), "Warning : slope face dip = failure surface dip");
    EXPECT_EQ(text(w, "txtV21(1)"), "-");
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
    click(w, "opt(0)");
    PlaneFailureInput behindCrest = planeDefaults();
    behindCrest.crackDistance = 58;
    EXPECT_EQ(text(w, "txtV21(0)"), formatNumber(*ComputePlaneFailure(behindCrest).safetyFactor, "0.000"));
}

TEST_F(ModGeomFormTest, WedgeCheckBoxes) {
    Form& w = window();
    selectPage(w, 2);
    for (const char* key : {"txtW(16)", "txtW(17)", "txtW(19)"}) EXPECT_FALSE(control(w, key).enabled()) << key;

    click(w, "chkTensionCrack");
    for (const char* key : {"txtW(16)", "txtW(17)", "txtW(19)"}) EXPECT_TRUE(control(w, key).enabled()) << key;
    EXPECT_EQ(text(w, "txtFact(0)"), "1.1387");
    EXPECT_EQ(text(w, "txtFact(1)"), "28'272'195");

    type(w, "txtW(19)", "148");
    EXPECT_EQ(text(w, "txtFact(3)"), "The tension crack is behind the wedge !");
    for (const char* key : {"txtFact(0)", "txtFact(1)", "txtFact(4)", "txtFact(5)"}) EXPECT_EQ(text(w, key), "-");
    // Cleared, the crack box keeps its value, which is still tested.
    click(w, "chkTensionCrack");
    EXPECT_FALSE(control(w, "txtW(19)").enabled());
    EXPECT_EQ(text(w, "txtW(19)"), "148");
    EXPECT_EQ(text(w, "txtFact(3)"), "The tension crack is behind the wedge !");

    click(w, "chkTensionCrack");
    type(w, "txtW(19)", "40");
    click(w, "chkTensionCrack");
    click(w, "chkDrySlope");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.84637");
    click(w, "chkDrySlope");
    click(w, "chkOverhang");
    EXPECT_EQ(text(w, "txtFact(3)"), "No wedge is formed !");
    EXPECT_EQ(text(w, "txtFact(0)"), "-");
    click(w, "chkOverhang");
    click(w, "chkClosedOutfall");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.219");
}

TEST_F(ModGeomFormTest, IncompleteWedgeClearsEveryResult) {
    Form& w = window();
    type(w, "txtW(3)", "0");
    for (const char* key : {"txtFact(0)", "txtFact(1)", "txtFact(3)", "txtFact(4)", "txtFact(5)"})
        EXPECT_EQ(text(w, key), "-") << key;
    type(w, "txtW(3)", "45");
    type(w, "txtW(14)", "0");  // a slope face dipping towards 0 counts as missing
    EXPECT_EQ(text(w, "txtFact(0)"), "-");
    type(w, "txtW(14)", "185");
    type(w, "txtW(7)", "105");
    type(w, "txtW(8)", "45");  // plane 2 = plane 1
    EXPECT_EQ(text(w, "txtFact(0)"), "-");
}

TEST_F(ModGeomFormTest, ContactLostOnBothPlanesShowsZero) {
    Form& w = window();
    type(w, "txtW(2)", "90");
    type(w, "txtW(3)", "30");
    type(w, "txtW(7)", "230");
    type(w, "txtW(8)", "30");
    EXPECT_EQ(text(w, "txtFact(3)"), "Contact lost on both planes");
    EXPECT_EQ(text(w, "txtFact(0)"), "0.00");
    EXPECT_EQ(text(w, "txtFact(4)"), "-");
}

TEST_F(ModGeomFormTest, ExportWritesThePlaneReport) {
    Form& w = window();
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
    ASSERT_EQ(report.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(report[k].text, expected[k].text) << k;
        EXPECT_EQ(report[k].style, expected[k].style) << k;
        EXPECT_EQ(report[k].size, expected[k].size) << k;
    }
    EXPECT_EQ(report[0].style, style::Bold);
    EXPECT_EQ(report[0].size, 14);
}

TEST_F(ModGeomFormTest, ExportWritesTheWedgeReport) {
    Form& w = window();
    selectPage(w, 2);
    click(w, "cmdExport");
    const std::string all = reportText();
    EXPECT_EQ(report[0], titleBlock("Wedge failure analysis\r\n\r\n"));
    EXPECT_NE(all.find("Tension crack\r\nNo tension crack\r\n\r\n"), std::string::npos);
    EXPECT_NE(all.find("Unit weight of rock : 160\r\nUnit weight of water : 62.4\r\nOverhanging slope face = no\r\n"),
              std::string::npos);
    EXPECT_NE(all.find("Failure mode : Sliding on line of intersection\r\n"), std::string::npos);
    EXPECT_NE(all.find("Safety factor : 1.219\r\nWedge weight : 36'788'030\r\n"), std::string::npos);
    EXPECT_NE(all.find("Sliding direction : 157.732°\r\nSliding plunge : 31.197°\r\n"), std::string::npos);
    EXPECT_NE(all.find("Discontinuity set 1\r\n"), std::string::npos);
    EXPECT_NE(all.find("Dip direction : 105°\r\nDip angle : 45°\r\nCohesion : 500\r\nFriction angle : 20°\r\n"),
              std::string::npos);
    EXPECT_NE(all.find("Slope face\r\n"), std::string::npos);
    EXPECT_NE(all.find("Dip direction : 185°\r\nDip angle : 65°\r\n\r\n"), std::string::npos);

    report.clear();
    click(w, "chkTensionCrack");
    click(w, "chkDrySlope");
    click(w, "chkOverhang");
    click(w, "cmdExport");
    const std::string message = reportText();
    EXPECT_NE(message.find("Dip direction of the tension crack : 165°\r\nDip angle of the tension crack : 70°\r\n"
                           "Distance from slope crest to tension crack (along the trace of plane 1) : 40\r\n"),
              std::string::npos);
    EXPECT_NE(message.find("Unit weight of rock : 160\r\nDry slope\r\nOverhanging slope face = yes\r\n"),
              std::string::npos);
    EXPECT_NE(message.find("Safety factor : -\r\nWedge weight : -\r\nFailure mode : No wedge is formed !\r\n"
                           "Sliding direction : -\r\nSliding plunge : -\r\n\r\n"),
              std::string::npos);
}

TEST_F(ModGeomFormTest, ExportReportsTheSelectedPageOnly) {
    Form& w = window();
    selectPage(w, 2);
    selectPage(w, 1);
    click(w, "cmdExport");
    EXPECT_EQ(report.front().text, "Plane failure analysis\r\n\r\n");
    EXPECT_EQ(reportText().find("Wedge"), std::string::npos);
}

}  // namespace
}  // namespace ravelin::testing
