// ravelin-cli's picture module: Qt's painter behind the interface of
// cli/PictureModule.h. Only the functions below are exported.

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder on Linux; make one of the user's own, quietly.
        const QString folder = QDir::tempPath() + "/runtime-" + qEnvironmentVariable("USER", "ravelin");
        if (QDir().mkpath(folder))
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    }
#endif
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

// The standard error sent to the null device while it lives: some decoders
// (libpng's default error handler) print there themselves, and the message
// ravelin-cli gives already says it.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
#if defined(_WIN32)
        kept_ = _dup(_fileno(stderr));
        quiet_ = _open("NUL", _O_WRONLY);
        if (kept_ >= 0 && quiet_ >= 0) _dup2(quiet_, _fileno(stderr));
#else
        kept_ = dup(STDERR_FILENO);
        quiet_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (kept_ >= 0 && quiet_ >= 0) dup2(quiet_, STDERR_FILENO);
#endif
    }
    ~QuietStandardError() {
        std::fflush(stderr);
#if defined(_WIN32)
        if (kept_ >= 0) {
            _dup2(kept_, _fileno(stderr));
            _close(kept_);
        }
        if (quiet_ >= 0) _close(quiet_);
#else
        if (kept_ >= 0) {
            dup2(kept_, STDERR_FILENO);
            close(kept_);
        }
        if (quiet_ >= 0) close(quiet_);
#endif
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int kept_ = -1;
    int quiet_ = -1;
};

}  // namespace

#if defined(_WIN32)
#define RAVELIN_EXPORT extern "C" __declspec(dllexport)
#else
#define RAVELIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

RAVELIN_EXPORT void ravelin_picture_stamp(ravelin::cli::PictureInterfaceStamp* stamp) {
    *stamp = ravelin::cli::currentPictureStamp();
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
    const QuietStandardError quiet;
    result = ravelin::loadPictureFile(path);
}
