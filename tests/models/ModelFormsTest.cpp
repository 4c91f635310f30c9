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

TEST_F(ModelFormsTest, ResultsComeBackAfterAWarningFollowTheCrackOptionAndGoWithTheCohesion) {
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
    // Without cohesion nothing is computed: no crack depth either, not the earlier one.
    type(w, "txt1MS(7)", "");
    EXPECT_EQ(text(w, "txtV21(1)"), "-");
    EXPECT_TRUE(platform.told().empty());
}

TEST_F(ModelFormsTest, ClearedCrackBoxKeepsItsValueWhichIsStillTested) {
    Form& w = window();
    selectPage(w, 2);
    click(w, "chkTensionCrack");
    type(w, "txtW(19)", "148");
    click(w, "chkTensionCrack");
    EXPECT_EQ(text(w, "txtW(19)"), "148");
    EXPECT_EQ(text(w, "txtFact(3)"), "The tension crack is behind the wedge !");
    EXPECT_EQ(text(w, "txtFact(0)"), "-");

    click(w, "chkTensionCrack");
    type(w, "txtW(19)", "40");
    click(w, "chkTensionCrack");
    click(w, "chkClosedOutfall");
    EXPECT_EQ(text(w, "txtFact(0)"), "1.219");
}

TEST_F(ModelFormsTest, ProbabilisticReportLeavesTheInfoBoxCaption) {
    click(probabilistic(), "cmdExport");
    // The report names the Info box without a visible effect.
    const auto& box = dynamic_cast<const InfoBoxForm&>(session.form("frmInfoBox"));
    EXPECT_EQ(box.caption(), "InfoBox");
    EXPECT_EQ(box.reportName(), "ProbabilisticModel");
}

}  // namespace
}  // namespace ravelin::testing
