#pragma once
// The acquisition window (frmScan): a photograph of a cliff on the drawing
// surface picCanvas, and over it the discontinuity traces, one scanline,
// one rectangular window and one contoured window digitized with the
// pointer; the scale field txtScale (metres across the photograph) and the
// surface field txtSurface; the commands that sample the scanline into a
// datasheet and write the window estimators to the Info box.
//
// The drawing surface is in canvas units: 2001 across the photograph's
// width and the same unit downwards, whatever the zoom (without a
// photograph, 2001 across the 8000 twips of the empty canvas). Its static
// layer holds the photograph and the committed geometry, its overlay the
// rubber band (and the rectangle while a corner is dragged). At actual size
// one photograph pixel is one screen pixel.
//
// The main window's toolbar buttons "Contour", "Discont", "Rectangle",
// "Scanline" and "HidePict" act on this window (AcquisitionCommands.h);
// they show the window's state: the drawing mode, the rectangle being
// edited, the picture hidden.

#include <string>

#include "acquisition/AcquisitionEditor.h"
#include "core/Drawing.h"
#include "core/Form.h"
#include "core/MainForm.h"

namespace ravelin {

class ScanForm : public Form, public EditTarget {
public:
    static constexpr const char* kCaptionPrefix = "Acquisition Window - ";
    // The caption of a new window, before its number.
    static constexpr const char* kNewCaption = "Acquisition Window - Digit ";
    // The drawing area without a photograph (twips).
    static constexpr double kEmptyCanvasLeft = 0;
    static constexpr double kEmptyCanvasTop = 400;
    static constexpr double kEmptyCanvasWidth = 8000;
    static constexpr double kEmptyCanvasHeight = 5000;
    // The open dialog's picture filter.
    static const char* const kPictureFilter;

    explicit ScanForm(Session& session);
    ~ScanForm() override;

    const AcquisitionEditor& editor() const { return editor_; }
    const AcquisitionGeometry& geometry() const { return editor_.geometry(); }
    Control& canvas() { return at("picCanvas"); }
    const Drawing& canvasDrawing() const { return *findDrawing(at("picCanvas")); }

    // Replaces the whole acquisition (a file was read): the geometry and the
    // scale text, no mode, nothing half drawn, no history and no "*".
    void showAcquisition(AcquisitionGeometry geometry);

    // --- the photograph ---
    // The picture kept for the canvas (shown unless hidden), null without one.
    const PictureHandle& picture() const { return picture_; }
    // The photograph's path as the file stores it (the tag of picCanvas); "" without one.
    const std::string& imageSource() const { return at("picCanvas").tag(); }
    // The canvas spans the picture's width. `source` is kept for the next
    // save; `path` is where the picture was read (the source made whole).
    void setPicture(PictureHandle picture, const std::string& source, const std::string& path);
    const std::string& picturePath() const { return picturePath_; }
    // No photograph: the empty canvas of 8000 x 5000 twips.
    void removePicture();

    // --- the file: the full path it was read from or saved to, "" when none ---
    const std::string& filePath() const { return filePath_; }
    void setFilePath(std::string path) { filePath_ = std::move(path); }

    // --- commands (the window's buttons, the main window's menus and toolbar) ---
    void cmdDisc_Click();
    void cmdDraw_Click();
    void cmdScanline_Click();
    void cmdRectangle_Click();
    void cmdShowHide_Click();
    void cmdOpenPict_Click();
    // "Export data": a new datasheet of the distances between the scanline's crossings.
    void cmdExport_Click();
    // The estimator chain: the two contour methods, then the rectangle's.
    void cmdShowJab_Click();
    void cmdShowPahl_Click();
    void ClearDisc();
    void DelAll();
    // The whole canvas in the window, or one photograph pixel a screen pixel about the view's middle.
    void fitToWindow();
    void actualSize();

    // Undo (forward false) or Redo of a step of the drawing's history.
    void replayEdit(const GeometryEdit& edit, bool forward);

    // The whole drawing (both layers) in twips: one photograph pixel is 15
    // twips, so that the platform renders it at the photograph's own size.
    RecordingCanvas Picture() const;

    // --- Edit commands: Copy puts the canvas on the clipboard as a picture ---
    bool editCopy() override;
    bool editCut() override { return false; }
    bool editPaste() override { return false; }

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onLostFocus(Control& control) override;
    bool onDiscardEdit() override;
    void onClick(Control& control) override;
    void onPointerPress(Control& control, const PointerEvent& event) override;
    void onPointerMove(Control& control, const PointerEvent& event) override;
    void onPointerRelease(Control& control, const PointerEvent& event) override;
    void onActivate() override;
    void onDeactivate() override;
    bool onQueryUnload() override;
    void onUnload() override;

private:
    // Hears the window's own view change: the first view fits the canvas, a zoom resizes the handles.
    struct ViewWatcher : FormObserver {
        ScanForm* form = nullptr;
        void controlChanged(Form&, Control& control, ControlProperty property) override;
    };
    void viewChanged();

    void buildControls();
    // Carries out what an editing call asks for.
    void apply(const EditorResponse& response);
    // The whole window shown again after the geometry changed under the editor (a step undone or dropped).
    void showGeometry();
    void drawStatic();
    void drawOverlay();
    void updateSurface();
    // The toolbar buttons, the window's mode buttons and the pointer show the editor's state.
    void showState();
    void enableDocumentCommands(bool enabled);
    // Sets the drawing's extent and zoom unit for the picture (or the empty canvas).
    void sizeCanvas();
    // Corner handles of about this many pixels across at the view's zoom.
    double handleHalfSize() const;

    AcquisitionEditor editor_;
    ViewWatcher viewWatcher_;
    PictureHandle picture_;
    std::string picturePath_;
    std::string filePath_;
    std::string pictureCaption_;  // what opening a picture added to the caption
    bool rectangleTool_ = false;  // the rectangle button was pressed last
    bool fitPending_ = true;      // the canvas goes into the window once the view knows its size
    // Fitted and not zoomed or moved since: a resized window fits the canvas again.
    bool fitted_ = false;
    ViewTransform fittedView_;
    double shownHandleHalfSize_ = 0;
};

}  // namespace ravelin
