#include "spacing/FitReport.h"

#include <span>

#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingState.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
// The table's face and size: a fixed pitch keeps its columns aligned, and at
// 9 points a row (60 characters) fits the Info box's width as it opens.
constexpr const char* kTableFont = "Courier New";
constexpr double kTableSize = 9;

// Columns of the table: width in characters; numbers are right-aligned.
// Each law's parameters (or why it cannot be fitted) go on a line of their own below its row.
constexpr std::size_t kLawWidth = 12;
constexpr std::size_t kDWidth = 7;
constexpr std::size_t kProbabilityWidth = 8;
constexpr std::size_t kChiSquareWidth = 8;
constexpr std::size_t kDegreesWidth = 4;
constexpr std::size_t kAicWidth = 10;
constexpr const char* kDetailIndent = "  ";

// Characters shown (UTF-8 continuation bytes do not count).
std::size_t shownLength(const std::string& text) {
    std::size_t length = 0;
    for (char c : text) length += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return length;
}

std::string padRight(const std::string& text, std::size_t width) {
    const std::size_t length = shownLength(text);
    return length >= width ? text + " " : text + std::string(width - length, ' ');
}

std::string padLeft(const std::string& text, std::size_t width) {
    const std::size_t length = shownLength(text);
    return length >= width ? " " + text : std::string(width - length, ' ') + text;
}

const char* tableName(Law law) {
    switch (law) {
        case Law::Exponential: return "Exponential";
        case Law::Normal: return "Normal";
        case Law::Lognormal: return "Lognormal";
        case Law::Triangular: return "Triangular";
    }
    return "";
}

std::string fixed(double value) { return formatNumber(value, "0.0000"); }

// A probability as "0.0000"; one that would show as 0 says how small it is.
std::string probability(double p) {
    // Half of the last shown digit: below it "0.0000" would hide a real, tiny probability.
    constexpr double kShownZero = 0.00005;
    return p < kShownZero ? "<0.0001" : fixed(p);
}

double parameter(const LawFit& fit, const char* name) {
    for (const LawParameter& p : fit.parameters)
        if (p.name == name) return p.value;
    return 0;
}

std::string parametersText(const LawFit& fit) {
    switch (fit.law) {
        case Law::Exponential: return "mean = " + fixed(parameter(fit, "mean"));
        case Law::Normal:
            return "mean = " + fixed(parameter(fit, "mean")) + ", sd = " + fixed(parameter(fit, "stddev"));
        case Law::Lognormal:
            return "mu = " + fixed(parameter(fit, "mu")) + ", sigma = " + fixed(parameter(fit, "sigma"));
        case Law::Triangular: return "0 to " + fixed(parameter(fit, "upper"));
    }
    return "";
}

std::string tableText(const FitSummary& summary) {
    std::string text = padRight("Law", kLawWidth) + padLeft("D", kDWidth) + padLeft("p(D)", kProbabilityWidth) +
                       padLeft("Chi\xC2\xB2", kChiSquareWidth) + padLeft("df", kDegreesWidth) +
                       padLeft("p(Chi\xC2\xB2)", kProbabilityWidth + 1) + padLeft("AIC", kAicWidth) + kCrLf;
    for (const LawFit& fit : summary.laws) {
        std::string row = padRight(tableName(fit.law), kLawWidth);
        if (!fit.fitted()) {
            text += row + "cannot be fitted:" + kCrLf + kDetailIndent + fit.notFitted + kCrLf;
            continue;
        }
        row += padLeft(fixed(fit.ksD), kDWidth) + padLeft(probability(fit.ksP), kProbabilityWidth);
        row += padLeft(fit.chiSquare ? formatNumber(*fit.chiSquare, "0.00") : "-", kChiSquareWidth);
        row += padLeft(fit.chiSquare ? std::to_string(fit.degreesOfFreedom) : "-", kDegreesWidth);
        row += padLeft(fit.chiSquareP ? probability(*fit.chiSquareP) : "-", kProbabilityWidth + 1);
        row += padLeft(formatNumber(fit.aic, "0.00"), kAicWidth);
        if (summary.best == fit.law) row += " *";
        text += row + kCrLf + kDetailIndent + parametersText(fit) + kCrLf;
    }
    return text;
}

}  // namespace

std::optional<FitSummary> ChartFit(const HistoForm& chart) {
    const HistoForm::HistogramContent* content = chart.histogram();
    if (!content || content->figures.status != HistogramStatus::Ok) return std::nullopt;
    return FitLaws(content->data.values(), content->figures);
}

std::vector<ReportBlock> FitReportBlocks(const std::string& chartCaption, const HistogramFigures& figures,
                                         const FitSummary& fit) {
    const std::string crlf = kCrLf;
    const SampleStatistics& s = figures.statistics;
    std::vector<ReportBlock> blocks;
    blocks.push_back(titleBlock("Goodness of fit" + crlf + crlf));
    blocks.push_back(headingBlock("Histogram" + crlf));
    blocks.push_back(bodyBlock("Chart : " + chartCaption + crlf + "Number of values : " + std::to_string(figures.n) +
                               crlf + "Class interval : " + generalNumber(figures.interval) + crlf +
                               "Number of classes : " + std::to_string(figures.classes) + crlf +
                               "Mean : " + fixed(s.mean) + crlf + "Std dev. : " + fixed(s.stdDev) + crlf + crlf));
    blocks.push_back(headingBlock("Laws fitted by the method of moments" + crlf));
    blocks.push_back({tableText(fit), style::Plain, kTableSize, kTableFont});
    const std::string best = fit.best ? LawCaption(*fit.best) : "none";
    blocks.push_back(bodyBlock(
        crlf + "Best fit (lowest AIC, marked *) : " + best + crlf +
        "D : Kolmogorov-Smirnov statistic. Chi\xC2\xB2 : on the histogram's classes, adjacent classes merged until "
        "each expects at least 5 values; df = merged classes - 1 - fitted parameters." +
        crlf +
        "The p values take the parameters as known: fitted to these same values, a law fits less well than its "
        "p value suggests." +
        crlf + crlf));
    return blocks;
}

bool WriteFitReport(Session& session) {
    const Form* current = session.moduleState<SpacingState>().currentChart;
    const auto* chart = session.owns(current) ? dynamic_cast<const HistoForm*>(current) : nullptr;
    const std::optional<FitSummary> fit = chart ? ChartFit(*chart) : std::nullopt;
    if (!fit) {
        session.platform().messageBox({"Ravelin - Fit report",
                                       "There is no histogram to report on: draw one with \"Plot Histo\" first.",
                                       MessageIcon::Exclamation, MessageButtons::Ok});
        return false;
    }
    session.appendReport(FitReportBlocks(chart->caption(), chart->histogram()->figures, *fit));
    return true;
}

}  // namespace ravelin
