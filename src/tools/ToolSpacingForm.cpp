#include "tools/ToolSpacingForm.h"

#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/SymbolFont.h"

namespace ravelin {

namespace {

constexpr const char* kFieldPattern = "0.0######";
constexpr const char* kThreeSetMessage =
    "The calculation scheme used for 3 discontinuity sets is still under testing...";
// The Symbol font draws these characters as an arrow, a plus sign and the infinity sign.
constexpr const char* kInfinityText = "® +¥ ";

struct InputField {
    const char* label;
    const char* rangeName;
    long long maximum;
    long long minimum = 0;
};

// By field index.
const InputField kDistribution[] = {
    {"Mean spacing of the set", "mean spacing", kLargestBound},
    {"Number of discontinuities (k)", "number of discontinuities", kLargestBound, 1},
    {"Volume of rock (V)", "volume of rock", kLargestBound},
    {"Interval length (d)", "interval length", kLargestBound},
    {"Probability threshold (%)", "probability threshold", 100},
    {"Volume of rock per discontinuity (v)", "volume of the discontinuity", kLargestBound},
};

const InputField kIntersections[] = {
    {"Frequency of set 1 (λ1)", "frequency of the first set", kLargestBound},
    {"Frequency of set 2 (λ2)", "frequency of the second set", kLargestBound},
    {"Angle between the two sets (°)", "angle between the two sets", 90},
    {"Angle between the intersection lines and the pole to the surface of observation (°)",
     "angle between intersection line and the pole to the surface of observation", 90},
    {"Volume (V)", "volume", kLargestBound},
    {"Surface (S)", "surface", kLargestBound},
};

const InputField kConnectivity[] = {
    {"Mean persistence of set 1", "persistance of the first set", kLargestBound},
    {"Frequency of set 1", "frequency of the first set", kLargestBound},
    {"Mean persistence of set 2", "persistance of the second set", kLargestBound},
    {"Frequency of set 2", "frequency of the second set", kLargestBound},
    {"Angle between set 1 and set 2", "acute angle between the two sets", 90},
    {"Probability of continuity threshold", "probability threshold of continuity", 100},
    {"Number of successive intersections (=number of stairs)", "number of successive intersections (stairs)",
     kLargestBound},
};

const InputField kFourDisc[] = {
    {"Frequency of set 1", "frequency of the first set", kLargestBound},
    {"Mean persistence of set 1", "persistance of the first set", kLargestBound},
    {"Frequency of set 2", "frequency of the second set", kLargestBound},
    {"Mean persistence of set 2", "persistance of the second set", kLargestBound},
    {"Acute angle between set 1 and set 2", "angle between the two sets", 90},
};
// The order in which "Conn. (4/2)" reads its fields: both frequencies first.
constexpr int kFourDiscReadOrder[] = {0, 2, 1, 3, 4};

const char* const kOrdinals[] = {"first", "second", "third"};
const char* const kNetRows[] = {"Frequency", "Mean persistence", "Dip direction", "Dip angle"};
const char* const kNetQuantities[] = {"frequency", "persistence", "dip direction", "dip angle"};
const long long kNetMaxima[] = {kLargestBound, kLargestBound, 360, 90};

// A frame on option page `page`; its key, the container of what goes into it.
std::string addFrame(Form& form, const std::string& name, int index, const std::string& caption, int page) {
    form.add(ControlKind::Frame, name, index).withText(caption).withContainer(OptionPage(page));
    return name + "(" + std::to_string(index) + ")";
}

double checked(Form& form, const std::string& array, int index, const InputField& field) {
    return CheckRange(form, form.at(array, index), field.rangeName, field.minimum, field.maximum);
}

}  // namespace

ToolSpacingForm::ToolSpacingForm(Session& session)
    : ToolForm(session, "frmToolSpacing", "Spacing distribution and density of intersection", 300) {
    resize(7200, 6600);
    addPages({{"Distribution", "Spacing distribution and probability threshold (p. 45 and 53)"},
              {"Intersections", "Density of intersection of 2 families (p. 58-59)"},
              {"Connectivity (2)", "Connectivity of 2 families (p. 67-70)"},
              {"Conn. (4/2)", "Connectivity of 4 disc. form 2 families (p. 71-75)"},
              {"Conn. net (3)", "Connectivity net formed by 3 families (p. 80)"}});
    buildDistributionPage();
    buildIntersectionsPage();
    buildConnectivityPage();
    buildFourDiscPage();
    buildThreeSetPage();
    add(ControlKind::Label, "lblUnits").withText("Distances may be in (ft)");
    add(ControlKind::CommandButton, "cmdExport").withText("Export");
}

void ToolSpacingForm::buildDistributionPage() {
    auto frame = [this](int index, const char* caption) { return addFrame(*this, "fraDistr", index, caption, 0); };
    auto input = [this](int index, const std::string& container) {
        addNumericArray({"txtDistrDisc", index, index, kFieldPattern}, container, {kDistribution[index].label},
                        {index == 1 ? "1" : "0"});
    };
    input(0, frame(0, "Discontinuity set"));
    const std::string perVolume = frame(1, "Discontinuities per volume (probabilities in %)");
    for (int index : {1, 2, 5}) input(index, perVolume);
    addOutputArray("txtResDD", 0, 1, perVolume, {"P (k, v) =", "P (<k, v) ="});
    const std::string spacing = frame(2, "Spacing distribution (probability in %)");
    input(3, spacing);
    addOutputArray("txtResDD", 2, 2, spacing, {"P (>=1,d)"});
    const std::string threshold = frame(3, "Threshold distance");
    input(4, threshold);
    addOutputArray("txtResDD", 3, 3, threshold, {"Threshold distance for this probability"});
}

void ToolSpacingForm::buildIntersectionsPage() {
    auto frame = [this](int index, const char* caption) { return addFrame(*this, "fraDI", index, caption, 1); };
    auto inputs = [this](int first, int last, const std::string& container) {
        std::vector<std::string> labels;
        for (int i = first; i <= last; ++i) labels.emplace_back(kIntersections[i].label);
        addNumericArray({"txtDI", first, last, kFieldPattern}, container, labels);
    };
    inputs(0, 3, frame(0, "Intersection data"));
    const std::string volume = frame(1, "Total length of the intersection lines in a given volume");
    inputs(4, 4, volume);
    addOutputArray("txtDIRes", 0, 0, volume, {"Total length of the intersection lines"});
    const std::string surface = frame(2, "Number of intersections on a given surface");
    inputs(5, 5, surface);
    addOutputArray("txtDIRes", 1, 1, surface, {"Number of intersection lines"});
}

void ToolSpacingForm::buildConnectivityPage() {
    std::vector<std::string> labels;
    for (const InputField& field : kConnectivity) labels.emplace_back(field.label);
    addNumericArray({"txtC2", 0, 6, kFieldPattern},
                    addFrame(*this, "fraC2", 0, "Discontinuity sets characteristics ", 2), labels);
    addOutputArray(
        "txtC2Ret", 0, 4, addFrame(*this, "fraC2", 1, "Probability of intersection", 2),
        {"Threshold distance of set 1", "Threshold distance of set 2", "Probability of crossing of the two sets (Pc)",
         "Probability of continuity of the net (threshold) (Ps)",
         "Probability of intersection under this threshold (Pt)"});
}

void ToolSpacingForm::buildFourDiscPage() {
    std::vector<std::string> labels;
    for (const InputField& field : kFourDisc) labels.emplace_back(field.label);
    addNumericArray({"txtC24", 0, 4, kFieldPattern},
                    addFrame(*this, "fraC24", 0, "Discontinuity sets characteristics ", 3), labels);
    const std::vector<std::string> results = {
        "Probability that one disc. of set 1 cuts two (or more) disc. of set 2",
        "Probability that one disc. of set 2 cuts two (or more) disc. of set 1",
        "Probability that sets 1 and 2 form a net of four successive discontinuities"};
    addOutputArray("txtC42Rep", 0, 2, addFrame(*this, "fraC24", 1, "Solution 1", 3), results);
    addOutputArray("txtC42Rep", 3, 5, addFrame(*this, "fraC24", 2, "Solution 2 (simplification of solution 1)", 3),
                   results);
}

void ToolSpacingForm::buildThreeSetPage() {
    for (int set = 0; set < 3; ++set) {
        addNumericArray(
            {"txtC4", 4 * set, 4 * set + 3, kFieldPattern},
            addFrame(*this, "fraC4", set, "Set " + std::to_string(set + 1), 4),
            {kNetRows[0], kNetRows[1], std::string(kNetRows[2]) + " (°)", std::string(kNetRows[3]) + " (°)"});
    }
    addNumericArray({"txtC4", 12, 12, kFieldPattern}, addFrame(*this, "fraC4", 3, "Continuity", 4),
                    {"Probability threshold of continuity (%)"});
    addOutputArray("txtC4Ret", 0, 2,
                   addFrame(*this, "fraC4", 4, "Probability of intersection for this set of discontinuities", 4),
                   {"1st permutation (12-3)", "2nd permutation (23 -1)", "3rd permutation (31 -2)"});
}

// Each page's input array and its recalculation.
const std::pair<const char*, void (ToolSpacingForm::*)()> kRecalculations[] = {
    {"txtDistrDisc", &ToolSpacingForm::RecalculateDistribution}, {"txtDI", &ToolSpacingForm::RecalculateIntersections},
    {"txtC2", &ToolSpacingForm::RecalculateConnectivity},        {"txtC24", &ToolSpacingForm::RecalculateFourDiscNet},
    {"txtC4", &ToolSpacingForm::RecalculateThreeSetNet},
};

void ToolSpacingForm::onLoad() {
    openToolWindow();
    // The default inputs show their results at once.
    for (const auto& [array, recalculate] : kRecalculations) (this->*recalculate)();
}

void ToolSpacingForm::onChange(Control& control) {
    if (control.readOnly()) return;
    for (const auto& [array, recalculate] : kRecalculations)
        if (control.name() == array) (this->*recalculate)();
}

void ToolSpacingForm::onClick(Control& control) {
    if (control.name() == "cmdExport") {
        ExportReport();
    } else if (control.name() == "picOptions" && control.index() == 4) {
        platform().messageBox({"Not available", kThreeSetMessage, MessageIcon::Information, MessageButtons::Ok});
    }
}

void ToolSpacingForm::formatArray(const NumericArray& array) {
    // Leaving any field reformats its whole array, whatever frames it spans; the number of stairs keeps its text.
    static const std::pair<const char*, int> kLastFormatted[] = {
        {"txtDistrDisc", 5}, {"txtDI", 5}, {"txtC2", 5}, {"txtC24", 4}, {"txtC4", 12}};
    for (const auto& [name, last] : kLastFormatted)
        if (array.name == name) FormatFields(*this, 0, last, name, kFieldPattern);
    if (array.name == "txtDistrDisc") FormatFields(*this, 1, 1, array.name, "0");  // k is a whole number
}

void ToolSpacingForm::showDistance(Control& field, const std::string& text, bool infinite) {
    if (infinite) {
        FontSpec symbol = field.font();
        symbol.name = kSymbolFontName;
        setFont(field, symbol);
        setText(field, kInfinityText);
    } else {
        setFont(field, FontSpec{});
        setText(field, text);
    }
}

void ToolSpacingForm::RecalculateDistribution() {
    double values[6] = {};
    for (int i = 0; i < 6; ++i) values[i] = checked(*this, "txtDistrDisc", i, kDistribution[i]);
    // k is a whole number, rounded as its field shows it.
    distribution_ = {values[0],       static_cast<long long>(roundHalfAway(values[1], 0)),
                     values[2],       values[3],
                     values[4] / 100, values[5]};
    const DistributionTexts texts = ComputeDistribution(distribution_);
    setText("txtResDD", 0, texts.exactly);
    setText("txtResDD", 1, texts.fewer);
    setText("txtResDD", 2, texts.atLeastOne);
    showDistance(at("txtResDD", 3), texts.threshold, texts.thresholdInfinite);
}

void ToolSpacingForm::RecalculateIntersections() {
    double v[6] = {};
    for (int i = 0; i < 6; ++i) v[i] = checked(*this, "txtDI", i, kIntersections[i]);
    intersections_ = {v[0], v[1], v[2], v[3], v[4], v[5]};
    setText("txtDIRes", 0, generalNumber(IntersectionLength(v[0], v[1], v[4], v[2])));
    setText("txtDIRes", 1, generalNumber(IntersectionCount(v[0], v[1], v[5], v[3])));
}

void ToolSpacingForm::RecalculateConnectivity() {
    double v[7] = {};
    for (int i = 0; i < 7; ++i) v[i] = checked(*this, "txtC2", i, kConnectivity[i]);
    connectivity_ = {v[0], v[1], v[2], v[3], v[4], v[5] / 100, static_cast<long long>(roundHalfEven(v[6], 0))};
    const ConnectivityTexts texts = ComputeConnectivity(connectivity_);
    showDistance(at("txtC2Ret", 0), texts.distance[0], texts.infinite[0]);
    showDistance(at("txtC2Ret", 1), texts.distance[1], texts.infinite[1]);
    setText("txtC2Ret", 2, texts.crossing);
    setText("txtC2Ret", 3, texts.continuity);
    setText("txtC2Ret", 4, texts.stairs);
}

void ToolSpacingForm::RecalculateFourDiscNet() {
    double v[5] = {};
    for (int i : kFourDiscReadOrder) v[i] = checked(*this, "txtC24", i, kFourDisc[i]);
    fourDisc_ = {v[0], v[1], v[2], v[3], v[4]};
    const std::array<std::string, 6> texts = ComputeFourDiscontinuityNet(fourDisc_);
    for (int i = 0; i < 6; ++i) setText("txtC42Rep", i, texts[static_cast<size_t>(i)]);
}

void ToolSpacingForm::RecalculateThreeSetNet() {
    double v[13] = {};
    for (int i = 0; i < 13; ++i) {
        const std::string name = i == 12 ? std::string("probability threshold")
                                         : std::string(kNetQuantities[i % 4]) + " of the " + kOrdinals[i / 4] + " set";
        v[i] = CheckRange(*this, at("txtC4", i), name, 0, i == 12 ? 100 : kNetMaxima[i % 4]);
    }
    std::array<NetSet, 3> sets;
    for (size_t set = 0; set < 3; ++set) sets[set] = {v[4 * set], v[4 * set + 1], v[4 * set + 2], v[4 * set + 3]};
    const std::array<double, 3> results = ComputeThreeSetNet(sets, v[12] / 100);
    for (int i = 0; i < 3; ++i) setText("txtC4Ret", i, formatNumber(results[static_cast<size_t>(i)], "0.0#"));
}

void ToolSpacingForm::ExportReport() {
    std::vector<ReportBlock> blocks;
    switch (at("tbsOptions").value()) {
        case 1:
            RecalculateDistribution();
            blocks = DistributionReport(distribution_, {text("txtResDD", 0), text("txtResDD", 1), text("txtResDD", 2),
                                                        ShownText(at("txtResDD", 3))});
            break;
        case 2:
            RecalculateIntersections();
            blocks = IntersectionsReport(intersections_, text("txtDIRes", 0), text("txtDIRes", 1));
            break;
        case 3:
            RecalculateConnectivity();
            blocks = ConnectivityReport(connectivity_, {ShownText(at("txtC2Ret", 0)), ShownText(at("txtC2Ret", 1)),
                                                        text("txtC2Ret", 2), text("txtC2Ret", 3), text("txtC2Ret", 4)});
            break;
        case 4: {
            RecalculateFourDiscNet();
            std::array<std::string, 6> shown;
            for (int i = 0; i < 6; ++i) shown[static_cast<size_t>(i)] = text("txtC42Rep", i);
            blocks = FourDiscontinuityReport(fourDisc_, shown);
            break;
        }
        default:
            RecalculateThreeSetNet();
            blocks = ThreeSetNetReport();
            break;
    }
    session().appendReport(blocks);
}

}  // namespace ravelin
