#include "models/ModProbForm.h"

#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Session.h"
#include "models/ModelReports.h"

namespace ravelin {

namespace {

constexpr const char* kFieldPattern = "0.0#";

struct Bound {
    const char* rangeName;
    long long maximum;
};

const Bound kSlipBounds[] = {
    {"dip angle of the slope", 90},
    {"dip angle of the slip surface", 90},
    {"'a' length", kLargestBound},
    {"mean surface", kLargestBound},
    {"mean spacing of the discontinuity set", kLargestBound},
};

const Bound kWedgeBounds[] = {
    {"d distance", kLargestBound},
    {"d distance", kLargestBound},
    {"dip direction of the first set of discontinuities", 360},
    {"dip angle of the first set of discontinuities", 90},
    {"dip direction of the second set of discontinuities", 360},
    {"dip angle of the second set of discontinuities", 90},
    {"dip direction of the slope surface", 360},
    {"dip angle of the slope surface", 90},
};

}  // namespace

ModProbForm::ModProbForm(Session& session) : ToolForm(session, "frmModProb", "Probabilistic models", 450) {
    resize(6000, 5400);
    addPages({{"Probabilistic slip surface", "Probabilistic slip surface (p. 64)"},
              {"Probabilistic wedge", "Probabilistic wedge (p. 81)"}});

    add(ControlKind::Frame, "fraParameters", 0).withText("Model parameters").withContainer(OptionPage(0));
    add(ControlKind::Label, "lblUnits", 0).withText("Distances may be in (ft)").withContainer("fraParameters(0)");
    addNumericArray({"txtMS", 0, 4, kFieldPattern}, "fraParameters(0)",
                    {"Dip angle of the slope (°)", "Dip angle of the slip surface (°)", "a = length of the slope face",
                     "Mean surface of the slip surface", "Mean spacing of the discontinuity set"});
    add(ControlKind::Frame, "fraResults", 0).withText("Model results").withContainer(OptionPage(0));
    addOutputArray("txtV2", 0, 1, "fraResults(0)",
                   {"d₀ = distance between the slope crest and the slip surface",
                    "Probability that the slip surface crosses the rock mass completely"},
                   "-");

    add(ControlKind::Frame, "fraParameters", 1).withText("Model parameters").withContainer(OptionPage(1));
    add(ControlKind::Label, "lblUnits", 1).withText("Distances may be in (ft)").withContainer("fraParameters(1)");
    addNumericArray({"txt1MS", 0, 7, kFieldPattern}, "fraParameters(1)",
                    {"d1 =", "d2 =", "Discontinuity set 1: dip dir. (°)", "Discontinuity set 1: dip angle (°)",
                     "Discontinuity set 2: dip dir. (°)", "Discontinuity set 2: dip angle (°)",
                     "Slope surface: dip dir. (°)", "Slope surface: dip angle (°)"});
    add(ControlKind::Frame, "fraResults", 1).withText("Model results").withContainer(OptionPage(1));
    addOutputArray("txtV21", 0, 0, "fraResults(1)", {"h = height of emergence"}, "-");

    add(ControlKind::CommandButton, "cmdExport").withText("Export");
}

void ModProbForm::onLoad() {
    openToolWindow();
    RecalculateSlip();
    RecalculateWedgeProb();
}

void ModProbForm::onChange(Control& control) {
    if (control.readOnly()) return;
    if (control.name() == "txtMS") RecalculateSlip();
    else if (control.name() == "txt1MS") RecalculateWedgeProb();
}

void ModProbForm::onClick(Control& control) {
    if (control.name() == "cmdExport") ExportReport();
}

SlipSurfaceInput ModProbForm::ReadSlipInputs() {
    double values[5] = {};
    for (int i = 0; i < 5; ++i) {
        if (i == 1) {
            // The slip surface cannot be steeper than the slope; the box shows what is used.
            const double limited = LimitSlipDip(readNumber(text("txtMS", 1)), values[0]);
            setText("txtMS", 1, generalNumber(limited));
        }
        const Bound& bound = kSlipBounds[i];
        values[i] = CheckRange(*this, at("txtMS", i), bound.rangeName, 0, bound.maximum);
    }
    return {values[0], values[1], values[2], values[3], values[4]};
}

void ModProbForm::RecalculateSlip() {
    slipInput_ = ReadSlipInputs();
    const SlipSurfaceResult result = ComputeSlipSurface(slipInput_);
    if (!result.crestDistance || !result.probability) {
        setText("txtV2", 0, "-");
        setText("txtV2", 1, "-");
        return;
    }
    setText("txtV2", 0, formatNumber(*result.crestDistance, "0.0#"));
    setText("txtV2", 1, formatNumber(*result.probability, "0.0#"));
}

ProbabilisticWedgeInput ModProbForm::ReadWedgeProbInputs() {
    double values[8] = {};
    for (int i = 0; i < 8; ++i) {
        const Bound& bound = kWedgeBounds[i];
        values[i] = CheckRange(*this, at("txt1MS", i), bound.rangeName, 0, bound.maximum);
    }
    return {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7]};
}

void ModProbForm::RecalculateWedgeProb() {
    wedgeInput_ = ReadWedgeProbInputs();
    const ProbabilisticWedgeResult result = ComputeWedgeProb(wedgeInput_);
    setText("txtV21", 0, result.emergenceHeight ? formatNumber(*result.emergenceHeight, "0.000") : "-");
}

void ModProbForm::ExportReport() {
    std::vector<ReportBlock> blocks;
    if (at("tbsOptions").value() == 1) {
        RecalculateSlip();
        blocks = SlipSurfaceReport(slipInput_, text("txtV2", 0), text("txtV2", 1));
    } else {
        RecalculateWedgeProb();
        blocks = ProbabilisticWedgeReport(wedgeInput_, text("txtV21", 0));
    }
    session().nameInfoBox("ProbabilisticModel");
    session().appendReport(blocks);
}

}  // namespace ravelin
