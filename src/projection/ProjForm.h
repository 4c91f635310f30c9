#pragma once
// "Projection" (frmProj): the net on the window's surface picProj, with
// the data of the plot commands ("Replace" and add, from the options
// window), the menu entry "&Clear canvas", and the analyses the options
// window asks for drawn over the data. The window keeps the data of every
// plot command since the last "Replace", so that a change of hemisphere,
// of net or of size plots it all again (in the colour of the hemisphere).
//
// The surface is drawn in twips, y down; its size is the window's inner
// size, which the Qt view reports (resizeCanvas). Copy puts the picture
// on the clipboard; File > Save writes it (documents/ProjectionDocument).

#include <vector>

#include "core/Drawing.h"
#include "core/MainForm.h"
#include "projection/NetPicture.h"

namespace ravelin {

class ProjForm : public Form, public EditTarget {
public:
    // The surface's size until the view gives its own (twips).
    static constexpr double kDesignWidth = 6000;
    static constexpr double kDesignHeight = 6000;

    explicit ProjForm(Session& session);

    double canvasWidth() const { return canvasWidth_; }
    double canvasHeight() const { return canvasHeight_; }
    // The surface took a new size (twips): the stored data is plotted again.
    // Sizes below one twip or not finite are taken as one twip.
    void resizeCanvas(double width, double height);

    // --- the plot commands ---
    // "Replace": clears the canvas, draws the net, empties the data and plots
    // the grid's data. Add: plots the grid's data over what is drawn. Each
    // returns false when there was nothing to plot ("No structural data to
    // plot !") or a drawing is under way.
    bool cmdPlot_Click();
    bool cmdAdd_Click();
    // The hemisphere, the net or the size changed: the net and every stored
    // datum are drawn again, the data in the colour of the hemisphere.
    void replot();
    // The analyses asked for changed: the picture is drawn again as it is.
    void redraw();
    // "&Clear canvas": a blank surface; the stored data stays for a replot.
    void clearCanvas();

    const std::vector<PlottedData>& data() const { return data_; }
    // The picture last drawn, as geometry.
    const NetPicture& picture() const { return picture_; }
    // The surface's drawing.
    const RecordingCanvas& surface() const { return findDrawing(at("picProj"))->staticLayer(); }
    // The picture at twice its size, for files, printing and the clipboard.
    RecordingCanvas exportPicture() const;
    // Writes the picture to a ".png", ".svg", ".pdf" or ".bmp" file. False
    // with the reason in `error` when nothing was written.
    bool exportTo(const std::string& path, std::string* error);

    // --- Edit commands: Copy puts the picture on the clipboard ---
    bool editCopy() override;
    bool editCut() override { return false; }
    bool editPaste() override { return false; }

protected:
    void onLoad() override;
    void onClick(Control& control) override;
    void onActivate() override;
    void onDeactivate() override;
    bool onQueryUnload() override;

private:
    bool plot(bool replace);
    // Builds the picture from the stored data and draws it on the surface.
    void draw();

    std::vector<PlottedData> data_;
    NetPicture picture_;
    double canvasWidth_ = kDesignWidth;
    double canvasHeight_ = kDesignHeight;
    bool cleared_ = false;  // "&Clear canvas" since the last plot or replot
    bool drawing_ = false;  // a drawing is under way (events run during it)
    bool drawAgain_ = false;
};

}  // namespace ravelin
