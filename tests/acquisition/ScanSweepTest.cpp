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

class ScanSweepTest : public ScanWindowTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(ScanSweepTest, ScaleFieldsDrawingAndHistory) {
    std::mt19937 random(GetParam());
    newWindow();
    // Mostly inside the canvas; now and then far outside it, where whole units still hold the position.
    auto position = [&](double extent) {
        if (std::uniform_int_distribution<int>(0, 19)(random) == 0)
            return pick(random, std::vector<double>{-1e12, 1e12, -3e9, 3e9, 0});
        return std::uniform_real_distribution<double>(-50, extent + 50)(random);
    };
    Sweep s;
    s.windows = {scan};
    s.ownTexts = {"24", "2001", "0.001", "1e154", "1.3407807929942596e154", "1e-160"};
    s.low = -100, s.high = 1e6;
    s.range = [](const Control&) { return InputRange{.keepsText = true}; };
    s.acceptable = [](const Control& surface) { return surface.text() == "-" || isFiniteNumberText(surface.text()); };
    s.mayTell = [](const MessageRequest& m) {
        return m.text == "Try to create a countour polygon with 3 or more than sides." ||
               m.text.starts_with("Unable to export scanline data.\r\n\r\n");
    };
    for (const char* name :
         {"cmdDisc", "cmdScanline", "cmdDraw", "cmdRectangle", "cmdShowJab", "cmdShowPahl", "cmdExport"})
        s.buttons.push_back({scan, &scan->at(name)});
    s.typing = 20, s.clicking = 15;
    s.actions = {
        // The field is typed into also without the focus, or without leaving it.
        {5,
         [&]() -> SweepStep {
             const std::string typed = randomSweepText(random, s.ownTexts, 10, s.low, s.high);
             typeScale(typed);
             EXPECT_EQ(scan->text("txtScale"), typed);
             return {"typing '" + typed + "' into txtScale alone"};
         }},
        {35,
         [&]() -> SweepStep {
             const double x = position(2001), y = position(1250);
             const int which = std::uniform_int_distribution<int>(0, 9)(random) == 0 ? buttons::Right : buttons::Left;
             press(x, y, which);
             if (std::uniform_int_distribution<int>(0, 2)(random) == 0) move(position(2001), position(1250));
             release(x, y, which);
             return {"a click at (" + generalNumber(x) + ", " + generalNumber(y) + ")"};
         }},
        // An Undo alone now and then; an Undo followed by a Redo gives the same geometry back.
        {20,
         [&]() -> SweepStep {
             const AcquisitionGeometry before = scan->geometry();
             const bool halfDrawn = scan->editor().segmentHalfDrawn() || scan->editor().draggedCorner() != 0;
             undo();
             if (std::uniform_int_distribution<int>(0, 3)(random) == 0) return {"Undo"};
             redo();
             EXPECT_TRUE(halfDrawn || scan->geometry() == before) << "Undo then Redo";
             return {"Undo then Redo"};
         }},
        {3,
         [&]() -> SweepStep {
             const bool all = std::uniform_int_distribution<int>(0, 2)(random) != 0;
             if (all) scan->DelAll();
             else scan->ClearDisc();
             return {all ? "Clear acquisition window" : "Clear discontinuities"};
         }},
    };
    std::size_t mostTraces = 0, mostVertices = 0;  // the sweep drew something worth estimating
    s.check = [&](const std::string&) {
        mostTraces = std::max(mostTraces, scan->geometry().traces.size());
        mostVertices = std::max(mostVertices, scan->geometry().contour.size());
    };
    s.run(ts.platform, ts.session, random, 3000);
    EXPECT_GE(mostTraces, 3u);
    EXPECT_GE(mostVertices, 3u);
}

INSTANTIATE_TEST_SUITE_P(ScanSweepSeeds, ScanSweepTest, ::testing::Range(1u, 5u));

}  // namespace
}  // namespace ravelin::testing
