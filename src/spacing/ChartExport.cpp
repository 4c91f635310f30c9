#include "spacing/ChartExport.h"

#include <filesystem>

#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingState.h"

namespace ravelin {

namespace {

// The double-size picture serves printing, copying and saving alike.
constexpr double kPictureScale = 2;

// The temporary name keeps the extension, which tells the painter the format.
bool exportAtomically(Platform& platform, const RecordingCanvas& picture, const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path temporary =
        target.parent_path() / ("." + target.stem().string() + ".saving" + target.extension().string());
    std::error_code failure;
    if (platform.exportDrawing(picture, picture.width(), picture.height(), temporary.string(), &error)) {
        fs::rename(temporary, target, failure);
        if (!failure) return true;
        error = failure.message();
    } else if (error.empty()) {
        error = "the picture could not be written";
    }
    fs::remove(temporary, failure);
    return false;
}

}  // namespace

RecordingCanvas ChartPicture(const HistoForm& chart) {
    RecordingCanvas picture(chart.innerWidth() * kPictureScale, chart.innerHeight() * kPictureScale);
    chart.drawPicture(picture, kPictureScale);
    return picture;
}

bool copyChart(HistoForm& chart) {
    const RecordingCanvas picture = ChartPicture(chart);
    Platform& platform = chart.platform();
    auto image = platform.renderImage(picture, picture.width(), picture.height());
    if (!image) return false;
    platform.clipboardClear();
    platform.setClipboardImage(*image);
    return true;
}

std::string chartFileName(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == ".bmp" || extension == ".png" || extension == ".svg" || extension == ".pdf") return path;
    return path + ".bmp";
}

bool exportChart(HistoForm& chart, const std::string& path, std::string* error) {
    std::string why;
    const bool written = exportAtomically(chart.platform(), ChartPicture(chart), chartFileName(path), why);
    if (error) *error = why;
    return written;
}

}  // namespace ravelin
