// Random and extreme texts typed into a spacing datasheet, the histogram
// options and the variogram's questions, between random plots and reports:
// theta, every label and every chart stay finite, and no report or message
// shows a non-finite number.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "DatasheetFixture.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

class SpacingSweepTest : public DatasheetTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(SpacingSweepTest, HeaderCellsHistogramOptionsAndVariogram) {
    std::mt19937 random(GetParam());
    Form& tools = t.session.form("frmHistoTools");
    Sweep s;
    s.windows = {&sheet, &tools};
    s.ownTexts = {"0",   "0.001", "1",  "2.5",        "17",         "1e-300", "1e300",
                  "360", "361",   "90", "90.0000001", "89.9999999", "45",     "1e6"};
    // Theta is computed; the titles shown on the charts are the user's own texts.
    s.swept = [](const Control& c) {
        return c.key() != "txtOr(4)" &&
               std::set<std::string>{"txtOr", "Text2", "optData", "Check1", "chkLegend"}.count(c.name());
    };
    // The header keeps any text (it reads as its leading number); the histogram's fields take any number.
    s.range = [](const Control& field) {
        return field.name() == "Text2" ? InputRange{-INFINITY, INFINITY} : InputRange{.keepsText = true};
    };
    s.mayTell = [](const MessageRequest&) { return true; };
    // Up to 32767 classes drawn at each Plot Histo or Apply: fewer steps than elsewhere keep it quick.
    s.buttons = {{&tools, &tools.at("Command1")},
                 {&tools, &tools.at("cmdFitReport")},
                 {&sheet, &sheet.at("cmdHisto")},
                 {&sheet, &sheet.at("cmdConvert")}};
    s.typing = 40, s.toggling = 15, s.clicking = 25;
    s.actions = {{10,
                  [&]() -> SweepStep {
                      const long long row = std::uniform_int_distribution<long long>(1, 40)(random);
                      const std::string typed = randomSweepText(random, s.ownTexts, 15, s.low, s.high);
                      sheet.setCell(0, row, 1, typed);
                      sheet.userMouseMove();
                      return {"cell " + std::to_string(row) + " set to '" + typed + "'"};
                  }},
                 // The variogram asks for its lags and its window width; either may be cancelled.
                 {10, [&]() -> SweepStep {
                      std::string described = "Variogram with";
                      for (int question = 0; question < 2; ++question) {
                          const bool cancel = std::uniform_int_distribution<int>(0, 9)(random) == 0;
                          t.platform.inputAnswers.push_back(
                              cancel ? std::nullopt : std::optional(randomSweepText(random, s.ownTexts, 15, -50, 400)));
                          described += " '" + t.platform.inputAnswers.back().value_or("(cancel)") + "'";
                      }
                      sheet.userClick(sheet.at("Vario"));
                      t.platform.inputAnswers.clear();
                      return {described};
                  }}};
    s.check = [&](const std::string& step) {
        const std::string& theta = sheet.text("txtOr", 4);
        EXPECT_TRUE(theta.empty() || isFiniteNumberText(theta)) << step << " gave theta '" << theta << "'";
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(mentionsNonFinite(sheet.text("lblRes", i))) << step << ": " << sheet.text("lblRes", i);
        for (const auto& form : t.session.forms()) {
            auto* chart = dynamic_cast<HistoForm*>(form.get());
            if (!chart) continue;
            for (const auto& control : chart->controls())
                EXPECT_FALSE(mentionsNonFinite(control->text()))
                    << step << ": " << control->key() << " shows '" << control->text() << "'";
            EXPECT_TRUE(drawnFinite(chart->chart())) << step << " drew a non-finite point";
        }
    };
    // Between 3 and 30 values to start with.
    std::vector<std::string> start(std::uniform_int_distribution<int>(3, 30)(random));
    for (std::string& value : start) value = generalNumber(std::uniform_real_distribution<double>(0.01, 20)(random));
    values(start);
    s.run(t.platform, t.session, random, 800);
}

INSTANTIATE_TEST_SUITE_P(SpacingSweepSeeds, SpacingSweepTest, ::testing::Range(1u, 5u));

}  // namespace
}  // namespace ravelin::testing
