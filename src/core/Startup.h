#pragma once
// Start-up of a session: the splash, the main window. The window kinds are
// registered first by the program (app/Registrations.h).

namespace ravelin {

class Session;
class MainForm;

// The start-up sequence: the about window as a splash for `splashSeconds`
// (the platform waits on its timer, the splash drawn and answering), the
// main window created and loaded, the splash unloaded, the main window shown.
MainForm& runStartup(Session& session, double splashSeconds = 1.0);

}  // namespace ravelin
