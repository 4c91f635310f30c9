#pragma once
// The projection tool as a whole: its three windows (plot, options and data
// grid) shown and hidden together from the main window's "&Projections",
// whose check mark follows them; and the commands of the options window
// that reach beyond it (the reports, "Send to wedge model").

#include <string_view>

namespace ravelin {

class Session;

inline constexpr std::string_view kProjectionInfoMessage =
    "This provisional projection tool is provided as an example.";
inline constexpr std::string_view kProjectionInfoTitle = "Ravelin information";

// Installs "&Projections" on the main window when the main window is created.
void registerProjectionTool(Session& session);

// "&Projections": checked, it shows the information message and then the
// three windows; unchecked, it hides them.
void ToggleProjections(Session& session);
// Hides the three windows (a pending edit of the data grid is committed
// first) and unchecks "&Projections": closing any of them does this.
void CloseProjectionTool(Session& session);
// A close of one of the three windows from its title bar: the tool hides
// and the window stays loaded. Returns whether the unload is cancelled
// (always, but when the program shuts down).
bool CloseProjectionToolFromWindow(Session& session);

// "Export" of the mean orientation and of the kinematic analysis: the
// report of the plotted data goes to the Info box. Without data the user is
// told so; each returns whether a report was written.
bool ExportMeanReport(Session& session);
bool ExportKinematicReport(Session& session);

// Fills the wedge page of the geomechanical models window with the two
// planes of the most critical pair of the kinematic analysis and the slope
// face, and shows that page. Returns false, telling the user why, when no
// pair lies in the primary critical zone.
bool SendToWedgeModel(Session& session);

}  // namespace ravelin
