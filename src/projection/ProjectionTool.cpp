#include "projection/ProjectionTool.h"

#include <string>

#include "core/MainForm.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "projection/DataForm.h"
#include "projection/ProjForm.h"
#include "projection/ProjectionReports.h"
#include "projection/ProjectionState.h"

namespace ravelin {

namespace {

constexpr const char* kMenuItem = "mnuToolsProjections";
constexpr const char* kMeanTitle = "Ravelin - Mean orientation";
constexpr const char* kKinematicTitle = "Ravelin - Kinematic analysis";

// Where the two windows of the main window's area first open (twips): the
// data grid at the left, the plot beside it.
constexpr double kPlotLeftGap = 120;

// Installs the command when the main window comes into being.
struct ProjectionCommandInstaller : SessionObserver {
    void formCreated(Form& form) override {
        auto* main = dynamic_cast<MainForm*>(&form);
        if (!main) return;
        Session& session = main->session();
        main->setCommand(kMenuItem, [&session] { ToggleProjections(session); });
    }
};

void tell(Session& session, const char* title, const std::string& text) {
    session.platform().messageBox({title, text, MessageIcon::Exclamation, MessageButtons::Ok});
}

void openProjectionTool(Session& session) {
    if (MainForm* main = session.mainForm()) main->setValue(main->menuItem(kMenuItem), 1);
    session.platform().messageBox({std::string(kProjectionInfoTitle), std::string(kProjectionInfoMessage),
                                   MessageIcon::Information, MessageButtons::Ok});
    const bool first = session.findForm("frmProj") == nullptr;
    Form& plot = session.form("frmProj");
    Form& options = session.form("frmOptProj");
    Form& data = session.form("frmData");
    if (first) {
        data.moveTo(0, 0);
        plot.moveTo(data.width() + kPlotLeftGap, 0);
    }
    plot.show();
    options.show();
    data.show();
}

ProjForm* plotWindow(Session& session) { return dynamic_cast<ProjForm*>(session.findForm("frmProj")); }

// The kinematic analysis of the plotted rows with the options' inputs; none
// (the user told why) when no row is plotted.
std::optional<KinematicPicture> plottedKinematics(Session& session) {
    const ProjForm* plot = plotWindow(session);
    if (!plot || plottedPlanes(plot->data()).empty()) {
        tell(session, kKinematicTitle, "There is no plane to analyse: plot the rows of the data grid first.");
        return std::nullopt;
    }
    const ProjectionSettings& settings = session.moduleState<ProjectionState>().settings;
    return kinematicPicture(plot->picture().view, plot->data(), settings.kinematicInputs, settings.kinematicPlot);
}

}  // namespace

void registerProjectionTool(Session& session) {
    auto& installer = session.moduleState<ProjectionCommandInstaller>();
    session.removeObserver(&installer);  // registering twice installs once
    session.addObserver(&installer);
}

void ToggleProjections(Session& session) {
    MainForm* main = session.mainForm();
    if (main && main->menuItem(kMenuItem).value() != 0) CloseProjectionTool(session);
    else openProjectionTool(session);
}

void CloseProjectionTool(Session& session) {
    if (auto* data = dynamic_cast<DataForm*>(session.findForm("frmData"))) data->CommitDataCell();
    for (const char* name : {"frmProj", "frmOptProj", "frmData"})
        if (Form* window = session.findForm(name)) window->hide();
    if (MainForm* main = session.mainForm()) main->setValue(main->menuItem(kMenuItem), 0);
}

bool CloseProjectionToolFromWindow(Session& session) {
    if (session.shuttingDown) return false;
    CloseProjectionTool(session);
    return true;
}

bool ExportMeanReport(Session& session) {
    const ProjForm* plot = plotWindow(session);
    const MeanOrientation mean = plot ? meanOrientation(plot->picture().view, plot->data()) : MeanOrientation{};
    if (mean.statistics.n == 0) {
        tell(session, kMeanTitle, "There is no line or pole to average: plot lines or poles to planes first.");
        return false;
    }
    std::size_t lines = 0, poles = 0;
    for (const PlottedData& d : plot->data()) {
        if (!d.shown) continue;
        if (d.type == StructureType::Lines) lines += d.readings.size();
        if (d.type == StructureType::Poles) poles += d.readings.size();
    }
    for (const ReportBlock& block : MeanOrientationReport(mean, lines, poles)) session.appendInfoText(block);
    return true;
}

bool ExportKinematicReport(Session& session) {
    const std::optional<KinematicPicture> kinematic = plottedKinematics(session);
    if (!kinematic) return false;
    for (const ReportBlock& block : KinematicReport(*kinematic)) session.appendInfoText(block);
    return true;
}

bool SendToWedgeModel(Session& session) {
    const std::optional<KinematicPicture> kinematic = plottedKinematics(session);
    if (!kinematic) return false;
    const std::optional<PlanePair>& pair = kinematic->result.mostCriticalPair;
    if (!pair) {
        tell(session, kKinematicTitle,
             kinematic->result.wedgesSkipped
                 ? "Wedges are not analysed beyond " + std::to_string(kMaxWedgePlanes) +
                       " planes: there is no wedge to send."
                 : std::string("No pair of planes lies in the primary critical zone: there is no wedge to send."));
        return false;
    }
    if (!session.hasFormType("frmModGeom")) return false;
    Form& model = session.form("frmModGeom");
    MainForm* main = session.mainForm();
    if (!model.visible()) {
        if (main && main->hasCommand("mnuModelsGeomec")) main->runCommand("mnuModelsGeomec");
        else model.show();
    }
    if (Control* tabs = model.find("tbsOptions")) model.userSelectTab(*tabs, 2);

    auto planeOf = [&](std::size_t i) { return normalisedPlane(kinematic->planes[i]).value_or(Plane{}); };
    const Plane first = planeOf(pair->first);
    const Plane second = planeOf(pair->second);
    const Plane face = normalisedPlane(kinematic->inputs.slope).value_or(Plane{});
    // The wedge model takes a slope face of dip direction 0 for a missing one; 360 is the same face.
    const double faceDirection = face.dipDirection == 0 ? 360 : face.dipDirection;
    // The test's friction angle is the joints' own: both planes take it (their cohesion stays as typed).
    const double friction = kinematic->inputs.frictionAngle;
    const std::pair<int, double> fields[] = {{2, first.dipDirection},  {3, first.dip},  {5, friction},
                                             {7, second.dipDirection}, {8, second.dip}, {10, friction},
                                             {14, faceDirection},      {15, face.dip}};
    for (const auto& [index, value] : fields)
        if (Control* box = model.find("txtW", index)) model.setText(*box, generalNumber(value));
    return true;
}

}  // namespace ravelin
