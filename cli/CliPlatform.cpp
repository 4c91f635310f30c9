#include "CliPlatform.h"

#ifdef RAVELIN_CLI_RENDER
#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <memory>

#include "ui/render/Render.h"
#endif

namespace ravelin::cli {

#ifdef RAVELIN_CLI_RENDER
namespace {
// Qt's painter needs an application object; an off-screen one needs no display.
void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder; make the one it would pick, quietly.
        const std::string folder = "/tmp/runtime-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "ravelin-cli";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}
}  // namespace

std::optional<Image> CliPlatform::renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) {
    ensureGuiApplication();
    return toImage(renderDrawing(drawing, widthTwips, heightTwips));
}

bool CliPlatform::exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                                const std::string& path, std::string* error) {
    exportedDrawings.push_back(path);
    ensureGuiApplication();
    return exportDrawingToFile(drawing, widthTwips, heightTwips, path, error);
}

bool CliPlatform::exportRichText(const RichText& text, const std::string& path, std::string* error) {
    exportedDrawings.push_back(path);
    ensureGuiApplication();
    return exportRichTextToPdf(text, path, error);
}
#else
std::optional<Image> CliPlatform::renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) {
    return ScriptedPlatform::renderImage(drawing, widthTwips, heightTwips);
}
bool CliPlatform::exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                                const std::string& path, std::string* error) {
    return ScriptedPlatform::exportDrawing(drawing, widthTwips, heightTwips, path, error);
}
bool CliPlatform::exportRichText(const RichText& text, const std::string& path, std::string* error) {
    return ScriptedPlatform::exportRichText(text, path, error);
}
#endif

}  // namespace ravelin::cli
