// Random and extreme texts typed into the projection's data grid and into
// the options window's fields (the small circles' cone angle, the kinematic
// analysis inputs), between random option buttons, check boxes, colours,
// plots and exports: every field ends within its range, the net is drawn
// with finite coordinates only, reports never show a non-finite number, and
// the only messages are the projection's own and the range checks'.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "ProjectionFixture.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

struct Field {
    const char* name;
    int index;
    double maximum;
};
const Field kFields[] = {{"RaySmallCirc", -1, 180},
                         {"txtKinematic", 0, 360},
                         {"txtKinematic", 1, 90},
                         {"txtKinematic", 2, 90},
                         {"txtKinematic", 3, 90}};

const std::set<std::string> kTitles = {"Invalid data", "Warning !", "Ravelin - Mean orientation",
                                       "Ravelin - Kinematic analysis"};

class ProjectionSweepTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(ProjectionSweepTest, DataGridOptionsAndKinematicInputs) {
    std::mt19937 random(GetParam());
    ProjectionTool t;
    const std::vector<std::string> angles = {"0",   "90",          "90.0000001", "180", "180.5", "270", "360",
                                             "361", "359.9999999", "1e-9",       "45",  "30",    "20"};
    std::vector<Control*> toggles;
    for (const auto& control : t.options->controls()) {
        const ControlKind kind = control->kind();
        if (kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
            (kind == ControlKind::Label && control->name() == "lblColor"))
            toggles.push_back(control.get());
    }
    const char* buttons[] = {"cmdPlot", "cmdAdd", "cmdExportMean", "cmdExportKinematic", "cmdSendWedge"};
    runSweep(1500, random, [&](int action) {
        const std::size_t messagesBefore = t.platform.told().size();
        std::string described;
        t.report.clear();
        if (action < 35) {
            const long long row = std::uniform_int_distribution<long long>(1, 12)(random);
            const int column = std::uniform_int_distribution<int>(1, 2)(random);
            std::string typed = randomSweepText(random, angles, 15, -400, 800);
            if (typed.size() > 40) typed.resize(40);  // typed key by key: a long text says no more
            described =
                "typing '" + typed + "' into cell (" + std::to_string(row) + ", " + std::to_string(column) + ")";
            t.data->userGridClick(row, column);
            t.typeCell(typed);
        } else if (action < 55) {
            const Field& f = kFields[std::uniform_int_distribution<std::size_t>(0, std::size(kFields) - 1)(random)];
            const std::string typed = randomSweepText(random, angles, 15, -400, 800);
            described = "typing '" + typed + "' into " + f.name + "(" + std::to_string(f.index) + ")";
            t.type(f.name, f.index, typed);
            const double kept = readNumber(t.options->text(f.name, f.index));
            EXPECT_TRUE(kept >= 0 && kept <= f.maximum) << described << " left " << t.options->text(f.name, f.index);
        } else if (action < 80) {
            Control& toggle = *toggles[std::uniform_int_distribution<std::size_t>(0, toggles.size() - 1)(random)];
            described = "clicking " + toggle.key();
            t.options->userClick(toggle);
        } else {
            const char* name = buttons[std::uniform_int_distribution<std::size_t>(0, std::size(buttons) - 1)(random)];
            described = std::string("clicking ") + name;
            t.click(*t.options, name);
            EXPECT_FALSE(mentionsNonFinite(t.reportText())) << described << " wrote " << t.reportText();
        }
        for (std::size_t i = messagesBefore; i < t.platform.told().size(); ++i) {
            const MessageRequest& m = t.platform.told()[i];
            EXPECT_TRUE(kTitles.count(m.title)) << described << ": '" << m.title << "' " << m.text;
            EXPECT_FALSE(mentionsNonFinite(m.text)) << described << ": " << m.text;
        }
        if (action >= 55) {
            EXPECT_TRUE(drawnFinite(t.plot->surface())) << described << " drew a non-finite point";
        }
    });
    // A last plot of whatever the grid holds draws finite geometry too.
    t.replace();
    EXPECT_TRUE(drawnFinite(t.plot->surface()));
}

INSTANTIATE_TEST_SUITE_P(ProjectionSweepSeeds, ProjectionSweepTest, ::testing::Range(1u, 5u));

}  // namespace
}  // namespace ravelin::testing
