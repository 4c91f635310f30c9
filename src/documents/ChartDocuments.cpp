#include "documents/ChartDocuments.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/Platform.h"
#include "core/Session.h"
#include "documents/PrintOutput.h"
#include "spacing/HistoForm.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
// The double-size picture of printing, copying and saving.
constexpr double kPictureScale = 2;
const char* const kSaveFilterChart =
    "Windows bitmap (*.bmp)|*.bmp|PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return extension;
}

// Draws beside the target and renames over it, so a failed export never
// leaves a truncated picture. The temporary name keeps the extension, which
// tells the painter the format.
bool exportAtomically(Platform& platform, const RecordingCanvas& picture, const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::string name = ".";
    name += target.stem().string();
    name += ".saving";
    name += target.extension().string();
    const fs::path temporary = target.parent_path() / name;
    if (!platform.exportDrawing(picture, picture.width(), picture.height(), temporary.string(), &error)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        if (error.empty()) error = "the picture could not be written";
        return false;
    }
    std::error_code failure;
    fs::rename(temporary, target, failure);
    if (failure) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        error = failure.message();
        return false;
    }
    return true;
}

}  // namespace

RecordingCanvas chartPicture(const HistoForm& chart) {
    RecordingCanvas picture(chart.innerWidth() * kPictureScale, chart.innerHeight() * kPictureScale);
    chart.drawPicture(picture, kPictureScale);
    return picture;
}

bool saveChart(Form& window) {
    auto* chart = dynamic_cast<HistoForm*>(&window);
    if (!chart) return false;
    Platform& platform = window.platform();
    FileDialogRequest request{"Ravelin - Save", kSaveFilterChart, "", 1, false, true};
    auto path = platform.saveFileDialog(request);
    if (!path || path->empty()) return false;
    const std::string extension = lowerExtension(*path);
    if (extension != ".bmp" && extension != ".png" && extension != ".svg" && extension != ".pdf") *path += ".bmp";
    std::string error;
    if (exportAtomically(platform, chartPicture(*chart), *path, error)) return true;
    platform.messageBox({"Ravelin - Save", "The file '" + *path + "' could not be saved." + kCrLf + error,
                         MessageIcon::Exclamation, MessageButtons::Ok});
    window.session().writeLogFile("The file " + *path + " could not be saved: " + error);
    return false;
}

bool printChart(Form& window) {
    auto* chart = dynamic_cast<HistoForm*>(&window);
    if (!chart) return false;
    return printDrawing(window.platform(), chartPicture(*chart));
}

}  // namespace ravelin
