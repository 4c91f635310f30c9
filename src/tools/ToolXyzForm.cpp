#include "tools/ToolXyzForm.h"

#include <array>

#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Orientation.h"
#include "core/Session.h"

namespace ravelin {

namespace {
constexpr const char* kAngles = "0.0######";

// Two orientations typed as (dip direction, dip) pairs in fields 0..3, each checked.
std::array<double, 4> checkedOrientations(Form& form, const std::string& array) {
    std::array<double, 4> values{};
    for (int i = 0; i < 4; ++i) {
        const bool direction = i % 2 == 0;
        values[static_cast<size_t>(i)] =
            CheckRange(form, form.at(array, i), direction ? "dip direction" : "dip angle", 0, direction ? 360 : 90);
    }
    return values;
}
}  // namespace

ToolXyzForm::ToolXyzForm(Session& session) : ToolForm(session, "frmToolXYZ", "XYZ - Tool", 600) {
    resize(5400, 4800);
    addPages({{"Dip-XYZ", "From a plane to its dip line and pole"},
              {"XYZ-Dip", "From a direction vector to its line and planes"},
              {"Wedges", "Line of intersection of two planes"},
              {"Lines", "Common plane of two lines"}});

    auto frame = [this](int index, const std::string& caption, int pageIndex) {
        const std::string key = "fraXYZ(" + std::to_string(index) + ")";
        add(ControlKind::Frame, "fraXYZ", index).withText(caption).withContainer(OptionPage(pageIndex));
        return key;
    };

    // "Dip-XYZ"
    addNumericArray({"txtDirPen", 0, 1, kAngles}, frame(0, "Plane (dip direction)", 0),
                    {"Dip direction (°)", "Dip angle (°)"});
    addOutputArray("txtXYZ", 0, 2, frame(1, "Dip line coordinates (u. v.)", 0), {"X (north)", "Y (east)", "Z (down)"});
    addOutputArray("txtXYZ", 3, 4, frame(2, "Pole direction", 0), {"Trend (°)", "Plunge (°)"});
    addOutputArray("txtXYZ", 5, 7, frame(3, "Pole to plane coord. (u. v.)", 0), {"X (north)", "Y (east)", "Z (down)"});

    // "XYZ-Dip"
    addNumericArray({"txtXYZ1", 0, 2, kAngles, true}, frame(4, "Direction coord. (Cartesian)", 1),
                    {"X (north)", "Y (east)", "Z (down)"});
    addOutputArray("txtIXYZ1", 0, 2, frame(5, "Downward directed unit vector", 1),
                   {"X (north)", "Y (east)", "Z (down)"});
    addOutputArray("txtIXYZ1", 3, 4, frame(6, "Corresp. plane (dip direction)", 1),
                   {"Dip direction (°)", "Dip angle (°)"});
    addOutputArray("txtIXYZ1", 5, 6, frame(7, "Perpendicular plane (dip direct.)", 1),
                   {"Dip direction (°)", "Dip angle (°)"});

    // "Wedges"
    addNumericArray(
        {"txtPDirPen", 0, 3, kAngles}, frame(8, "Wedge planes", 2),
        {"Plane 1 dip direction (°)", "Plane 1 dip angle (°)", "Plane 2 dip direction (°)", "Plane 2 dip angle (°)"});
    addOutputArray("txtIRes", 0, 1, frame(9, "Intersection line", 2), {"Trend (°)", "Plunge (°)"});
    addOutputArray("txtIRes", 2, 4, frame(10, "Intersection line coordinates", 2),
                   {"X (north)", "Y (east)", "Z (down)"});
    addOutputArray("txtIRes", 5, 5, frame(11, "Acute intersection angle", 2), {"Angle (°)"});

    // "Lines"
    addNumericArray(
        {"txtLDirPen", 0, 3, kAngles}, frame(12, "Orientation of lines", 3),
        {"Line 1 dip direction (°)", "Line 1 dip angle (°)", "Line 2 dip direction (°)", "Line 2 dip angle (°)"});
    addOutputArray("txtRes", 0, 1, frame(13, "Common plane (= c. p.)", 3), {"Dip direction (°)", "Dip angle (°)"});
    addOutputArray("txtRes", 2, 4, frame(14, "Pole to c. p. coordinates", 3), {"X (north)", "Y (east)", "Z (down)"});
    addOutputArray("txtRes", 5, 5, frame(15, "Acute intersection angle", 3), {"Angle (°)"});
}

void ToolXyzForm::onLoad() {
    openToolWindow();
    // The default inputs show their results at once.
    recalculateDipXyz();
    recalculateXyzDip();
    recalculateWedges();
    recalculateLines();
}

void ToolXyzForm::onChange(Control& control) {
    const std::string& name = control.name();
    if (name == "txtDirPen") recalculateDipXyz();
    else if (name == "txtXYZ1") recalculateXyzDip();
    else if (name == "txtPDirPen") recalculateWedges();
    else if (name == "txtLDirPen") recalculateLines();
}

void ToolXyzForm::recalculateDipXyz() {
    const double dipDirection = CheckRange(*this, at("txtDirPen", 0), "dip direction", 0, 360);
    const bool directionValid = session().inputValid;
    const double dip = CheckRange(*this, at("txtDirPen", 1), "dip angle", 0, 90);
    // A refused value was replaced by its bound, and the page shown for it already.
    if (!directionValid || !session().inputValid) return;
    OrientationResult r;
    LineToCosines(r, dipDirection, dip);
    ShowCosines(*this, at("txtXYZ", 0), at("txtXYZ", 1), at("txtXYZ", 2), r);
    PlaneToPole(r, dipDirection, dip);
    ShowLine(*this, at("txtXYZ", 3), at("txtXYZ", 4), r);
    LineToCosines(r, r.Trend, r.Plunge);
    ShowCosines(*this, at("txtXYZ", 5), at("txtXYZ", 6), at("txtXYZ", 7), r);
}

void ToolXyzForm::recalculateXyzDip() {
    OrientationResult r;
    CosinesToLine(r, number("txtXYZ1", 0), number("txtXYZ1", 1), number("txtXYZ1", 2));
    ShowLine(*this, at("txtIXYZ1", 3), at("txtIXYZ1", 4), r);
    ShowCosines(*this, at("txtIXYZ1", 0), at("txtIXYZ1", 1), at("txtIXYZ1", 2), r);
    PlaneToPole(r, r.Trend, r.Plunge);
    ShowLine(*this, at("txtIXYZ1", 5), at("txtIXYZ1", 6), r);
}

void ToolXyzForm::recalculateWedges() {
    const auto values = checkedOrientations(*this, "txtPDirPen");
    OrientationResult r;
    PlaneToPole(r, values[0], values[1]);
    LineToCosines(r, r.Trend, r.Plunge);
    const Vector3 pole1 = cosines(r);
    PlaneToPole(r, values[2], values[3]);
    LineToCosines(r, r.Trend, r.Plunge);
    const Vector3 pole2 = cosines(r);
    ShowFormatted(*this, at("txtIRes", 5), AngleBetweenLines(pole2, pole1), "0.00");
    CrossProduct(r, pole2, pole1);
    NormalizeVector(r, r.X, r.Y, r.Z);
    CosinesToLine(r, r.X, r.Y, r.Z);
    ShowCosines(*this, at("txtIRes", 2), at("txtIRes", 3), at("txtIRes", 4), r);
    ShowLine(*this, at("txtIRes", 0), at("txtIRes", 1), r);
}

void ToolXyzForm::recalculateLines() {
    const auto values = checkedOrientations(*this, "txtLDirPen");
    OrientationResult r;
    LineToCosines(r, values[0], values[1]);
    const Vector3 line1 = cosines(r);
    LineToCosines(r, values[2], values[3]);
    const Vector3 line2 = cosines(r);
    ShowFormatted(*this, at("txtRes", 5), AngleBetweenLines(line2, line1), "0.00");
    CrossProduct(r, line2, line1);
    NormalizeVector(r, r.X, r.Y, r.Z);
    ShowCosines(*this, at("txtRes", 2), at("txtRes", 3), at("txtRes", 4), r);
    CosinesToLine(r, r.X, r.Y, r.Z);
    PlaneToPole(r, r.Trend, r.Plunge);
    ShowLine(*this, at("txtRes", 0), at("txtRes", 1), r);
}

}  // namespace ravelin
