#pragma once
// Report blocks: the one way calculation results reach the Info box. The
// core produces them as values, so the window, ravelin-cli and the tests
// see exactly the same blocks.

#include <string>
#include <vector>

namespace ravelin {

// Style bits of a block.
namespace style {
constexpr int Plain = 0;
constexpr int Bold = 1;
constexpr int Italic = 2;
constexpr int Underline = 4;
}  // namespace style

struct ReportBlock {
    std::string text;  // UTF-8; line breaks inside a block are CR LF
    int style = 0;     // bit set of style::Bold, style::Italic, style::Underline
    double size = 0;   // points; 0 = unchanged (the default 11)
    std::string font;  // empty = unchanged ("Arial")
    bool operator==(const ReportBlock&) const = default;
};

// Where appended blocks go: 0 = the Info box, non-zero = the hidden print field.
enum class ReportTarget { InfoBox = 0, PrintField = 1 };

// Implemented by the Info box (and the hidden print field).
class InfoSink {
public:
    virtual ~InfoSink() = default;
    // Resets the text defaults (font "Arial" 11, paragraph indents).
    virtual void initInfoText() = 0;
    // Inserts one styled block at `position` (0 = the shared insertion point).
    virtual void appendInfoText(const ReportBlock& block, long long position) = 0;
    // Empties the text. The Info box moves the shared insertion point back to
    // its start; the hidden print field leaves the point to its caller.
    virtual void clearInfoText() = 0;
    // Names the text after what its reports come from ("VolumeEstimation", an
    // acquisition's file name). The name has no visible effect: the Info box
    // keeps its caption, which the File commands rely on.
    virtual void setReportName(const std::string& /*name*/) {}
    // The blocks of one report in order at the insertion point.
    virtual void appendReport(const std::vector<ReportBlock>& blocks) {
        for (const ReportBlock& block : blocks) appendInfoText(block, 0);
    }
};

inline ReportBlock titleBlock(std::string text) { return {std::move(text), style::Bold, 14, ""}; }
inline ReportBlock headingBlock(std::string text) { return {std::move(text), style::Bold, 0, ""}; }
inline ReportBlock bodyBlock(std::string text) { return {std::move(text), style::Plain, 0, ""}; }

}  // namespace ravelin
