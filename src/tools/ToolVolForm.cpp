#include "tools/ToolVolForm.h"

#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Session.h"

namespace ravelin {

namespace {

constexpr const char* kFieldPattern = "0.0######";

std::string setNumber(int index) { return std::to_string(index + 1); }

// A result field of its own, without an index.
void addResult(Form& form, const std::string& name, const std::string& container) {
    form.add(ControlKind::TextBox, name)
        .withContainer(container)
        .withReadOnly()
        .withDescription("Compartment mean volume");
}

void addExplanation(Form& form, int page, const char* text) {
    form.add(ControlKind::Label, "lblUse", page).withText(text).withContainer(OptionPage(page));
}

}  // namespace

ToolVolForm::ToolVolForm(Session& session) : ToolForm(session, "frmToolVol", "Volume estimations Tool", 900) {
    resize(6000, 5200);
    addPages({{"2 disc. sets", "2 discontinuity sets (p. 75-77)"},
              {"2 disc. sets and 1 dir. fract.", "2 disc. sets and direction of fracturation (p. 79)"},
              {"3 disc. sets", "3 discontinuity sets forming prisms (p. 77-78)"}});
    buildTwoSetPage();
    buildFracturationPage();
    buildThreeSetPage();
    add(ControlKind::Label, "lblUnits").withText("Distances may be in (ft)");
    add(ControlKind::CommandButton, "cmdExport").withText("Export");
}

void ToolVolForm::buildTwoSetPage() {
    addExplanation(*this, 0, "For fresh and homogenous rock compartments, comporting as a block.");
    addSetsAndResult(0, {"txtMS", 0, 4, kFieldPattern},
                     {"Mean spacing of set 1", "Mean spacing of set 2", "Mean persistence of set 1",
                      "Mean persistence of set 2", "Angle between set 1 and set 2 (°)"},
                     "txtV2");
}

void ToolVolForm::buildFracturationPage() {
    addExplanation(*this, 1,
                   "For highly fractured rocks presenting a high apparent fractures frequency in a direction close to "
                   "the intersection of the 2 sets (sets 1 and 2 form a potentially instable wedge).");
    addSetsAndResult(1, {"txt1MS", 0, 3, kFieldPattern},
                     {"Mean spacing of set 1", "Mean spacing of set 2", "Angle between set 1 and set 2 (°)",
                      "Apparent frequency of the fractures perpendicular to the intersection of sets 1 and 2"},
                     "txtV21");
}

void ToolVolForm::addSetsAndResult(int page, NumericArray inputs, const std::vector<std::string>& labels,
                                   const std::string& result) {
    const std::string sets = "fraVol(" + std::to_string(2 * page) + ")";
    const std::string volume = "fraVol(" + std::to_string(2 * page + 1) + ")";
    add(ControlKind::Frame, "fraVol", 2 * page)
        .withText("Discontinuity sets characteristics")
        .withContainer(OptionPage(page));
    addNumericArray(std::move(inputs), sets, labels);
    add(ControlKind::Frame, "fraVol", 2 * page + 1).withText("Volume estimation").withContainer(OptionPage(page));
    addResult(*this, result, volume);
}

void ToolVolForm::buildThreeSetPage() {
    addExplanation(*this, 2,
                   "For 3 discontinuity sets delimiting prisms. The estimated mean volume corresponds to the volume of "
                   "the (1, 2, 3) parallelepipede.");
    // One frame per set; the array keeps spacings 0..2, dip directions 3..5 and dips 6..8.
    for (int set = 0; set < 3; ++set) {
        const std::string frame = "fraVol(" + std::to_string(4 + set) + ")";
        add(ControlKind::Frame, "fraVol", 4 + set).withText("Set " + setNumber(set)).withContainer(OptionPage(2));
        addNumericArray({"txtMS13", set, set, kFieldPattern}, frame, {"Mean spacing"});
        addNumericArray({"txtMS13", 3 + set, 3 + set, kFieldPattern}, frame, {"Dip direction (°)"});
        addNumericArray({"txtMS13", 6 + set, 6 + set, kFieldPattern}, frame, {"Dip angle (°)"});
    }
    add(ControlKind::Frame, "fraVol", 7).withText("Volume estimation").withContainer(OptionPage(2));
    addResult(*this, "txtV3", "fraVol(7)");
}

// Each page's input array and its recalculation.
const std::pair<const char*, void (ToolVolForm::*)()> kRecalculations[] = {
    {"txtMS", &ToolVolForm::RecalculateTwoSets},
    {"txt1MS", &ToolVolForm::RecalculateFracturation},
    {"txtMS13", &ToolVolForm::RecalculateThreeSets},
};

void ToolVolForm::onLoad() {
    openToolWindow();
    // The default inputs show their results at once.
    for (const auto& [array, recalculate] : kRecalculations) (this->*recalculate)();
}

void ToolVolForm::onChange(Control& control) {
    if (control.readOnly()) return;
    for (const auto& [array, recalculate] : kRecalculations)
        if (control.name() == array) (this->*recalculate)();
}

void ToolVolForm::formatArray(const NumericArray& array) {
    // The three-set page spreads its array over one frame per set; leaving any field reformats it whole.
    if (array.name == "txtMS13") FormatFields(*this, 0, 8, array.name, kFieldPattern);
    else ToolForm::formatArray(array);
}

void ToolVolForm::onClick(Control& control) {
    if (control.name() == "cmdExport") ExportReport();
}

void ToolVolForm::RecalculateTwoSets() {
    double v[5] = {};
    for (int i = 0; i < 4; ++i) {
        const std::string quantity = i < 2 ? "mean spacing " : "mean persistence ";
        v[i] = CheckRange(*this, at("txtMS", i), quantity + setNumber(i % 2), 0, kLargestBound);
    }
    v[4] = CheckRange(*this, at("txtMS", 4), "angle between set 1 and set 2", 0, 180);
    twoSets_ = {v[0], v[1], v[2], v[3], v[4]};
    setText("txtV2", -1, VolumeText(VolumeFromTwoSets(v[0], v[1], v[2], v[3], v[4]), false));
}

void ToolVolForm::RecalculateFracturation() {
    double v[4] = {};
    for (int i = 0; i < 2; ++i)
        v[i] = CheckRange(*this, at("txt1MS", i), "mean spacing " + setNumber(i), 0, kLargestBound);
    v[2] = CheckRange(*this, at("txt1MS", 2), "angle between set 1 and set 2", 0, 180);
    v[3] = CheckRange(*this, at("txt1MS", 3),
                      "apparent fequency of the fractures in a direction perpendicular to the intersection of 1 and 2",
                      0, kLargestBound);
    fracturation_ = {v[0], v[1], v[2], v[3]};
    setText("txtV21", -1, VolumeText(VolumeWithFracturation(v[0], v[1], v[2], v[3]), false));
}

void ToolVolForm::RecalculateThreeSets() {
    double v[9] = {};
    for (int i = 0; i < 9; ++i) {
        static const char* const kQuantities[] = {"mean spacing of plane ", "dip direction of plane ",
                                                  "dip angle of plane "};
        static const long long kMaxima[] = {kLargestBound, 360, 90};
        v[i] = CheckRange(*this, at("txtMS13", i), kQuantities[i / 3] + setNumber(i % 3), 0, kMaxima[i / 3]);
    }
    for (size_t set = 0; set < 3; ++set) prisms_[set] = {v[set], v[3 + set], v[6 + set]};
    setText("txtV3", -1, VolumeText(VolumeFromThreeSets(prisms_), true));
}

void ToolVolForm::ExportReport() {
    std::vector<ReportBlock> blocks;
    switch (at("tbsOptions").value()) {
        case 1:
            RecalculateTwoSets();
            blocks = TwoSetVolumeReport(twoSets_, text("txtV2"));
            break;
        case 2:
            RecalculateFracturation();
            blocks = FracturationVolumeReport(fracturation_, text("txtV21"));
            break;
        default:
            RecalculateThreeSets();
            blocks = ThreeSetVolumeReport(prisms_, text("txtV3"));
            break;
    }
    session().nameInfoBox("VolumeEstimation");
    session().appendReport(blocks);
}

}  // namespace ravelin
