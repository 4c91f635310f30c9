// ravelin-cli datasheet FILE [--convert] [--save OUT] [--json]
// ravelin-cli histogram FILE [--interval X] [--classes N] [--laws LIST] [--relative] [--legend] [--fit]
//                            [--png OUT] [--svg OUT] [--pdf OUT] [--size WxH] [--json]
// ravelin-cli variogram FILE --width W --lags L [--png OUT] [--svg OUT] [--json]
// Each opens FILE into a new spacing datasheet as "&Open datasheet" does and
// presses the datasheet's buttons; the histogram options are typed into the
// options window and applied; pictures are the chart's double-size picture;
// --fit presses the options window's "Fit report".

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "CliSupport.h"
#include "ReportFiles.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "documents/DatasheetReport.h"
#include "documents/DatasheetDocument.h"
#include "spacing/ChartExport.h"
#include "spacing/FitReport.h"
#include "spacing/HistoForm.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"

namespace ravelin::cli {

namespace {

// Pixels of an exported picture at 96 dots per inch.
constexpr double kTwipsPerPixel = 15;

SpacingForm& openDatasheet(CliSession& cli, const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) throw WorkError("cannot read " + path);
    SpacingForm* sheet = OpenDatasheetFile(cli.session, path);
    if (!sheet) throw WorkError("cannot open " + path);
    // The desktop activates the window it shows; here nothing else would.
    cli.session.setActiveForm(sheet);
    sheet->userActivate();
    return *sheet;
}

void press(Form& form, const char* button) {
    Control& control = form.at(button);
    if (!control.enabled()) throw WorkError(control.text() + " is not available for this datasheet");
    form.userClick(control);
}

void exportPictures(HistoForm& chart, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::string error;
        if (!exportChart(chart, path, &error))
            throw WorkError("cannot write " + path + (error.empty() ? "" : ": " + error));
    }
}

HistoForm* newestChart(const Session& session, std::size_t formsBefore) {
    HistoForm* found = nullptr;
    for (std::size_t i = formsBefore; i < session.forms().size(); ++i)
        if (auto* chart = dynamic_cast<HistoForm*>(session.forms()[i].get())) found = chart;
    return found;
}

Json labelsJson(const HistoForm& chart, const std::vector<const char*>& names) {
    Json labels = Json::object();
    for (const char* name : names) labels[name] = chart.text(name);
    return labels;
}

Json columnJson(const SpacingGrid& grid) {
    Json column = Json::array();
    for (long long r = 1, last = grid.lastFilledRow(); r <= last; ++r) column.push_back(grid.text(r));
    return column;
}

// ---------------------------------------------------------------- datasheet

void saveAs(CliSession& cli, SpacingForm& sheet, const std::string& path) {
    cli.platform.saveAnswers.push_back(path);
    cli.platform.saveFilters.push_back(2);  // "All Files": the name given on the command line, as it is
    cli.main->runCommand("mnuFileSaveAs");
    if (sheet.filePath() != path || IsModified(sheet)) throw WorkError("cannot write " + path);
}

Json datasheetJson(const CliSession& cli, const SpacingForm& sheet) {
    Json result;
    result["caption"] = sheet.caption();
    for (const char* name : {"txtComment", "txtFamily", "txtLoc"}) result[name] = sheet.text(name);
    Json orientation = Json::array();
    for (int i = 0; i < 7; ++i) orientation.push_back(sheet.text("txtOr", i));
    result["txtOr"] = orientation;
    result["theta_enabled"] = sheet.at("txtOr", 4).enabled();
    result["data_type"] = sheet.at("optData", 0).value() ? 1 : 2;
    result["rows"] = sheet.rows() - 1;
    result["measured"] = columnJson(sheet.grid(0));
    result["corrected"] = columnJson(sheet.grid(1));
    result["lblRes"] = Json::array({sheet.text("lblRes", 0), sheet.text("lblRes", 1), sheet.text("lblRes", 2)});
    Json buttons = Json::object();
    for (const char* name : {"cmdHisto", "cmdConvert", "Vario"}) buttons[name] = sheet.at(name).enabled();
    result["buttons"] = buttons;
    Json chart = Json::object();
    for (const char* name : {"Interval", "Classes", "Expon", "Lognorm", "Norm", "Triang"})
        chart[name] = sheet.text(name);
    result["chart"] = chart;
    result["messages"] = cli.messagesJson();
    return result;
}

void printDatasheet(const CliSession& cli, const SpacingForm& sheet, std::ostream& out) {
    out << sheet.caption() << "\n";
    out << "Comment / title : " << sheet.text("txtComment") << "\n";
    out << "Family name : " << sheet.text("txtFamily") << "\n";
    out << "Location : " << sheet.text("txtLoc") << "\n";
    out << "Cliff wall : " << sheet.text("txtOr", 0) << " / " << sheet.text("txtOr", 1) << "\n";
    out << "Disc. set : " << sheet.text("txtOr", 2) << " / " << sheet.text("txtOr", 3) << "\n";
    out << "Scanline : " << sheet.text("txtOr", 5) << " / " << sheet.text("txtOr", 6) << "\n";
    out << "Theta angle : " << sheet.text("txtOr", 4) << "\n";
    out << "Type of data : " << (sheet.at("optData", 0).value() ? "Intersection dist." : "Disc. spacings") << "\n";
    out << sheet.text("lblRes", 2) << "\n" << sheet.text("lblRes", 0) << " (measured)\n";
    if (!sheet.text("lblRes", 1).empty()) out << sheet.text("lblRes", 1) << " (corrected)\n";
    const long long last = std::max(sheet.grid(0).lastFilledRow(), sheet.grid(1).lastFilledRow());
    out << "N\xC2\xB0\tMeasured\tCorrected\n";
    for (long long r = 1; r <= last; ++r)
        out << r << "\t" << sheet.cell(0, r, 1) << "\t" << sheet.cell(1, r, 1) << "\n";
    cli.printMessages(out);
}

int runDatasheet(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed =
        parseArguments(args, withReportFileOptions({"--save"}), {"--convert", "--json", "--report"});
    if (parsed.positional.size() != 1) throw UsageError("datasheet needs one file");
    if (wantsReportFiles(parsed) && !parsed.has("--report"))
        throw UsageError("--rtf, --txt and --pdf write the report: add --report");
    CliSession cli;
    SpacingForm& sheet = openDatasheet(cli, parsed.positional.front());
    if (parsed.has("--convert")) press(sheet, "cmdConvert");
    if (parsed.has("--save")) saveAs(cli, sheet, parsed.value("--save"));
    std::vector<ReportBlock> report;
    Json files;
    if (parsed.has("--report")) {
        report = datasheetReportBlocks(sheet);
        if (wantsReportFiles(parsed)) files = writeReportFiles(cli.platform, parsed, report);
    }
    if (parsed.has("--json")) {
        Json result = datasheetJson(cli, sheet);
        if (parsed.has("--report")) result["report"] = reportBlocksJson(report);
        if (!files.is_null()) result["files"] = files;
        writeJson(out, result);
    } else {
        printDatasheet(cli, sheet, out);
        if (parsed.has("--report")) out << reportBlocksText(report) << "\n";
    }
    return 0;
}

// ---------------------------------------------------------------- histogram

struct ChartSize {
    double width = 0;
    double height = 0;
};

std::optional<ChartSize> pictureSize(const Arguments& parsed) {
    if (!parsed.has("--size")) return std::nullopt;
    const std::string text = parsed.value("--size");
    const auto x = text.find('x');
    auto whole = [](const std::string& digits) {
        return !digits.empty() && digits.size() <= 5 &&
               std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (x == std::string::npos || !whole(text.substr(0, x)) || !whole(text.substr(x + 1)))
        throw UsageError("--size takes WIDTHxHEIGHT in pixels, e.g. 1200x900");
    const ChartSize size{std::stod(text.substr(0, x)), std::stod(text.substr(x + 1))};
    if (size.width < 1 || size.height < 1) throw UsageError("--size takes a positive width and height");
    return size;
}

LawChoice lawsArgument(const std::string& list) {
    LawChoice laws;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        if (name == "exp") laws.exponential = true;
        else if (name == "normal") laws.normal = true;
        else if (name == "lognormal") laws.lognormal = true;
        else if (name == "triangular") laws.triangular = true;
        else if (!name.empty()) throw UsageError("unknown law '" + name + "' (exp, normal, lognormal, triangular)");
        start = comma + 1;
    }
    return laws;
}

void setCheck(Form& form, int index, bool wanted) {
    Control& box = form.at("Check1", index);
    if ((box.value() != 0) != wanted) form.userClick(box);
}

// The options typed into the histogram options window, then "&Apply".
void applyOptions(CliSession& cli, const Arguments& parsed) {
    const bool any = parsed.has("--interval") || parsed.has("--classes") || parsed.has("--laws") ||
                     parsed.has("--relative") || parsed.has("--legend");
    if (!any) return;
    auto& tools = cli.session.form<HistoToolsForm>("frmHistoTools");
    if (parsed.has("--interval")) typeInto(tools, tools.at("Text2", 0), parsed.value("--interval"));
    if (parsed.has("--classes")) typeInto(tools, tools.at("Text2", 1), parsed.value("--classes"));
    if (parsed.has("--laws")) {
        const LawChoice laws = lawsArgument(parsed.value("--laws"));
        setCheck(tools, 0, laws.exponential);
        setCheck(tools, 1, laws.normal);
        setCheck(tools, 2, laws.lognormal);
        setCheck(tools, 3, laws.triangular);
    }
    setCheck(tools, 4, parsed.has("--relative"));
    // A legend saved with the datasheet stays unless the command asks for one anyway.
    if (parsed.has("--legend") && !tools.at("chkLegend").value()) tools.userClick(tools.at("chkLegend"));
    tools.userClick(tools.at("Command1"));
}

// Where the chart's legend lies (twips of the drawing surface) and what it names.
Json legendJson(const HistoForm& chart, const HistoForm::HistogramContent& content) {
    const RecordingCanvas surface(chart.innerWidth(), chart.innerHeight());
    const auto legend = HistogramLegend(surface, content.figures, content.laws, 1, chart.labelAreas(1));
    if (!legend) return nullptr;
    Json names = Json::array();
    for (const LegendEntry& entry : legend->entries) names.push_back(entry.name);
    const CanvasRect& f = legend->frame;
    return {{"laws", names}, {"frame", {f.left, f.top, f.right, f.bottom}}, {"hidden_area", legend->hiddenArea}};
}

Json optionalNumber(const std::optional<double>& value) { return value ? Json(*value) : Json(nullptr); }

Json fitJson(const FitSummary& summary) {
    Json fit = Json::object();
    for (const LawFit& law : summary.laws) {
        Json entry;
        Json parameters = Json::object();
        for (const LawParameter& p : law.parameters) parameters[p.name] = p.value;
        const bool fitted = law.fitted();
        entry["parameters"] = fitted ? parameters : Json(nullptr);
        entry["ks_d"] = fitted ? Json(law.ksD) : Json(nullptr);
        entry["ks_p"] = fitted ? Json(law.ksP) : Json(nullptr);
        entry["chi2"] = optionalNumber(law.chiSquare);
        entry["df"] = law.chiSquare ? Json(law.degreesOfFreedom) : Json(nullptr);
        entry["chi2_p"] = optionalNumber(law.chiSquareP);
        entry["loglik"] = fitted ? Json(law.logLikelihood) : Json(nullptr);
        entry["aic"] = fitted ? Json(law.aic) : Json(nullptr);
        if (!fitted) entry["not_fitted"] = law.notFitted;
        fit[LawKey(law.law)] = entry;
    }
    fit["best"] = summary.best ? Json(LawKey(*summary.best)) : Json(nullptr);
    return fit;
}

Json histogramJson(CliSession& cli, const HistoForm* chart, bool withData = true) {
    const SpacingState& state = cli.session.moduleState<SpacingState>();
    const HistoForm::HistogramContent* content = chart ? chart->histogram() : nullptr;
    Json result;
    result["n"] = content ? content->figures.n : 0;
    result["data"] = content && withData ? Json(content->data.values()) : Json::array();
    result["interval"] = content ? content->figures.interval : 0.0;
    result["classes"] = content ? content->figures.classes : 0;
    Json counts = Json::array();
    if (content && content->figures.counts.size() > 1)
        counts = Json(std::vector<long long>(content->figures.counts.begin() + 1, content->figures.counts.end()));
    result["counts"] = counts;
    result["mean"] = state.Mean;
    result["stddev"] = state.StdDev;
    result["max_count"] = content ? content->figures.maxCount : 0;
    result["ymax"] = content ? content->figures.range.ymax : 0.0;
    result["labels"] = chart ? labelsJson(*chart, {"lblTitre", "lblInfo", "lblX", "lblY", "lblMean", "lblStdDev",
                                                   "lblNbValues", "lblScanline"})
                             : Json::object();
    Json options = Json::object();
    if (const Form* tools = cli.session.findForm("frmHistoTools")) {
        options["Text2(0)"] = tools->text("Text2", 0);
        options["Text2(1)"] = tools->text("Text2", 1);
        for (int i = 0; i < 5; ++i) options["Check1(" + std::to_string(i) + ")"] = tools->at("Check1", i).value();
    }
    result["options"] = options;
    if (chart && content && content->laws.legend) result["legend"] = legendJson(*chart, *content);
    result["messages"] = cli.messagesJson();
    return result;
}

void printHistogram(CliSession& cli, const HistoForm* chart, std::ostream& out) {
    const Json figures = histogramJson(cli, chart, false);  // text mode prints the figures, not the data
    if (chart) out << chart->caption() << "\n";
    out << "values: " << figures["n"] << "\n";
    out << "class interval: " << generalNumber(figures["interval"].get<double>()) << "\n";
    out << "classes: " << figures["classes"] << "\n";
    const double interval = figures["interval"].get<double>();
    long long j = 0;
    for (const auto& count : figures["counts"]) {
        out << "  " << formatNumber(static_cast<double>(j) * interval, "0.0#") << " - "
            << formatNumber(static_cast<double>(j + 1) * interval, "0.0#") << ": " << count << "\n";
        ++j;
    }
    out << "mean: " << generalNumber(figures["mean"].get<double>()) << "\n";
    out << "standard deviation: " << generalNumber(figures["stddev"].get<double>()) << "\n";
    out << "largest count: " << figures["max_count"]
        << ", vertical range: " << generalNumber(figures["ymax"].get<double>()) << "\n";
    for (const auto& [name, text] : figures["labels"].items()) out << name << ": " << text.get<std::string>() << "\n";
    cli.printMessages(out);
}

int runHistogram(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed =
        parseArguments(args, {"--interval", "--classes", "--laws", "--png", "--svg", "--pdf", "--size"},
                       {"--relative", "--legend", "--fit", "--json"});
    if (parsed.positional.size() != 1) throw UsageError("histogram needs one file");
    const std::vector<std::string> pictures = pictureOutputs(parsed, {"png", "svg", "pdf"});
    const std::optional<ChartSize> size = pictureSize(parsed);
    if (parsed.has("--laws")) lawsArgument(parsed.value("--laws"));

    CliSession cli;
    SpacingForm& sheet = openDatasheet(cli, parsed.positional.front());
    const std::size_t formsBefore = cli.session.forms().size();
    press(sheet, "cmdHisto");
    HistoForm* chart = newestChart(cli.session, formsBefore);
    if (chart && size) {
        chart->userResize(size->width * kTwipsPerPixel / 2 + HistoForm::kFrameWidth,
                          size->height * kTwipsPerPixel / 2 + HistoForm::kFrameHeight);
    }
    if (chart) applyOptions(cli, parsed);
    const bool drawn = chart && chart->histogram() && chart->histogram()->figures.status == HistogramStatus::Ok;
    if (drawn) exportPictures(*chart, pictures);
    std::optional<FitSummary> fit;
    if (drawn && parsed.has("--fit")) {
        auto& tools = cli.session.form<HistoToolsForm>("frmHistoTools");
        tools.userClick(tools.at("cmdFitReport"));
        fit = ChartFit(*chart);
    }
    if (parsed.has("--json")) {
        Json result = histogramJson(cli, chart);
        if (fit) result["fit"] = fitJson(*fit);
        writeJson(out, result);
    } else {
        printHistogram(cli, chart, out);
        if (fit) out << reportBlocksText(cli.report) << "\n";
    }
    if (!drawn) {
        std::cerr << "ravelin-cli: the histogram could not be drawn\n";
        return 1;
    }
    return 0;
}

// ---------------------------------------------------------------- variogram

int runVariogram(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed = parseArguments(args, {"--width", "--lags", "--png", "--svg"}, {"--json"});
    if (parsed.positional.size() != 1) throw UsageError("variogram needs one file");
    if (!parsed.has("--width") || !parsed.has("--lags")) throw UsageError("variogram needs --width and --lags");
    const std::vector<std::string> pictures = pictureOutputs(parsed, {"png", "svg"});

    CliSession cli;
    SpacingForm& sheet = openDatasheet(cli, parsed.positional.front());
    cli.platform.inputAnswers.push_back(parsed.value("--width"));
    cli.platform.inputAnswers.push_back(parsed.value("--lags"));
    const std::size_t formsBefore = cli.session.forms().size();
    press(sheet, "Vario");
    HistoForm* chart = newestChart(cli.session, formsBefore);
    if (chart) exportPictures(*chart, pictures);

    const VariogramFigures& figures = cli.session.moduleState<SpacingState>().lastVariogram;
    const std::vector<const char*> labelNames = {"lblTitre", "lblInfo", "lblX", "lblY", "lblMean", "lblStdDev"};
    if (parsed.has("--json")) {
        Json result;
        result["positions"] = figures.positions;
        result["counts"] = figures.counts;
        result["gamma"] = figures.gamma;
        result["ymax"] = chart ? figures.ymax : 0.0;
        result["labels"] = chart ? labelsJson(*chart, labelNames) : Json::object();
        result["messages"] = cli.messagesJson();
        writeJson(out, result);
    } else {
        if (chart) out << chart->caption() << "\n";
        out << "windows: " << figures.counts.size() << "\n";
        for (std::size_t h = 0; h < figures.gamma.size(); ++h)
            out << "  lag " << h + 1 << ": " << generalNumber(figures.gamma[h]) << "\n";
        if (chart) {
            out << "vertical range: " << generalNumber(figures.ymax) << "\n";
            for (const char* name : labelNames) out << name << ": " << chart->text(name) << "\n";
        }
        cli.printMessages(out);
    }
    if (!chart) {
        std::cerr << "ravelin-cli: no variogram could be drawn\n";
        return 1;
    }
    return 0;
}

}  // namespace

Command datasheetCommand() {
    return {"datasheet",
            "datasheet FILE [--convert] [--save OUT] [--report [--rtf OUT] [--txt OUT] [--pdf OUT]] [--json]",
            runDatasheet};
}

Command histogramCommand() {
    return {"histogram",
            "histogram FILE [--interval X] [--classes N] [--laws exp,normal,lognormal,triangular] [--relative]\n"
            "            [--legend] [--fit (goodness of fit of the four laws)]\n"
            "            [--png OUT] [--svg OUT] [--pdf OUT] [--size WxH (pixels of the picture)] [--json]",
            runHistogram};
}

Command variogramCommand() {
    return {"variogram", "variogram FILE --width W --lags L [--png OUT] [--svg OUT] [--json]", runVariogram};
}

}  // namespace ravelin::cli
