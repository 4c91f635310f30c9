#pragma once
// A full session with one new spacing datasheet, driven as a user drives it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spacing/HistoForm.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "support/TestSession.h"

namespace ravelin::testing {

class DatasheetTest : public ::testing::Test {
protected:
    TestSession t;
    SpacingForm& sheet = dynamic_cast<SpacingForm&>(t.main->NewDocumentWindow(2));

    // Fills the measured column from its first row and lets the window update its summary.
    void values(const std::vector<std::string>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) sheet.setCell(0, static_cast<long long>(i) + 1, 1, texts[i]);
        sheet.userMouseMove();
    }
    // Presses "Plot Histo"; the chart it drew into.
    HistoForm* plot() {
        sheet.userClick(sheet.at("cmdHisto"));
        return dynamic_cast<HistoForm*>(t.session.moduleState<SpacingState>().currentChart);
    }
};

}  // namespace ravelin::testing
