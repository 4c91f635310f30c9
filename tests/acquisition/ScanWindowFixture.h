#pragma once
// The acquisition window in a test session, made by "New acquisition
// window" and driven by pointer events in canvas units and by its buttons.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/ScanForm.h"
#include "core/Drawing.h"
#include "support/TestSession.h"

namespace ravelin::testing {

// Every message written to the log file, whether or not there is one.
struct LogLines : SessionObserver {
    std::vector<std::string> lines;
    void logWritten(const std::string& message) override { lines.push_back(message); }
};

class ScanWindowTest : public ::testing::Test {
protected:
    TestSession ts;
    LogLines log;
    TempFolder folder;
    ScanForm* scan = nullptr;

    ScanWindowTest() { ts.session.addObserver(&log); }
    ~ScanWindowTest() override { ts.session.removeObserver(&log); }

    ScanForm& newWindow() {
        ts.main->runCommand("mnuFileNewScan");
        scan = acquisitionWindow(ts.session);
        if (scan) activate(*scan);
        return *scan;
    }
    void activate(Form& window) {
        ts.session.setActiveForm(&window);
        window.userActivate();
    }
    void press(double x, double y, int button = buttons::Left) {
        scan->userPointerPress(scan->canvas(), {x, y, button});
    }
    void move(double x, double y) { scan->userPointerMove(scan->canvas(), {x, y, 0}); }
    void release(double x, double y, int button = buttons::Left) {
        scan->userPointerRelease(scan->canvas(), {x, y, button});
    }
    void click(double x, double y, int button = buttons::Left) {
        press(x, y, button);
        release(x, y, button);
    }
    void button(const char* name) { scan->userClick(scan->at(name)); }
    void undo() { ts.main->runCommand("mnuEditUndo"); }
    void redo() { ts.main->runCommand("mnuEditRedo"); }
    void toolbar(const char* key) { ts.main->userClick(*ts.main->toolButton(key)); }
    void typeScale(const std::string& text) { scan->userType(scan->at("txtScale"), text); }

    const RecordingCanvas& staticLayer() const { return scan->canvasDrawing().staticLayer(); }
    const RecordingCanvas& overlay() const { return scan->canvasDrawing().overlay(); }
    // The drawn operations of one kind in one colour.
    static std::vector<DrawOp> drawn(const RecordingCanvas& layer, DrawOp::Kind kind, Rgb colour) {
        std::vector<DrawOp> found;
        for (const DrawOp& op : layer.ofKind(kind))
            if (op.color == colour) found.push_back(op);
        return found;
    }
    static std::size_t count(const RecordingCanvas& layer, DrawOp::Kind kind, Rgb colour) {
        return drawn(layer, kind, colour).size();
    }
    void drawTraces(const std::vector<Trace>& traces) {
        button("cmdDisc");
        for (const Trace& t : traces) {
            click(t.end1.x, t.end1.y);
            click(t.end2.x, t.end2.y);
        }
    }
    void drawScanline(CanvasPoint a, CanvasPoint b) {
        button("cmdScanline");
        click(a.x, a.y);
        click(b.x, b.y);
    }
    void drawContour(const std::vector<CanvasPoint>& vertices) {
        button("cmdDraw");
        for (CanvasPoint v : vertices) click(v.x, v.y);
        click(vertices.back().x, vertices.back().y, buttons::Right);
    }
};

}  // namespace ravelin::testing
