#include "spacing/ChartExport.h"

#include <algorithm>
#include <cctype>

#include "core/Platform.h"
#include "core/Session.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingState.h"

namespace ravelin {

namespace {

// The double-size picture serves printing, copying and saving alike.
constexpr double kPictureScale = 2;

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

RecordingCanvas ChartPicture(const HistoForm& chart) {
    SpacingState& state = chart.session().moduleState<SpacingState>();
    RecordingCanvas picture(chart.innerWidth() * kPictureScale, chart.innerHeight() * kPictureScale);
    state.printScale = kPictureScale;
    chart.drawPicture(picture, kPictureScale);
    state.printScale = 1;
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

bool exportChart(HistoForm& chart, const std::string& path, std::string* error) {
    std::string target = path;
    const std::string extension = lowerExtension(path);
    if (extension != ".bmp" && extension != ".png" && extension != ".svg" && extension != ".pdf") target += ".bmp";
    const RecordingCanvas picture = ChartPicture(chart);
    return chart.platform().exportDrawing(picture, picture.width(), picture.height(), target, error);
}

}  // namespace ravelin
