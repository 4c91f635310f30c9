#include "core/Startup.h"

#include "core/MainForm.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/SessionForms.h"
#include "documents/DocumentCommands.h"
#include "models/ModGeomForm.h"
#include "models/ModProbForm.h"
#include "spacing/HistoForm.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/SpacingForm.h"
#include "tools/ToolSpacingForm.h"
#include "tools/ToolVolForm.h"
#include "tools/ToolXyzForm.h"

namespace ravelin {

namespace {
template <class T>
void registerType(Session& session, const char* name) {
    session.registerForm(name, [](Session& s) { return std::make_unique<T>(s); });
}
}  // namespace

void registerAllForms(Session& session) {
    registerType<MainForm>(session, "frmMain");
    registerType<LogForm>(session, "frmLog");
    registerType<AboutForm>(session, "frmAbout");
    registerType<OptionsForm>(session, "frmOptions");
    registerDocuments(session);
    registerType<ToolXyzForm>(session, "frmToolXYZ");
    registerType<ToolSpacingForm>(session, "frmToolSpacing");
    registerType<ToolVolForm>(session, "frmToolVol");
    registerType<SpacingForm>(session, "frmSpacing");
    registerType<HistoForm>(session, "frmHisto");
    registerType<HistoToolsForm>(session, "frmHistoTools");
    registerType<ModGeomForm>(session, "frmModGeom");
    registerType<ModProbForm>(session, "frmModProb");
}

MainForm& runStartup(Session& session, double splashSeconds) {
    Platform& platform = session.platform();
    Form& splash = session.createForm("frmAbout");
    splash.resize(splash.width(), 4000);
    splash.show();
    platform.processEvents();  // the splash is drawn before the wait
    if (splashSeconds > 0) platform.wait(splashSeconds);

    auto& main = dynamic_cast<MainForm&>(session.createForm("frmMain"));
    session.destroyForm(splash);
    main.show();
    return main;
}

}  // namespace ravelin
