#include "spacing/HistogramCommand.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/MainForm.h"
#include "core/NumberText.h"
#include "core/Orientation.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "spacing/HistoForm.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/HistogramValues.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"

namespace ravelin {

const char* const InvalidDataText =
    "An unexpected error occured during the proccessing of the current data.\r\n\r\n"
    "Please verify your data : \r\n"
    " - intersection distances must be in incrising order\r\n"
    " - the 0 value is not allowed as a discontinuity data";

namespace {

// A whole number typed in a field (rounded halves to even, as a 16-bit conversion does).
long long wholeNumber(double value) {
    if (!std::isfinite(value)) return 0;
    // Beyond this the number of classes is refused later anyway; the clamp only keeps the cast defined.
    constexpr double kLargest = 1e15;
    return static_cast<long long>(std::nearbyint(std::clamp(value, -kLargest, kLargest)));
}

HistoToolsForm& tools(Session& session) { return session.form<HistoToolsForm>("frmHistoTools"); }

// The labels under the chart, from the values it was drawn with: the sum of
// its figures is the scanline length when they have one.
void setLabels(HistoForm& chart, const SpacingForm& sheet) {
    const SpacingState& state = chart.session().moduleState<SpacingState>();
    const ProgramOptions& options = chart.session().options;
    const HistoForm::HistogramContent& content = *chart.histogram();
    const std::string& family = sheet.text("txtFamily");
    const std::string& location = sheet.text("txtLoc");
    std::string info;
    if (!TrimBlanks(family).empty() && !TrimBlanks(location).empty()) info = family + " - " + location;
    else if (!TrimBlanks(family).empty()) info = family;
    else if (!TrimBlanks(location).empty()) info = location;
    chart.setText("lblTitre", -1, ChartTitle(sheet));
    chart.setText("lblInfo", -1, info);
    chart.setText("lblX", -1, options.histogramXLabel);
    chart.setText("lblY", -1, " " + options.histogramYLabel + " ");
    chart.setText("lblMean", -1, "Mean = " + formatNumber(state.Mean, "0.0000"));
    chart.setText("lblStdDev", -1, "Std dev. = " + formatNumber(state.StdDev, "0.0000"));
    chart.setText("lblNbValues", -1, formatNumber(static_cast<double>(content.data.size()), "0") + " values");
    const HistogramFigures& figures = content.figures;
    const bool summed = figures.status == HistogramStatus::Ok || figures.status == HistogramStatus::NotFinite;
    const double length = summed ? figures.statistics.sum : StatisticsOf(content.data).sum;
    chart.setText("lblScanline", -1, "Scanline length = " + formatNumber(length, "0.00"));
    chart.PositionneLabels();
}

}  // namespace

std::string ChartTitle(const SpacingForm& sheet) {
    const std::string& comment = sheet.text("txtComment");
    return comment.empty() ? sheet.session().options.histogramTitle : comment;
}

HistoForm& NewChartWindow(Session& session, long long index) {
    if (MainForm* main = session.mainForm())
        return dynamic_cast<HistoForm&>(main->NewDocumentWindow(0, static_cast<int>(index)));
    auto& chart = dynamic_cast<HistoForm&>(session.createForm("frmHisto"));
    chart.show();
    return chart;
}

void ShowHistoTools(Session& session) {
    MainForm* main = session.mainForm();
    if (main && main->menuItem("mnuViewHistoOptions").value() == 0 && main->hasCommand("mnuViewHistoOptions")) {
        main->toggleToolWindow("mnuViewHistoOptions");
        return;
    }
    tools(session).show();
}

void LoadHistoToolsFromRow(Session& session, const HistogramRow& row) {
    HistoToolsForm& window = tools(session);
    window.setText("Text2", 0, generalNumber(row.interval));
    window.setText("Text2", 1, std::to_string(row.classes));
    // Columns: exponential, lognormal, normal, triangular; boxes: exponential, normal, lognormal, triangular.
    window.setValue(window.at("Check1", 0), row.laws[0]);
    window.setValue(window.at("Check1", 2), row.laws[1]);
    window.setValue(window.at("Check1", 1), row.laws[2]);
    window.setValue(window.at("Check1", 3), row.laws[3]);
    window.setValue(window.at("chkLegend"), row.legend);
}

HistogramFigures PlotHistogram(Session& session, SortedValues values, HistoForm& chart, double& interval,
                               long long& classes, const LawChoice& laws) {
    MainForm* main = session.mainForm();
    SpacingState& state = session.moduleState<SpacingState>();
    if (main) main->showProcessing(true);
    HistoForm::HistogramContent content;
    content.figures = SettleSortedHistogram(values, interval, classes);
    const HistogramFigures& figures = content.figures;
    if (figures.classesSettled) {
        interval = figures.interval;
        classes = figures.classes;
        HistoToolsForm& window = tools(session);
        window.setText("Text2", 1, std::to_string(classes));
        window.setText("Text2", 0, IntervalText(interval));
    }
    // The labels show the data's own statistics even when the chart cannot be drawn.
    const SampleStatistics statistics =
        figures.status == HistogramStatus::Ok ? figures.statistics : StatisticsOf(values);
    state.Mean = statistics.mean;
    state.StdDev = statistics.stdDev;
    // The chart keeps the sorted values it shows.
    content.data = std::move(values);
    content.laws = laws;
    const HistogramStatus status = figures.status;
    HistogramFigures result = content.figures;
    chart.showHistogram(std::move(content));
    if (main) main->showProcessing(false);
    if (status != HistogramStatus::Ok) {
        session.platform().setBusy(false);
        session.platform().messageBox({"Invalid data", InvalidDataText, MessageIcon::Exclamation, MessageButtons::Ok});
    }
    return result;
}

void cmdHisto_Click(SpacingForm& sheet) {
    Session& session = sheet.session();
    Platform& platform = session.platform();
    SpacingState& state = session.moduleState<SpacingState>();
    platform.setBusy(true);
    state.busy = true;
    auto finish = [&] {
        state.busy = false;
        platform.setBusy(false);
    };
    sheet.MSFlexGrid1_LeaveCell(0);
    // The values are read in the pass that converts them, then the conversion is applied unless there are
    // none. An empty theta becomes "0" as the conversion begins, which may make it computed from the
    // orientations: then the values are read apart first, with a factor of 1.
    const double theta = sheet.number("txtOr", 4);
    const double c = theta == 0 ? 1 : std::cos(theta / DEG);
    const bool intersectionDistances = sheet.at("optData", 0).value() != 0;
    const bool thetaGiven = !sheet.text("txtOr", 4).empty();
    HistogramValuesBuilder builder(sheet.grid(0), c, intersectionDistances);
    std::optional<SpacingForm::Conversion> conversion;
    if (thetaGiven) conversion = sheet.convertMeasured(c, [&builder](double x, double y) { builder.add(x, y); });
    SortedValues values =
        thetaGiven ? builder.finish() : SortedHistogramValues(sheet.grid(0), c, intersectionDistances);
    if (values.empty()) {
        finish();
        platform.messageBox({"Ravelin - Histogram", "No data !", MessageIcon::Exclamation, MessageButtons::Ok});
        return;
    }
    if (conversion) sheet.applyConversion(std::move(*conversion));
    else sheet.ConvertData();
    long long classes = wholeNumber(sheet.number("Classes"));
    double interval = sheet.number("Interval");

    std::vector<HistogramRow>& table = session.moduleState<SpacingState>().histogramTable;
    std::size_t k = 0;
    while (k < table.size() && table[k].datasheet != &sheet) ++k;
    HistoForm* chart = nullptr;
    if (k == table.size()) {
        chart = &NewChartWindow(session, static_cast<long long>(k) + 1);
        HistogramRow row;
        row.datasheet = &sheet;
        row.chart = chart;
        table.push_back(std::move(row));
    } else {
        HistogramRow& row = table[k];
        const bool reuse = !sheet.at("chkNew").value() && row.chart && session.owns(row.chart);
        chart = reuse ? dynamic_cast<HistoForm*>(row.chart) : &NewChartWindow(session, static_cast<long long>(k) + 1);
        row.chart = chart;
        classes = row.classes;
        interval = row.interval;
    }
    HistogramRow& row = table[k];

    HistoToolsForm& window = tools(session);
    const char* flags[] = {"Expon", "Lognorm", "Norm", "Triang"};
    const int boxes[] = {0, 2, 1, 3};
    for (int i = 0; i < 4; ++i) {
        const int value = sheet.number(flags[i]) == 1 ? 1 : 0;
        window.setValue(window.at("Check1", boxes[i]), value);
        row.laws[i] = value;
    }
    row.legend = sheet.number("Legend") == 1 ? 1 : 0;
    window.setValue(window.at("chkLegend"), row.legend);
    chart->setCaption("Histo-" + UnmarkedCaption(sheet));
    chart->show();
    PlotHistogram(session, std::move(values), *chart, interval, classes, window.laws());
    setLabels(*chart, sheet);
    row.interval = interval;
    row.classes = classes;
    finish();
    state.currentChart = chart;
    // A window system reports the new chart's activation once the command is
    // over, when its name says "Histo-" and the options window follows it.
    if (session.activeForm() == chart) chart->userActivate();
}

void RedrawHistogram(Session& session, HistogramRow& row) {
    if (!row.chart || !session.owns(row.chart)) return;
    auto* chart = dynamic_cast<HistoForm*>(row.chart);
    // The chart keeps the values it shows; they are drawn again from a copy the plot may sort.
    if (!chart || !chart->histogram() || chart->histogram()->data.empty()) return;
    SortedValues values = chart->histogram()->data;
    HistoToolsForm& window = tools(session);
    double interval = readNumber(window.text("Text2", 0));
    long long classes = wholeNumber(readNumber(window.text("Text2", 1)));
    const LawChoice laws = window.laws();
    PlotHistogram(session, std::move(values), *chart, interval, classes, laws);
    row.interval = interval;
    row.classes = classes;
    row.laws[0] = laws.exponential;
    row.laws[1] = laws.lognormal;
    row.laws[2] = laws.normal;
    row.laws[3] = laws.triangular;
    row.legend = laws.legend;
}

HistogramRow* ApplyHistogramOptions(Session& session) {
    std::vector<HistogramRow>& table = session.moduleState<SpacingState>().histogramTable;
    const Form* current = session.moduleState<SpacingState>().currentChart;
    HistogramRow* row = nullptr;
    if (table.size() == 1) {
        row = &table.front();
    } else {
        for (HistogramRow& each : table)
            if (current && each.chart == current) row = &each;
    }
    if (!row) return nullptr;
    RedrawHistogram(session, *row);
    return row;
}

}  // namespace ravelin
