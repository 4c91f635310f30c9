#pragma once
// What the three windows of the projection tool share for the run (the
// session's module state): the settings the options window's buttons set
// and the plot window reads, and the flag of the last reading.

#include "core/Canvas.h"
#include "projection/NetPicture.h"

namespace ravelin {

struct ProjectionSettings {
    StructureType structure = StructureType::Lines;
    int symbol = 0;  // 0..4
    Hemisphere hemisphere = Hemisphere::Lower;
    NetKind net = NetKind::Wulff;
    bool selectionOnly = false;  // read the rows selected in the data grid, not all rows
    Rgb color = colors::Black;   // the palette's current colour
    double coneAngle = 30;       // degrees, small circles
    // Beyond the plain plot; all off at first, so the plot is the plain net and data.
    bool contours = false;
    bool mean = false;
    bool kinematic = false;
    KinematicInputs kinematicInputs{{185, 65}, 30, kDefaultLateralLimit};  // kept while the analysis is off
    KinematicPlot kinematicPlot = KinematicPlot::Poles;

    NetAnalyses analyses() const {
        NetAnalyses a{contours, mean, std::nullopt, kinematicPlot};
        if (kinematic) a.kinematic = kinematicInputs;
        return a;
    }
};

struct ProjectionState {
    ProjectionSettings settings;
    bool error = false;  // set when a plot command found no data to read
};

}  // namespace ravelin
