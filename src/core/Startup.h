#pragma once
// Start-up of a session: the window catalogue, the splash, the main window.

namespace ravelin {

class Session;
class MainForm;

// Registers every window kind Ravelin has with the session.
void registerAllForms(Session& session);

// The start-up sequence: the about window as a splash for `splashSeconds`
// (the platform waits on its timer, the splash drawn and answering), the
// main window created and loaded, the splash unloaded, the main window shown.
MainForm& runStartup(Session& session, double splashSeconds = 1.0);

}  // namespace ravelin
