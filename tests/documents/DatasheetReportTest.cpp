#include "documents/DatasheetReport.h"

#include <gtest/gtest.h>

#include "documents/InfoBoxForm.h"
#include "documents/InfoText.h"
#include "spacing/SpacingForm.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TestSession;

TEST(DatasheetReport, BlocksAreExactlyTheReportPrintedWithoutTouchingTheInfoBox) {
    TestSession ts;
    auto& sheet = dynamic_cast<SpacingForm&>(ts.main->NewDocumentWindow(2));
    sheet.setText("txtComment", -1, "North face profile 2");
    sheet.setText("txtFamily", -1, "J1");
    sheet.setText("txtLoc", -1, "Quarry east");
    const char* orientations[] = {"135", "80", "300", "65", "", "135", "0"};
    for (int i = 0; i < 7; ++i)
        if (i != 4) sheet.setText("txtOr", i, orientations[i]);
    sheet.setCell(0, 1, 1, "0.35");
    sheet.setCell(0, 3, 1, "0.12");  // a gap at row 2 is not counted
    sheet.setCell(0, 7, 1, "1.04");
    sheet.setText("lblRes", 0, "Tot. length = 1.04");
    sheet.setText("lblRes", 1, "Tot. length = 0.95");
    sheet.userClick(sheet.at("optData", 1));
    const std::string theta = sheet.text("txtOr", 4);
    const std::string caption = sheet.caption();
    const std::vector<ReportBlock> expected = {
        {"\r\nDatasheet", style::Bold, 16, ""},
        {"\r\n\r\nFile name : ", style::Bold | style::Italic, 11, ""},
        {caption, style::Plain, 0, ""},
        {"\r\n\r\nComment / title : North face profile 2\r\nFamily name : J1\r\nLocation : Quarry east\r\n"
         "Type of Data : Discontinuity spacings",
         style::Plain, 0, ""},
        {"\r\nOrientation data : \r\n\r\n", style::Bold | style::Italic, 11, ""},
        {"Cliff wall : 135/80\r\nDiscontinuity set : 300/65\r\nScanline : 135/0", style::Plain, 0, ""},
        {"\r\nDiscontinuity data : \r\n\r\n", style::Bold | style::Italic, 11, ""},
        {"\r\n\r\nTheta angle : " + theta +
             "\r\nTot. length = 1.04 (measured data)\r\nTot. length = 0.95 (corrected data)\r\n",
         style::Plain, 0, ""},
        {"\r\nNumber of data : 3", style::Plain, 0, ""},
    };
    EXPECT_FALSE(theta.empty());  // computed from the set and the scanline
    EXPECT_EQ(datasheetReportBlocks(sheet), expected);

    // Printed, it goes to the print field alone and leaves the Info box alone.
    ts.session.appendInfoText(bodyBlock("An earlier report"));
    const long long infoBoxPoint = ts.session.insertionPoint;
    BuildDatasheetReport(sheet);
    BuildDatasheetReport(sheet);  // printing twice prints the report once each time
    EXPECT_EQ(printField(ts.session).document().richText(), reportRichText(datasheetReportBlocks(sheet)));
    EXPECT_EQ(ts.session.insertionPoint, infoBoxPoint);
    EXPECT_EQ(ts.form<InfoBoxForm>("frmInfoBox").document().plainText(), "An earlier report");
}

}  // namespace
}  // namespace ravelin
