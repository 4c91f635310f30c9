#pragma once
// What the spacing windows share for the whole run (Session::moduleState):
// the statistics of the data last drawn, the current chart window, the busy
// flag that keeps chart windows from redrawing on resize while a histogram or
// variogram is being computed, the print scale, and the figures of the last
// variogram (which ravelin-cli reports).

#include <vector>

namespace ravelin {

class Form;

struct VariogramFigures {
    std::vector<double> positions;  // along the scanline, uncorrected
    std::vector<long long> counts;  // discontinuities per complete window
    std::vector<double> gamma;      // semivariogram for lags 1..H
    double ymax = 0;
};

struct SpacingState {
    double Mean = 0;
    double StdDev = 0;
    // The chart window last drawn by "Plot Histo" or belonging to the
    // datasheet last activated; check Session::owns before use.
    Form* currentChart = nullptr;
    bool busy = false;
    VariogramFigures lastVariogram;
};

}  // namespace ravelin
