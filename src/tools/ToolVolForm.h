#pragma once
// "Volume estimations Tool": the mean volume of a rock compartment from two
// sets, from two sets and a direction of fracturation, or from three sets
// forming prisms. Every change of an input recomputes its page; "Export"
// recomputes the selected page and writes its report into the Info box.

#include "core/ToolForm.h"
#include "tools/VolumeReport.h"

namespace ravelin {

class ToolVolForm : public ToolForm {
public:
    explicit ToolVolForm(Session& session);

    void RecalculateTwoSets();
    void RecalculateFracturation();
    void RecalculateThreeSets();
    void ExportReport();

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onClick(Control& control) override;
    void formatArray(const NumericArray& array) override;

private:
    void buildTwoSetPage();
    void buildFracturationPage();
    void buildThreeSetPage();
    // Page `page` of the two-set methods: the inputs in one frame, the volume in another.
    void addSetsAndResult(int page, NumericArray inputs, const std::vector<std::string>& labels,
                          const std::string& result);

    // The values last read, which the report writes.
    TwoSetInput twoSets_;
    FracturationInput fracturation_;
    std::array<PrismSet, 3> prisms_{};
};

}  // namespace ravelin
