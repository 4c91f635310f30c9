#include "core/Startup.h"

#include "core/MainForm.h"
#include "core/Platform.h"
#include "core/Session.h"

namespace ravelin {

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
