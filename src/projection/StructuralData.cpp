#include "projection/StructuralData.h"

#include <cmath>

#include "core/NumberText.h"
#include "projection/SphereGeometry.h"

namespace ravelin {

namespace {

bool isBlank(char c) { return c == ' '; }
bool isHardSeparator(char c) { return c == ',' || c == '\t'; }

bool holdsSomething(std::string_view cell) { return cell.find_first_not_of(" \t") != std::string_view::npos; }

DataRow rowOfLine(std::string_view line) {
    std::vector<std::string> cells(1);
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;  // leading blanks
    while (i < line.size() && cells.size() <= 2) {
        const char c = line[i];
        if (isHardSeparator(c)) {
            cells.emplace_back();
            ++i;
            while (i < line.size() && isBlank(line[i])) ++i;
        } else if (isBlank(c)) {
            while (i < line.size() && isBlank(line[i])) ++i;
            // A run of blanks separates only when a value follows it.
            if (i < line.size() && !isHardSeparator(line[i])) cells.emplace_back();
        } else {
            cells.back() += c;
            ++i;
        }
    }
    cells.resize(2);
    return {cells[0], cells[1]};
}

}  // namespace

std::vector<Reading> readDataRows(const std::vector<DataRow>& rows) {
    std::vector<Reading> readings;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DataRow& row = rows[i];
        if (!holdsSomething(row.direction) || !holdsSomething(row.dip)) continue;
        readings.push_back({readNumber(row.direction), readNumber(row.dip), static_cast<int>(i) + 1});
    }
    return readings;
}

std::vector<DataRow> splitDataText(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<DataRow> rows;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        rows.push_back(rowOfLine(text.substr(0, end)));
        if (end == std::string_view::npos) break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return rows;
}

Line plottedPole(double dipDirection, double dip) {
    return {wrapDegrees(std::nearbyint(dipDirection + 180)), 90 - std::nearbyint(dip)};
}

std::vector<Line> plottedLines(const std::vector<Reading>& readings, StructureType type) {
    std::vector<Line> lines;
    lines.reserve(readings.size());
    for (const Reading& r : readings) {
        lines.push_back(type == StructureType::Poles ? plottedPole(r.direction, r.dip) : Line{r.direction, r.dip});
    }
    return lines;
}

}  // namespace ravelin
