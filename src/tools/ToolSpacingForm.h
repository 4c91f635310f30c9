#pragma once
// "Spacing distribution and density of intersection": Poisson probabilities
// of discontinuities in a volume or along an interval, the density of
// intersection of two sets, and three connectivity pages. Every change of an
// input recomputes its page; "Export" recomputes the selected page and
// writes its report into the Info box.

#include "core/ToolForm.h"
#include "tools/SpacingProbability.h"
#include "tools/SpacingReports.h"

namespace ravelin {

class ToolSpacingForm : public ToolForm {
public:
    explicit ToolSpacingForm(Session& session);

    void RecalculateDistribution();
    void RecalculateIntersections();
    void RecalculateConnectivity();
    void RecalculateFourDiscNet();
    void RecalculateThreeSetNet();
    void ExportReport();

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onClick(Control& control) override;
    void formatArray(const NumericArray& array) override;

private:
    void buildDistributionPage();
    void buildIntersectionsPage();
    void buildConnectivityPage();
    void buildFourDiscPage();
    void buildThreeSetPage();
    // A threshold distance field: its number, or the infinity sign drawn by the "Symbol" font.
    void showDistance(Control& field, const std::string& text, bool infinite);

    // The values last read, which the report writes.
    DistributionInput distribution_;
    IntersectionInput intersections_;
    ConnectivityInput connectivity_;
    FourDiscontinuityInput fourDisc_;
};

}  // namespace ravelin
