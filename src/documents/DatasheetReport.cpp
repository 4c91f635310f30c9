#include "documents/DatasheetReport.h"

#include "core/Platform.h"
#include "core/Session.h"
#include "documents/InfoText.h"
#include "documents/PrintOutput.h"
#include "spacing/SpacingForm.h"

namespace ravelin {

namespace {
constexpr const char* kCrLf = "\r\n";
constexpr int kBoldItalic = style::Bold | style::Italic;
// Sizes of the report's title and headings (points).
constexpr double kTitleSize = 16;
constexpr double kHeadingSize = 11;
}  // namespace

std::vector<ReportBlock> datasheetReportBlocks(const SpacingForm& window) {
    const std::string dataType = window.at("optData", 1).value() ? "Discontinuity spacings" : "Intersection distances";
    auto orientation = [&window](int dip, int angle) {
        return window.text("txtOr", dip) + "/" + window.text("txtOr", angle);
    };
    std::string results;
    if (!window.text("lblRes", 0).empty()) results = window.text("lblRes", 0) + " (measured data)";
    if (!window.text("lblRes", 1).empty()) results += kCrLf + window.text("lblRes", 1) + " (corrected data)";
    long long count = 0;
    const SpacingGrid& measured = window.grid(0);
    const long long last = measured.lastFilledRow();
    for (long long row = 1; row <= last; ++row)
        if (!measured.isEmpty(row)) ++count;

    const std::string crlf = kCrLf;
    return {
        {crlf + "Datasheet", style::Bold, kTitleSize, ""},
        {crlf + crlf + "File name : ", kBoldItalic, kHeadingSize, ""},
        {window.caption(), style::Plain, 0, ""},
        {crlf + crlf + "Comment / title : " + window.text("txtComment") + crlf +
             "Family name : " + window.text("txtFamily") + crlf + "Location : " + window.text("txtLoc") + crlf +
             "Type of Data : " + dataType,
         style::Plain, 0, ""},
        {crlf + "Orientation data : " + crlf + crlf, kBoldItalic, kHeadingSize, ""},
        {"Cliff wall : " + orientation(0, 1) + crlf + "Discontinuity set : " + orientation(2, 3) + crlf +
             "Scanline : " + orientation(5, 6),
         style::Plain, 0, ""},
        {crlf + "Discontinuity data : " + crlf + crlf, kBoldItalic, kHeadingSize, ""},
        {crlf + crlf + "Theta angle : " + window.text("txtOr", 4) + crlf + results + crlf, style::Plain, 0, ""},
        {crlf + "Number of data : " + std::to_string(count), style::Plain, 0, ""},
    };
}

void BuildDatasheetReport(SpacingForm& window) {
    Session& session = window.session();
    PrintField& field = printField(session);
    field.document().clear();
    // The print field shares the insertion point with the Info box; keep the Info box's.
    const long long infoBoxPoint = session.insertionPoint;
    session.insertionPoint = 0;
    session.initInfoText(ReportTarget::PrintField);
    for (const ReportBlock& block : datasheetReportBlocks(window))
        session.appendInfoText(block, 0, ReportTarget::PrintField);
    session.insertionPoint = infoBoxPoint;
}

PrintContent datasheetPrintout(SpacingForm& window) {
    BuildDatasheetReport(window);
    return richTextPrintout(printField(window.session()).document().richText());
}

bool PrintDatasheet(SpacingForm& window) {
    const PrintContent printout = datasheetPrintout(window);
    window.platform().processEvents();
    return printContent(window.session(), window.caption(), printout);
}

}  // namespace ravelin
