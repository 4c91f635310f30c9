// The probabilistic models window as a user drives it; worked examples,
// the slip-dip limit and the reports' results are in tests/cli/models.tsv.

#include <gtest/gtest.h>

#include "ModelWindowFixture.h"
#include "documents/InfoBoxForm.h"

namespace ravelin::testing {
namespace {

class ModProbFormTest : public ModelWindowTest {
protected:
    Form& window() { return session.form("frmModProb"); }
};

TEST_F(ModProbFormTest, FieldsAreReformattedOnLeaving) {
    Form& w = window();
    type(w, "txt1MS(0)", "12abc");
    EXPECT_EQ(text(w, "txt1MS(0)"), "12.0");
    type(w, "txt1MS(2)", "2.345");
    EXPECT_EQ(text(w, "txt1MS(2)"), "2.35");
}

TEST_F(ModProbFormTest, ExportOfTheDefaultsShowsDashesForTheResults) {
    click(window(), "cmdExport");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], titleBlock("Probabilistic slip surface\r\n\r\n"));
    EXPECT_NE(report[1].text.find("slip surface : -\r\n"), std::string::npos);
    EXPECT_NE(report[1].text.find("completely : -%\r\n"), std::string::npos);
    // The report names the Info box without a visible effect.
    const auto& box = dynamic_cast<const InfoBoxForm&>(session.form("frmInfoBox"));
    EXPECT_EQ(box.caption(), "InfoBox");
    EXPECT_EQ(box.reportName(), "ProbabilisticModel");
}

}  // namespace
}  // namespace ravelin::testing
