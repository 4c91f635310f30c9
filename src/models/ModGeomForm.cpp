#include "models/ModGeomForm.h"

#include <array>

#include "core/FontMetrics.h"
#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Session.h"
#include "models/ModelReports.h"

namespace ravelin {

namespace {

struct InputField {
    int index;
    const char* label;
    const char* defaultText;
    long long maximum;
    const char* rangeName;
};

const InputField kPlaneFields[] = {
    {0, "Height of the slope face", "100", kLargestBound, "height of the slope face (m)"},
    {1, "Distance of the tension crack from the slope crest", "29", kLargestBound,
     "distance of the tension crack from the slope crest (m)"},
    {2, "Filling of the tension crack (0 = no water, 1 = filled)", "0.5", 1,
     "filling of the tension crack (0 = no water in tension crack, 1 = tension crack filled)"},
    {3, "Unit weight of rock (kN/m³) or (lb/ft³)", "160", kLargestBound, "unit weight of rock"},
    {4, "Unit weight of water (kN/m³) or (lb/ft³)", "62.5", kLargestBound, "unit weight of water"},
    {5, "Dip of the slope face (°)", "60", 90, "dip of the slope face"},
    {6, "Dip of the failure plane (°)", "30", 90, "dip of the failure plane"},
    {7, "Cohesion (kPa) or (lb/ft²)", "1000", kLargestBound, "cohesion"},
    {8, "Friction angle of the failure plane (°)", "30", 90, "friction angle of the failure plane"},
    {9, "Dip of the upper face (°)", "0", 90, "dip of the upper face"},
    {10, "Seismic coefficient (g) = horizontal acceleration", "0", kLargestBound,
     "seismic coefficient (g) = horizontal acceleration"},
    {11, "Rock bolt/cable dip (°)", "0", 90, "rock bolt / cable dip"},
    {12, "Rock bolt/cable tension (kPa) or (lb/ft²)", "0", kLargestBound, "rock bolt / cable tension"},
};

// In the order the boxes are read (and range-checked); entries 6 and 11 do not exist.
const InputField kWedgeFields[] = {
    {0, "Slope height H1 (referred to plane 1)", "100", kLargestBound, "slope height (referred to plane 1)"},
    {1, "Unit weight of rock", "160", kLargestBound, "unit weight of rock"},
    {2, "Plane 1: dip direction (°)", "105", 360, "dip direction of the plane 1"},
    {3, "Plane 1: dip angle (°)", "45", 90, "dip angle of the plane 1"},
    {4, "Plane 1: cohesion", "500", kLargestBound, "cohesion on the plane 1"},
    {5, "Plane 1: friction angle (°)", "20", 90, "friction angle on the plane 1"},
    {7, "Plane 2: dip direction (°)", "235", 360, "dip direction of the plane 2"},
    {8, "Plane 2: dip angle (°)", "70", 90, "dip angle of the plane 2"},
    {9, "Plane 2: cohesion", "1000", kLargestBound, "cohesion on the plane 2"},
    {10, "Plane 2: friction angle (°)", "30", 90, "friction angle on the plane 2"},
    {12, "Plane 3 (upper slope surface): dip direction (°)", "195", 360, "dip direction of the plane 3"},
    {13, "Plane 3 (upper slope surface): dip angle (°)", "12", 90, "dip angle of the plane 3"},
    {14, "Plane 4 (slope face): dip direction (°)", "185", 360, "dip direction of the plane 4"},
    {15, "Plane 4 (slope face): dip angle (°)", "65", 90, "dip angle of the plane 4"},
    {16, "Tension crack (plane 5): dip direction (°)", "165", 360, "dip direction of tension crack (plane 5)"},
    {17, "Tension crack (plane 5): dip angle (°)", "70", 90, "dip angle of the tension crack (plane 5)"},
    {18, "Unit weight of water", "62.4", kLargestBound, "unit weight of water"},
    // Bounded at a tenth of the others.
    {19, "Distance of the tension crack from the crest, along the trace of plane 1", "40", 214748364,
     "distance of tension crack from crest, along trace of plane 1"},
};

const InputField& wedgeField(int index) {
    for (const InputField& field : kWedgeFields)
        if (field.index == index) return field;
    return kWedgeFields[0];
}

// The boxes that only mean something with a tension crack.
constexpr int kCrackBoxes[] = {16, 17, 19};

}  // namespace

ModGeomForm::ModGeomForm(Session& session) : ToolForm(session, "frmModGeom", "Geomechanical models", 150) {
    resize(6000, 9000);
    addPages({{"Plane failure", "Plane failure, with tension crack"}, {"Wedge failure", "Wedge failure"}});
    buildPlanePage();
    buildWedgePage();
    add(ControlKind::CommandButton, "cmdExport").withText("Export");
}

void ModGeomForm::buildPlanePage() {
    const std::string parameters = "fraParameters(0)";
    add(ControlKind::Frame, "fraParameters", 0).withText("Model geometry and parameters").withContainer(OptionPage(0));
    add(ControlKind::Label, "lblUnits", 0).withText("Distances in (m) or (ft)").withContainer(parameters);
    for (const InputField& field : kPlaneFields)
        addNumericArray({"txt1MS", field.index, field.index, ""}, parameters, {field.label}, {field.defaultText});
    add(ControlKind::Label, "lblCrack").withText("Tension crack in").withContainer(parameters);
    add(ControlKind::OptionButton, "opt", 0).withText("upper surface").withContainer(parameters).withValue(1);
    add(ControlKind::OptionButton, "opt", 1).withText("slope face").withContainer(parameters);

    add(ControlKind::Frame, "fraResults", 0).withText("Model results").withContainer(OptionPage(0));
    addOutputArray("txtV21", 0, 1, "fraResults(0)", {"F = safety factor", "z height"}, "-");
    Control& safety = at("txtV21", 0);
    safety.withWidestText(widestText(safety.font(), PlaneFailureMessages()));
}

void ModGeomForm::buildWedgePage() {
    const std::string parameters = "fraParameters(1)";
    add(ControlKind::Frame, "fraParameters", 1).withText("Model geometry and parameters").withContainer(OptionPage(1));
    add(ControlKind::Label, "lblUnits", 1).withText("Distances in (m) or (ft)").withContainer(parameters);
    add(ControlKind::Label, "lblUnits", 2).withText("Unit weights (kN/m³) or (lb/ft³)").withContainer(parameters);
    add(ControlKind::Label, "lblUnits", 3).withText("Cohesion in (kPa) or (lb/ft²)").withContainer(parameters);
    auto addWedgeBox = [&](int index, bool enabled) {
        const InputField& field = wedgeField(index);
        addNumericArray({"txtW", index, index, ""}, parameters, {field.label}, {field.defaultText});
        at("txtW", index).withEnabled(enabled);
    };
    for (int index : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 13, 14, 15, 18}) addWedgeBox(index, true);
    add(ControlKind::CheckBox, "chkDrySlope").withText("Dry slope").withContainer(parameters);
    add(ControlKind::CheckBox, "chkClosedOutfall").withText("Closed groundwater outlet").withContainer(parameters);
    add(ControlKind::CheckBox, "chkOverhang").withText("Overhanging").withContainer(parameters);
    add(ControlKind::CheckBox, "chkTensionCrack").withText("Tension crack").withContainer(parameters);
    // Without a tension crack its boxes are disabled (their values stay and are still read).
    for (int index : kCrackBoxes) addWedgeBox(index, false);

    const std::string results = "fraResults(1)";
    add(ControlKind::Frame, "fraResults", 1).withText("Model results").withContainer(OptionPage(1));
    addOutputArray("txtFact", 0, 1, results, {"F = safety factor", "Wedge weight"}, "-");
    addOutputArray("txtFact", 3, 3, results, {"Failure mode"}, "");
    Control& mode = at("txtFact", 3);
    mode.withWidestText(widestText(mode.font(), WedgeFailureModeTexts()));
    addOutputArray("txtFact", 4, 5, results, {"Sliding direction (°)", "Sliding plunge (°)"}, "-");
}

void ModGeomForm::onLoad() {
    openToolWindow();
    onTabClick(at("tbsOptions"));
}

void ModGeomForm::onTabClick(Control& tabStrip) {
    SelectOptionsPage(*this);
    RecalculatePlane();
    RecalculateWedge();
}

void ModGeomForm::onChange(Control& control) {
    if (control.readOnly()) return;
    if (control.name() == "txt1MS") RecalculatePlane();
    else if (control.name() == "txtW") RecalculateWedge();
}

void ModGeomForm::onClick(Control& control) {
    const std::string& name = control.name();
    if (name == "opt") {
        RecalculatePlane();
    } else if (name == "chkTensionCrack") {
        for (int index : kCrackBoxes) setEnabled(at("txtW", index), control.value() != 0);
        RecalculateWedge();
    } else if (name == "chkDrySlope" || name == "chkOverhang" || name == "chkClosedOutfall") {
        RecalculateWedge();
    } else if (name == "cmdExport") {
        ExportReport();
    }
}

PlaneFailureInput ModGeomForm::ReadPlaneInputs() {
    std::array<double, 20> v{};  // by box index
    for (const InputField& field : kPlaneFields)
        v[static_cast<size_t>(field.index)] =
            CheckRange(*this, at("txt1MS", field.index), field.rangeName, 0, field.maximum);
    PlaneFailureInput in;
    in.slopeHeight = v[0];
    in.crackDistance = v[1];
    in.crackFilling = v[2];
    in.rockUnitWeight = v[3];
    in.waterUnitWeight = v[4];
    in.faceDip = v[5];
    in.failurePlaneDip = v[6];
    in.cohesion = v[7];
    in.frictionAngle = v[8];
    in.upperFaceDip = v[9];
    in.seismicCoefficient = v[10];
    in.boltDip = v[11];
    in.boltTension = v[12];
    in.crackInUpperSurface = at("opt", 0).value() != 0;
    return in;
}

void ModGeomForm::RecalculatePlane() {
    planeInput_ = ReadPlaneInputs();
    const PlaneFailureResult result = ComputePlaneFailure(planeInput_);
    std::string safety = "-";
    if (!result.message.empty()) safety = result.message;
    else if (result.safetyFactor) safety = formatNumber(*result.safetyFactor, "0.000");
    setText("txtV21", 0, safety);
    // Without a crack depth the box shows "-" rather than the depth of an earlier geometry.
    setText("txtV21", 1, result.crackDepth ? formatNumber(*result.crackDepth, "0.0##") : "-");
}

WedgeFailureInput ModGeomForm::ReadWedgeInputs() {
    std::array<double, 20> v{};  // by box index
    for (const InputField& field : kWedgeFields)
        v[static_cast<size_t>(field.index)] =
            CheckRange(*this, at("txtW", field.index), field.rangeName, 0, field.maximum);
    WedgeFailureInput in;
    in.slopeHeight = v[0];
    in.rockUnitWeight = v[1];
    in.dipDirection1 = v[2];
    in.dip1 = v[3];
    in.cohesion1 = v[4];
    in.friction1 = v[5];
    in.dipDirection2 = v[7];
    in.dip2 = v[8];
    in.cohesion2 = v[9];
    in.friction2 = v[10];
    in.dipDirection3 = v[12];
    in.dip3 = v[13];
    in.dipDirection4 = v[14];
    in.dip4 = v[15];
    in.dipDirection5 = v[16];
    in.dip5 = v[17];
    in.waterUnitWeight = v[18];
    in.crackDistance = v[19];
    // "Closed groundwater outlet" only triggers a recalculation: the model has no outlet.
    in.overhanging = at("chkOverhang").value() != 0;
    in.drySlope = at("chkDrySlope").value() != 0;
    in.tensionCrack = at("chkTensionCrack").value() != 0;
    return in;
}

void ModGeomForm::RecalculateWedge() {
    wedgeInput_ = ReadWedgeInputs();
    const WedgeFailureResult result = ComputeWedge(wedgeInput_);
    auto orDash = [](const std::optional<double>& value, const char* pattern) {
        return value ? formatNumber(*value, pattern) : std::string("-");
    };
    setText("txtFact", 0, orDash(result.safetyFactor, "0.00###"));
    setText("txtFact", 1, result.weight ? WeightText(*result.weight) : "-");
    setText("txtFact", 3, result.failureMode.empty() ? "-" : result.failureMode);
    setText("txtFact", 4, orDash(result.slidingDirection, "0.000"));
    setText("txtFact", 5, orDash(result.slidingPlunge, "0.000"));
}

void ModGeomForm::ExportReport() {
    std::vector<ReportBlock> blocks;
    if (at("tbsOptions").value() == 1) {
        RecalculatePlane();
        blocks = PlaneFailureReport(planeInput_, text("txtV21", 0), text("txtV21", 1));
    } else {
        RecalculateWedge();
        blocks = WedgeFailureReport(wedgeInput_, {text("txtFact", 0), text("txtFact", 1), text("txtFact", 3),
                                                  text("txtFact", 4), text("txtFact", 5)});
    }
    session().appendReport(blocks);
}

}  // namespace ravelin
