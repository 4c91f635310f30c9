#pragma once
// "Probabilistic models": the probabilistic slip surface and the
// probabilistic wedge. Every change of an input recomputes its model;
// "Export" recomputes the selected model and writes its report.

#include "core/ToolForm.h"
#include "models/ProbabilisticWedge.h"
#include "models/SlipSurface.h"

namespace ravelin {

class ModProbForm : public ToolForm {
public:
    explicit ModProbForm(Session& session);

    void RecalculateSlip();
    void RecalculateWedgeProb();
    void ExportReport();

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onClick(Control& control) override;

private:
    SlipSurfaceInput ReadSlipInputs();
    ProbabilisticWedgeInput ReadWedgeProbInputs();

    SlipSurfaceInput slipInput_;
    ProbabilisticWedgeInput wedgeInput_;
};

}  // namespace ravelin
