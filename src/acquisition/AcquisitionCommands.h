#pragma once
// The main window's side of the acquisition window: "New acquisition
// window", "Open scan &image", the "&Acquisition" menu, and the toolbar
// buttons "Contour", "Discont", "Rectangle", "Scanline" and "HidePict".
// There is one acquisition window, frmScan, unloaded and loaded again by
// "New acquisition window" and by opening a ".dgt" file. The toolbar
// buttons are shown while it exists and enabled while it is active; the
// menu commands act on it while it exists.

#include <string>
#include <vector>

namespace ravelin {

class MainForm;
class ScanForm;
class Session;

// The acquisition window, or nullptr when there is none.
ScanForm* acquisitionWindow(Session& session);

// Unloads the acquisition window, whose close handling may ask to save it,
// and loads a new one, hidden, with no geometry. nullptr when the user
// cancelled the question and kept the old window.
ScanForm* ReloadAcquisitionWindow(Session& session);

// "New acquisition window": a fresh window captioned "Acquisition Window -
// Digit " and the next number, shown. nullptr when the old one was kept.
ScanForm* NewAcquisitionWindow(Session& session);

// Shows (released) or hides the toolbar buttons and enables or disables the
// acquisition menu commands, as an acquisition window comes or goes.
void showAcquisitionTools(MainForm& main, bool windowExists);
// Enables or disables the toolbar buttons, as the window is activated or deactivated.
void enableAcquisitionButtons(MainForm& main, bool enabled);

// Installs the commands on the main window; registerAcquisition does it for
// every main window the session creates.
void installAcquisitionCommands(MainForm& main);
void registerAcquisition(Session& session);

}  // namespace ravelin
