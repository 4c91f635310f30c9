// The kinematic analysis through the projection windows: hand-worked
// counts of each failure mode with their "Export" report, the picture of
// each plot, and "Send to wedge model" meeting the wedge failure page.
//
// Slope face 180/60, friction angle 30, lateral limit 20 throughout. The
// face's apparent dip at an offset D from 180 is atan(tan 60 cos D).

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/NumberText.h"
#include "projection/ProjectionFixture.h"

using namespace ravelin;
using ravelin::testing::expectNear;
using ravelin::testing::ProjectionTool;

namespace {

constexpr double kPi = std::numbers::pi;

struct KinematicTool : ProjectionTool {
    explicit KinematicTool(const std::vector<std::pair<std::string, std::string>>& rows) {
        typeRows(rows);
        choose("optStruct", 1);
        type("txtKinematic", 0, "180");
        type("txtKinematic", 1, "60");
        type("txtKinematic", 2, "30");
        type("txtKinematic", 3, "20");
        click(*options, "chkKinematic");
        replace();
    }
    const KinematicResult& result() const { return plot->picture().kinematic->result; }
};

}  // namespace

TEST(KinematicFormTest, PlanarSlidingCountsAndItsReport) {
    // 180/45 and 195/45 slide (45 above 30, below the face's 60 and 59.1 at 15 degrees off);
    // 180/20 is too flat, 180/70 does not daylight, 230/45 lies beyond the lateral limit.
    // At the limits: 200/45, exactly 20 off, is counted; 180/30, exactly at the friction angle, is not.
    KinematicTool t(
        {{"180", "45"}, {"180", "20"}, {"180", "70"}, {"230", "45"}, {"195", "45"}, {"200", "45"}, {"180", "30"}});
    EXPECT_EQ(t.result().planar.critical, 3u);
    EXPECT_EQ(t.result().planar.total, 7u);
    EXPECT_EQ(t.result().planarCritical, (std::vector<bool>{true, false, false, false, true, true, false}));
    // The critical poles are drawn where the net projects them (poles 0/45, 15/45 and 20/45).
    const KinematicPicture& k = *t.plot->picture().kinematic;
    ASSERT_EQ(k.planarPoles.size(), 3u);
    const double r = 2850 * std::tan(22.5 * kPi / 180);
    expectNear(k.planarPoles[0], 3000, 3000 - r, 1e-6);
    expectNear(k.planarPoles[1], 3000 + r * std::sin(15 * kPi / 180), 3000 - r * std::cos(15 * kPi / 180), 1e-6);
    EXPECT_FALSE(t.plot->surface().ofKind(DrawOp::Kind::FillPolygon).empty());  // the shaded zones

    t.click(*t.options, "cmdExportKinematic");
    EXPECT_EQ(t.report.at(0), titleBlock("Kinematic analysis\r\n\r\n"));
    EXPECT_TRUE(t.reported("Dip direction : 180.0\xC2\xB0"));
    EXPECT_TRUE(t.reported("Friction angle : 30.0\xC2\xB0"));
    EXPECT_TRUE(t.reported("Planar sliding : 3 of 7 planes (42.9 %)"));
    EXPECT_TRUE(t.reported("Flexural toppling : 0 of 7 planes (0.0 %)"));
    EXPECT_TRUE(
        t.reported("Wedge sliding, primary critical zone : " + std::to_string(t.result().wedgePrimary.critical) +
                   " of 21 pairs of planes (" + formatNumber(t.result().wedgePrimary.percent(), "0.0") + " %)"));
}

TEST(KinematicFormTest, FlexuralToppling) {
    // Poles 180/10 and 190/15 plunge less than 60 - 30 towards the face; 0/50's
    // pole plunges 40; 30/85's pole trends 210, 30 off the face. At the limits:
    // 20/80's pole, exactly 20 off, is counted; 0/60's, plunging exactly 30, is not.
    KinematicTool t({{"0", "80"}, {"0", "50"}, {"30", "85"}, {"10", "75"}, {"20", "80"}, {"0", "60"}});
    EXPECT_EQ(t.result().topplingCritical, (std::vector<bool>{true, false, false, true, true, false}));
    EXPECT_EQ(t.plot->picture().kinematic->topplingPoles.size(), 3u);
    t.click(*t.options, "cmdExportKinematic");
    EXPECT_TRUE(t.reported("Flexural toppling : 3 of 6 planes (50.0 %)"));
}

TEST(KinematicFormTest, WedgeSlidingAndSendToWedgeModel) {
    // 150/60 and 210/60 meet along 180/atan(tan 60 cos 30) = 180/56.31: below
    // the face's 60, above 30: the primary zone. 100/20 meets neither steeply enough towards the face.
    KinematicTool t({{"150", "60"}, {"210", "60"}, {"100", "20"}});
    t.choose("optKinematicPlot", 1);
    EXPECT_EQ(t.result().wedgePrimary.critical, 1u);
    EXPECT_EQ(t.result().wedgePrimary.total, 3u);
    ASSERT_TRUE(t.result().mostCriticalPair);
    const double plunge = std::atan(std::tan(60 * kPi / 180) * std::cos(30 * kPi / 180)) * 180 / kPi;
    EXPECT_NEAR(t.result().mostCriticalPair->intersection.trend, 180, 1e-9);
    EXPECT_NEAR(t.result().mostCriticalPair->intersection.plunge, plunge, 1e-9);
    const KinematicPicture& k = *t.plot->picture().kinematic;
    EXPECT_EQ(k.primaryLines.size(), 1u);
    ASSERT_TRUE(k.criticalLine);
    EXPECT_FALSE(k.criticalPlanes[0].empty());

    t.click(*t.options, "cmdSendWedge");
    Form& model = t.session.form("frmModGeom");
    EXPECT_TRUE(model.visible());
    EXPECT_EQ(t.main->menuItem("mnuModelsGeomec").value(), 1);
    EXPECT_EQ(model.at("tbsOptions").value(), 2);
    const std::pair<int, const char*> sent[] = {{2, "150"}, {3, "60"},  {5, "30"},   {7, "210"},
                                                {8, "60"},  {10, "30"}, {14, "180"}, {15, "60"}};
    for (const auto& [index, text] : sent) EXPECT_EQ(model.text("txtW", index), text) << index;
    // The wedge model, on its own arithmetic, finds the same line of intersection
    // (once its tension crack lies on the wedge and no water lifts it: the kinematic analysis knows neither).
    model.setText(model.at("txtW", 19), "10");
    model.userClick(model.at("chkDrySlope"));
    EXPECT_EQ(model.text("txtFact", 3), "Sliding on line of intersection");
    EXPECT_EQ(model.text("txtFact", 4), "180.000");
    EXPECT_EQ(model.text("txtFact", 5), formatNumber(plunge, "0.000"));
}

TEST(KinematicFormTest, SendToWedgeModelWithoutACriticalPairOrWithAFaceDippingNorth) {
    KinematicTool none({{"150", "20"}, {"210", "20"}});
    none.click(*none.options, "cmdSendWedge");
    EXPECT_EQ(none.platform.told().back().text,
              "No pair of planes lies in the primary critical zone: there is no wedge to send.");
    EXPECT_EQ(none.session.findForm("frmModGeom"), nullptr);

    // A face dipping to 0 is sent as 360, which the wedge model takes for the same face.
    KinematicTool north({{"330", "60"}, {"30", "60"}});
    north.type("txtKinematic", 0, "0");
    north.click(*north.options, "cmdSendWedge");
    EXPECT_EQ(north.session.form("frmModGeom").text("txtW", 14), "360");
    EXPECT_EQ(north.session.form("frmModGeom").text("txtW", 2), "330");

    ProjectionTool empty;
    empty.click(*empty.options, "cmdExportKinematic");
    EXPECT_EQ(empty.platform.told().back().title, "Ravelin - Kinematic analysis");
    EXPECT_TRUE(empty.report.empty());
}

TEST(KinematicFormTest, FieldsOutOfRangeAreRefusedAndTheAnalysisRedraws) {
    KinematicTool t(std::vector<std::pair<std::string, std::string>>{{"180", "45"}});
    EXPECT_EQ(t.result().planar.critical, 1u);
    t.type("txtKinematic", 2, "120");  // a friction angle above 90
    EXPECT_EQ(t.platform.told().back().title, "Invalid data");
    EXPECT_EQ(t.options->text("txtKinematic", 2), "90");
    EXPECT_EQ(t.result().planar.critical, 0u);  // redrawn with 90: nothing slides
    t.type("txtKinematic", 2, "");              // an emptied field keeps the last value until typed again
    EXPECT_DOUBLE_EQ(t.session.moduleState<ProjectionState>().settings.kinematicInputs.frictionAngle, 90);
}
