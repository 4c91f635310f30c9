// Random and extreme texts typed into a spacing datasheet's header fields
// and cells, the histogram options and the variogram's questions, between
// random data types, conversions, histograms, law choices, fit reports and
// variograms: the header keeps what was typed, the theta angle and every
// chart label show finite numbers, the charts are drawn with
// finite coordinates, and no report or message shows a non-finite number.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "DatasheetFixture.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

class SpacingSweepTest : public DatasheetTest, public ::testing::WithParamInterface<unsigned> {
protected:
    ReportRecorder report{t.session};

    Form& tools() { return t.session.form("frmHistoTools"); }

    // Every chart window: its labels and its drawing.
    void checkCharts(const std::string& step) {
        for (const auto& form : t.session.forms()) {
            auto* chart = dynamic_cast<HistoForm*>(form.get());
            if (!chart) continue;
            for (const auto& control : chart->controls())
                EXPECT_FALSE(mentionsNonFinite(control->text()))
                    << step << ": " << control->key() << " shows '" << control->text() << "'";
            EXPECT_TRUE(drawnFinite(chart->chart())) << step << " drew a non-finite point";
        }
    }
};

TEST_P(SpacingSweepTest, HeaderCellsHistogramOptionsAndVariogram) {
    std::mt19937 random(GetParam());
    const std::vector<std::string> own = {"0",   "0.001", "1",  "2.5",        "17",         "1e-300", "1e300",
                                          "360", "361",   "90", "90.0000001", "89.9999999", "45",     "1e6"};
    auto text = [&] { return randomSweepText(random, own, 15, -50, 400); };
    // Between 3 and 30 values to start with.
    const int count = std::uniform_int_distribution<int>(3, 30)(random);
    std::vector<std::string> start;
    for (int i = 0; i < count; ++i)
        start.push_back(generalNumber(std::uniform_real_distribution<double>(0.01, 20)(random)));
    values(start);
    const int orientation[] = {0, 1, 2, 3, 5, 6};  // dip directions at even indices but the scanline's 5
    // Up to 32767 classes drawn at each Plot Histo or Apply: fewer steps than elsewhere keep it quick.
    runSweep(800, random, [&](int action) {
        const std::size_t messagesBefore = t.platform.told().size();
        std::string described;
        report.text.clear();
        if (action < 25) {
            const int i = orientation[std::uniform_int_distribution<int>(0, 5)(random)];
            const std::string typed = text();
            described = "typing '" + typed + "' into txtOr(" + std::to_string(i) + ")";
            Control& field = sheet.at("txtOr", i);
            sheet.userFocus(field);
            sheet.userType(field, typed);
            sheet.userLeave();
            // The header keeps any text (it reads as its leading number); theta is computed from it.
            EXPECT_EQ(field.text(), typed) << described;
            const std::string& theta = sheet.text("txtOr", 4);
            EXPECT_TRUE(theta.empty() || isFiniteNumberText(theta)) << described << " gave theta '" << theta << "'";
        } else if (action < 35) {
            const long long row = std::uniform_int_distribution<long long>(1, 40)(random);
            const std::string typed = text();
            described = "cell " + std::to_string(row) + " set to '" + typed + "'";
            sheet.setCell(0, row, 1, typed);
            sheet.userMouseMove();
        } else if (action < 40) {
            described = "data type";
            sheet.userClick(sheet.at("optData", std::uniform_int_distribution<int>(0, 1)(random)));
        } else if (action < 55) {
            const int i = std::uniform_int_distribution<int>(0, 1)(random);
            const std::string typed = text();
            described = "typing '" + typed + "' into Text2(" + std::to_string(i) + ")";
            Control& field = tools().at("Text2", i);
            tools().userFocus(field);
            tools().userType(field, typed);
            tools().userLeave();
        } else if (action < 65) {
            const int i = std::uniform_int_distribution<int>(0, 5)(random);
            described = "law check box " + std::to_string(i);
            tools().userClick(i == 5 ? tools().at("chkLegend") : tools().at("Check1", i));
        } else if (action < 72) {
            described = "Apply";
            tools().userClick(tools().at("Command1"));
        } else if (action < 76) {
            described = "Fit report";
            tools().userClick(tools().at("cmdFitReport"));
        } else if (action < 84) {
            described = "Plot Histo";
            plot();
        } else if (action < 90) {
            described = "Convert";
            sheet.userClick(sheet.at("cmdConvert"));
        } else {
            // The variogram asks for its lags and its window width; either may be cancelled.
            for (int question = 0; question < 2; ++question) {
                if (std::uniform_int_distribution<int>(0, 9)(random) == 0)
                    t.platform.inputAnswers.push_back(std::nullopt);
                else t.platform.inputAnswers.push_back(text());
            }
            described = "Variogram with '" + t.platform.inputAnswers[0].value_or("(cancel)") + "', '" +
                        t.platform.inputAnswers[1].value_or("(cancel)") + "'";
            sheet.userClick(sheet.at("Vario"));
            t.platform.inputAnswers.clear();
        }
        EXPECT_FALSE(mentionsNonFinite(report.text)) << described << " wrote " << report.text;
        for (std::size_t i = messagesBefore; i < t.platform.told().size(); ++i)
            EXPECT_FALSE(mentionsNonFinite(t.platform.told()[i].text))
                << described << ": " << t.platform.told()[i].text;
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(mentionsNonFinite(sheet.text("lblRes", i))) << described << ": " << sheet.text("lblRes", i);
        // Charts change with Apply, Plot Histo and the variogram.
        if ((action >= 65 && action < 72) || (action >= 76 && action < 84) || action >= 90) checkCharts(described);
    });
}

INSTANTIATE_TEST_SUITE_P(SpacingSweepSeeds, SpacingSweepTest, ::testing::Range(1u, 5u));

}  // namespace
}  // namespace ravelin::testing
