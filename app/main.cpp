// Ravelin, the desktop program.
//
// ravelin [FILE ...] [--startup-report] [--open-report] [--screenshot PNG]
// FILE: documents opened at start, as File > Open datasheet would open them.
// --startup-report: starts as usual, then prints how long start-up took and
// the memory in use once the main window is idle, and quits (benchmarks).
// --open-report: opens the FILE arguments, then prints how long it took until
// the datasheet was shown, how long scrolling its grids to the end and
// editing its last value took, and the memory in use, and quits (benchmarks).
// --screenshot PNG: opens the FILE arguments, plots the histogram of the
// datasheet among them, tiles the windows, saves the main window as PNG and
// quits (the picture in README.md, scripts/screenshot.sh).

#include <QApplication>
#include <QPixmap>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>

#include "app/Registrations.h"
#include "core/MainForm.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "documents/DocumentCommands.h"
#include "spacing/SpacingForm.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"
#include "ui/views/DatasheetView.h"
#include "ui/views/ShellViews.h"

namespace {

long residentKilobytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

// Milliseconds a piece of work takes, with the repaint of `shown` it causes.
template <class Work>
double timedWithRepaint(QWidget* shown, Work work) {
    QElapsedTimer clock;
    clock.start();
    work();
    QApplication::processEvents();
    shown->repaint();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void sendKey(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

// The datasheet opened last: opening until shown, scrolling to the end, typing into its last value.
void reportOpening(ravelin::Session& session, ravelin::MainWindow& window, const QElapsedTimer& opening) {
    auto* sheet = dynamic_cast<ravelin::SpacingForm*>(session.currentDocument());
    QWidget* shown = sheet ? window.windowOf(*sheet) : nullptr;
    auto* table = shown ? shown->findChild<ravelin::SpacingTable*>("MSFlexGrid1(0)") : nullptr;
    if (!sheet || !table) {
        std::printf("open_failed=1\n");
        return;
    }
    QApplication::processEvents();
    shown->repaint();
    const double openMs = static_cast<double>(opening.nsecsElapsed()) / 1e6;
    QScrollBar* scroll = table->verticalScrollBar();
    const double scrollMs = timedWithRepaint(shown, [&] { scroll->setValue(scroll->maximum()); });
    table->setFocus();
    const double editMs = timedWithRepaint(shown, [&] {
        sendKey(table, Qt::Key_End);
        sendKey(table, Qt::Key_7, "7");
        if (auto* editor = shown->findChild<QLineEdit*>("txtSaisie")) sendKey(editor, Qt::Key_Return);
    });
    const long long rows = sheet->rows() - 1;
    const bool edited = sheet->cell(0, rows, 1) == "7";
    // Plot Histo on every value, until the chart window is drawn.
    const double plotMs = timedWithRepaint(window.centralWidget(), [&] {
        if (ravelin::Control* plot = sheet->find("cmdHisto")) sheet->userClick(*plot);
    });
    const bool plotted = session.findForm("frmHisto") != nullptr;
    std::printf(
        "open_ms=%.0f rows=%lld scroll_end_ms=%.1f edit_ms=%.1f edited=%d plot_histo_ms=%.1f plotted=%d rss_kb=%ld\n",
        openMs, rows, scrollMs, editMs, edited ? 1 : 0, plotMs, plotted ? 1 : 0, residentKilobytes());
    // The benchmark's edit is not the user's: no save question on the way out.
    ravelin::ClearModifiedMarker(*sheet);
}

// The datasheet opened last with its histogram beside it, as the README shows them.
void plotBesideDatasheet(ravelin::Session& session) {
    if (auto* sheet = dynamic_cast<ravelin::SpacingForm*>(session.currentDocument()))
        if (ravelin::Control* plot = sheet->find("cmdHisto")) sheet->userClick(*plot);
    if (ravelin::MainForm* main = session.mainForm()) main->runCommand("mnuWindowTileVertical");
}

// --help and --version answer before any window system is needed.
std::optional<int> answerInformationRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--version") {
            std::printf("ravelin %s\n", RAVELIN_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::printf(
                "usage: ravelin [FILE ...]\n"
                "       ravelin --help | --version\n\n"
                "Starts Ravelin and opens each FILE as File > Open datasheet would: spacing\n"
                "datasheets (.spg), digitized datafiles (.dgt), rich text (.rtf) and text files.\n\n"
                "  --help     this text\n"
                "  --version  the program's version\n\n"
                "Standard Qt options (-platform, -style, ...) are accepted too.\n"
                "The command-line driver is ravelin-cli (ravelin-cli --help).\n");
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto answered = answerInformationRequest(argc, argv)) return *answered;
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ravelin");
    QApplication::setOrganizationName("Ravelin");
    QApplication::setApplicationVersion(RAVELIN_VERSION);
    QApplication::setStyle("Fusion");
    const bool startupReport = app.arguments().contains("--startup-report");
    const bool openReport = app.arguments().contains("--open-report");
    const qsizetype screenshotAt = app.arguments().indexOf("--screenshot");
    const QString screenshot = screenshotAt > 0 ? app.arguments().value(screenshotAt + 1) : QString();

    ravelin::QtPlatform platform;
    ravelin::Session session(platform);
    ravelin::registerAllForms(session);
    ravelin::UiContext context(session, platform);
    platform.setContext(&context);
    ravelin::registerAllViews(context);
    ravelin::MainWindow window(context);

    constexpr double kSplashSeconds = 1.0;
    ravelin::runStartup(session, kSplashSeconds);
    QElapsedTimer opening;
    opening.start();
    const QStringList arguments = app.arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith("--") && (screenshotAt < 0 || i != screenshotAt + 1))
            ravelin::OpenDocumentFile(session, arguments[i].toStdString());
    if (!screenshot.isEmpty()) {
        window.resize(1280, 800);  // a picture that reads well at the width of a README page
        // Half a second for the windows to settle at their size before and after the plot.
        QTimer::singleShot(500, [&] {
            plotBesideDatasheet(session);
            QTimer::singleShot(500, [&] {
                if (!window.grab().save(screenshot, "PNG"))
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(screenshot));
                window.close();
            });
        });
    }
    if (openReport) {
        QTimer::singleShot(0, [&] {
            reportOpening(session, window, opening);
            std::fflush(stdout);
            window.close();
        });
    }

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
