// ravelin-cli's picture module: Qt's painter behind the interface of
// cli/PictureModule.h. Only the functions below are exported.

#include <QGuiApplication>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "PictureModule.h"
#include "ui/render/QtPicture.h"
#include "ui/render/Render.h"

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
    // The command line speaks in its own messages only: the image readers' warnings about a
    // damaged file are already in the message it gives.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}

}  // namespace

#define RAVELIN_EXPORT extern "C" __attribute__((visibility("default")))

RAVELIN_EXPORT ravelin::cli::PictureInterfaceStamp ravelin_picture_stamp() {
    return ravelin::cli::currentPictureStamp();
}

RAVELIN_EXPORT bool ravelin_picture_render_image(const ravelin::RecordingCanvas& drawing, double widthTwips,
                                                 double heightTwips, ravelin::Image& image) {
    ensureGuiApplication();
    image = ravelin::toImage(ravelin::renderDrawing(drawing, widthTwips, heightTwips));
    return true;
}

RAVELIN_EXPORT bool ravelin_picture_export_drawing(const ravelin::RecordingCanvas& drawing, double widthTwips,
                                                   double heightTwips, const std::string& path, std::string& error) {
    ensureGuiApplication();
    return ravelin::exportDrawingToFile(drawing, widthTwips, heightTwips, path, &error);
}

RAVELIN_EXPORT bool ravelin_picture_export_rich_text(const ravelin::RichText& text, const std::string& path,
                                                     std::string& error) {
    ensureGuiApplication();
    return ravelin::exportRichTextToPdf(text, path, &error);
}

RAVELIN_EXPORT void ravelin_picture_load(const std::string& path, ravelin::PictureLoad& result) {
    ensureGuiApplication();
    // Some decoders (libpng's default error handler) print on the standard
    // error themselves; the message ravelin-cli gives already says it.
    std::fflush(stderr);
    const int kept = dup(STDERR_FILENO);
    const int quiet = open("/dev/null", O_WRONLY);
    if (kept >= 0 && quiet >= 0) dup2(quiet, STDERR_FILENO);
    result = ravelin::loadPictureFile(path);
    std::fflush(stderr);
    if (kept >= 0) {
        dup2(kept, STDERR_FILENO);
        close(kept);
    }
    if (quiet >= 0) close(quiet);
}
