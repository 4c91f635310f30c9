#include "spacing/SpgFile.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/FileMessages.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "spacing/LargeBuffer.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kSource = "Ravelin";
// The hidden labels that keep a datasheet's chart settings, in file order.
struct ChartLabel {
    const char* name;
    std::optional<std::string> SpgChartSettings::*setting;
};
constexpr ChartLabel kChartLabels[] = {
    {"Interval", &SpgChartSettings::interval}, {"Classes", &SpgChartSettings::classes},
    {"Expon", &SpgChartSettings::exponential}, {"Lognorm", &SpgChartSettings::lognormal},
    {"Norm", &SpgChartSettings::normal},       {"Triang", &SpgChartSettings::triangular},
    {"Legend", &SpgChartSettings::legend},
};

void reportReadError(Session& session, const std::string& path, const SpgReadError& error) {
    session.logError(error.number, error.description, kSource);
    const std::string text = "The file '" + path + "' could not be read completely." + kCrLf + kCrLf + "Line " +
                             std::to_string(error.line) + " : " + error.lineText + kCrLf + error.reason + kCrLf +
                             kCrLf +
                             "Only the lines above it were loaded: saving the datasheet now would lose the "
                             "rest of the file.";
    session.platform().messageBox({"Ravelin - Open", text, MessageIcon::Exclamation, MessageButtons::Ok});
}

void fileMissing(SpacingForm& window, const std::string& path) {
    window.setCaption("Spacing data");
    tellOpenCancelled(window.session(), path, "does not exist in this folder.");
}

// A file's bytes. A regular file is read in one block into memory of large
// pages the size of the file, where the reader parses it.
class FileBytes {
public:
    std::string_view view() const {
        return other_ ? std::string_view(*other_) : std::string_view(regular_.data(), regular_.size());
    }

    // nullopt when the file cannot be opened or read, or is a folder.
    static std::optional<FileBytes> read(const std::string& path) {
        FileBytes file;
        if (file.readRegular(path)) return file;
        // A pipe, a device, or a file that changed size while read: the general reading.
        std::optional<std::string> bytes = readFileBytes(path);
        if (!bytes) return std::nullopt;
        file.other_ = std::move(*bytes);
        return file;
    }

private:
    // True when the file was read whole as the regular file of the size it announced.
    bool readRegular(const std::string& path) {
        const bool whole = readRegularFile(path, [this](std::size_t size) {
            regular_.resize(size);  // left uninitialised, filled by the reading
            return regular_.data();
        });
        if (!whole) regular_ = LargeVector<char>();
        return whole;
    }

    LargeVector<char> regular_;
    std::optional<std::string> other_;
};

void setIfRead(SpacingForm& window, const char* name, int index, const std::optional<std::string>& text) {
    if (text) window.setText(window.at(name, index), *text);
}

void setOrientation(SpacingForm& window, int first, const SpgOrientation& orientation) {
    setIfRead(window, "txtOr", first, orientation.direction);
    setIfRead(window, "txtOr", first + 1, orientation.dip);
}

}  // namespace

std::string DatasheetCaption(const std::string& path, const std::string& currentFolder) {
    if (currentFolder.empty()) return path;
    const std::string prefix = currentFolder.back() == '/' ? currentFolder : currentFolder + "/";
    if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) return path.substr(prefix.size());
    return path;
}

void FillDatasheet(SpacingForm& window, SpgDocument document) {
    setIfRead(window, "txtComment", -1, document.comment);
    setIfRead(window, "txtFamily", -1, document.family);
    setIfRead(window, "txtLoc", -1, document.location);
    setOrientation(window, 0, document.cliff);
    setOrientation(window, 2, document.set);
    setOrientation(window, 5, document.scanline);
    if (document.dataType) window.setValue(window.at("optData", *document.dataType == 2 ? 1 : 0), 1);
    // After the orientations: with all of them given, theta is computed from them instead.
    setIfRead(window, "txtOr", 4, document.theta);
    for (const ChartLabel& label : kChartLabels) setIfRead(window, label.name, -1, document.chart.*label.setting);

    const long long defaultRows = window.DefaultDataRows() + 1;
    const auto n = static_cast<long long>(document.values.size());
    SpacingGrid& measured = window.grid(0);
    SpacingGrid& corrected = window.grid(1);
    if (n + 1 > defaultRows) window.NumFlexGrid(n + 1, defaultRows);
    measured.setRedraw(false);
    corrected.setRedraw(false);
    // Rows below the data keep nothing from an earlier content, in either grid.
    measured.assignColumn(std::move(document.values));
    corrected.clearRange(1, corrected.rows() - 1);
    measured.setRedraw(true);
    corrected.setRedraw(true);
}

SpgDocument DatasheetDocument(const SpacingForm& window) {
    SpgDocument document;
    auto text = [&window](const char* name, int index = -1) { return window.text(name, index); };
    document.comment = text("txtComment");
    document.family = text("txtFamily");
    document.location = text("txtLoc");
    document.cliff = {text("txtOr", 0), text("txtOr", 1)};
    document.set = {text("txtOr", 2), text("txtOr", 3)};
    document.scanline = {text("txtOr", 5), text("txtOr", 6)};
    document.dataType = window.at("optData", 1).value() ? 2 : 1;
    document.theta = text("txtOr", 4);

    const std::vector<HistogramRow>& table = window.session().moduleState<SpacingState>().histogramTable;
    const auto row =
        std::find_if(table.rbegin(), table.rend(), [&](const HistogramRow& r) { return r.datasheet == &window; });
    SpgChartSettings& chart = document.chart;
    if (row != table.rend()) {
        chart = {generalNumber(row->interval), std::to_string(row->classes), std::to_string(row->laws[0]),
                 std::to_string(row->laws[1]), std::to_string(row->laws[2]), std::to_string(row->laws[3]),
                 std::to_string(row->legend)};
    } else if (std::any_of(std::begin(kChartLabels), std::end(kChartLabels),
                           [&](const ChartLabel& label) { return !TrimBlanks(text(label.name)).empty(); })) {
        // Settings loaded with the file and not yet drawn are kept, not dropped.
        for (const ChartLabel& label : kChartLabels) chart.*label.setting = text(label.name);
    }

    const SpacingGrid& measured = window.grid(0);
    const long long last = measured.lastFilledRow();
    document.values.reserve(static_cast<std::size_t>(last));
    for (long long r = 1; r <= last; ++r) document.values.append(measured.text(r));
    return document;
}

bool LoadSpacingFile(const std::string& path, SpacingForm& window) {
    Session& session = window.session();
    Platform& platform = session.platform();
    platform.setBusy(true);
    for (const char* button : {"cmdHisto", "Vario", "cmdConvert"}) window.setEnabled(window.at(button), false);

    std::optional<FileBytes> bytes = FileBytes::read(path);
    if (!bytes) {
        std::error_code ignored;
        if (!std::filesystem::exists(path, ignored)) {
            fileMissing(window, path);
        } else {
            reportReadError(
                session, path,
                {75, "Path/File access error", "The file cannot be read (access denied, or not a file).", 0, ""});
        }
        window.UpdateDataInfo();
        platform.setBusy(false);
        return false;
    }
    SpgReadResult read = ReadSpacingDocument(bytes->view());
    bytes.reset();  // the document holds its own copies

    window.setCaption(DatasheetCaption(path, platform.currentFolder()));
    window.setFilePath(path);
    FillDatasheet(window, std::move(read.document));
    ComputeTheta(window);
    window.resetHistory();
    ClearModifiedMarker(window);
    window.UpdateDataInfo();
    for (const char* button : {"cmdHisto", "Vario", "cmdConvert"}) window.setEnabled(window.at(button), true);
    platform.setBusy(false);
    if (read.error) reportReadError(session, path, *read.error);
    return !read.error;
}

std::string SpacingFileText(const SpacingForm& window) { return SpacingDocumentText(DatasheetDocument(window)); }

SpgSaveOutcome SaveSpacingFile(const std::string& path, const SpacingForm& window) {
    SpgSaveOutcome outcome;
    if (path.empty()) return outcome;
    outcome.written =
        window.platform().writeFile(path, WriteSpacingDocument(DatasheetDocument(window)), &outcome.error);
    if (!outcome.written) window.session().logError(75, outcome.error, kSource);
    return outcome;
}

}  // namespace ravelin
