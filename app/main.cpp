// Ravelin, the desktop program.
//
// ravelin [FILE ...] [--startup-report]
// FILE: documents opened at start, as File > Open datasheet would open them.
// --startup-report: starts as usual, then prints how long start-up took and
// the memory in use once the main window is idle, and quits (benchmarks).

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "core/MainForm.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "documents/DocumentCommands.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"
#include "ui/views/ShellViews.h"

namespace {

long residentKilobytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ravelin");
    QApplication::setOrganizationName("Ravelin");
    QApplication::setApplicationVersion(RAVELIN_VERSION);
    QApplication::setStyle("Fusion");
    const bool startupReport = app.arguments().contains("--startup-report");

    ravelin::QtPlatform platform;
    ravelin::Session session(platform);
    ravelin::registerAllForms(session);
    ravelin::UiContext context(session, platform);
    platform.setContext(&context);
    ravelin::registerAllViews(context);
    ravelin::MainWindow window(context);

    constexpr double kSplashSeconds = 1.0;
    ravelin::runStartup(session, kSplashSeconds);
    for (const QString& argument : app.arguments().mid(1))
        if (!argument.startsWith("--")) ravelin::OpenDocumentFile(session, argument.toStdString());

    if (startupReport) {
        QTimer::singleShot(0, [&] {
            const qint64 total = clock.elapsed();
            QTimer::singleShot(500, [&, total] {
                std::printf("startup_ms=%lld own_work_ms=%lld rss_kb=%ld\n", static_cast<long long>(total),
                            static_cast<long long>(total - kSplashSeconds * 1000), residentKilobytes());
                std::fflush(stdout);
                window.close();
            });
        });
    }
    return app.exec();
}
