#pragma once
// The structural data the projection tool plots: rows of (direction, dip)
// read from the data grid or from a text file, and what each structure type
// turns them into.
//
// Angles are degrees. A row's direction is a trend (lines, small-circle
// axes) or a dip direction (poles, planes); its dip is a plunge or a dip.

#include <string>
#include <string_view>
#include <vector>

#include "projection/Stereonet.h"

namespace ravelin {

// What the rows stand for (the option buttons 0..3 of the projection options).
enum class StructureType { Lines = 0, Poles = 1, Planes = 2, SmallCircles = 3 };

inline constexpr std::string_view kNoStructuralDataMessage = "No structural data to plot !";
inline constexpr std::string_view kNoStructuralDataTitle = "Warning !";

// The two value cells of one row, as typed.
struct DataRow {
    std::string direction;
    std::string dip;
};

struct Reading {
    double direction = 0;
    double dip = 0;
    int row = 0;  // the row it came from, counted from the first row given (1-based)
};

// A row is used when both cells hold something other than blanks; each cell
// is read by its leading numeric part (text without one reads as 0). The
// readings keep the rows' order. An empty result is the "no structural
// data" condition. Readings are always finite.
std::vector<Reading> readDataRows(const std::vector<DataRow>& rows);

// The rows of a text file (UTF-8 or single-byte; CR LF, LF or CR line ends;
// a leading UTF-8 byte-order mark is skipped), one row a line. Values are
// separated by a comma, a tab or blanks: each comma or tab ends a cell, so
// two in a row leave an empty cell between them; blanks around a comma or a
// tab belong to it; elsewhere a run of blanks separates two cells. The first
// two cells of a line are its direction and dip; a line with fewer leaves
// the missing cells empty.
std::vector<DataRow> splitDataText(std::string_view text);

// The pole of a plane as the tool plots it: trend = (dip direction + 180,
// rounded to a whole degree) modulo 360 in [0, 360), plunge = 90 - dip
// rounded to a whole degree (halves to even in both). Any finite values; a
// dip outside 0..90 gives a plunge outside 0..90, which projection reads as
// the axis it names.
Line plottedPole(double dipDirection, double dip);

// The lines drawn as points for lines (as read) and poles (plottedPole), in
// reading order. Planes and small circles give their own values as lines
// (dip direction or axis trend, dip or axis plunge) so callers can share
// code; draw them with greatCircle and smallCircle.
std::vector<Line> plottedLines(const std::vector<Reading>& readings, StructureType type);

}  // namespace ravelin
