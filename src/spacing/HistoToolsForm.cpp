#include "spacing/HistoToolsForm.h"

#include "core/Session.h"
#include "spacing/FitReport.h"
#include "spacing/HistogramCommand.h"
#include "spacing/SpacingState.h"

namespace ravelin {

HistoToolsForm::HistoToolsForm(Session& session) : ToolForm(session, "frmHistoTools", "Histo-options", 0) {
    resize(kWidth, kHeight);
    add(ControlKind::Frame, "fraProperties").withText("Histogram properties");
    addNumericArray({"Text2", 0, 1, ""}, "fraProperties", {"Class interval", "Number of classes"}, {"", ""});
    add(ControlKind::Frame, "fraLaws").withText("Distribution density law");
    const char* laws[] = {"Negative exponential law", "Normal law", "Lognormal law", "Triangular law"};
    const ColorValue colors[] = {0xFF0000, 0xC000, 0xC000C0, 0xC0};
    for (int i = 0; i < 4; ++i)
        add(ControlKind::CheckBox, "Check1", i).withText(laws[i]).withForeColor(colors[i]).withContainer("fraLaws");
    at("Check1", 0).withValue(1);
    add(ControlKind::CheckBox, "Check1", 4).withText("Relative frequencies").withContainer("fraLaws");
    add(ControlKind::CheckBox, "chkLegend").withText("Legend").withContainer("fraLaws");
    add(ControlKind::CommandButton, "Command1").withText("&Apply");
    add(ControlKind::CommandButton, "cmdFitReport").withText("Fit report");
}

void HistoToolsForm::onLoad() { openToolWindow(); }

LawChoice HistoToolsForm::laws() const {
    auto checked = [this](int i) { return at("Check1", i).value() != 0; };
    return {checked(0), checked(1), checked(2), checked(3), checked(4), at("chkLegend").value() != 0};
}

void HistoToolsForm::onClick(Control& control) {
    if (control.name() == "cmdFitReport") {
        WriteFitReport(session());
        return;
    }
    if (control.name() != "Command1") return;
    // The applied settings belong to the chart's datasheet, which is saved with them.
    if (HistogramRow* row = ApplyHistogramOptions(session())) {
        if (row->datasheet) {
            // Not a step of the datasheet's history, but the saved file no longer matches it.
            row->datasheet->undoStack().changedWithoutRecord();
            MarkModified(*row->datasheet);
        }
    }
}

}  // namespace ravelin
