// Random and extreme texts typed into the acquisition window's scale field,
// between random drawing (traces, scanline, contour, rectangle corners, at
// ordinary and far-off positions), clearings, Undo and Redo, the estimators
// and the scanline export: the surface field always shows a finite number or
// "-", reports never show a non-finite number, the only messages are the
// window's own, and an Undo followed by a Redo gives the same geometry back.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ScanWindowFixture.h"
#include "support/InputSweep.h"

namespace ravelin::testing {
namespace {

class ScanSweepTest : public ScanWindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    ReportRecorder report{ts.session};

    static bool isOwnMessage(const std::string& text) {
        return text == "Try to create a countour polygon with 3 or more than sides." ||
               text.starts_with("Unable to export scanline data.\r\n\r\n");
    }

    // Mostly inside the canvas; now and then far outside it, where whole units still hold the position.
    static double position(std::mt19937& random, double extent) {
        if (std::uniform_int_distribution<int>(0, 19)(random) == 0) {
            const double far[] = {-1e12, 1e12, -3e9, 3e9, 0};
            return far[std::uniform_int_distribution<std::size_t>(0, std::size(far) - 1)(random)];
        }
        return std::uniform_real_distribution<double>(-50, extent + 50)(random);
    }
};

TEST_P(ScanSweepTest, ScaleFieldsDrawingAndHistory) {
    std::mt19937 random(GetParam());
    newWindow();
    const std::vector<std::string> scales = {"24", "2001", "0.001", "1e154", "1.3407807929942596e154", "1e-160"};
    const char* modes[] = {"cmdDisc", "cmdScanline", "cmdDraw", "cmdRectangle"};
    std::size_t mostTraces = 0, mostVertices = 0;  // the sweep drew something worth estimating
    runSweep(3000, random, [&](int action) {
        const std::size_t messagesBefore = ts.platform.told().size();
        std::string described;
        if (action < 25) {
            const std::string typed = randomSweepText(random, scales, 10, -100, 1e6);
            described = "typing '" + typed + "' into txtScale";
            if (action < 5) scan->userFocus(scan->at("txtScale"));
            typeScale(typed);
            if (action < 10) scan->userLeave();
            EXPECT_EQ(scan->text("txtScale"), typed) << described;  // any text is kept as typed
        } else if (action < 35) {
            described = "mode button";
            button(modes[std::uniform_int_distribution<std::size_t>(0, std::size(modes) - 1)(random)]);
        } else if (action < 70) {
            const double x = position(random, 2001), y = position(random, 1250);
            const int which = std::uniform_int_distribution<int>(0, 9)(random) == 0 ? buttons::Right : buttons::Left;
            described = "a click at (" + generalNumber(x) + ", " + generalNumber(y) + ")";
            press(x, y, which);
            if (std::uniform_int_distribution<int>(0, 2)(random) == 0)
                move(position(random, 2001), position(random, 1250));
            release(x, y, which);
        } else if (action < 85) {
            const AcquisitionGeometry before = scan->geometry();
            const bool halfDrawn = scan->editor().segmentHalfDrawn() || scan->editor().draggedCorner() != 0;
            described = "Undo then Redo";
            ts.main->runCommand("mnuEditUndo");
            ts.main->runCommand("mnuEditRedo");
            if (!halfDrawn) {
                EXPECT_EQ(scan->geometry(), before) << described;
            }
        } else if (action < 90) {
            described = "Undo";
            ts.main->runCommand("mnuEditUndo");
        } else if (action < 93) {
            described = action == 90 ? "Clear discontinuities" : "Clear acquisition window";
            if (action == 90) scan->ClearDisc();
            else scan->DelAll();
        } else if (action < 98) {
            described = "the estimators";
            report.text.clear();
            button(action < 96 ? "cmdShowJab" : "cmdShowPahl");
            EXPECT_FALSE(mentionsNonFinite(report.text)) << described << " wrote " << report.text;
        } else {
            described = "Export data";
            button("cmdExport");
        }
        for (std::size_t i = messagesBefore; i < ts.platform.told().size(); ++i)
            EXPECT_TRUE(isOwnMessage(ts.platform.told()[i].text)) << described << ": " << ts.platform.told()[i].text;
        const std::string& surface = scan->text("txtSurface");
        EXPECT_TRUE(surface == "-" || isFiniteNumberText(surface))
            << described << " left the surface '" << surface << "' at scale '" << scan->text("txtScale") << "'";
        mostTraces = std::max(mostTraces, scan->geometry().traces.size());
        mostVertices = std::max(mostVertices, scan->geometry().contour.size());
    });
    EXPECT_GE(mostTraces, 3u);
    EXPECT_GE(mostVertices, 3u);
}

INSTANTIATE_TEST_SUITE_P(ScanSweepSeeds, ScanSweepTest, ::testing::Range(1u, 5u));

}  // namespace
}  // namespace ravelin::testing
