// The projection tool through its windows: what each option draws, Replace
// and add, the analyses with "Send to wedge model", Save and Print, a long
// drawing letting events run, and a sweep of random input. Where the nets
// put things is StereonetTest's.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <set>

#include "app/Registrations.h"
#include "core/NumberText.h"
#include "projection/NetInverse.h"
#include "projection/ProjectionFixture.h"
#include "projection/ProjectionTool.h"
#include "projection/StereonetCurves.h"
#include "support/InputSweep.h"

using namespace ravelin;
using ravelin::testing::expectNear;
using ravelin::testing::ProjectionTool;
using ravelin::testing::Rows;

namespace {

constexpr double kPi = std::numbers::pi;

// The kinematic analysis on, for a slope face 180/60, a friction angle of 30
// and a lateral limit of 20; the face's apparent dip at an offset D from 180
// is atan(tan 60 cos D).
struct KinematicTool : ProjectionTool {
    explicit KinematicTool(const Rows& rows) {
        typeRows(rows);
        choose("optStruct", 1);
        for (int i = 0; const char* value : {"180", "60", "30", "20"}) type("txtKinematic", i++, value);
        click(*options, "chkKinematic");
        replace();
    }
};

// A platform whose event processing can run the user's actions in the middle of a drawing.
struct PausingPlatform : ravelin::testing::TestPlatform {
    std::function<void()> duringDrawing;
    void processEvents() override {
        ravelin::testing::TestPlatform::processEvents();
        if (auto action = std::exchange(duringDrawing, nullptr)) action();
    }
};

std::vector<Rgb> circleColors(const RecordingCanvas& canvas) {
    std::vector<Rgb> colors;
    for (const DrawOp& op : canvas.ofKind(DrawOp::Kind::Circle)) colors.push_back(op.color);
    return colors;
}

}  // namespace

TEST(ProjFormTest, OptionsChooseTheStructureTheNetAndTheHemisphere) {
    const Rows rows = {{"30", "40"}, {"200", "90"}, {"310.5", "0"}};
    const std::vector<Reading> readings = {{30, 40, 1}, {200, 90, 2}, {310.5, 0, 3}};
    for (const auto& [net, hemisphere] :
         {std::pair{NetKind::Wulff, Hemisphere::Lower}, std::pair{NetKind::Schmidt, Hemisphere::Upper}}) {
        SCOPED_TRACE("net " + std::to_string(int(net)) + ", hemisphere " + std::to_string(int(hemisphere)));
        const NetView view = NetView::forCanvas(6000, 6000, net, hemisphere);
        ProjectionTool t;
        t.typeRows(rows);
        t.choose("optProj", net == NetKind::Wulff ? 0 : 1);
        t.choose("optHemi", hemisphere == Hemisphere::Lower ? 0 : 1);
        t.type("RaySmallCirc", -1, "25");
        for (StructureType type : {StructureType::Lines, StructureType::Poles}) {
            t.choose("optStruct", type == StructureType::Lines ? 0 : 1);
            ASSERT_TRUE(t.replace());
            std::vector<NetPoint> expected;
            for (const Line& line : plottedLines(readings, type)) expected.push_back(*view.project(line));
            EXPECT_EQ(t.points(), expected);
        }
        std::vector<Polyline> planes, cones;
        for (const Reading& r : readings) {
            planes.push_back(greatCircle(view, {r.direction, r.dip}));
            for (const Polyline& piece : smallCircle(view, {r.direction, r.dip}, 25)) cones.push_back(piece);
        }
        t.choose("optStruct", 2);
        ASSERT_TRUE(t.replace());
        EXPECT_EQ(t.plot->picture().layers.at(0).curves, planes);
        t.choose("optStruct", 3);
        ASSERT_TRUE(t.replace());
        EXPECT_EQ(t.plot->picture().layers.at(0).curves, cones);
    }
}

TEST(ProjFormTest, ReplaceAddAndTheHemisphereReplot) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"300", "10"}});
    ASSERT_TRUE(t.replace());
    t.click(*t.options, "lblColor", 2);  // red
    t.click(*t.data, "mnuContextClearGrid");
    t.typeRows({{"10", "80"}});
    t.add();
    ASSERT_EQ(t.plot->data().size(), 2u);
    EXPECT_EQ(circleColors(t.plot->surface()),
              (std::vector<Rgb>{colors::Black, colors::Black, Rgb::fromRgb(255, 0, 0)}));
    const NetPoint before = t.points()[0];

    // Another hemisphere replots every layer.
    t.choose("optHemi", 1);
    expectNear(t.points()[0], 6000 - before.x, 6000 - before.y, 1e-9);  // 120 + 180 = 300: the point turned half a turn

    // Replace keeps only the new data, in the palette's colour.
    t.click(*t.options, "lblColor", 8);
    EXPECT_TRUE(t.replace());
    EXPECT_EQ(circleColors(t.plot->surface()), (std::vector<Rgb>{Rgb::fromRgb(0, 0, 255)}));
}

TEST(ProjFormTest, WithSelectionOnlyTheSelectedRowsArePlotted) {
    ProjectionTool t;
    t.typeRows({{"0", "90"}, {"90", "0"}, {"180", "45"}});
    t.data->userGridClick(2, 1);
    t.data->userGridExtend(3, 1);
    t.choose("optSelect", 1);
    ASSERT_TRUE(t.replace());
    ASSERT_EQ(t.points().size(), 2u);
    expectNear(t.points()[0], 5850, 3000, 1e-9);
}

TEST(ProjFormTest, MeanOrientationAndItsExport) {
    ProjectionTool t;
    t.typeRows({{"0", "80"}, {"120", "80"}, {"240", "80"}});
    t.click(*t.options, "chkMean");
    ASSERT_TRUE(t.replace());
    expectNear(*t.plot->picture().mean->point, 3000, 3000, 1e-6);
    ASSERT_EQ(t.plot->picture().mean->cone.size(), 1u);  // a closed cone round the centre
    // Hand-worked: R = 3 sin 80, K = (n - 1) / (n - R) = 43.9.
    t.click(*t.options, "cmdExportMean");
    EXPECT_EQ(t.report.at(0), titleBlock("Mean orientation\r\n\r\n"));
    EXPECT_TRUE(t.reported("Fisher's K : 43.9"));
}

TEST(ProjFormTest, FileSaveAndPrintWhileThePlotIsActive) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}});
    ASSERT_TRUE(t.replace());
    t.session.setActiveForm(t.plot);
    t.plot->userActivate();
    EXPECT_TRUE(t.main->menuItem("mnuFileSave").enabled());
    EXPECT_TRUE(t.main->menuItem("mnuFilePrint").enabled());

    t.platform.saveAnswers.push_back("/tmp/net");
    t.main->runCommand("mnuFileSave");
    EXPECT_EQ(t.platform.exportedDrawings, (std::vector<std::string>{"/tmp/net.png"}));
    EXPECT_EQ(t.platform.told().back().title, "Ravelin - Save");  // this platform cannot draw: the user is told

    t.platform.messageAnswers.push_back(MessageAnswer::Yes);
    t.main->runCommand("mnuFilePrint");
    EXPECT_EQ(t.platform.told().back().text, "Print a draft copy of the current projection ?");
    ASSERT_EQ(t.platform.printJobs.size(), 1u);
    EXPECT_EQ(t.platform.printJobs[0]->pages.at(0)->ofKind(DrawOp::Kind::Circle).size(), 1u);  // the row's symbol

    t.plot->userDeactivate();
    EXPECT_FALSE(t.main->menuItem("mnuFileSave").enabled());
}

TEST(ProjFormTest, ALongDrawingLetsEventsRunAndTakesTheirChangesAfterwards) {
    PausingPlatform platform;
    Session session(platform);
    registerAllForms(session);
    session.createForm("frmMain");
    auto& data = dynamic_cast<DataForm&>(session.form("frmData"));
    auto& plot = dynamic_cast<ProjForm&>(session.form("frmProj"));
    std::string rows;
    for (int i = 0; i < 20000; ++i) rows += std::to_string(i % 360) + "\t" + std::to_string(i % 91) + "\r";
    platform.clipboard.text = rows;
    data.userGridClick(1, 1);
    data.editPaste();

    int plotsDuringDrawing = 0;
    platform.duringDrawing = [&] {
        EXPECT_TRUE(platform.busy);
        plotsDuringDrawing += plot.cmdPlot_Click() ? 1 : 0;  // refused while drawing
        plot.resizeCanvas(4000, 3000);                       // taken once the drawing is over
    };
    const int before = platform.eventsProcessed;
    ASSERT_TRUE(plot.cmdPlot_Click());
    EXPECT_GE(platform.eventsProcessed - before, 4);  // 20,000 points: a pause every few thousand
    EXPECT_EQ(plotsDuringDrawing, 0);
    EXPECT_FALSE(platform.busy);
    EXPECT_DOUBLE_EQ(plot.picture().view.cx(), 2000);
    EXPECT_EQ(plot.picture().layers.at(0).points.size(), 20000u);
}

TEST(KinematicFormTest, PlanarSlidingAndTopplingCountsAndTheirReport) {
    // The limits themselves are checked in KinematicAnalysisTest. Planar: 180/45 and 195/45 slide,
    // 180/70 does not daylight, 230/45 lies beyond the lateral limit. Toppling: poles 180/10 and
    // 190/15 plunge less than 60 - 30 towards the face; 0/50's pole plunges 40.
    KinematicTool t(
        {{"180", "45"}, {"180", "70"}, {"230", "45"}, {"195", "45"}, {"0", "80"}, {"0", "50"}, {"10", "75"}});
    // The critical poles are drawn where the net projects them (poles 0/45 and 15/45).
    const KinematicPicture& k = *t.plot->picture().kinematic;
    ASSERT_EQ(k.planarPoles.size(), 2u);
    EXPECT_EQ(k.topplingPoles.size(), 2u);
    const double r = 2850 * std::tan(22.5 * kPi / 180);
    expectNear(k.planarPoles[1], 3000 + r * std::sin(15 * kPi / 180), 3000 - r * std::cos(15 * kPi / 180), 1e-6);

    t.click(*t.options, "cmdExportKinematic");
    EXPECT_EQ(t.report.at(0), titleBlock("Kinematic analysis\r\n\r\n"));
    EXPECT_TRUE(t.reported("Planar sliding : 2 of 7 planes (28.6 %)"));
    EXPECT_TRUE(t.reported("Flexural toppling : 2 of 7 planes (28.6 %)"));

    t.type("txtKinematic", 2, "");  // an emptied field keeps the last value until typed again
    EXPECT_DOUBLE_EQ(t.session.moduleState<ProjectionState>().settings.kinematicInputs.frictionAngle, 30);
}

TEST(KinematicFormTest, WedgeSlidingAndSendToWedgeModel) {
    // 150/60 and 210/60 meet along 180/atan(tan 60 cos 30) = 180/56.31: below
    // the face's 60, above 30: the primary zone. 100/20 meets neither steeply enough towards the face.
    KinematicTool t({{"150", "60"}, {"210", "60"}, {"100", "20"}});
    t.choose("optKinematicPlot", 1);
    const double plunge = std::atan(std::tan(60 * kPi / 180) * std::cos(30 * kPi / 180)) * 180 / kPi;
    const KinematicPicture& k = *t.plot->picture().kinematic;
    EXPECT_EQ(k.primaryLines.size(), 1u);
    ASSERT_TRUE(k.criticalLine);
    EXPECT_FALSE(k.criticalPlanes[0].empty());

    t.click(*t.options, "cmdSendWedge");
    Form& model = t.session.form("frmModGeom");
    EXPECT_TRUE(model.visible());
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

TEST(KinematicFormTest, SendToWedgeModelWithAFaceDippingNorth) {
    // A face dipping to 0 is sent as 360, which the wedge model takes for the same face.
    KinematicTool north({{"330", "60"}, {"30", "60"}});
    north.type("txtKinematic", 0, "0");
    north.click(*north.options, "cmdSendWedge");
    EXPECT_EQ(north.session.form("frmModGeom").text("txtW", 14), "360");
    EXPECT_EQ(north.session.form("frmModGeom").text("txtW", 2), "330");
}

// Random and extreme texts in the data grid and the options' fields, between
// random options, colours, plots and exports: every field ends within its
// range, every point drawn is finite and within the net, and the only
// messages are the projection's own and the range checks'.
class ProjectionSweepTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(ProjectionSweepTest, DataGridOptionsAndKinematicInputs) {
    using namespace ravelin::testing;
    std::mt19937 random(GetParam());
    ProjectionTool t;
    Sweep s;
    s.windows = {t.options};
    s.ownTexts = {"0",   "90",          "90.0000001", "180", "180.5", "270", "360",
                  "361", "359.9999999", "1e-9",       "45",  "30",    "20"};
    s.low = -400, s.high = 800;
    s.range = [](const Control& field) {
        return InputRange{0, field.name() == "RaySmallCirc" ? 180.0 : field.index() == 0 ? 360.0 : 90.0};
    };
    s.mayTell = [](const MessageRequest& m) {
        static const std::set<std::string> titles = {"Invalid data", "Warning !", "Ravelin - Mean orientation",
                                                     "Ravelin - Kinematic analysis"};
        return titles.count(m.title) > 0;
    };
    for (const char* name : {"cmdPlot", "cmdAdd", "cmdExportMean", "cmdExportKinematic", "cmdSendWedge"})
        s.buttons.push_back({t.options, &t.options->at(name)});
    for (const auto& control : t.options->controls())
        if (control->name() == "lblColor") s.buttons.push_back({t.options, control.get()});
    s.typing = 20, s.toggling = 15, s.clicking = 30;
    s.actions = {{35, [&]() -> SweepStep {
                      const long long row = std::uniform_int_distribution<long long>(1, 12)(random);
                      const int column = std::uniform_int_distribution<int>(1, 2)(random);
                      std::string typed = randomSweepText(random, s.ownTexts, 15, s.low, s.high);
                      if (typed.size() > 40) typed.resize(40);  // typed key by key: a long text says no more
                      t.data->userGridClick(row, column);
                      t.typeCell(typed);
                      return {"typing '" + typed + "' into cell " + std::to_string(row) + "," + std::to_string(column)};
                  }}};
    s.check = [&](const std::string& step) {
        EXPECT_TRUE(drawnFinite(t.plot->surface())) << step << " drew a non-finite point";
        const NetView& view = t.plot->picture().view;
        for (const NetPoint& p : t.points())
            EXPECT_LE(test::radiusOf(view, p), view.radius() * (1 + 1e-12)) << step << " drew a point outside the net";
    };
    s.run(t.platform, t.session, random, 1500);
    // A last plot of whatever the grid holds draws finite geometry too.
    t.replace();
    s.check("the last plot");
}

INSTANTIATE_TEST_SUITE_P(ProjectionSweepSeeds, ProjectionSweepTest, ::testing::Range(1u, 5u));
