// Random and extreme texts typed into every input of both model windows in
// random order, with random check boxes, options, pages and exports: every
// result box must show a finite number, "-" or one of the models' messages,
// and every entry beyond its range must be told exactly once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <regex>
#include <set>

#include "ModelWindowFixture.h"
#include "core/FontMetrics.h"
#include "core/NumberText.h"
#include "models/PlaneFailure.h"
#include "models/ProbabilisticWedge.h"
#include "models/SlipSurface.h"
#include "models/WedgeFailure.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

constexpr long long kLargest = 2147483647;

// The accepted maximum of every input (all minima are 0).
const std::map<std::string, long long>& maxima() {
    static const std::map<std::string, long long> table = [] {
        std::map<std::string, long long> m;
        for (int i = 0; i <= 12; ++i) m["frmModGeom txt1MS(" + std::to_string(i) + ")"] = kLargest;
        m["frmModGeom txt1MS(2)"] = 1;
        for (int i : {5, 6, 8, 9, 11}) m["frmModGeom txt1MS(" + std::to_string(i) + ")"] = 90;
        for (int i : {0, 1, 4, 9, 18}) m["frmModGeom txtW(" + std::to_string(i) + ")"] = kLargest;
        for (int i : {2, 7, 12, 14, 16}) m["frmModGeom txtW(" + std::to_string(i) + ")"] = 360;
        for (int i : {3, 5, 8, 10, 13, 15, 17}) m["frmModGeom txtW(" + std::to_string(i) + ")"] = 90;
        m["frmModGeom txtW(19)"] = 214748364;
        m["frmModProb txtMS(0)"] = m["frmModProb txtMS(1)"] = 90;
        for (int i : {2, 3, 4}) m["frmModProb txtMS(" + std::to_string(i) + ")"] = kLargest;
        for (int i : {0, 1}) m["frmModProb txt1MS(" + std::to_string(i) + ")"] = kLargest;
        for (int i : {2, 4, 6}) m["frmModProb txt1MS(" + std::to_string(i) + ")"] = 360;
        for (int i : {3, 5, 7}) m["frmModProb txt1MS(" + std::to_string(i) + ")"] = 90;
        return m;
    }();
    return table;
}

const std::set<std::string> kMessages = {
    "Warning : slope face dip = failure surface dip",
    "Warning : slope face dip < failure surface dip",
    "The tension crack is behind the wedge !",
    "No wedge is formed !",
    "Invalid tension crack ! Reduce its dip.",
    "Invalid tension crack ! Change its dip direction.",
    "Invalid tension crack !",
    "Contact lost on both planes",
    "Sliding on plane 1 (contact is lost on plane 2)",
    "Sliding on plane 2 (contact is lost on plane 1)",
    "Sliding on line of intersection",
};

bool isShownNumber(const std::string& text) {
    static const std::regex number(R"(-?[0-9][0-9']*(\.[0-9]+)?)");
    return std::regex_match(text, number);
}

bool isAcceptableResult(const std::string& text) {
    static const std::string crackLimit = "Invalid tension crack. B should be <";
    if (text == "-" || kMessages.count(text) || isShownNumber(text)) return true;
    return text.rfind(crackLimit, 0) == 0 && isShownNumber(text.substr(crackLimit.size()));
}

class ModelSweepTest : public ModelWindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::string randomText(std::mt19937& random) {
        static const std::vector<std::string> limits = {"2147483647", "2147483648", "214748364",  "214748365",  "360",
                                                        "361",        "90",         "90.0000001", "89.9999999", "1",
                                                        "0.5",        "1.5",        "45",         "0.0#"};
        // Whole multiples of 15 degrees make identical and perpendicular planes likely.
        return randomSweepText(random, limits, 15, -50, 400);
    }

    void checkResults(Form& form, const std::string& step) {
        for (const auto& control : form.controls()) {
            if (control->kind() != ControlKind::TextBox || !control->readOnly()) continue;
            EXPECT_TRUE(isAcceptableResult(control->text()))
                << form.name() << " " << control->key() << " shows '" << control->text() << "' after " << step;
            // A box that shows messages is laid out for the widest it declares: every message fits.
            if (kMessages.count(control->text())) {
                EXPECT_LE(measureText(control->font(), control->text()).width,
                          measureText(control->font(), control->widestText()).width)
                    << control->key() << " is too narrow for '" << control->text() << "'";
            }
        }
    }

    // Whether the range check must speak for a typed text: an empty field is not told,
    // and the slip dip is first limited to the slope's dip.
    static bool outOfRange(Form& form, const Control& field, const std::string& typed, double maximum) {
        if (typed.empty()) return false;
        double value = readNumber(typed);
        if (form.name() == "frmModProb" && field.key() == "txtMS(1)")
            value = std::min(value, readNumber(form.text("txtMS", 0)));
        return value < 0 || value > maximum;
    }

    void sweep(const std::string& windowName, unsigned seed, int steps) {
        std::mt19937 random(seed);
        Form& form = session.form(windowName);
        std::vector<Control*> inputs;
        std::vector<Control*> toggles;
        for (const auto& control : form.controls()) {
            if (control->kind() == ControlKind::TextBox && !control->readOnly()) inputs.push_back(control.get());
            if (control->kind() == ControlKind::CheckBox || control->kind() == ControlKind::OptionButton)
                toggles.push_back(control.get());
        }
        ASSERT_FALSE(inputs.empty());
        Control& tabs = control(form, "tbsOptions");
        for (int step = 0; step < steps; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 19)(random);
            const size_t messagesBefore = platform.told().size();
            std::string described;
            if (action < 14) {
                Control& field = *inputs[std::uniform_int_distribution<size_t>(0, inputs.size() - 1)(random)];
                const std::string typed = randomText(random);
                const std::string before = field.text();
                const bool enabled = field.enabled();
                const auto maximum = static_cast<double>(maxima().at(windowName + " " + field.key()));
                const bool told = enabled && outOfRange(form, field, typed, maximum);
                described = "typing '" + typed + "' into " + field.key();
                type(form, field.key(), typed);
                EXPECT_TRUE(enabled || field.text() == before) << described << " changed a disabled field";
                EXPECT_EQ(platform.told().size() - messagesBefore, told ? 1u : 0u) << described;
                const double shown = readNumber(field.text());
                EXPECT_TRUE(shown >= 0 && shown <= maximum) << described << " left " << field.text();
            } else if (action < 17 && !toggles.empty()) {
                Control& toggle = *toggles[std::uniform_int_distribution<size_t>(0, toggles.size() - 1)(random)];
                described = "clicking " + toggle.key();
                form.userClick(toggle);
            } else if (action < 19) {
                const int page = std::uniform_int_distribution<int>(1, 2)(random);
                described = "page " + std::to_string(page);
                form.userSelectTab(tabs, page);
            } else {
                described = "Export";
                report.clear();
                click(form, "cmdExport");
                EXPECT_FALSE(report.empty());
                EXPECT_FALSE(mentionsNonFinite(reportText())) << reportText();
            }
            EXPECT_TRUE(action < 14 || platform.told().size() == messagesBefore) << described << " gave a message";
            checkResults(form, described);
            if (::testing::Test::HasFailure()) return;  // one clear failure, not hundreds
        }
    }
};

TEST_P(ModelSweepTest, GeomechanicalModelsWindow) { sweep("frmModGeom", GetParam(), 400); }

TEST_P(ModelSweepTest, ProbabilisticModelsWindow) { sweep("frmModProb", GetParam(), 400); }

INSTANTIATE_TEST_SUITE_P(ModelSweepSeeds, ModelSweepTest, ::testing::Range(1u, 9u));

// The windows show any non-finite number as "-"; the models themselves must
// not produce one either, whatever the bounded inputs.
TEST(ModelSweepArithmetic, EveryResultIsFiniteOrAbsent) {
    std::mt19937 random(2024);
    auto angle = [&](double maximum) {
        const double grid[] = {0, 1e-9, 15, 30, 45, 60, 75, 89.9999999, 90, 135, 180, 225, 270, 315, 360};
        const double value = grid[std::uniform_int_distribution<size_t>(0, std::size(grid) - 1)(random)];
        return std::min(value, maximum);
    };
    auto amount = [&]() {
        const double grid[] = {0, 1e-9, 0.5, 1, 40, 100, 1e6, 214748364, 2147483647};
        return grid[std::uniform_int_distribution<size_t>(0, std::size(grid) - 1)(random)];
    };
    auto finite = [](const std::optional<double>& value) { return !value || std::isfinite(*value); };
    for (int k = 0; k < 20000; ++k) {
        const PlaneFailureInput plane{amount(),  amount(),  std::min(amount(), 1.0),
                                      amount(),  amount(),  angle(90),
                                      angle(90), amount(),  angle(90),
                                      angle(90), amount(),  angle(90),
                                      amount(),  k % 2 == 0};
        const PlaneFailureResult p = ComputePlaneFailure(plane);
        ASSERT_TRUE(finite(p.safetyFactor) && finite(p.crackDepth)) << k;
        ASSERT_TRUE(isAcceptableResult(p.message.empty() ? "-" : p.message)) << p.message;

        WedgeFailureInput wedge{
            amount(),   amount(),  angle(360), angle(90), amount(),   angle(90),
            angle(360), angle(90), amount(),   angle(90), angle(360), angle(90),
            angle(360), angle(90), angle(360), angle(90), amount(),   std::min(amount(), 214748364.0)};
        wedge.overhanging = k % 3 == 0;
        wedge.drySlope = k % 5 == 0;
        wedge.tensionCrack = k % 2 == 0;
        const WedgeFailureResult w = ComputeWedge(wedge);
        ASSERT_TRUE(finite(w.safetyFactor) && finite(w.weight) && finite(w.slidingDirection) && finite(w.slidingPlunge))
            << k;
        ASSERT_TRUE(w.failureMode.empty() || kMessages.count(w.failureMode)) << w.failureMode;

        const SlipSurfaceResult s = ComputeSlipSurface({angle(90), angle(90), amount(), amount(), amount()});
        ASSERT_TRUE(finite(s.crestDistance) && finite(s.probability)) << k;

        const ProbabilisticWedgeResult q =
            ComputeWedgeProb({amount(), amount(), angle(360), angle(90), angle(360), angle(90), angle(360), angle(90)});
        ASSERT_TRUE(finite(q.emergenceHeight)) << k;
    }
}

TEST(ModelSweepChecks, AcceptsOnlyWhatAResultBoxMayShow) {
    for (const char* good : {"-", "36'788'030", "No wedge is formed !", "Invalid tension crack. B should be <57.735"})
        EXPECT_TRUE(isAcceptableResult(good)) << good;
    for (const char* bad : {"inf", "nan", "", "Invalid tension crack. B should be <inf", "1e308"})
        EXPECT_FALSE(isAcceptableResult(bad)) << bad;
    EXPECT_TRUE(mentionsNonFinite("Safety factor : inf\r\n"));
    EXPECT_FALSE(mentionsNonFinite("Friction angle  : 30°"));
}

}  // namespace
}  // namespace ravelin::testing
