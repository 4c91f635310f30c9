// ravelin-cli picture FILE [--width PIXELS] [--png OUT] [--svg OUT] [--pdf OUT] [--json]
// Reads a picture file as the acquisition window loads its photograph and
// tells its size in pixels; on request writes a drawing that holds it,
// scaled to PIXELS wide (its own width by default).

#include <cmath>

#include "CliSupport.h"
#include "core/Canvas.h"

namespace ravelin::cli {

namespace {

// Pixels of an exported picture at 96 dots per inch.
constexpr double kTwipsPerPixel = 15;

int runPicture(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments parsed = parseArguments(args, {"--width", "--png", "--svg", "--pdf"}, {"--json"});
    if (parsed.positional.size() != 1) throw UsageError("picture needs one FILE");
    const std::vector<std::string> outputs = pictureOutputs(parsed, {"png", "svg", "pdf"});
    long long shownWidth = 0;
    if (parsed.has("--width")) {
        try {
            shownWidth = std::stoll(parsed.value("--width"));
        } catch (const std::exception&) {}
        if (shownWidth <= 0) throw UsageError("--width needs a whole number of pixels above 0");
    }

    const std::string path = parsed.positional.front();
    CliSession cli;
    const PictureLoad loaded = cli.platform.loadPicture(path);
    if (!loaded.picture) throw WorkError(loaded.error);
    const Picture& picture = *loaded.picture;

    Json files = Json::array();
    if (!outputs.empty()) {
        if (shownWidth == 0) shownWidth = picture.width();
        const long long shownHeight =
            std::max(1LL, std::llround(static_cast<double>(picture.height()) * shownWidth / picture.width()));
        // The drawing becomes an image of that many pixels.
        if (!pictureSizeAllowed(shownWidth, shownHeight))
            throw WorkError("a picture of " + std::to_string(shownWidth) + " x " + std::to_string(shownHeight) +
                            " pixels is too large to write");
        const double width = shownWidth * kTwipsPerPixel;
        const double height = shownHeight * kTwipsPerPixel;
        RecordingCanvas drawing(width, height);
        drawing.picture(loaded.picture, 0, 0, width, height);
        for (const std::string& file : outputs) {
            std::string error;
            if (!cli.platform.exportDrawing(drawing, width, height, file, &error))
                throw WorkError("cannot write " + file + (error.empty() ? "" : ": " + error));
            files.push_back(file);
        }
    }
    if (parsed.has("--json")) {
        Json result = {{"file", path}, {"width", picture.width()}, {"height", picture.height()}};
        if (!files.empty()) result["files"] = files;
        writeJson(out, result);
    } else {
        out << path << ": " << picture.width() << " x " << picture.height() << " pixels\n";
    }
    return 0;
}

}  // namespace

Command pictureCommand() {
    return {"picture", "picture FILE [--width PIXELS] [--png OUT] [--svg OUT] [--pdf OUT] [--json]", runPicture};
}

}  // namespace ravelin::cli
