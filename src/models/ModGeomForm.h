#pragma once
// "Geomechanical models": plane failure and wedge failure. Every change of
// an input recomputes its model; a tab click recomputes both; "Export"
// recomputes the selected model and writes its report to the Info box.

#include "core/ToolForm.h"
#include "models/PlaneFailure.h"
#include "models/WedgeFailure.h"

namespace ravelin {

class ModGeomForm : public ToolForm {
public:
    explicit ModGeomForm(Session& session);

    void RecalculatePlane();
    void RecalculateWedge();
    void ExportReport();

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onClick(Control& control) override;
    void onTabClick(Control& tabStrip) override;

private:
    PlaneFailureInput ReadPlaneInputs();
    WedgeFailureInput ReadWedgeInputs();
    void buildPlanePage();
    void buildWedgePage();

    PlaneFailureInput planeInput_;
    WedgeFailureInput wedgeInput_;
};

}  // namespace ravelin
