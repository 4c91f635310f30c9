#pragma once
// "Histo-options" (frmHistoTools): the class interval, the number of
// classes and the density laws of the current chart, redrawn on "&Apply".
// A tool window: created on first use, afterwards hidden and shown.

#include "core/ToolForm.h"
#include "spacing/ChartPlot.h"

namespace ravelin {

class HistoToolsForm : public ToolForm {
public:
    static constexpr double kWidth = 3400;   // twips
    static constexpr double kHeight = 4300;  // twips

    explicit HistoToolsForm(Session& session);

    // The laws and "Relative frequencies" as the check boxes show them.
    LawChoice laws() const;

protected:
    void onLoad() override;
    void onClick(Control& control) override;
};

}  // namespace ravelin
