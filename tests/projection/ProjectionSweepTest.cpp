// Random and extreme texts typed into the projection's data grid and into
// the options window's fields (the small circles' cone angle, the kinematic
// analysis inputs), between random option buttons, check boxes, colours,
// plots and exports: every field ends within its range, the net is drawn
// with finite coordinates only and every point within it, reports never show
// a non-finite number, and the only messages are the projection's own and
// the range checks'.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "ProjectionFixture.h"
#include "projection/NetInverse.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

class ProjectionSweepTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(ProjectionSweepTest, DataGridOptionsAndKinematicInputs) {
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

}  // namespace
}  // namespace ravelin::testing
