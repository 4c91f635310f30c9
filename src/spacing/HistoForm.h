#pragma once
// A chart window (frmHisto): one histogram or one variogram drawn on the
// window's surface, with text labels around it that the user edits in place
// (double click, type, click elsewhere), the vertical axis label drawn
// rotated in the box picText, and the double-size picture used for
// printing, copying and saving.
//
// The Qt view shows the drawing of the surface picHisto (the persistent
// chart, window coordinates in twips, y downwards), the labels as controls
// with their fonts and geometry, and the drawing of picText (the rotated
// label). It reports the user's actions through Form's user* calls: pointer
// presses on picHisto end an edit, pointer moves over the editor txtSaisie
// ask for the move pointer near its edges.

#include <string>
#include <variant>
#include <vector>

#include "core/Drawing.h"
#include "core/Form.h"
#include "core/MainForm.h"
#include "spacing/ChartPlot.h"
#include "spacing/LargeBuffer.h"
#include "spacing/Histogram.h"

namespace ravelin {

class HistoForm : public Form, public EditTarget {
public:
    // The window frame around the drawing surface (twips): borders and caption bar.
    static constexpr double kFrameWidth = 120;
    static constexpr double kFrameHeight = 420;
    static constexpr double kDesignWidth = 7000;
    static constexpr double kDesignHeight = 5500;

    struct HistogramContent {
        SortedValues data;
        HistogramFigures figures;
        LawChoice laws;
    };
    struct VariogramContent {
        std::vector<double> gamma;
        double width = 0;
    };

    explicit HistoForm(Session& session);

    // Size of the drawing surface (twips).
    double innerWidth() const;
    double innerHeight() const;

    // --- what the window shows ---
    void showHistogram(HistogramContent content);
    void showVariogram(VariogramContent content);
    const HistogramContent* histogram() const { return std::get_if<HistogramContent>(&content_); }
    const VariogramContent* variogram() const { return std::get_if<VariogramContent>(&content_); }
    // The persistent drawing of the surface picHisto.
    const RecordingCanvas& chart() const { return findDrawing(at("picHisto"))->staticLayer(); }
    // The rotated vertical label, in picText's own coordinates.
    const RecordingCanvas& rotatedLabel() const { return findDrawing(at("picText"))->staticLayer(); }

    // Draws the chart alone, or the whole picture (chart, labels and the
    // rotated label), at print scale 1 or 2 on a canvas of innerWidth x
    // innerHeight times the scale.
    void drawChart(Canvas& canvas, double scale) const;
    void drawPicture(Canvas& canvas, double scale) const;
    // Where the shown labels lie on a canvas at the print scale: the chart's legend keeps clear of them.
    std::vector<CanvasRect> labelAreas(double scale) const;

    // --- labels ---
    void PositionneLabels();
    void EditLabel(Control& label);
    void CommitLabelEdit();

    // --- Edit commands: Copy puts the double-size picture on the clipboard ---
    bool editCopy() override;
    bool editCut() override { return false; }
    bool editPaste() override { return false; }

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onDoubleClick(Control& control) override;
    void onPointerPress(Control& control, const PointerEvent& event) override;
    void onPointerMove(Control& control, const PointerEvent& event) override;
    void onLostFocus(Control& control) override;
    void onKeyDown(int& keyCode, int shiftState) override;
    void onActivate() override;
    void onDeactivate() override;
    void onUnload() override;
    void onResize() override;
    void onRefresh() override;
    bool onQueryUnload() override;

private:
    void redraw();
    void autoSize(Control& label);
    void placeEditor();
    void drawVerticalLabel();

    std::variant<std::monostate, HistogramContent, VariogramContent> content_;
    Control* editing_ = nullptr;
    std::vector<const Control*> fixedSize_;  // labels whose automatic sizing is off
};

// Draws text rotated by angleTenths (900 = reading upwards), bold Arial 9 pt
// times the scale, centred in the box (left, top, width, height) of the
// canvas after filling the box with white.
void DrawRotatedText(Canvas& canvas, double left, double top, double width, double height, const std::string& text,
                     int angleTenths, double scale);

}  // namespace ravelin
