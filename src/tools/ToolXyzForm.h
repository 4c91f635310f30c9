#pragma once
// The XYZ tool: conversions between planes, poles, lines and direction
// vectors on four pages ("Dip-XYZ", "XYZ-Dip", "Wedges", "Lines"). Every
// change of an input recomputes its page.

#include "core/ToolForm.h"

namespace ravelin {

class ToolXyzForm : public ToolForm {
public:
    explicit ToolXyzForm(Session& session);

    void recalculateDipXyz();
    void recalculateXyzDip();
    void recalculateWedges();
    void recalculateLines();

protected:
    void onLoad() override;
    void onChange(Control& control) override;
};

}  // namespace ravelin
