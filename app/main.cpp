// Ravelin, the desktop program.

#include <QApplication>

#include "core/MainForm.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"
#include "ui/views/ShellViews.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ravelin");
    QApplication::setOrganizationName("Ravelin");
    QApplication::setApplicationVersion(RAVELIN_VERSION);
    QApplication::setStyle("Fusion");

    ravelin::QtPlatform platform;
    ravelin::Session session(platform);
    ravelin::registerAllForms(session);
    ravelin::UiContext context(session, platform);
    platform.setContext(&context);
    ravelin::registerAllViews(context);
    ravelin::MainWindow window(context);

    ravelin::runStartup(session);
    return app.exec();
}
