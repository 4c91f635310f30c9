// The projection tool through its windows: the menu command and its
// message, plotting the grid's rows (the nets' edge cases, Replace and
// add, replots in the hemisphere's colour, clearing the canvas, symbols,
// great and small circles), bad input, the analyses, the export of the
// picture, and a drawing long enough to let events run.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/Registrations.h"
#include "core/NumberText.h"
#include "projection/NetInverse.h"
#include "projection/StereonetCurves.h"
#include "projection/ProjectionFixture.h"
#include "projection/ProjectionTool.h"

using namespace ravelin;
using ravelin::testing::expectNear;
using ravelin::testing::ProjectionTool;

namespace {

constexpr double kPi = std::numbers::pi;

std::vector<Rgb> circleColors(const RecordingCanvas& canvas) {
    std::vector<Rgb> colors;
    for (const DrawOp& op : canvas.ofKind(DrawOp::Kind::Circle)) colors.push_back(op.color);
    return colors;
}

bool everyCoordinateFinite(const RecordingCanvas& canvas) {
    for (const DrawOp& op : canvas.ops()) {
        for (double v : {op.x1, op.y1, op.x2, op.y2})
            if (!std::isfinite(v)) return false;
        for (const DrawPoint& p : op.points)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    }
    return true;
}

}  // namespace

TEST(ProjFormTest, ProjectionsMenuShowsTheMessageAndTheThreeWindowsTogether) {
    ravelin::testing::TestSession s;
    Control& item = s.main->menuItem("mnuToolsProjections");
    EXPECT_TRUE(item.enabled());
    for (int round = 0; round < 2; ++round) {
        s.main->runCommand("mnuToolsProjections");
        ASSERT_EQ(s.platform.told().size(), static_cast<std::size_t>(round + 1));
        const MessageRequest& m = s.platform.told().back();
        EXPECT_EQ(m.text, "This provisional projection tool is provided as an example.");
        EXPECT_EQ(m.title, "Ravelin information");
        EXPECT_EQ(m.icon, MessageIcon::Information);
        EXPECT_EQ(item.value(), 1);
        for (const char* name : {"frmProj", "frmOptProj", "frmData"})
            EXPECT_TRUE(s.session.form(name).visible()) << name;
        EXPECT_EQ(s.session.form("frmProj").caption(), "Projection");
        EXPECT_EQ(s.session.form("frmOptProj").caption(), "Projection options");

        s.main->runCommand("mnuToolsProjections");
        EXPECT_EQ(item.value(), 0);
        for (const char* name : {"frmProj", "frmOptProj", "frmData"})
            EXPECT_FALSE(s.session.form(name).visible()) << name;
    }
    // Closing the plot or the options window from its title bar closes all three the same way.
    for (const char* closed : {"frmProj", "frmOptProj"}) {
        s.platform.messageAnswers.push_back(MessageAnswer::Ok);  // the provisional tool's message, as above
        s.main->runCommand("mnuToolsProjections");
        EXPECT_FALSE(s.session.closeForm(s.session.form(closed)));
        EXPECT_EQ(item.value(), 0);
        for (const char* name : {"frmProj", "frmOptProj", "frmData"})
            EXPECT_FALSE(s.session.form(name).visible()) << name;
    }
}

TEST(ProjFormTest, EdgeCasesOfTheNetsThroughTheWindows) {
    // Canvas 6000 x 6000: centre (3000, 3000), R = 2850.
    struct Case {
        const char* name;
        int structure;
        const char* direction;
        const char* dip;
        int hemisphere;
        double x, y;
    };
    const double wulff25 = 2850 * std::tan(25 * kPi / 180);  // a line plunging 40: colatitude 50, half of it 25
    const double schmidt25 = std::sqrt(2.0) * 2850 * std::sin(25 * kPi / 180);
    const Case cases[] = {
        {"vertical line at the centre", 0, "77", "90", 0, 3000, 3000},
        {"horizontal line on the primitive circle", 0, "90", "0", 0, 5850, 3000},
        {"pole of a horizontal plane at the centre", 1, "0", "0", 0, 3000, 3000},
        {"pole of a vertical plane on the primitive circle", 1, "90", "90", 0, 150, 3000},
        {"horizontal line, upper hemisphere: opposite", 0, "90", "0", 1, 150, 3000},
    };
    for (int net : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (net ? " (Schmidt)" : " (Wulff)"));
            ProjectionTool t;
            t.typeRows({{c.direction, c.dip}});
            t.choose("optStruct", c.structure);
            t.choose("optProj", net);
            t.choose("optHemi", c.hemisphere);
            ASSERT_TRUE(t.replace());
            ASSERT_EQ(t.points().size(), 1u);
            expectNear(t.points()[0], c.x, c.y, 1e-9);
        }
        // A line 30/40 on the upper hemisphere is drawn at the azimuth 210.
        ProjectionTool t;
        t.typeRows({{"30", "40"}});
        t.choose("optProj", net);
        t.choose("optHemi", 1);
        ASSERT_TRUE(t.replace());
        const double r = net == 0 ? wulff25 : schmidt25;
        expectNear(t.points().at(0), 3000 + r * std::sin(210 * kPi / 180), 3000 - r * std::cos(210 * kPi / 180), 1e-6);
    }
}

TEST(ProjFormTest, NoStructuralDataToPlot) {
    ProjectionTool t;
    t.typeRows({{"120", ""}, {"", "45"}});  // no row with both cells
    EXPECT_FALSE(t.replace());
    ASSERT_EQ(t.platform.told().size(), 2u);  // after the tool's own message
    EXPECT_EQ(t.platform.told().back().text, "No structural data to plot !");
    EXPECT_EQ(t.platform.told().back().title, "Warning !");
    EXPECT_TRUE(t.session.moduleState<ProjectionState>().error);
    EXPECT_TRUE(t.plot->data().empty());
    EXPECT_FALSE(t.plot->surface().ofKind(DrawOp::Kind::Polyline).empty());  // the net stands, empty

    // A failed add leaves what is plotted; a failed Replace has emptied it first.
    t.typeRows({{"120", "45"}});
    EXPECT_TRUE(t.replace());
    EXPECT_FALSE(t.session.moduleState<ProjectionState>().error);
    t.click(*t.data, "mnuContextClearGrid");
    t.add();
    EXPECT_EQ(t.plot->data().size(), 1u);
    EXPECT_FALSE(t.replace());
    EXPECT_EQ(t.platform.told().back().text, "No structural data to plot !");
    EXPECT_TRUE(t.plot->data().empty());
}

TEST(ProjFormTest, ReplaceAddAndTheHemisphereReplotColours) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"300", "10"}});
    ASSERT_TRUE(t.replace());
    t.click(*t.options, "lblColor", 2);  // red
    EXPECT_EQ(t.options->at("lblColor", OptProjForm::kPaletteSize).backColor(), 0x0000FF);
    t.click(*t.data, "mnuContextClearGrid");
    t.typeRows({{"10", "80"}});
    t.add();
    ASSERT_EQ(t.plot->data().size(), 2u);
    EXPECT_EQ(circleColors(t.plot->surface()),
              (std::vector<Rgb>{colors::Black, colors::Black, Rgb::fromRgb(255, 0, 0)}));
    const NetPoint before = t.points()[0];

    t.choose("optHemi", 1);
    const Rgb upper = Rgb::fromRgb(100, 100, 255);
    EXPECT_EQ(circleColors(t.plot->surface()), (std::vector<Rgb>(3, upper)));
    expectNear(t.points()[0], 6000 - before.x, 6000 - before.y, 1e-9);  // 120 + 180 = 300: the point turned half a turn
    t.choose("optHemi", 0);
    EXPECT_EQ(circleColors(t.plot->surface()), (std::vector<Rgb>(3, Rgb::fromRgb(255, 100, 100))));
    // The net and the size replot in the hemisphere's colour too.
    t.click(*t.options, "lblColor", 8);
    t.plot->redraw();  // an analysis switched: colours stay
    EXPECT_EQ(circleColors(t.plot->surface()), (std::vector<Rgb>(3, Rgb::fromRgb(255, 100, 100))));
    t.choose("optProj", 1);
    t.choose("optHemi", 1);
    t.plot->resizeCanvas(8000, 5000);
    EXPECT_EQ(circleColors(t.plot->surface()), (std::vector<Rgb>(3, upper)));
    EXPECT_DOUBLE_EQ(t.plot->picture().view.cx(), 4000);
    EXPECT_DOUBLE_EQ(t.plot->picture().view.cy(), 2500);
    EXPECT_DOUBLE_EQ(t.plot->picture().view.radius(), 2350);

    // Replace keeps only the new data, in the palette's colour.
    EXPECT_TRUE(t.replace());
    EXPECT_EQ(circleColors(t.plot->surface()), (std::vector<Rgb>{Rgb::fromRgb(0, 0, 255)}));
}

TEST(ProjFormTest, ClearCanvasKeepsTheDataForTheNextReplot) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"300", "10"}});
    ASSERT_TRUE(t.replace());
    t.plot->userClick(t.plot->at("mnuClearCanvas"));
    const std::vector<DrawOp> blank = t.plot->surface().ops();
    ASSERT_EQ(blank.size(), 1u);
    EXPECT_EQ(blank[0].kind, DrawOp::Kind::Clear);
    EXPECT_EQ(t.plot->data().size(), 1u);

    t.click(*t.data, "mnuContextClearGrid");
    t.typeRows({{"45", "45"}});
    t.add();  // over the blank canvas: the net and the new row only
    EXPECT_EQ(t.points().size(), 1u);
    EXPECT_FALSE(t.plot->surface().ofKind(DrawOp::Kind::Polyline).empty());
    t.choose("optProj", 1);  // a replot shows every stored row again
    EXPECT_EQ(t.points().size(), 3u);
}

TEST(ProjFormTest, SymbolsAndTheRowSelection) {
    ProjectionTool t;
    t.typeRows({{"0", "90"}, {"90", "0"}, {"180", "45"}});
    t.choose("optSymbol", 1);
    ASSERT_TRUE(t.replace());
    EXPECT_EQ(t.plot->surface().ofKind(DrawOp::Kind::FillPolygon).size(), 3u);
    EXPECT_EQ(t.plot->surface().ofKind(DrawOp::Kind::Circle).size(), 3u);
    EXPECT_DOUBLE_EQ(t.plot->surface().ofKind(DrawOp::Kind::Circle)[0].x2, 30);
    for (const char* symbol : {"+", "x", "*"}) {
        t.choose("optSymbol", std::string(symbol) == "+" ? 2 : std::string(symbol) == "x" ? 3 : 4);
        ASSERT_TRUE(t.replace());
        int found = 0;
        for (const DrawOp& op : t.plot->surface().ofKind(DrawOp::Kind::Text)) {
            if (op.text != symbol) continue;
            // Centred on the point: the first row's is the net's centre.
            const TextSize size = measureText(op.font, op.text);
            if (found++ == 0) expectNear({op.x1 + size.width / 2, op.y1 + size.height / 2}, 3000, 3000, 1e-9);
        }
        EXPECT_EQ(found, 3) << symbol;
    }
    // With "selection", only the rows selected in the grid.
    t.data->userGridClick(2, 1);
    t.data->userGridExtend(3, 1);
    t.choose("optSelect", 1);
    ASSERT_TRUE(t.replace());
    ASSERT_EQ(t.points().size(), 2u);
    expectNear(t.points()[0], 5850, 3000, 1e-9);
}

TEST(ProjFormTest, GreatAndSmallCirclesLieOnTheirPlanesAndCones) {
    const std::vector<std::pair<std::string, std::string>> planes = {
        {"0", "0"}, {"45", "30"}, {"130", "89.5"}, {"200", "90"}, {"310", "65"}};
    for (int net : {0, 1}) {
        for (int hemisphere : {0, 1}) {
            SCOPED_TRACE("net " + std::to_string(net) + ", hemisphere " + std::to_string(hemisphere));
            ProjectionTool t;
            t.typeRows(planes);
            t.choose("optStruct", 2);
            t.choose("optProj", net);
            t.choose("optHemi", hemisphere);
            ASSERT_TRUE(t.replace());
            const NetPicture& picture = t.plot->picture();
            ASSERT_EQ(picture.layers.at(0).curves.size(), planes.size());
            for (std::size_t i = 0; i < planes.size(); ++i) {
                // The plane in the frame the net is drawn in: on the upper hemisphere its dip direction turns.
                double direction = std::stod(planes[i].first);
                if (hemisphere == 1) direction = std::fmod(direction + 180, 360);
                double dip = std::stod(planes[i].second);
                // The Wulff construction draws a vertical or horizontal plane by its stand-in dip.
                if (net == 0 && dip == 90) dip = kWulffVerticalDip * 180 / kPi;
                if (net == 0 && dip == 0) dip = kWulffHorizontalDip * 180 / kPi;
                const Vector3 normal = test::unitOf(direction + 180, 90 - dip);
                for (const NetPoint& p : picture.layers[0].curves[i]) {
                    const Vector3 v = test::directionDrawnAt(picture.view, p);
                    // An angle of e radians off the plane moves a point about e R: 1e-9 R.
                    EXPECT_LT(std::fabs(dot(v, normal)), 1e-9) << planes[i].first << "/" << planes[i].second;
                }
            }
        }
    }
    ProjectionTool t;
    t.typeRows({{"0", "90"}, {"90", "10"}});
    t.choose("optStruct", 3);
    t.type("RaySmallCirc", -1, "25");
    ASSERT_TRUE(t.replace());
    const NetPicture& picture = t.plot->picture();
    ASSERT_GE(picture.layers[0].curves.size(), 2u);  // the cone round 90/10 crosses the rim
    for (const Polyline& curve : picture.layers[0].curves) {
        for (const NetPoint& p : curve) {
            const Vector3 v = test::directionDrawnAt(picture.view, p);
            const double fromVertical = test::degreesBetween(v, test::unitOf(0, 90));
            const double fromEast = test::degreesBetween(v, test::unitOf(90, 10));
            EXPECT_NEAR(std::min(fromVertical, fromEast), 25, 1e-7);
        }
    }
}

TEST(ProjFormTest, BadInputNeverGivesANonFiniteCoordinateOrALineOutsideTheNet) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"abc", "xyz"},      {"", "45"},     {"-400", "-30"},  {"1e300", "1e300"}, {"720.5", "95"}, {"1e-300", "0"},
        {"-1e308", "1e308"}, {"1e309", "5"}, {"12.5.3", "7e"}, {"90", "-90"},      {" 15 ", "\t"},  {"360", "90"},
    };
    for (int structure = 0; structure < 4; ++structure) {
        for (int net : {0, 1}) {
            for (int hemisphere : {0, 1}) {
                SCOPED_TRACE("structure " + std::to_string(structure) + ", net " + std::to_string(net) +
                             ", hemisphere " + std::to_string(hemisphere));
                ProjectionTool t;
                t.typeRows(rows);
                t.choose("optStruct", structure);
                t.choose("optProj", net);
                t.choose("optHemi", hemisphere);
                for (const char* box : {"chkContour", "chkMean", "chkKinematic"}) t.click(*t.options, box);
                t.type("txtKinematic", 0, "1e300");
                t.type("RaySmallCirc", -1, "99999");
                ASSERT_TRUE(t.replace());
                EXPECT_TRUE(everyCoordinateFinite(t.plot->surface()));
                const NetView& view = t.plot->picture().view;
                for (const NetPoint& p : t.points()) EXPECT_LE(test::radiusOf(view, p), view.radius() * (1 + 1e-12));
                t.choose("optKinematicPlot", 1);
                EXPECT_TRUE(everyCoordinateFinite(t.plot->surface()));
                EXPECT_FALSE(t.platform.told().empty());  // the fields beyond their ranges were told
            }
        }
    }
}

TEST(ProjFormTest, AnalysesAreOffUntilAskedForSoThePlainPictureStays) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"130", "50"}});
    ASSERT_TRUE(t.replace());
    EXPECT_TRUE(t.plot->surface().ofKind(DrawOp::Kind::FillPolygon).empty());
    EXPECT_EQ(t.plot->surface().texts(), (std::vector<std::string>{"N"}));
    // 201-point primitive circle, then 36 rim ticks.
    const std::vector<DrawOp> paths = t.plot->surface().ofKind(DrawOp::Kind::Polyline);
    ASSERT_FALSE(paths.empty());
    EXPECT_GT(std::count_if(paths.begin(), paths.end(), [](const DrawOp& op) { return op.points.size() == 201; }), 0);

    // Contours are drawn on the Schmidt net; on the Wulff net the legend says so.
    t.click(*t.options, "chkContour");
    EXPECT_TRUE(t.plot->picture().contoursNeedSchmidt);
    const std::vector<std::string> texts = t.plot->surface().texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Contours: Schmidt net only"), texts.end());
    t.choose("optProj", 1);
    ASSERT_TRUE(t.plot->picture().contours);
    EXPECT_FALSE(t.plot->picture().contours->contours.empty());
    for (const ContourLevel& level : t.plot->picture().contours->contours)
        EXPECT_DOUBLE_EQ(std::fmod(level.level, 2), 0);  // every 2 sigma
}

TEST(ProjFormTest, MeanOrientationOfLinesAndPolesAndItsReport) {
    // Three lines plunging 80 round the vertical: R = 3 sin 80, K = (n - 1) / (n - R),
    // cos a95 = 1 - (n - R) / R (20^(1/(n-1)) - 1).
    const double n = 3, R = 3 * std::sin(80 * kPi / 180);
    const double kappa = (n - 1) / (n - R);
    const double alpha95 = std::acos(1 - (n - R) / R * (std::sqrt(20.0) - 1)) * 180 / kPi;
    ProjectionTool t;
    t.typeRows({{"0", "80"}, {"120", "80"}, {"240", "80"}});
    t.click(*t.options, "chkMean");
    ASSERT_TRUE(t.replace());
    const MeanOrientation& mean = *t.plot->picture().mean;
    EXPECT_EQ(mean.kind, FisherData::Vectors);
    EXPECT_NEAR(mean.statistics.mean->plunge, 90, 1e-9);
    EXPECT_NEAR(*mean.statistics.kappa, kappa, 1e-9);
    EXPECT_NEAR(*mean.statistics.alpha95, alpha95, 1e-9);
    expectNear(*mean.point, 3000, 3000, 1e-6);
    ASSERT_EQ(mean.cone.size(), 1u);  // a closed cone round the centre
    t.click(*t.options, "cmdExportMean");
    EXPECT_EQ(t.report.at(0), titleBlock("Mean orientation\r\n\r\n"));
    EXPECT_TRUE(t.reported("Number of lines : 3"));
    EXPECT_TRUE(t.reported("Read as vectors"));
    EXPECT_NE(t.reportText().find(" / 90.0\xC2\xB0\r\n"), std::string::npos);  // the trend of a vertical mean is any
    EXPECT_TRUE(t.reported("Fisher's K : " + formatNumber(kappa, "0.0")));
    EXPECT_TRUE(
        t.reported("Cone of confidence \xCE\xB1"
                   "95 : " +
                   formatNumber(alpha95, "0.0") + "\xC2\xB0"));
    EXPECT_EQ(formatNumber(alpha95, "0.0"), "18.8");  // the hand-worked figure

    // Poles of planes are axes: poles 180/10 and 0/10 average to the horizontal north-south axis.
    ProjectionTool axes;
    axes.typeRows({{"0", "80"}, {"180", "80"}});
    axes.choose("optStruct", 1);
    axes.click(*axes.options, "chkMean");
    ASSERT_TRUE(axes.replace());
    const FisherStatistics& s = axes.plot->picture().mean->statistics;
    EXPECT_EQ(axes.plot->picture().mean->kind, FisherData::Axes);
    EXPECT_NEAR(s.mean->plunge, 0, 1e-9);
    EXPECT_NEAR(std::sin(s.mean->trend * kPi / 180), 0, 1e-9);  // north or south
    EXPECT_NEAR(s.resultantLength, 2 * std::cos(10 * kPi / 180), 1e-12);
    EXPECT_EQ(axes.plot->picture().mean->cone.size(), 2u);  // a cone on the rim comes back on the other side
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
    ASSERT_EQ(t.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(t.platform.saveDialogs[0].filter,
              "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf");
    EXPECT_EQ(t.platform.exportedDrawings, (std::vector<std::string>{"/tmp/net.png"}));
    EXPECT_EQ(t.platform.told().back().title, "Ravelin - Save");  // this platform cannot draw: the user is told
    t.platform.saveAnswers.push_back("/tmp/net.svg");
    t.main->runCommand("mnuFileSaveAs");
    EXPECT_EQ(t.platform.exportedDrawings.back(), "/tmp/net.svg");

    t.platform.messageAnswers.push_back(MessageAnswer::Yes);
    t.main->runCommand("mnuFilePrint");
    EXPECT_EQ(t.platform.told().back().text, "Print a draft copy of the current projection ?");
    ASSERT_EQ(t.platform.printJobs.size(), 1u);
    EXPECT_EQ(t.platform.printJobs[0]->pages.at(0)->ofKind(DrawOp::Kind::Circle).size(), 1u);  // the row's symbol

    t.plot->userDeactivate();
    EXPECT_FALSE(t.main->menuItem("mnuFileSave").enabled());
}

namespace {

// A platform whose event processing can run the user's actions in the middle of a drawing.
struct PausingPlatform : ravelin::testing::TestPlatform {
    std::function<void()> duringDrawing;
    void processEvents() override {
        ravelin::testing::TestPlatform::processEvents();
        if (auto action = std::exchange(duringDrawing, nullptr)) action();
    }
};

}  // namespace

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
    EXPECT_EQ(plot.data().size(), 1u);
    EXPECT_DOUBLE_EQ(plot.picture().view.cx(), 2000);
    EXPECT_DOUBLE_EQ(plot.surface().width(), 4000);
    EXPECT_EQ(plot.picture().layers.at(0).points.size(), 20000u);
}
