#include "spacing/ChartExport.h"

#include "core/Platform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingState.h"

namespace ravelin {

namespace {

// The double-size picture serves printing, copying and saving alike.
constexpr double kPictureScale = 2;

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
    const RecordingCanvas picture = ChartPicture(chart);
    std::string why;
    const bool written =
        chart.platform().exportDrawing(picture, picture.width(), picture.height(), chartFileName(path), &why);
    if (!written && why.empty()) why = "the picture could not be written";
    if (error) *error = why;
    return written;
}

}  // namespace ravelin
