// ravelin-cli acquisition FILE.dgt [--sample [OUT.spg]] [--estimate [--rtf OUT] [--txt OUT] [--pdf OUT]]
//                                  [--save OUT.dgt] [--png OUT] [--json]
// Opens FILE as "&Open datasheet" opens a ".dgt" and tells what the
// acquisition window holds. --sample presses "Export data" (the scanline
// into a new datasheet, saved to OUT.spg when given), --estimate the
// estimator chain ("&Spacing and persistance estimations"), --save saves
// the acquisition as OUT.dgt through Save As, --png draws the photograph
// with its traces, scanline, rectangle and contour.

#include <filesystem>

#include "CliSupport.h"
#include "ReportFiles.h"
#include "acquisition/ScanForm.h"
#include "core/TextCodec.h"
#include "documents/AcquisitionDocument.h"
#include "spacing/SpacingForm.h"

namespace ravelin::cli {

namespace {

// "--sample OUT.spg" or a bare "--sample": the option's value is optional, so it is taken apart first.
struct SampleOption {
    bool wanted = false;
    std::string output;
};

SampleOption takeSampleOption(std::vector<std::string>& args) {
    SampleOption sample;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--sample") continue;
        sample.wanted = true;
        const bool named =
            i + 1 < args.size() && !args[i + 1].starts_with("--") && lowerExtension(args[i + 1]) == ".spg";
        if (named) sample.output = args[i + 1];
        const auto first = args.begin() + static_cast<std::ptrdiff_t>(i);
        args.erase(first, first + (named ? 2 : 1));
        --i;
    }
    return sample;
}

void activate(CliSession& cli, Form& window) {
    // The desktop activates the window it shows; here nothing else would.
    cli.session.setActiveForm(&window);
    window.userActivate();
}

// Save As through the command, its dialog answered with `path`; false when the file was not written.
bool saveAs(CliSession& cli, Form& window, const std::string& path) {
    activate(cli, window);
    cli.platform.saveAnswers.push_back(path);
    cli.main->runCommand("mnuFileSaveAs");
    return !IsModified(window);
}

// A message box's text on one line, for an error message.
std::string oneLine(std::string text) {
    for (const std::string breaks : {"\r\n\r\n", "\r\n"}) {
        for (std::size_t at; (at = text.find(breaks)) != std::string::npos;) text.replace(at, breaks.size(), " ");
    }
    return text;
}

SpacingForm& exportScanline(CliSession& cli, ScanForm& scan) {
    const Form* before = cli.session.currentDocument();
    scan.userClick(scan.at("cmdExport"));
    auto* sheet = dynamic_cast<SpacingForm*>(cli.session.currentDocument());
    if (!sheet || sheet == before) {
        const auto& messages = cli.platform.messages;
        throw WorkError(oneLine(messages.empty() ? "no datasheet was made" : messages.back().text));
    }
    return *sheet;
}

Json pointJson(CanvasPoint p) { return Json::array({p.x, p.y}); }

Json acquisitionJson(const ScanForm& scan) {
    const AcquisitionGeometry& g = scan.geometry();
    Json result;
    result["caption"] = scan.caption();
    result["source"] = scan.imageSource();
    result["txtScale"] = scan.text("txtScale");
    result["ContourCount"] = g.contourCount();
    Json contour = Json::array();
    for (CanvasPoint p : g.contour) contour.push_back(pointJson(p));
    result["contour"] = contour;
    result["TraceCount"] = g.traceCount();
    Json traces = Json::array();
    for (const Trace& t : g.traces) traces.push_back(Json::array({t.end1.x, t.end1.y, t.end2.x, t.end2.y}));
    result["traces"] = traces;
    result["scanline"] = Json::array({pointJson(g.scanline[0]), pointJson(g.scanline[1])});
    Json rect = Json::array();
    for (CanvasPoint p : g.rectangle) rect.push_back(pointJson(p));
    result["rect"] = rect;
    result["txtSurface"] = scan.text("txtSurface");
    return result;
}

Json sampleJson(const SpacingForm& sheet) {
    Json values = Json::array();
    const SpacingGrid& column = sheet.grid(0);
    for (long long r = 1, last = column.lastFilledRow(); r <= last; ++r) values.push_back(column.text(r));
    return {{"caption", sheet.caption()},
            {"txtComment", sheet.text("txtComment")},
            {"data_type", sheet.at("optData", 0).value() ? 1 : 2},
            {"values", values}};
}

// The log's messages as lines, from the message at `first` on.
Json logJson(const CliSession& cli, std::size_t first) {
    Json lines = Json::array();
    for (std::size_t i = first; i < cli.log.size(); ++i) {
        const std::string& message = cli.log[i];
        for (std::size_t start = 0;;) {
            const std::size_t end = message.find("\r\n", start);
            if (end == std::string::npos) {
                if (start < message.size()) lines.push_back(message.substr(start));
                break;
            }
            lines.push_back(message.substr(start, end - start));
            start = end + 2;
        }
    }
    return lines;
}

void printAcquisition(const CliSession& cli, const ScanForm& scan, std::size_t logStart, std::ostream& out) {
    const AcquisitionGeometry& g = scan.geometry();
    out << scan.caption() << "\n";
    out << "Picture : " << (scan.imageSource().empty() ? "(none)" : scan.imageSource()) << "\n";
    out << "Scale : " << scan.text("txtScale") << " m\n";
    out << "Contour : " << g.contourCount() << " vertices\n";
    out << "Surface : " << scan.text("txtSurface") << " m\xC2\xB2\n";
    out << "Discontinuities : " << g.traceCount() << "\n";
    out << "Scanline : " << g.scanline[0].x << "," << g.scanline[0].y << " - " << g.scanline[1].x << ","
        << g.scanline[1].y << "\n";
    out << "Rectangle : ";
    const auto& r = g.rectangle;
    if (g.hasRectangle()) out << r[0].x << "," << r[0].y << " - " << r[2].x << "," << r[2].y << "\n";
    else out << "(none)\n";
    cli.printMessages(out);
    for (const auto& line : logJson(cli, logStart)) out << "log: " << line.get<std::string>() << "\n";
}

int runAcquisition(const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    const SampleOption sample = takeSampleOption(args);
    const Arguments parsed = parseArguments(args, withReportFileOptions({"--save", "--png"}), {"--estimate", "--json"});
    if (parsed.positional.size() != 1) throw UsageError("acquisition needs one FILE.dgt");
    if (wantsReportFiles(parsed) && !parsed.has("--estimate"))
        throw UsageError("--rtf, --txt and --pdf write the estimators' report: add --estimate");
    if (parsed.has("--save") && lowerExtension(parsed.value("--save")) != ".dgt")
        throw UsageError("--save needs a file name ending in .dgt");
    const std::vector<std::string> pictures = pictureOutputs(parsed, {"png"});
    const std::string path = parsed.positional.front();
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) throw WorkError("cannot read " + path);

    CliSession cli;
    const std::size_t logStart = cli.log.size();
    ScanForm* opened = OpenDigitizedFile(cli.session, path);
    if (!opened) throw WorkError("cannot open " + path);
    ScanForm& scan = *opened;
    activate(cli, scan);

    Json sampled;
    if (sample.wanted) {
        SpacingForm& sheet = exportScanline(cli, scan);
        if (!sample.output.empty() && !saveAs(cli, sheet, sample.output))
            throw WorkError("cannot write " + sample.output);
        sampled = sampleJson(sheet);
        activate(cli, scan);
    }
    std::vector<ReportBlock> report;
    Json files;
    if (parsed.has("--estimate")) {
        const std::size_t first = cli.report.size();
        scan.userClick(scan.at("cmdShowJab"));
        report.assign(cli.report.begin() + static_cast<std::ptrdiff_t>(first), cli.report.end());
        if (wantsReportFiles(parsed)) files = writeReportFiles(cli.platform, parsed, report);
    }
    if (parsed.has("--save") && !saveAs(cli, scan, parsed.value("--save")))
        throw WorkError("cannot write " + parsed.value("--save"));
    for (const std::string& file : pictures) {
        const RecordingCanvas picture = scan.Picture();
        std::string error;
        if (!cli.platform.exportDrawing(picture, picture.width(), picture.height(), file, &error))
            throw WorkError("cannot write " + file + (error.empty() ? "" : ": " + error));
        if (files.is_null()) files = Json::object();
        files["png"] = file;
    }

    if (parsed.has("--json")) {
        Json result = acquisitionJson(scan);
        result["messages"] = cli.messagesJson();
        result["log"] = logJson(cli, logStart);
        if (sample.wanted) result["sample"] = sampled;
        if (parsed.has("--estimate")) result["report"] = reportBlocksJson(report);
        if (!files.is_null()) result["files"] = files;
        writeJson(out, result);
    } else {
        printAcquisition(cli, scan, logStart, out);
        if (sample.wanted) {
            out << sampled["caption"].get<std::string>() << " : " << sampled["txtComment"].get<std::string>() << "\n";
            for (const auto& value : sampled["values"]) out << value.get<std::string>() << "\n";
        }
        if (parsed.has("--estimate")) out << reportBlocksText(report) << "\n";
    }
    return 0;
}

}  // namespace

Command acquisitionCommand() {
    return {"acquisition",
            "acquisition FILE.dgt [--sample [OUT.spg]] [--estimate [--rtf OUT] [--txt OUT] [--pdf OUT]] "
            "[--save OUT.dgt] [--png OUT] [--json]",
            runAcquisition};
}

}  // namespace ravelin::cli
