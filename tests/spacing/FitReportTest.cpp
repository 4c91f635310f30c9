// "Fit report" of the histogram options window: the table it writes into the
// Info box for the current chart.

#include "spacing/FitReport.h"

#include <gtest/gtest.h>

#include "DatasheetFixture.h"
#include "documents/InfoBoxForm.h"
#include "spacing/HistoToolsForm.h"

namespace ravelin::testing {
namespace {

class FitReportTest : public DatasheetTest {
protected:
    HistoToolsForm& tools() { return t.form<HistoToolsForm>("frmHistoTools"); }
    void pressFitReport() { tools().userClick(tools().at("cmdFitReport")); }
    std::string infoBox() { return t.form<InfoBoxForm>("frmInfoBox").document().plainText("\n"); }

    // The table's row of a law and the line of its parameters below it, from the Info box.
    std::pair<std::string, std::string> row(const std::string& text, const std::string& law) {
        const auto start = text.find("\n" + law + " ");
        if (start == std::string::npos) return {};
        const auto end = text.find('\n', start + 1);
        return {text.substr(start + 1, end - start - 1), text.substr(end + 1, text.find('\n', end + 1) - end - 1)};
    }
};

// Values 1, 2, 3 (mean 2, sd 1) worked by hand: D of the exponential law 1 - e^-1/2 = 0.3935 at x = 1;
// AIC 2 + 6 (ln 2 + 1) = 12.16, normal 4 + 3 ln 2 pi + 2 = 11.51, lognormal 11.37, triangle 2 - 2 ln(60 / 5832) = 11.15.
TEST_F(FitReportTest, TheButtonWritesTheTableOfTheCurrentChart) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    pressFitReport();
    EXPECT_TRUE(t.platform.told().empty());
    const std::string text = infoBox();
    EXPECT_NE(text.find("Goodness of fit"), std::string::npos);
    EXPECT_NE(text.find("Chart : " + chart->caption() + "\nNumber of values : 3\n"), std::string::npos) << text;
    struct Expected {
        const char* law;
        const char* parameters;
        const char* d;
        const char* aic;
    };
    const Expected rows[] = {{"Exponential", "mean = 2.0000", "0.3935", "12.16"},
                             {"Normal", "mean = 2.0000, sd = 1.0000", "0.1747", "11.51"},
                             {"Lognormal", "mu = 0.5816, sigma = 0.4724", "0.2600", "11.37"},
                             {"Triangular", "0 to 6.0000", "0.3056", "11.15 *"}};
    std::size_t width = 0;
    for (const Expected& e : rows) {
        const auto [line, parameters] = row(text, e.law);
        EXPECT_EQ(parameters, "  " + std::string(e.parameters));
        EXPECT_NE(line.find(" " + std::string(e.d) + " "), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - std::string(e.aic).size()), e.aic) << line;
        // Three values expect fewer than 5 in any class: no chi-square.
        EXPECT_NE(line.find("   -   -        -"), std::string::npos) << line;
        const std::size_t aicEnd = line.find(e.aic) + 5;  // the columns line up to the AIC's last digit
        if (width == 0) width = aicEnd;
        EXPECT_EQ(aicEnd, width) << line;
    }
    EXPECT_NE(text.find("Best fit (lowest AIC, marked *) : Triangular law"), std::string::npos);
}

TEST_F(FitReportTest, LawsThatCannotBeFittedSaySoAndTheTableIsFixedPitch) {
    values({"0.7"});
    HistoForm* chart = plot();
    const std::optional<FitSummary> fit = ChartFit(*chart);
    ASSERT_TRUE(fit);
    const std::vector<ReportBlock> blocks = FitReportBlocks("Histo-x", chart->histogram()->figures, *fit);
    ASSERT_EQ(blocks.size(), 6u);
    EXPECT_EQ(blocks[0], titleBlock("Goodness of fit\r\n\r\n"));
    EXPECT_EQ(blocks[4].font, "Courier New");
    EXPECT_NE(blocks[4].text.find("\r\nNormal      cannot be fitted:\r\n  the standard deviation is 0\r\n"),
              std::string::npos)
        << blocks[4].text;
    EXPECT_NE(blocks[4].text.find("\r\nLognormal   cannot be fitted:\r\n  the standard deviation is 0\r\n"),
              std::string::npos);
}

TEST_F(FitReportTest, WithoutADrawnHistogramTheUserIsToldAndNothingIsWritten) {
    pressFitReport();
    ASSERT_EQ(t.platform.told().size(), 1u);
    EXPECT_EQ(t.platform.told()[0].title, "Ravelin - Fit report");
    EXPECT_EQ(t.session.findForm("frmInfoBox"), nullptr);

    // A chart whose data could not be drawn has nothing to fit either.
    sheet.userClick(sheet.at("optData", 0));
    values({"5", "2"});
    plot();
    t.platform.forgetMessages();
    pressFitReport();
    ASSERT_EQ(t.platform.told().size(), 1u);
    EXPECT_EQ(t.platform.told()[0].title, "Ravelin - Fit report");
}

}  // namespace
}  // namespace ravelin::testing
