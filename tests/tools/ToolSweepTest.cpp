// Random and extreme texts typed into every input of the spacing, volume and
// XYZ tools in random order, with page changes, presses on the pages and
// exports: every result shows a non-negative finite number (a probability at
// most 100), "-" where a volume has no value, or the infinity sign in the
// Symbol font; every entry beyond its range is told exactly once, and
// nothing else speaks but the three-set page when pressed.

#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "core/NumberText.h"
#include "models/ModelWindowFixture.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

constexpr long long kLargest = 2147483647;

struct Range {
    long long minimum = 0;
    long long maximum = kLargest;
};

// The accepted range of every input, by window, array and index.
Range rangeOf(const std::string& window, const Control& field) {
    const std::string& name = field.name();
    const int i = field.index();
    if (window == "frmToolSpacing") {
        if (name == "txtDistrDisc") return i == 1 ? Range{1, kLargest} : Range{0, i == 4 ? 100 : kLargest};
        if (name == "txtDI") return {0, i == 2 || i == 3 ? 90 : kLargest};
        if (name == "txtC2") return {0, i == 4 ? 90 : i == 5 ? 100 : kLargest};
        if (name == "txtC24") return {0, i == 4 ? 90 : kLargest};
        if (name == "txtC4") return {0, i == 12 ? 100 : i % 4 == 2 ? 360 : i % 4 == 3 ? 90 : kLargest};
    } else {
        if (name == "txtMS") return {0, i == 4 ? 180 : kLargest};
        if (name == "txt1MS") return {0, i == 2 ? 180 : kLargest};
        if (name == "txtMS13") return {0, i >= 6 ? 90 : i >= 3 ? 360 : kLargest};
    }
    ADD_FAILURE() << "no range for " << window << " " << field.key();
    return {};
}

bool isPercentage(const Control& result) {
    const std::string& name = result.name();
    return (name == "txtResDD" && result.index() <= 2) || (name == "txtC2Ret" && result.index() >= 2) ||
           name == "txtC42Rep" || name == "txtC4Ret";
}

class ToolSweepTest : public ModelWindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    static std::string randomText(std::mt19937& random) {
        static const std::vector<std::string> limits = {
            "2147483647",  "2147483648", "360", "361", "180", "180.0000001", "90",    "90.0000001", "100",
            "100.0000001", "99.9999999", "1",   "0.5", "1.5", "2.5",         "1e-15", "45",         "60"};
        // Whole multiples of 15 make equal, opposite and perpendicular sets likely.
        return randomSweepText(random, limits, 15, -10, 400);
    }

    static void checkResults(Form& form, const std::string& step) {
        static const std::regex shown(R"([0-9]+(\.[0-9]+)?(E[+-][0-9]+)?)");
        for (const auto& control : form.controls()) {
            if (control->kind() != ControlKind::TextBox || !control->readOnly()) continue;
            const std::string& text = control->text();
            const bool symbol = control->font().name == "Symbol";
            bool acceptable = symbol ? text == "® +¥ " : std::regex_match(text, shown);
            if (!symbol && text == "-") acceptable = form.name() == "frmToolVol";
            if (acceptable && !symbol && isPercentage(*control)) acceptable = readNumber(text) <= 100;
            EXPECT_TRUE(acceptable) << form.name() << " " << control->key() << " shows '" << text << "' after " << step;
        }
    }

    void sweep(const std::string& windowName, unsigned seed, int steps) {
        std::mt19937 random(seed);
        Form& form = session.form(windowName);
        std::vector<Control*> inputs;
        for (const auto& control : form.controls())
            if (control->kind() == ControlKind::TextBox && !control->readOnly()) inputs.push_back(control.get());
        Control& tabs = control(form, "tbsOptions");
        const int pages = static_cast<int>(tabs.tabs().size());
        for (int step = 0; step < steps; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 19)(random);
            const size_t messagesBefore = platform.told().size();
            size_t expectedMessages = 0;
            std::string described;
            if (action < 14) {
                Control& field = *inputs[std::uniform_int_distribution<size_t>(0, inputs.size() - 1)(random)];
                const std::string typed = randomText(random);
                const Range range = rangeOf(windowName, field);
                const double value = readNumber(typed);
                expectedMessages =
                    value < static_cast<double>(range.minimum) || value > static_cast<double>(range.maximum);
                described = "typing '" + typed + "' into " + field.key();
                type(form, field.key(), typed);
                const double left = readNumber(field.text());
                EXPECT_TRUE(left >= static_cast<double>(range.minimum) && left <= static_cast<double>(range.maximum))
                    << described << " left " << field.text();
            } else if (action < 17) {
                const int page = std::uniform_int_distribution<int>(1, pages)(random);
                described = "page " + std::to_string(page);
                form.userSelectTab(tabs, page);
            } else if (action < 18) {
                const int page = std::uniform_int_distribution<int>(0, pages - 1)(random);
                described = "pressing page " + std::to_string(page + 1);
                expectedMessages = windowName == "frmToolSpacing" && page == 4 && tabs.value() == 5;
                form.userClick(control(form, "picOptions(" + std::to_string(page) + ")"));
            } else {
                described = "Export of page " + std::to_string(tabs.value());
                report.clear();
                click(form, "cmdExport");
                EXPECT_FALSE(report.empty());
                EXPECT_FALSE(mentionsNonFinite(reportText())) << reportText();
                EXPECT_EQ(reportText().find("® +¥"), std::string::npos) << reportText();
            }
            EXPECT_EQ(platform.told().size() - messagesBefore, expectedMessages) << described;
            checkResults(form, described);
            if (::testing::Test::HasFailure()) return;  // one clear failure, not hundreds
        }
    }
};

TEST_P(ToolSweepTest, SpacingAndProbabilityTool) { sweep("frmToolSpacing", GetParam(), 500); }

TEST_P(ToolSweepTest, VolumeTool) { sweep("frmToolVol", GetParam(), 400); }

// The XYZ tool: its results are signed cosines and angles, so any finite
// number (or nothing yet) may show; the angles of planes and lines stay in
// their ranges and each entry beyond them is told once; vectors take any value.
TEST_P(ToolSweepTest, XyzTool) {
    std::mt19937 random(GetParam());
    Form& form = session.form("frmToolXYZ");
    std::vector<Control*> inputs;
    for (const auto& c : form.controls())
        if (c->kind() == ControlKind::TextBox && !c->readOnly()) inputs.push_back(c.get());
    ASSERT_EQ(inputs.size(), 13u);
    Control& tabs = control(form, "tbsOptions");
    const int pages = static_cast<int>(tabs.tabs().size());
    static const std::regex shown(R"(-?[0-9]+(\.[0-9]+)?(E[+-][0-9]+)?)");
    runSweep(400, random, [&](int action) {
        const size_t messagesBefore = platform.told().size();
        size_t expectedMessages = 0;
        std::string described;
        if (action < 80) {
            Control& field = *inputs[std::uniform_int_distribution<size_t>(0, inputs.size() - 1)(random)];
            const std::string typed = randomText(random);
            described = "typing '" + typed + "' into " + field.key();
            const bool vector = field.name() == "txtXYZ1";
            const double maximum = field.index() % 2 == 0 ? 360 : 90;
            const double value = readNumber(typed);
            if (!vector) expectedMessages = value < 0 || value > maximum;
            type(form, field.key(), typed);
            const double left = readNumber(field.text());
            if (!vector) {
                EXPECT_TRUE(left >= 0 && left <= maximum) << described << " left " << field.text();
            }
        } else {
            const int page = std::uniform_int_distribution<int>(1, pages)(random);
            described = "page " + std::to_string(page);
            form.userSelectTab(tabs, page);
        }
        EXPECT_EQ(platform.told().size() - messagesBefore, expectedMessages) << described;
        for (const auto& c : form.controls()) {
            if (c->kind() != ControlKind::TextBox || !c->readOnly()) continue;
            const std::string& text = c->text();
            EXPECT_TRUE(text.empty() || std::regex_match(text, shown))
                << c->key() << " shows '" << text << "' after " << described;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(ToolSweepSeeds, ToolSweepTest, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace ravelin::testing
