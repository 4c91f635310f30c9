#pragma once
// What the spacing windows share for the whole run (Session::moduleState):
// the counters that number new datasheets and chart windows, the datasheet
// and histogram tables, the statistics of the data last drawn, the current
// chart window, the busy flag that keeps chart windows from redrawing on
// resize while a histogram or variogram is being computed, and the figures
// of the last variogram (which ravelin-cli reports).

#include <string>
#include <vector>

namespace ravelin {

class Form;

// One datasheet opened from or saved to a file.
struct DatasheetRow {
    std::string path;        // full path of the file, or the main window's caption when free
    Form* window = nullptr;  // nullptr when the row is free
};

// One chart window opened from a spacing datasheet.
struct HistogramRow {
    Form* datasheet = nullptr;  // nullptr when the datasheet was closed (row free)
    Form* chart = nullptr;      // it keeps the values it shows
    double interval = 0;
    long long classes = 0;
    int laws[4] = {0, 0, 0, 0};  // exponential, lognormal, normal, triangular
    int legend = 0;              // the chart's legend shown (1) or not (0)
};

struct VariogramFigures {
    std::vector<double> positions;  // along the scanline, uncorrected
    std::vector<long long> counts;  // discontinuities per complete window
    std::vector<double> gamma;      // semivariogram for lags 1..H
    double ymax = 0;
};

struct SpacingState {
    // Numbers of "Data " n and "Histo " n: they never go down.
    long long datasheetCounter = 0;
    long long histogramCounter = 0;
    // Rows are only appended; a closed window frees its rows.
    std::vector<DatasheetRow> datasheetTable;
    std::vector<HistogramRow> histogramTable;
    double Mean = 0;
    double StdDev = 0;
    // The chart window last drawn by "Plot Histo" or belonging to the
    // datasheet last activated; check Session::owns before use.
    Form* currentChart = nullptr;
    bool busy = false;
    VariogramFigures lastVariogram;
};

}  // namespace ravelin
