#include "acquisition/ScanForm.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/AcquisitionDrawing.h"
#include "acquisition/PlaneGeometry.h"
#include "acquisition/ScanlineSampling.h"
#include "acquisition/WindowEstimators.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpgFile.h"

namespace ravelin {

namespace {

// Canvas units across the photograph's (or the empty canvas's) width.
constexpr double kCanvasUnits = kReferenceWidth + 1;
// Twips of a screen pixel at 96 dots per inch: a photograph's pixel at actual size.
constexpr double kTwipsPerPixel = 15;
// Corner handles about this many screen pixels across, half of it each side of the corner.
constexpr double kHandleHalfPixels = 5;
// How far the handles' size on the screen may drift with the zoom before they are drawn again.
constexpr double kHandleSlack = 0.25;
// A handle never grows beyond the corner's grab zone, nor shrinks below a unit.
constexpr double kLargestHandle = AcquisitionEditor::kCornerGrabDistance;
// The clipboard gets at most this many pixels (a 16-megapixel picture, 64 MB).
constexpr double kClipboardPixels = 1 << 24;

// A step of the drawing: the editor's part before and after.
class DrawingStep final : public UndoCommand {
public:
    DrawingStep(ScanForm& scan, GeometryEdit edit) : scan_(scan), edit_(std::move(edit)) {}
    void undo() override { scan_.replayEdit(edit_, false); }
    void redo() override { scan_.replayEdit(edit_, true); }

private:
    ScanForm& scan_;
    GeometryEdit edit_;
};

// The scale typed: the letters typed in a row are one step.
class ScaleStep final : public UndoCommand {
public:
    ScaleStep(Form& scan, std::string before, std::string after)
        : scan_(scan), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { scan_.setText(scan_.at("txtScale"), before_); }
    void redo() override { scan_.setText(scan_.at("txtScale"), after_); }
    bool absorb(UndoCommand& next) override {
        auto* typed = dynamic_cast<ScaleStep*>(&next);
        if (!typed || typed->before_ != after_) return false;
        after_ = typed->after_;
        return true;
    }

private:
    Form& scan_;
    std::string before_;
    std::string after_;
};

}  // namespace

const char* const ScanForm::kPictureFilter =
    "Bitmap (*.bmp)|*.bmp|Bitmap Compuserve (*.gif)|*.gif|Bitmap JPEG (*.jpg)|*.jpg|Enhanced metafile (*.emf)|"
    "*.emf|Windows metafile (*.wmf)|*.wmf|PNG (*.png)|*.png|TIFF (*.tif;*.tiff)|*.tif;*.tiff|All Files (*.*)|*.*";

ScanForm::ScanForm(Session& session) : Form(session, "frmScan", kNewCaption) {
    buildControls();
    viewWatcher_.form = this;
    addObserver(&viewWatcher_);
}

ScanForm::~ScanForm() { removeObserver(&viewWatcher_); }

void ScanForm::buildControls() {
    // The strip of commands above the canvas (twips); the desktop lays them out in rows of its own.
    struct ButtonDef {
        const char* name;
        const char* caption;
        const char* toolTip;
    };
    const ButtonDef buttons[] = {
        {"cmdOpenPict", "Open file", "Open a photograph of the cliff"},
        {"cmdShowHide", "Hide picture", "Hide picture"},
        {"cmdDisc", "Discontinuities", "Draw discontinuity traces: click both ends of each"},
        {"cmdScanline", "Scanline", "Draw the scanline: click both ends (it replaces the last one)"},
        {"cmdDraw", "Contour window", "Draw the contoured window: click its vertices, right-click to close it"},
        {"cmdRectangle", "Rect. window", "Show the rectangular window; drag its corners to size it"},
        {"cmdExport", "Export data", "Export the scanline's crossings to a new spacing datasheet"},
        {"cmdShowJab", "Estimations", "Mean spacing and persistence estimations into the Info box"},
        {"cmdShowPahl", "Pahl (1981)", "The rectangular window's estimator alone, into the Info box"},
        {"cmdFit", "Fit to window", "The whole canvas in the window"},
        {"cmdActualSize", "Actual size", "One pixel of the photograph for each pixel of the screen"},
    };
    constexpr double kButtonWidth = 1000, kRowHeight = 360;
    double left = 0;
    for (const ButtonDef& b : buttons) {
        add(ControlKind::CommandButton, b.name)
            .withText(b.caption)
            .withToolTip(b.toolTip)
            .withGeometry(left, 0, kButtonWidth, kRowHeight);
        left += kButtonWidth;
    }
    add(ControlKind::TextBox, "txtScale")
        .withDescription("Scale (m)")
        .withToolTip("The photograph's real width, metres")
        .withGeometry(left + 900, 0, 900, kRowHeight);
    add(ControlKind::TextBox, "txtSurface")
        .withDescription("Surface (m\xC2\xB2)")
        .withToolTip("The contoured window's surface, square metres (the rectangle's after an estimation)")
        .withReadOnly()
        .withGeometry(left + 2700, 0, 1500, kRowHeight);
    add(ControlKind::PictureBox, "picCanvas")
        .withGeometry(kEmptyCanvasLeft, kEmptyCanvasTop, kEmptyCanvasWidth, kEmptyCanvasHeight);
    drawing(canvas()).navigable = true;
    sizeCanvas();
}

// ------------------------------------------------------------------ lifecycle

void ScanForm::onLoad() {
    // Room for the canvas at its own size with the command rows above it.
    move(0, 0, 12000, 8600);
    editor_.load({});
    drawStatic();
    drawOverlay();
    updateSurface();
    undoStack().clear();
    if (MainForm* main = session().mainForm()) showAcquisitionTools(*main, true);
    showState();
}

void ScanForm::onActivate() {
    if (MainForm* main = session().mainForm()) main->documentActivated(*this);
    enableDocumentCommands(true);
}

void ScanForm::onDeactivate() { enableDocumentCommands(false); }

void ScanForm::enableDocumentCommands(bool enabled) {
    MainForm* main = session().mainForm();
    if (!main) return;
    main->enableDocumentCommands({enabled, enabled, enabled, enabled});
    enableAcquisitionButtons(*main, enabled);
}

bool ScanForm::onQueryUnload() {
    MainForm* main = session().mainForm();
    return main && main->closeDocumentFromTitleBar(*this);
}

void ScanForm::onUnload() {
    MainForm* main = session().mainForm();
    if (!main) return;
    if (session().activeForm() == this) enableDocumentCommands(false);
    showAcquisitionTools(*main, false);
}

// ------------------------------------------------------------------ events

void ScanForm::onChange(Control& control) {
    if (control.name() != "txtScale") return;
    std::string before = geometry().scaleText;
    apply(editor_.scaleEdited(control.text()));
    if (before != geometry().scaleText)
        undoStack().push(std::make_unique<ScaleStep>(*this, std::move(before), geometry().scaleText));
}

void ScanForm::onLostFocus(Control& control) {
    if (control.name() == "txtScale") undoStack().breakJoin();  // typing there again is a step of its own
}

bool ScanForm::onDiscardEdit() {
    if (!editor_.discardStroke()) return false;
    showGeometry();
    return true;
}

void ScanForm::replayEdit(const GeometryEdit& edit, bool forward) {
    editor_.replay(edit, forward);
    showGeometry();
}

void ScanForm::showGeometry() {
    updateSurface();
    drawStatic();
    drawOverlay();
    showState();
    // A half-drawn segment's first click put the "*" that the history knows nothing of.
    onModifiedChanged(undoStack().modified());
}

void ScanForm::onClick(Control& control) {
    const std::string& name = control.name();
    if (name == "cmdDisc") cmdDisc_Click();
    else if (name == "cmdDraw") cmdDraw_Click();
    else if (name == "cmdScanline") cmdScanline_Click();
    else if (name == "cmdRectangle") cmdRectangle_Click();
    else if (name == "cmdShowHide") cmdShowHide_Click();
    else if (name == "cmdOpenPict") cmdOpenPict_Click();
    else if (name == "cmdExport") cmdExport_Click();
    else if (name == "cmdShowJab") cmdShowJab_Click();
    else if (name == "cmdShowPahl") cmdShowPahl_Click();
    else if (name == "cmdFit") fitToWindow();
    else if (name == "cmdActualSize") actualSize();
}

namespace {

std::optional<PointerButton> drawingButton(int buttons) {
    if (buttons == buttons::Left) return PointerButton::Left;
    if (buttons == buttons::Right) return PointerButton::Right;
    return std::nullopt;  // the middle button drags the view
}

}  // namespace

void ScanForm::onPointerPress(Control& control, const PointerEvent& event) {
    const std::optional<PointerButton> button = drawingButton(event.buttons);
    if (&control != &canvas() || !button) return;
    const bool wasDragging = editor_.draggedCorner() != 0;
    EditorResponse response = editor_.press(event.x, event.y, *button);
    // A grabbed rectangle leaves the static layer for the overlay until it is released.
    if (!wasDragging && editor_.draggedCorner() != 0) response.redraw = true;
    apply(response);
}

void ScanForm::onPointerMove(Control& control, const PointerEvent& event) {
    if (&control != &canvas()) return;
    EditorResponse response = editor_.move(event.x, event.y);
    if (editor_.draggedCorner() != 0) {
        // Only the overlay follows a dragged corner: the photograph and the traces stay drawn.
        response.redraw = false;
        response.overlay = true;
    }
    apply(response);
    if (editor_.mode() == DrawingMode::None && editor_.draggedCorner() == 0 && geometry().hasRectangle()) {
        const bool overCorner = std::any_of(geometry().rectangle.begin(), geometry().rectangle.end(), [&](auto c) {
            return std::abs(c.x - event.x) < AcquisitionEditor::kCornerGrabDistance &&
                   std::abs(c.y - event.y) < AcquisitionEditor::kCornerGrabDistance;
        });
        setPointer(canvas(), overCorner ? PointerShape::SizeAll : PointerShape::Arrow);
    }
}

void ScanForm::onPointerRelease(Control& control, const PointerEvent& event) {
    if (&control != &canvas() || !drawingButton(event.buttons)) return;
    const bool dragged = editor_.draggedCorner() != 0;
    EditorResponse response = editor_.release();
    // Outside the modes a release changes nothing drawn unless it ends a drag.
    response.redraw = dragged;
    response.overlay = dragged;
    apply(response);
}

// ------------------------------------------------------------------ drawing

void ScanForm::apply(const EditorResponse& response) {
    if (response.message) platform().messageBox(*response.message);
    if (response.beep) platform().beep();
    if (response.modified) MarkModified(*this);
    if (response.surface) updateSurface();
    if (response.redraw) drawStatic();
    if (response.redraw || response.overlay) drawOverlay();
    showState();
    if (response.edit) undoStack().push(std::make_unique<DrawingStep>(*this, *response.edit));
}

double ScanForm::handleHalfSize() const {
    const Drawing& shown = canvasDrawing();
    const ViewTransform& view = shown.view();
    // Without a view (printing, the command line) the drawing is shown at its own size.
    const double pixelsPerUnit = view.viewportWidth() > 0 ? view.scale() : shown.unitTwips / kTwipsPerPixel;
    return std::clamp(kHandleHalfPixels / pixelsPerUnit, 1.0, kLargestHandle);
}

void ScanForm::drawStatic() {
    Drawing& shown = drawing(canvas());
    RecordingCanvas& layer = shown.staticLayer();
    layer.reset();
    AcquisitionScene scene;
    scene.geometry = &geometry();
    scene.traces = editor_.completedTraces();
    if (!editor_.pictureHidden()) scene.picture = picture_;
    scene.width = shown.width();
    scene.height = shown.height();
    scene.contourOpen = editor_.mode() == DrawingMode::Contour;
    scene.scanlineHalfDrawn = editor_.mode() == DrawingMode::Scanline && editor_.segmentHalfDrawn();
    scene.rectangle = editor_.draggedCorner() == 0;
    scene.handleHalfSize = shownHandleHalfSize_ = handleHalfSize();
    DrawAcquisition(layer, scene);
    drawingChanged(canvas(), DrawingLayer::Static);
}

void ScanForm::drawOverlay() {
    RecordingCanvas& overlay = drawing(canvas()).overlay();
    overlay.reset();
    DrawAcquisitionOverlay(overlay, editor_.rubberBand(),
                           editor_.draggedCorner() != 0 ? &geometry().rectangle : nullptr, handleHalfSize());
    drawingChanged(canvas(), DrawingLayer::Overlay);
}

void ScanForm::updateSurface() {
    setText(at("txtSurface"), SurfaceText(ContourSurface(geometry().contour, geometry().metresPerUnit())));
}

void ScanForm::showState() {
    const DrawingMode mode = editor_.mode();
    if (mode != DrawingMode::None) rectangleTool_ = false;
    const bool rectangle = rectangleTool_ && mode == DrawingMode::None;
    setValue(at("cmdDisc"), mode == DrawingMode::Discontinuity);
    setValue(at("cmdScanline"), mode == DrawingMode::Scanline);
    setValue(at("cmdDraw"), mode == DrawingMode::Contour);
    setValue(at("cmdRectangle"), rectangle);
    setText(at("cmdShowHide"), editor_.pictureToolTip());
    if (MainForm* main = session().mainForm()) {
        main->setToolButtonPressed("Discont", mode == DrawingMode::Discontinuity);
        main->setToolButtonPressed("Scanline", mode == DrawingMode::Scanline);
        main->setToolButtonPressed("Contour", mode == DrawingMode::Contour);
        main->setToolButtonPressed("Rectangle", rectangle);
        main->setToolButtonPressed("HidePict", editor_.pictureHidden());
        if (Control* button = main->toolButton("HidePict")) main->setToolTip(*button, editor_.pictureToolTip());
    }
    if (mode != DrawingMode::None || editor_.draggedCorner() != 0)
        setPointer(canvas(), mode != DrawingMode::None ? PointerShape::CrossHair : PointerShape::SizeAll);
    else if (canvas().pointer() == PointerShape::CrossHair) setPointer(canvas(), PointerShape::Arrow);
}

void ScanForm::ViewWatcher::controlChanged(Form&, Control& control, ControlProperty property) {
    if (property == ControlProperty::View && &control == &form->canvas()) form->viewChanged();
}

void ScanForm::viewChanged() {
    const ViewTransform& view = canvasDrawing().view();
    if (view.viewportWidth() <= 0 || view.viewportHeight() <= 0) return;
    const bool resized =
        view.viewportWidth() != fittedView_.viewportWidth() || view.viewportHeight() != fittedView_.viewportHeight();
    if (fitPending_ || (fitted_ && resized)) {
        fitToWindow();  // which hears its own change and sizes the handles
        return;
    }
    if (view != fittedView_) fitted_ = false;  // the user zoomed or moved
    // Handles keep about their size on the screen: a zoom that changes it by a quarter draws them again
    // (every second wheel notch, not at each: the static layer is recorded anew each time).
    const double wanted = handleHalfSize();
    if (geometry().hasRectangle() && std::abs(wanted - shownHandleHalfSize_) > kHandleSlack * shownHandleHalfSize_)
        drawStatic();
}

// ------------------------------------------------------------------ the photograph

void ScanForm::sizeCanvas() {
    Drawing& shown = drawing(canvas());
    if (picture_) {
        shown.setSize(kCanvasUnits, kCanvasUnits * picture_->height() / picture_->width());
        shown.unitTwips = kTwipsPerPixel * picture_->width() / kCanvasUnits;
    } else {
        shown.unitTwips = kEmptyCanvasWidth / kCanvasUnits;
        shown.setSize(kCanvasUnits, kEmptyCanvasHeight / shown.unitTwips);
        setGeometry(canvas(), kEmptyCanvasLeft, kEmptyCanvasTop, kEmptyCanvasWidth, kEmptyCanvasHeight);
    }
}

void ScanForm::setPicture(PictureHandle picture, const std::string& source, const std::string& path) {
    picture_ = std::move(picture);
    picturePath_ = picture_ ? path : std::string();
    canvas().withTag(source);
    sizeCanvas();
    fitPending_ = true;
    fitToWindow();
    drawStatic();
    drawOverlay();
}

void ScanForm::removePicture() { setPicture(nullptr, "", ""); }

void ScanForm::showAcquisition(AcquisitionGeometry geometry) {
    const std::string scale = geometry.scaleText;
    editor_.load(std::move(geometry));
    rectangleTool_ = false;
    setText(at("txtScale"), scale);
    updateSurface();
    drawStatic();
    drawOverlay();
    showState();
    // What was read is the file's: no history, no "*".
    undoStack().clear();
}

// ------------------------------------------------------------------ view

void ScanForm::fitToWindow() {
    ViewTransform view = canvasDrawing().view();
    if (view.viewportWidth() <= 0 || view.viewportHeight() <= 0) {
        fitPending_ = true;  // done when a view shows the canvas
        return;
    }
    fitPending_ = false;
    view.fit({0, 0, canvasDrawing().width(), canvasDrawing().height()});
    fitted_ = true;
    fittedView_ = view;
    setView(canvas(), view);
}

void ScanForm::actualSize() {
    ViewTransform view = canvasDrawing().view();
    if (view.viewportWidth() <= 0) return;
    const double pixelsPerUnit =
        picture_ ? picture_->width() / kCanvasUnits : canvasDrawing().unitTwips / kTwipsPerPixel;
    view.actualSize(pixelsPerUnit, {view.viewportWidth() / 2, view.viewportHeight() / 2});
    setView(canvas(), view);
}

RecordingCanvas ScanForm::Picture() const {
    const Drawing& shown = canvasDrawing();
    RecordingCanvas picture(shown.width() * shown.unitTwips, shown.height() * shown.unitTwips);
    shown.replay(picture, shown.unitTwips);
    return picture;
}

bool ScanForm::editCopy() {
    RecordingCanvas picture = Picture();
    const double pixels = picture.width() / kTwipsPerPixel * (picture.height() / kTwipsPerPixel);
    if (pixels > kClipboardPixels) {
        // A photograph larger than the clipboard takes is copied reduced.
        const double factor = std::sqrt(kClipboardPixels / pixels);
        RecordingCanvas reduced(picture.width() * factor, picture.height() * factor);
        picture.replay(reduced, factor);
        picture = std::move(reduced);
    }
    if (const std::optional<Image> image = platform().renderImage(picture, picture.width(), picture.height())) {
        platform().clipboardClear();
        platform().setClipboardImage(*image);
    }
    return true;
}

// ------------------------------------------------------------------ commands

void ScanForm::cmdDisc_Click() { apply(editor_.startDiscontinuities()); }

void ScanForm::cmdDraw_Click() { apply(editor_.startContour()); }

void ScanForm::cmdScanline_Click() { apply(editor_.startScanline()); }

void ScanForm::cmdRectangle_Click() {
    const EditorResponse response = editor_.showRectangle(canvasDrawing().width(), canvasDrawing().height());
    if (!editor_.segmentHalfDrawn()) rectangleTool_ = true;
    apply(response);
}

void ScanForm::cmdShowHide_Click() { apply(editor_.togglePicture()); }

void ScanForm::cmdOpenPict_Click() {
    if (editor_.segmentHalfDrawn()) return;
    const std::optional<std::string> path =
        platform().openFileDialog({"Ravelin - Open scan image", kPictureFilter, "", 1, true, false});
    if (!path || path->empty()) return;
    session().logEvent("Opening '" + *path + "' as a picture in Scan Window ");
    const PictureLoad loaded = platform().loadPicture(*path);
    if (!loaded.picture) {
        platform().messageBox(
            {"Unable to open background image", loaded.error, MessageIcon::Exclamation, MessageButtons::Ok});
        return;
    }
    // The caption names the picture once: a second picture replaces the first one's name.
    std::string caption = UnmarkedCaption(*this);
    if (!pictureCaption_.empty() && caption.ends_with(pictureCaption_))
        caption.resize(caption.size() - pictureCaption_.size());
    pictureCaption_ = " - " + DatasheetCaption(*path, platform().currentFolder());
    setCaption(caption + pictureCaption_);
    // The picture is not in the history: no Undo leads back to the file.
    undoStack().changedWithoutRecord();
    setPicture(loaded.picture, *path, *path);
}

void ScanForm::cmdExport_Click() {
    const ScanlineExport exported = ExportScanline(geometry(), editor_.completedTraces(), UnmarkedCaption(*this));
    if (exported.refusal) {
        platform().messageBox(*exported.refusal);
        return;
    }
    MainForm* main = session().mainForm();
    if (!main || !session().hasFormType("frmSpacing")) return;
    auto& sheet = dynamic_cast<SpacingForm&>(main->NewDocumentWindow(2));
    SpgDocument document;
    document.comment = exported.sample.comment;
    document.dataType = exported.sample.dataType;
    for (const std::string& value : exported.sample.texts) document.values.append(value);
    FillDatasheet(sheet, std::move(document));
    // The datasheet holds data no file has yet: closing it asks to save it.
    MarkModified(sheet);
    sheet.UpdateDataInfo();
    sheet.show();
    session().setCurrentDocument(&sheet);
}

namespace {

// The report blocks go to the Info box, hidden while they are written and shown at the end.
void writeReport(Session& session, const std::vector<ReportBlock>& blocks) {
    Form* box = session.hasFormType("frmInfoBox") ? &session.form("frmInfoBox") : nullptr;
    if (box) box->hide();
    for (const ReportBlock& block : blocks) session.appendInfoText(block);
    if (box) box->show();
}

}  // namespace

void ScanForm::cmdShowJab_Click() {
    if (editor_.segmentHalfDrawn()) return;
    const EstimatorReport report = RunEstimators(geometry(), caption());
    if (session().hasFormType("frmInfoBox")) {
        session().nameInfoBox(report.infoBoxName);
        session().clearInfoText(ReportTarget::InfoBox);
        session().initInfoText(ReportTarget::InfoBox);
    }
    setCaption(report.caption);
    writeReport(session(), report.blocks);
    setText(at("txtSurface"), report.surfaceText);
}

void ScanForm::cmdShowPahl_Click() {
    if (editor_.segmentHalfDrawn()) return;
    const RectangleEstimate estimate = EstimatePahl(geometry());
    writeReport(session(), PahlReport(estimate, geometry()));
    setText(at("txtSurface"), SurfaceText(estimate.surface));
}

void ScanForm::ClearDisc() { apply(editor_.clearDiscontinuities()); }

void ScanForm::DelAll() {
    rectangleTool_ = false;
    apply(editor_.clearAll());
}

}  // namespace ravelin
