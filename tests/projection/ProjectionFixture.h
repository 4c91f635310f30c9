#pragma once
// The projection tool opened from the main window's "&Projections", with
// helpers to type into its data grid as a user does and to set its options.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "projection/DataForm.h"
#include "projection/OptProjForm.h"
#include "projection/ProjForm.h"
#include "projection/ProjectionState.h"
#include "support/TestSession.h"

namespace ravelin::testing {

using Rows = std::vector<std::pair<std::string, std::string>>;  // direction and dip cells

struct ProjectionTool : TestSession, SessionObserver {
    DataForm* data = nullptr;
    OptProjForm* options = nullptr;
    ProjForm* plot = nullptr;
    std::vector<ReportBlock> report;  // blocks appended to the Info box

    ProjectionTool() {
        session.addObserver(this);
        platform.messageAnswers.push_back(MessageAnswer::Ok);  // "This provisional projection tool is ..."
        main->runCommand("mnuToolsProjections");
        data = &form<DataForm>("frmData");
        options = &form<OptProjForm>("frmOptProj");
        plot = &form<ProjForm>("frmProj");
        session.setActiveForm(data);
        data->userActivate();
    }

    ~ProjectionTool() override { session.removeObserver(this); }

    void reportAppended(const ReportBlock& block, ReportTarget target) override {
        if (target == ReportTarget::InfoBox) report.push_back(block);
    }
    bool reported(const std::string& line) const {
        std::string all;
        for (const ReportBlock& block : report) all += block.text;
        return all.find(line + "\r\n") != std::string::npos;
    }

    // Types the characters of `text` on the grid's current cell, then `endKey` in the editor.
    void typeCell(const std::string& text, int endKey = keys::Enter) {
        if (text.empty()) data->userGridKeyPress(keys::Enter);  // opens the editor on the cell's text
        bool first = true;
        for (char c : text) {
            int key = static_cast<unsigned char>(c);
            if (first && !data->editing()) data->userGridKeyPress(key);  // opens the editor with the character
            else data->userKeyPress(data->at("Text1"), key);
            first = false;
        }
        data->userKeyDown(endKey, 0);
    }

    // Rows "direction", "dip" typed from row 1 on, as a user enters them with Enter.
    void typeRows(const Rows& rows) {
        data->userGridClick(1, DataForm::kDirectionColumn);
        for (const auto& [direction, dip] : rows) {
            typeCell(direction);
            typeCell(dip);
        }
    }

    void click(Form& form, const std::string& name, int index = -1) { form.userClick(form.at(name, index)); }
    void choose(const std::string& group, int index) { click(*options, group, index); }
    void type(const std::string& name, int index, const std::string& text) {
        Control& field = options->at(name, index);
        options->userFocus(field);
        options->userType(field, text);
        options->userLeave();
    }
    bool replace() {
        click(*options, "cmdPlot");
        return !session.moduleState<ProjectionState>().error;
    }
    void add() { click(*options, "cmdAdd"); }

    // Every point drawn as a symbol, in drawing order.
    std::vector<NetPoint> points() const {
        std::vector<NetPoint> all;
        for (const PlottedLayer& layer : plot->picture().layers)
            all.insert(all.end(), layer.points.begin(), layer.points.end());
        return all;
    }
};

inline void expectNear(NetPoint got, double x, double y, double tolerance = 1e-6) {
    EXPECT_NEAR(got.x, x, tolerance);
    EXPECT_NEAR(got.y, y, tolerance);
}

}  // namespace ravelin::testing
