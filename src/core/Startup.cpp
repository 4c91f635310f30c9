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
    platform.processEvents();

    const double start = platform.timerSeconds();
    for (;;) {
        double elapsed = platform.timerSeconds() - start;
        if (elapsed < 0) elapsed += 86400;  // the system timer restarts at midnight
        if (elapsed >= splashSeconds) break;
        platform.processEvents();
    }

    auto& main = dynamic_cast<MainForm&>(session.createForm("frmMain"));
    session.destroyForm(splash);
    main.show();
    return main;
}

}  // namespace ravelin
