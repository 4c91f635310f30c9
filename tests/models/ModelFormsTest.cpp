// The two model windows as a user drives them. Defaults, range messages,
// worked examples and most results are covered by the command-line table
// (tests/cli/models.tsv); these cases need a sequence of user actions.

#include <gtest/gtest.h>

#include "ModelWindowFixture.h"
#include "documents/InfoBoxForm.h"

namespace ravelin::testing {
namespace {

class ModelFormsTest : public ModelWindowTest {
protected:
    Form& window() { return session.form("frmModGeom"); }
    Form& probabilistic() { return session.form("frmModProb"); }
};

// Showing and hiding tool windows is tested on the XYZ tool (tests/core/MainFormTest.cpp).
TEST_F(ModelFormsTest, MenuOpensItBesideTheMainWindowNotOffTheScreen) {
    main->runCommand("mnuModelsGeomec");
    EXPECT_TRUE(window().visible());
    EXPECT_GE(window().left(), 0);  // it is wider than the main window
}

TEST_F(ModelFormsTest, FieldsRefuseTheComma) {
    Form& w = window();
    Control& field = control(w, "txt1MS(6)");
    w.userFocus(field);
    for (int key : {'2', ',', '5'}) w.userKeyPress(field, key);
    EXPECT_EQ(field.text(), "25");
}

TEST_F(ModelFormsTest, EmptyCohesionClearsTheCrackDepthToo) {
    Form& w = window();
    type(w, "txt1MS(7)", "");
    // No crack depth for an analysis that computed nothing, not the earlier 49.924.
    EXPECT_EQ(text(w, "txtV21(1)"), "-");
    EXPECT_TRUE(platform.told().empty());
}

TEST_F(ModelFormsTest, ResultsComeBackAfterAWarningAndFollowTheCrackOption) {
    Form& w = window();
    type(w, "txt1MS(6)", "70");
    EXPECT_EQ(text(w, "txtV21(0)"), "Warning : slope face dip < failure surface dip");
    type(w, "txt1MS(6)", "30");
    EXPECT_EQ(text(w, "txtV21(0)"), "1.106");

    click(w, "opt(1)");
    // Crack 29 m from the crest on a face 57.735 m long: z = 28.735 (tan 60 - tan 30) = 33.180.
    EXPECT_EQ(text(w, "txtV21(1)"), "33.18");
    type(w, "txt1MS(1)", "58");
    EXPECT_EQ(text(w, "txtV21(0)"), "Invalid tension crack. B should be <57.735");
    click(w, "opt(0)");  // 58 m behind the crest is a valid crack
    EXPECT_EQ(text(w, "txtV21(0)"), "1.213");
}

TEST_F(ModelFormsTest, ClearedCrackBoxKeepsItsValueWhichIsStillTested) {
    Form& w = window();
    selectPage(w, 2);
    click(w, "chkTensionCrack");
    EXPECT_TRUE(control(w, "txtW(19)").enabled());
    type(w, "txtW(19)", "148");
    click(w, "chkTensionCrack");
    EXPECT_FALSE(control(w, "txtW(19)").enabled());
    EXPECT_EQ(text(w, "txtW(19)"), "148");
    EXPECT_EQ(text(w, "txtFact(3)"), "The tension crack is behind the wedge !");
    EXPECT_EQ(text(w, "txtFact(0)"), "-");

    click(w, "chkTensionCrack");
    type(w, "txtW(19)", "40");
    click(w, "chkTensionCrack");
    click(w, "chkClosedOutfall");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.219");
}

TEST_F(ModelFormsTest, ExportWritesTheReportOfTheSelectedPage) {
    Form& w = window();
    selectPage(w, 2);
    click(w, "chkTensionCrack");
    click(w, "chkDrySlope");
    click(w, "cmdExport");
    EXPECT_EQ(report.at(0), titleBlock("Wedge failure analysis\r\n\r\n"));
    for (const char* line : {"Distance from slope crest to tension crack (along the trace of plane 1) : 40\r\n",
                             "Unit weight of rock : 160\r\nDry slope\r\n", "Safety factor : 1.73558\r\n"})
        EXPECT_NE(reportText().find(line), std::string::npos) << line;
}

TEST_F(ModelFormsTest, ProbabilisticFieldsAreReformattedOnLeaving) {
    Form& w = probabilistic();
    type(w, "txt1MS(0)", "12abc");
    EXPECT_EQ(text(w, "txt1MS(0)"), "12.0");
    type(w, "txt1MS(2)", "2.345");
    EXPECT_EQ(text(w, "txt1MS(2)"), "2.35");
}

TEST_F(ModelFormsTest, ProbabilisticExportOfTheDefaultsShowsDashesForTheResults) {
    click(probabilistic(), "cmdExport");
    EXPECT_NE(reportText().find("slip surface : -\r\n"), std::string::npos);
    EXPECT_NE(reportText().find("completely : -%\r\n"), std::string::npos);
    // The report names the Info box without a visible effect.
    const auto& box = dynamic_cast<const InfoBoxForm&>(session.form("frmInfoBox"));
    EXPECT_EQ(box.caption(), "InfoBox");
    EXPECT_EQ(box.reportName(), "ProbabilisticModel");
}

}  // namespace
}  // namespace ravelin::testing
