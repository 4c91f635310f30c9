// Random and extreme texts typed into every input of the model windows and
// of the spacing, volume and XYZ tools in random order, with random check
// boxes, options, pages, presses on the pages and exports: every entry
// beyond its range is told exactly once, nothing else speaks but the
// three-set page when pressed, and every result box shows what its window
// may show.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <set>

#include "ModelWindowFixture.h"
#include "core/FontMetrics.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

constexpr double kLargest = 2147483647;
constexpr double kAny = std::numeric_limits<double>::infinity();

// The accepted range of every input, by window, array and index.
InputRange rangeOf(const std::string& window, const Control& field) {
    const std::string& name = field.name();
    const int i = field.index();
    auto among = [i](std::initializer_list<int> indices) { return std::ranges::count(indices, i) > 0; };
    if (window == "frmModGeom" && name == "txt1MS" && i <= 12)
        return {0, i == 2 ? 1 : among({5, 6, 8, 9, 11}) ? 90 : kLargest};
    if (window == "frmModGeom" && name == "txtW") {
        if (among({0, 1, 4, 9, 18})) return {0, kLargest};
        if (among({2, 7, 12, 14, 16})) return {0, 360};
        if (among({3, 5, 8, 10, 13, 15, 17})) return {0, 90};
        if (i == 19) return {0, 214748364};
    }
    // The slip dip is first limited to the slope's dip: only below 0 is it told.
    if (window == "frmModProb" && name == "txtMS" && i <= 4) return {0, i <= 1 ? 90 : kLargest, i == 1};
    if (window == "frmModProb" && name == "txt1MS" && i <= 7) return {0, i <= 1 ? kLargest : i % 2 == 0 ? 360 : 90};
    if (name == "txtDistrDisc") return {i == 1 ? 1.0 : 0.0, i == 4 ? 100 : kLargest};
    if (name == "txtDI") return {0, i == 2 || i == 3 ? 90 : kLargest};
    if (name == "txtC2") return {0, i == 4 ? 90 : i == 5 ? 100 : kLargest};
    if (name == "txtC24") return {0, i == 4 ? 90 : kLargest};
    if (name == "txtC4") return {0, i == 12 ? 100 : i % 4 == 2 ? 360 : i % 4 == 3 ? 90 : kLargest};
    if (window == "frmToolVol" && name == "txtMS") return {0, i == 4 ? 180 : kLargest};
    if (window == "frmToolVol" && name == "txt1MS") return {0, i == 2 ? 180 : kLargest};
    if (name == "txtMS13") return {0, i >= 6 ? 90 : i >= 3 ? 360 : kLargest};
    if (name == "txtXYZ1") return {-kAny, kAny};  // a vector takes any value
    if (window == "frmToolXYZ") return {0, i % 2 == 0 ? 360.0 : 90.0};
    ADD_FAILURE() << "no range for " << window << " " << field.key();
    return {};
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

// A model's result: a number, "-", or one of the models' messages.
bool isAcceptableResult(const std::string& text) {
    static const std::string crackLimit = "Invalid tension crack. B should be <";
    if (text == "-" || kMessages.count(text) || isShownNumber(text)) return true;
    return text.starts_with(crackLimit) && isShownNumber(text.substr(crackLimit.size()));
}

// A tool's result: a non-negative number (a percentage at most 100), "-" where
// a volume has no value, or the infinity sign in the Symbol font; the XYZ
// tool's signed cosines and angles may be anything finite, or nothing yet.
bool isAcceptableToolResult(const std::string& window, const Control& box) {
    static const std::regex shown(R"([0-9]+(\.[0-9]+)?(E[+-][0-9]+)?)");
    static const std::regex xyz(R"(-?[0-9]+(\.[0-9]+)?(E[+-][0-9]+)?)");
    const std::string& text = box.text();
    const std::string& name = box.name();
    const bool percentage = (name == "txtResDD" && box.index() <= 2) || (name == "txtC2Ret" && box.index() >= 2) ||
                            name == "txtC42Rep" || name == "txtC4Ret";
    if (window == "frmToolXYZ") return text.empty() || std::regex_match(text, xyz);
    if (box.font().name == "Symbol") return text == "® +¥ ";
    if (text == "-") return window == "frmToolVol";
    return std::regex_match(text, shown) && (!percentage || readNumber(text) <= 100);
}

class CalculationSweepTest : public ModelWindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void sweep(const std::string& window, int steps) {
        Form& form = session.form(window);
        const bool model = window.starts_with("frmMod");
        Sweep s;
        s.windows = {&form};
        s.ownTexts = {"2147483647", "2147483648", "214748364",  "214748365", "360",         "361", "180",
                      "90",         "90.0000001", "89.9999999", "100",       "100.0000001", "1",   "0.5",
                      "1.5",        "2.5",        "1e-15",      "45",        "60",          "0.0#"};
        s.range = [&](const Control& field) { return rangeOf(window, field); };
        // A box that shows messages is laid out for the widest it declares: every message fits.
        s.acceptable = [&](const Control& box) {
            if (!model) return isAcceptableToolResult(window, box);
            return isAcceptableResult(box.text()) &&
                   (!kMessages.count(box.text()) ||
                    measureText(box.font(), box.text()).width <= measureText(box.font(), box.widestText()).width);
        };
        std::mt19937 random(GetParam());
        if (window != "frmToolXYZ") s.buttons = {{&form, &form.at("cmdExport"), true}};
        s.toggling = 15, s.clicking = 5;
        // Only the three-set page speaks when pressed, and only while it is shown.
        if (!model && window != "frmToolXYZ") {
            s.actions = {{5, [&]() -> SweepStep {
                              Control& tabs = form.at("tbsOptions");
                              const int page = std::uniform_int_distribution<int>(1, int(tabs.tabs().size()))(random);
                              const bool speaks = window == "frmToolSpacing" && page == 5 && tabs.value() == 5;
                              form.userClick(form.at("picOptions", page - 1));
                              return {"pressing page " + std::to_string(page), speaks ? 1u : 0u};
                          }}};
        }
        s.run(platform, session, random, steps);
    }
};

TEST_P(CalculationSweepTest, GeomechanicalModelsWindow) { sweep("frmModGeom", 400); }

TEST_P(CalculationSweepTest, ProbabilisticModelsWindow) { sweep("frmModProb", 400); }

TEST_P(CalculationSweepTest, SpacingAndProbabilityTool) { sweep("frmToolSpacing", 500); }

TEST_P(CalculationSweepTest, VolumeTool) { sweep("frmToolVol", 400); }

TEST_P(CalculationSweepTest, XyzTool) { sweep("frmToolXYZ", 400); }

INSTANTIATE_TEST_SUITE_P(CalculationSweepSeeds, CalculationSweepTest, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace ravelin::testing
