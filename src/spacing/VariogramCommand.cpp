#include "spacing/VariogramCommand.h"

#include <algorithm>
#include <cmath>

#include "core/MainForm.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "spacing/HistoForm.h"
#include "spacing/HistogramCommand.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "spacing/Variogram.h"

namespace ravelin {

namespace {

constexpr const char* kTitle = "Ravelin - Variogram";

void tell(Platform& platform, const char* title, const std::string& text, MessageIcon icon) {
    platform.messageBox({title, text, icon, MessageButtons::Ok});
}

std::vector<double> measuredValues(const SpacingForm& sheet) {
    const SpacingGrid& measured = sheet.grid(0);
    const long long last = measured.lastFilledRow();
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(last));
    for (long long r = 1; r <= last; ++r) values.push_back(measured.number(r));
    return values;
}

// The number of lags typed, or 0 when the command ends.
long long askLags(Platform& platform) {
    const auto answer = platform.inputBox("Enter the maximum number of lags to display", "Variogram", "20");
    const double typed = answer ? readNumber(*answer) : 0;
    if (typed == 0) return 0;
    if (typed > static_cast<double>(MaximumLags)) {
        tell(platform, "Variogramme",
             "The maximum number of lags should not be greater than " + std::to_string(MaximumLags),
             MessageIcon::Information);
        return MaximumLags;
    }
    const long long lags = static_cast<long long>(std::nearbyint(std::max(typed, -1.0)));
    if (lags < 2) {
        tell(platform, "Variogramme", "The maximum number of lags should not be smaller than 2",
             MessageIcon::Information);
        return 2;
    }
    return lags;
}

}  // namespace

void Vario_Click(SpacingForm& sheet) {
    Session& session = sheet.session();
    Platform& platform = session.platform();
    SpacingState& state = session.moduleState<SpacingState>();
    const bool spacings = sheet.at("optData", 1).value() != 0;
    VariogramFigures figures;
    figures.positions = VariogramPositions(measuredValues(sheet), spacings);
    if (figures.positions.size() < 3) {
        tell(platform, kTitle, "You should enter three or more discontinuity data to calculate a variogram",
             MessageIcon::Stop);
        return;
    }
    sheet.ConvertData();

    const auto widthAnswer = platform.inputBox(
        "Enter the range of scanline distance for calculating the number of discontinuities", "Variogram", "1");
    const double width = widthAnswer ? readNumber(*widthAnswer) : 0;
    if (width == 0) return;
    if (width < 0) {
        tell(platform, "Variogram", "The range of scanline distance should be greater than 0",
             MessageIcon::Information);
        return;
    }
    const long long lags = askLags(platform);
    if (lags == 0) return;

    MainForm* main = session.mainForm();
    platform.setBusy(true);
    if (main) main->showProcessing(true);
    state.busy = true;
    auto finish = [&] {
        platform.setBusy(false);
        if (main) main->showProcessing(false);
        state.busy = false;
    };

    const auto counts = CountWindows(figures.positions, width);
    const std::string range = generalNumber(width);
    if (!counts) {
        finish();
        tell(platform, kTitle,
             "No variogram can be calculated: a range of " + range + " cuts this scanline into more than " +
                 std::to_string(MaximumWindows) + " windows.",
             MessageIcon::Exclamation);
        state.lastVariogram = figures;
        return;
    }
    figures.counts = *counts;
    figures.gamma = Semivariogram(figures.counts, lags);
    state.lastVariogram = figures;
    if (figures.counts.size() < 2) {
        finish();
        tell(platform, kTitle,
             "No variogram can be calculated: a range of " + range +
                 " leaves fewer than two complete windows along this scanline.",
             MessageIcon::Exclamation);
        return;
    }
    const double largest = *std::max_element(figures.gamma.begin(), figures.gamma.end());
    if (!(largest > 0)) {
        finish();
        tell(platform, kTitle,
             "No variogram can be drawn: every window of " + range +
                 " holds the same number of discontinuities, so the semivariogram is 0 for every lag.",
             MessageIcon::Exclamation);
        return;
    }
    figures.ymax = VerticalRangeOf(largest)->ymax;
    state.lastVariogram = figures;

    HistoForm& chart = NewChartWindow(session, 0);
    chart.setCaption("Vario-" + UnmarkedCaption(sheet));
    chart.showVariogram({figures.gamma, width});
    chart.setText("lblTitre", -1, ChartTitle(sheet));
    chart.setText("lblInfo", -1, sheet.text("txtFamily") + " - " + sheet.text("txtLoc"));
    chart.setText("lblX", -1, "h distance");
    chart.setText("lblY", -1, " Semivariogram ");
    chart.setText("lblMean", -1, "Range width = " + range);
    chart.setText("lblStdDev", -1, "Number of data = " + std::to_string(figures.positions.size()));
    chart.PositionneLabels();
    finish();
}

}  // namespace ravelin
