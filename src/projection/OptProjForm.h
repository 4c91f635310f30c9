#pragma once
// "Projection options" (frmOptProj): what the plot commands plot and how
// (structure type, symbol, hemisphere, net, the rows to read, the colour
// palette), the two plot commands "Replace" and add, and the analyses drawn
// over the data: density contours, the mean orientation with its cone of
// confidence and its "Export", and the kinematic analysis of a slope face
// with its own "Export" and "Send to wedge model". The analyses are off
// until the user ticks them.
//
// Each button sets the settings the plot window reads (ProjectionState);
// the hemisphere and the net plot the stored data again, the analyses
// draw the picture again.

#include <array>

#include "core/ToolForm.h"
#include "projection/ProjectionState.h"

namespace ravelin {

class OptProjForm : public ToolForm {
public:
    static constexpr double kWidth = 5200;   // twips
    static constexpr double kHeight = 6900;  // twips
    // The palette: labels lblColor(0..kPaletteSize-1); lblColor(kPaletteSize) shows the current colour.
    static constexpr int kPaletteSize = 12;
    static constexpr std::array<Rgb, kPaletteSize> kPalette = {
        colors::Black,           Rgb::fromRgb(128, 128, 128), Rgb::fromRgb(255, 0, 0),
        Rgb::fromRgb(128, 0, 0), Rgb::fromRgb(255, 128, 0),   Rgb::fromRgb(128, 64, 0),
        Rgb::fromRgb(0, 160, 0), Rgb::fromRgb(0, 96, 0),      Rgb::fromRgb(0, 0, 255),
        Rgb::fromRgb(0, 0, 128), Rgb::fromRgb(255, 0, 255),   Rgb::fromRgb(0, 160, 160)};

    explicit OptProjForm(Session& session);

    // The kinematic inputs as the fields give them.
    KinematicInputs kinematicInputs() const;

protected:
    void onLoad() override;
    void onClick(Control& control) override;
    void onChange(Control& control) override;
    bool onQueryUnload() override;

private:
    void buildPlotOptions();
    void buildAnalyses();
    ProjectionSettings& settings();
    // Tells the plot window, when it exists, to draw again.
    void redrawPlot(bool replot);
};

}  // namespace ravelin
