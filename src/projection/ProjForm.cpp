#include "projection/ProjForm.h"

#include <algorithm>
#include <cmath>

#include "core/Platform.h"
#include "core/Session.h"
#include "projection/DataForm.h"
#include "projection/ProjectionState.h"
#include "projection/ProjectionTool.h"

namespace ravelin {

namespace {

// The double-size picture serves files, printing and the clipboard alike, as a chart's does.
constexpr double kPictureScale = 2;
// The window around its surface (twips): borders, caption and the menu bar.
constexpr double kFrameWidth = 120;
constexpr double kFrameHeight = 720;

double canvasSize(double value) { return std::isfinite(value) ? std::max(value, 1.0) : 1.0; }

}  // namespace

ProjForm::ProjForm(Session& session) : Form(session, "frmProj", "Projection") {
    add(ControlKind::MenuItem, "mnuClearCanvas").withText("&Clear canvas");
    Control& surface = add(ControlKind::PictureBox, "picProj");
    drawing(surface).setSize(canvasWidth_, canvasHeight_);
}

void ProjForm::onLoad() {
    resize(kDesignWidth + kFrameWidth, kDesignHeight + kFrameHeight);
    draw();
}

void ProjForm::resizeCanvas(double width, double height) {
    width = canvasSize(width);
    height = canvasSize(height);
    if (width == canvasWidth_ && height == canvasHeight_) return;
    canvasWidth_ = width;
    canvasHeight_ = height;
    replot();
}

bool ProjForm::cmdPlot_Click() { return plot(true); }

bool ProjForm::cmdAdd_Click() { return plot(false); }

bool ProjForm::plot(bool replace) {
    if (drawing_) return false;  // the busy pointer shows; the command is not queued behind a long drawing
    ProjectionState& state = session().moduleState<ProjectionState>();
    const ProjectionSettings& settings = state.settings;
    auto& grid = session().form<DataForm>("frmData");
    grid.CommitDataCell();
    std::vector<Reading> readings = readDataRows(grid.dataRows(settings.selectionOnly));
    if (replace) {
        data_.clear();
        cleared_ = false;
    }
    if (readings.empty()) {
        state.error = true;
        if (replace) draw();  // the net, cleared of its data
        platform().messageBox({std::string(kNoStructuralDataTitle), std::string(kNoStructuralDataMessage),
                               MessageIcon::Exclamation, MessageButtons::Ok});
        return false;
    }
    state.error = false;
    data_.push_back(
        {settings.structure, std::move(readings), settings.symbol, settings.color, settings.coneAngle, true});
    draw();
    return true;
}

void ProjForm::replot() {
    const Rgb color = replotColor(session().moduleState<ProjectionState>().settings.hemisphere);
    for (PlottedData& d : data_) {
        d.color = color;
        d.shown = true;
    }
    cleared_ = false;
    draw();
}

void ProjForm::redraw() { draw(); }

void ProjForm::clearCanvas() {
    for (PlottedData& d : data_) d.shown = false;
    cleared_ = true;
    draw();
}

void ProjForm::draw() {
    if (drawing_) {
        drawAgain_ = true;  // asked again while events ran: once more with what is stored now
        return;
    }
    drawing_ = true;
    platform().setBusy(true);
    MainForm* main = session().mainForm();
    if (main) main->showProcessing(true);
    do {
        drawAgain_ = false;
        const ProjectionSettings& settings = session().moduleState<ProjectionState>().settings;
        const NetView view = NetView::forCanvas(canvasWidth_, canvasHeight_, settings.net, settings.hemisphere);
        const auto letEventsRun = [this] { platform().processEvents(); };
        picture_ = buildNetPicture(view, data_, settings.analyses(), letEventsRun);
        picture_.blank =
            cleared_ && std::none_of(data_.begin(), data_.end(), [](const PlottedData& d) { return d.shown; });
        RecordingCanvas canvas(canvasWidth_, canvasHeight_);
        drawNetPicture(canvas, picture_, letEventsRun);
        Control& surface = at("picProj");
        Drawing& target = drawing(surface);
        target.staticLayer() = std::move(canvas);
        target.setSize(canvasWidth_, canvasHeight_);
        drawingChanged(surface, DrawingLayer::Static);
    } while (drawAgain_);
    if (main) main->showProcessing(false);
    platform().setBusy(false);
    drawing_ = false;
}

RecordingCanvas ProjForm::exportPicture() const {
    RecordingCanvas picture(canvasWidth_ * kPictureScale, canvasHeight_ * kPictureScale);
    surface().replay(picture, kPictureScale);
    return picture;
}

bool ProjForm::exportTo(const std::string& path, std::string* error) {
    const RecordingCanvas picture = exportPicture();
    std::string why;
    const bool written = platform().exportDrawing(picture, picture.width(), picture.height(), path, &why);
    if (!written && why.empty()) why = "the picture could not be written";
    if (error) *error = why;
    return written;
}

bool ProjForm::editCopy() {
    const RecordingCanvas picture = exportPicture();
    auto image = platform().renderImage(picture, picture.width(), picture.height());
    if (!image) return true;  // nothing the platform can draw: the clipboard stays as it was
    platform().clipboardClear();
    platform().setClipboardImage(*image);
    return true;
}

void ProjForm::onClick(Control& control) {
    if (control.name() == "mnuClearCanvas") clearCanvas();
}

void ProjForm::onActivate() {
    if (MainForm* main = session().mainForm()) main->enableDocumentCommands({true, true, true, true});
}

void ProjForm::onDeactivate() {
    if (MainForm* main = session().mainForm()) main->enableDocumentCommands({});
}

bool ProjForm::onQueryUnload() { return CloseProjectionToolFromWindow(session()); }

}  // namespace ravelin
