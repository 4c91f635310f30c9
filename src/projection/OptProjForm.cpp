#include "projection/OptProjForm.h"

#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Session.h"
#include "projection/ProjForm.h"
#include "projection/ProjectionTool.h"

namespace ravelin {

namespace {

ColorValue colorValue(Rgb color) { return static_cast<ColorValue>(color.value); }

struct KinematicField {
    const char* label;
    const char* defaultText;
    long long maximum;
    const char* rangeName;
};
// txtKinematic(0..3), in the order KinematicInputs takes them.
constexpr KinematicField kKinematicFields[] = {
    {"Slope face dip direction (°)", "185", 360, "dip direction of the slope face"},
    {"Slope face dip (°)", "65", 90, "dip angle of the slope face"},
    {"Friction angle (°)", "30", 90, "friction angle"},
    {"Lateral limit (°)", "20", 90, "lateral limit"},
};

// The largest cone angle a small circle takes (degrees): beyond it the cone is the one round the opposite end.
constexpr long long kLargestConeAngle = 180;

}  // namespace

OptProjForm::OptProjForm(Session& session) : ToolForm(session, "frmOptProj", "Projection options", 0) {
    resize(kWidth, kHeight);
    buildPlotOptions();
    buildAnalyses();
}

void OptProjForm::buildPlotOptions() {
    auto options = [&](const char* frame, const char* caption, const char* name,
                       std::initializer_list<const char*> captions) {
        add(ControlKind::Frame, frame).withText(caption);
        int i = 0;
        for (const char* text : captions) add(ControlKind::OptionButton, name, i++).withText(text).withContainer(frame);
        at(name, 0).withValue(1);
    };
    options("fraStruct", "Structural elements", "optStruct",
            {"axis / lines", "pole to planes", "planes", "small circles"});
    addNumericArray({"RaySmallCirc", -1, -1, ""}, "fraStruct", {"Cone angle of small circles (°)"}, {"30"});
    options("fraSymbol", "Symbol", "optSymbol", {"open circle", "filled circle", "+", "x", "*"});
    options("fraHemi", "Hemisphere", "optHemi", {"lower", "upper"});
    options("fraProj", "Canevas", "optProj", {"Wulff", "Schmidt"});
    options("fraSelect", "Rows", "optSelect", {"all rows", "selection"});

    add(ControlKind::Frame, "fraColor").withText("Color");
    for (int i = 0; i < kPaletteSize; ++i) {
        add(ControlKind::Label, "lblColor", i)
            .withBackColor(colorValue(kPalette[static_cast<std::size_t>(i)]))
            .withContainer("fraColor");
    }
    add(ControlKind::Label, "lblColor", kPaletteSize)
        .withBackColor(colorValue(kPalette[0]))
        .withToolTip("The colour of the next plot")
        .withContainer("fraColor");

    add(ControlKind::CommandButton, "cmdPlot").withText("Replace");
    add(ControlKind::CommandButton, "cmdAdd").withText("Add");
}

void OptProjForm::buildAnalyses() {
    add(ControlKind::Frame, "fraDensity").withText("Density and mean orientation");
    add(ControlKind::CheckBox, "chkContour")
        .withText("Density contours (Kamb, Schmidt net)")
        .withContainer("fraDensity");
    add(ControlKind::CheckBox, "chkMean").withText("Mean orientation and 95 % cone").withContainer("fraDensity");
    add(ControlKind::CommandButton, "cmdExportMean").withText("Export").withContainer("fraDensity");

    add(ControlKind::Frame, "fraKinematic").withText("Kinematic analysis");
    add(ControlKind::CheckBox, "chkKinematic")
        .withText("Kinematic analysis (rows read as planes)")
        .withContainer("fraKinematic");
    for (int i = 0; i < 4; ++i) {
        const KinematicField& f = kKinematicFields[i];
        addNumericArray({"txtKinematic", i, i, ""}, "fraKinematic", {f.label}, {f.defaultText});
    }
    add(ControlKind::OptionButton, "optKinematicPlot", 0)
        .withText("Poles: planar sliding and toppling")
        .withContainer("fraKinematic")
        .withValue(1);
    add(ControlKind::OptionButton, "optKinematicPlot", 1)
        .withText("Intersections: wedge sliding")
        .withContainer("fraKinematic");
    add(ControlKind::CommandButton, "cmdExportKinematic").withText("Export").withContainer("fraKinematic");
    add(ControlKind::CommandButton, "cmdSendWedge").withText("Send to wedge model").withContainer("fraKinematic");
}

void OptProjForm::onLoad() { openToolWindow(); }

ProjectionSettings& OptProjForm::settings() { return session().moduleState<ProjectionState>().settings; }

KinematicInputs OptProjForm::kinematicInputs() const {
    return {
        {number("txtKinematic", 0), number("txtKinematic", 1)}, number("txtKinematic", 2), number("txtKinematic", 3)};
}

void OptProjForm::redrawPlot(bool replot) {
    auto* plot = dynamic_cast<ProjForm*>(session().findForm("frmProj"));
    if (!plot) return;
    if (replot) plot->replot();
    else plot->redraw();
}

void OptProjForm::onClick(Control& control) {
    const std::string& name = control.name();
    ProjectionSettings& s = settings();
    const int i = control.index();
    if (name == "optStruct") {
        s.structure = static_cast<StructureType>(i);
    } else if (name == "optSymbol") {
        s.symbol = i;
    } else if (name == "optHemi") {
        const Hemisphere chosen = i == 0 ? Hemisphere::Lower : Hemisphere::Upper;
        if (chosen == s.hemisphere) return;
        s.hemisphere = chosen;
        redrawPlot(true);
    } else if (name == "optProj") {
        const NetKind chosen = i == 0 ? NetKind::Wulff : NetKind::Schmidt;
        if (chosen == s.net) return;
        s.net = chosen;
        redrawPlot(true);
    } else if (name == "optSelect") {
        s.selectionOnly = i == 1;
    } else if (name == "lblColor" && i < kPaletteSize) {
        s.color = kPalette[static_cast<std::size_t>(i)];
        setBackColor(at("lblColor", kPaletteSize), colorValue(s.color));
    } else if (name == "cmdPlot" || name == "cmdAdd") {
        auto& plot = session().form<ProjForm>("frmProj");
        if (name == "cmdPlot") plot.cmdPlot_Click();
        else plot.cmdAdd_Click();
    } else if (name == "chkContour" || name == "chkMean" || name == "chkKinematic") {
        const bool on = control.value() != 0;
        (name == "chkContour" ? s.contours : name == "chkMean" ? s.mean : s.kinematic) = on;
        redrawPlot(false);
    } else if (name == "optKinematicPlot") {
        s.kinematicPlot = i == 0 ? KinematicPlot::Poles : KinematicPlot::Intersections;
        if (s.kinematic) redrawPlot(false);
    } else if (name == "cmdExportMean") {
        ExportMeanReport(session());
    } else if (name == "cmdExportKinematic") {
        ExportKinematicReport(session());
    } else if (name == "cmdSendWedge") {
        SendToWedgeModel(session());
    }
}

void OptProjForm::onChange(Control& control) {
    // A field emptied to be typed again keeps the value it had until something is typed.
    if (control.text().empty()) return;
    ProjectionSettings& s = settings();
    if (control.name() == "RaySmallCirc") {
        s.coneAngle = CheckRange(*this, control, "cone angle of the small circles", 0, kLargestConeAngle);
    } else if (control.name() == "txtKinematic") {
        const KinematicField& f = kKinematicFields[control.index()];
        CheckRange(*this, control, f.rangeName, 0, f.maximum);
        s.kinematicInputs = kinematicInputs();
        if (s.kinematic) redrawPlot(false);
    }
}

bool OptProjForm::onQueryUnload() { return CloseProjectionToolFromWindow(session()); }

}  // namespace ravelin
