#include "spacing/HistoForm.h"

#include <algorithm>
#include <cmath>

#include "core/Drawing.h"
#include "core/FontMetrics.h"
#include "core/NumberText.h"
#include "core/Session.h"
#include "spacing/ChartExport.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/HistogramCommand.h"
#include "spacing/SpacingState.h"

namespace ravelin {

namespace {

constexpr double kChartGap = 450;         // twips between a new chart and the options window
constexpr double kTitleTop = 30;          // twips
constexpr double kRotatedLeft = 30;       // twips
constexpr double kStatisticsInset = 100;  // twips inside the plotting area's upper right corner
constexpr double kPlotRight = 200;        // the chart's margins at print scale 1 (twips)
constexpr double kPlotLeft = 1000;
constexpr double kPlotVertical = 800;
// Below the plotting area: a long tick (60), the label offset (100), a tick label and a gap.
constexpr double kAxisLabelDrop = 390;
constexpr double kEditorLeftmost = 20;  // twips: the label editor never starts further left
constexpr double kEditorEdge = 50;      // twips of the editor's border where it can be dragged

const char* const kEditableLabels[] = {"lblTitre",  "lblInfo",     "lblX",       "lblMean",
                                       "lblStdDev", "lblNbValues", "lblScanline"};
const char* const kStatistics[] = {"lblMean", "lblStdDev", "lblNbValues", "lblScanline"};

}  // namespace

void DrawRotatedText(Canvas& canvas, double left, double top, double width, double height, const std::string& text,
                     int angleTenths, double scale) {
    canvas.fillBox(left, top, left + width, top + height, colors::White);
    const FontSpec font{"Arial", 9 * scale, true};
    canvas.setFont(font);
    canvas.setPen(colors::Black, 1);
    // The character height without its internal leading: the em height.
    const double characterHeight = lineHeight(font) - internalLeading(font);
    const double textWidth = canvas.textWidth(text);
    constexpr double kPi = 3.1415926535;  // as the centring rule takes it
    const double a = (angleTenths / 10.0) / 180 * kPi;
    const double spanX = textWidth * std::cos(a) + characterHeight * std::cos(kPi / 2 - a);
    const double spanY = textWidth * std::sin(a) + characterHeight * std::sin(kPi / 2 - a);
    const double cx = left + width / 2;
    const double cy = top + height / 2;
    canvas.rotatedText(cx - spanX / 2, cy - spanY / 2 + textWidth * std::sin(a), text, angleTenths);
}

HistoForm::HistoForm(Session& session) : Form(session, "frmHisto", "Histogram") {
    drawing(add(ControlKind::PictureBox, "picHisto"));  // the window's surface
    add(ControlKind::PictureBox, "Picture1").withVisible(false);
    add(ControlKind::Label, "lblTitre").withFont({"Arial", 12, true});
    add(ControlKind::Label, "lblInfo").withFont({"Arial", 8.25});
    add(ControlKind::Label, "lblX").withFont({"Arial", 9, true});
    add(ControlKind::Label, "lblY").withFont({"Arial", 9, true}).withVisible(false);
    drawing(add(ControlKind::PictureBox, "picText").withFont({"Arial", 9, true}));
    add(ControlKind::PictureBox, "picTextBig").withFont({"Arial", 9, true}).withVisible(false);
    for (const char* name : kStatistics) add(ControlKind::Label, name).withFont({"Arial", 8.25});
    add(ControlKind::TextBox, "txtSaisie").withFont({"Arial", 8.25}).withVisible(false).withTabStop(false);
}

double HistoForm::innerWidth() const { return std::max(0.0, width() - kFrameWidth); }
double HistoForm::innerHeight() const { return std::max(0.0, height() - kFrameHeight); }

void HistoForm::onLoad() {
    setCaption("Histo " + std::to_string(++session().moduleState<SpacingState>().histogramCounter));
    const Form* main = session().mainWindow();
    const Form* options = session().findForm("frmHistoTools");
    const double mainWidth = main ? main->width() : kDesignWidth + HistoToolsForm::kWidth;
    const double optionsLeft = options ? options->left() : mainWidth - HistoToolsForm::kWidth - 200;
    move(std::max(0.0, optionsLeft - kChartGap - kDesignWidth), 0, kDesignWidth, kDesignHeight);
    PositionneLabels();
    redraw();
}

// ---------------------------------------------------------------- drawing

void HistoForm::showHistogram(HistogramContent content) {
    content_ = std::move(content);
    redraw();
}

void HistoForm::showVariogram(VariogramContent content) {
    content_ = std::move(content);
    redraw();
}

void HistoForm::redraw() {
    Control& surface = at("picHisto");
    setGeometry(surface, 0, 0, innerWidth(), innerHeight());
    Drawing& picture = drawing(surface);
    picture.setSize(innerWidth(), innerHeight());
    RecordingCanvas& chart = picture.staticLayer();
    chart.reset();
    chart.clear(colors::White);
    drawChart(chart, 1);
    drawingChanged(surface, DrawingLayer::Static);
}

std::vector<CanvasRect> HistoForm::labelAreas(double scale) const {
    std::vector<CanvasRect> areas;
    for (const char* name : kEditableLabels) {
        const Control& label = at(name);
        if (!label.visible() || label.text().empty()) continue;
        areas.push_back({label.left() * scale, label.top() * scale, (label.left() + label.width()) * scale,
                         (label.top() + label.height()) * scale});
    }
    return areas;
}

void HistoForm::drawChart(Canvas& canvas, double scale) const {
    if (const HistogramContent* h = histogram()) {
        const std::vector<CanvasRect> labels = h->laws.legend ? labelAreas(scale) : std::vector<CanvasRect>{};
        PlotHistogramOn(canvas, h->figures, h->laws, scale, labels);
    } else if (const VariogramContent* v = variogram()) PlotVariogramOn(canvas, v->gamma, v->width, scale);
}

void HistoForm::drawPicture(Canvas& canvas, double scale) const {
    canvas.clear(colors::White);
    drawChart(canvas, scale);
    canvas.setPen(colors::Black, 1);
    for (const char* name : kEditableLabels) {
        const Control& label = at(name);
        if (!label.visible() || label.text().empty()) continue;
        FontSpec font = label.font();
        font.size *= scale;
        canvas.setFont(font);
        canvas.text(label.left() * scale, label.top() * scale, label.text());
    }
    const Control& box = at("picText");
    if (box.visible()) {
        DrawRotatedText(canvas, box.left() * scale, box.top() * scale, box.width() * scale, box.height() * scale,
                        box.text(), 900, scale);
    }
}

void HistoForm::drawVerticalLabel() {
    Control& box = at("picText");
    Drawing& label = drawing(box);
    label.setSize(box.width(), box.height());
    RecordingCanvas& rotated = label.staticLayer();
    rotated.reset();
    DrawRotatedText(rotated, 0, 0, box.width(), box.height(), box.text(), 900, 1);
    drawingChanged(box, DrawingLayer::Static);
}

// ---------------------------------------------------------------- labels

void HistoForm::autoSize(Control& label) {
    if (std::find(fixedSize_.begin(), fixedSize_.end(), &label) != fixedSize_.end()) return;
    const TextSize size = measureText(label.font(), label.text());
    setGeometry(label, label.left(), label.top(), size.width, size.height);
}

void HistoForm::PositionneLabels() {
    const double w = innerWidth();
    const double h = innerHeight();
    for (const auto& control : controls())
        if (control->kind() == ControlKind::Label) autoSize(*control);

    Control& title = at("lblTitre");
    setGeometry(title, (w - title.width()) / 2, kTitleTop, title.width(), title.height());
    Control& info = at("lblInfo");
    setGeometry(info, (w - info.width()) / 2, title.top() + title.height(), info.width(), info.height());

    double widest = 0;
    for (const char* name : kStatistics) widest = std::max(widest, at(name).width());
    double top = kPlotVertical + kStatisticsInset;
    for (const char* name : kStatistics) {
        Control& label = at(name);
        setGeometry(label, w - kPlotRight - kStatisticsInset - widest, top, label.width(), label.height());
        top += label.height();
    }

    Control& axis = at("lblX");
    const double plotWidth = w - kPlotLeft - kPlotRight;
    setGeometry(axis, kPlotLeft + (plotWidth - axis.width()) / 2, h - kPlotVertical + kAxisLabelDrop, axis.width(),
                axis.height());

    // The vertical label: its box turned a quarter, centred on the plotting area's height.
    Control& vertical = at("lblY");
    Control& box = at("picText");
    const double boxWidth = vertical.height();
    const double boxHeight = vertical.width();
    setGeometry(box, kRotatedLeft, (h - boxHeight) / 2, boxWidth, boxHeight);
    setGeometry(vertical, kRotatedLeft, h / 2 - vertical.height() / 2, vertical.width(), vertical.height());
    setText(box, vertical.text());
    drawVerticalLabel();
    // The legend keeps clear of the labels just placed.
    if (const HistogramContent* h = histogram(); h && h->laws.legend) redraw();
}

void HistoForm::EditLabel(Control& label) {
    if (editing_) CommitLabelEdit();
    if (std::find(fixedSize_.begin(), fixedSize_.end(), &label) == fixedSize_.end()) fixedSize_.push_back(&label);
    editing_ = &label;
    Control& box = at("txtSaisie");
    const FontSpec& font = label.font();
    setFont(box, FontSpec{font.name, font.size, font.bold, font.italic});
    setText(box, TrimBlanks(label.text()));
    setGeometry(box, label.left() - 100, label.top() - 30, label.width() + 20 * font.size,
                lineHeight(box.font()) + 100);
    setVisible(box, true);
    selectAll(box);
    setFocus(box);
}

void HistoForm::placeEditor() {
    const Control& label = *editing_;
    Control& box = at("txtSaisie");
    const TextSize size = measureText(box.font(), box.text());
    double left = label.left() - 100;
    double width = label.width() + 20 * box.font().size;
    if (label.left() - 150 < kEditorLeftmost) {
        left = kEditorLeftmost;
        width = 1.2 * size.width;
    }
    setGeometry(box, left, label.top() - 30, width, size.height + 100);
}

void HistoForm::onChange(Control& control) {
    if (control.name() != "txtSaisie" || !editing_) return;
    // The label follows the typing.
    setFont(*editing_, control.font());
    setText(*editing_, control.text());
    placeEditor();
}

void HistoForm::CommitLabelEdit() {
    if (!editing_) return;
    Control& label = *editing_;
    editing_ = nullptr;
    Control& box = at("txtSaisie");
    Control& picture = at("picText");
    fixedSize_.erase(std::remove(fixedSize_.begin(), fixedSize_.end(), &label), fixedSize_.end());
    if (!picture.visible()) {
        // The vertical label: padded, sized to its new text, drawn turned in its box again.
        setText(label, "     " + label.text() + "     ");
        autoSize(label);
        const double centre = label.top() + label.height() / 2;
        setGeometry(picture, picture.left(), centre - label.width() / 2, label.height(), label.width());
        setText(picture, "  " + TrimBlanks(label.text()));
        drawVerticalLabel();
        setVisible(picture, true);
    } else {
        setGeometry(label, box.left() + 100, box.top() + 30, label.width(), label.height());
        autoSize(label);
    }
    setVisible(box, false);
}

void HistoForm::onDoubleClick(Control& control) {
    const std::string& name = control.name();
    if (name == "picText") {
        Control& vertical = at("lblY");
        setVisible(control, false);
        setGeometry(vertical, control.left(), control.top() + control.height() / 2 - vertical.height() / 2,
                    vertical.width(), vertical.height());
        EditLabel(vertical);
        Control& box = at("txtSaisie");
        if (box.left() < kEditorLeftmost) setGeometry(box, kEditorLeftmost, box.top(), box.width(), box.height());
        return;
    }
    for (const char* editable : kEditableLabels) {
        if (name == editable) {
            EditLabel(control);
            return;
        }
    }
}

void HistoForm::onLostFocus(Control& control) {
    if (control.name() == "txtSaisie") CommitLabelEdit();
}

void HistoForm::onKeyDown(int& keyCode, int /*shiftState*/) {
    if (keyCode != keys::Enter || !editing_ || editing_->name() != "lblY") return;
    keyCode = 0;
    CommitLabelEdit();
}

void HistoForm::onPointerPress(Control& control, const PointerEvent& event) {
    if (control.name() != "picHisto" || !(event.buttons & buttons::Left)) return;
    // A click does what activation does, so the options come back on a window that is already active.
    onActivate();
    // A click on the surface ends an edit.
    Control& editor = at("txtSaisie");
    if (!editor.visible()) return;
    if (focused() == &editor) userLeave();
    CommitLabelEdit();
}

void HistoForm::onPointerMove(Control& control, const PointerEvent& event) {
    Control& editor = at("txtSaisie");
    if (control.name() == "picHisto") {
        setPointer(editor, PointerShape::Arrow);
    } else if (&control == &editor) {
        // The editor's border, where it can be dragged, shows the move pointer; the position shows in the status bar.
        if (MainForm* main = session().mainForm())
            main->setStatusPanel(panels::Text, generalNumber(event.x) + " - " + generalNumber(event.y));
        const bool edge = event.x <= kEditorEdge || event.y <= kEditorEdge || event.x >= editor.width() - kEditorEdge ||
                          event.y >= editor.height() - kEditorEdge;
        setPointer(editor, edge ? PointerShape::SizeAll : PointerShape::Arrow);
    }
}

// ---------------------------------------------------------------- window

bool HistoForm::editCopy() {
    if (focused() == &at("txtSaisie") && at("txtSaisie").visible()) return false;
    copyChart(*this);
    return true;
}

void HistoForm::onActivate() {
    Session& s = session();
    SpacingState& state = s.moduleState<SpacingState>();
    if (caption().rfind("Histo-", 0) == 0) ShowHistoTools(s);
    // A chart prints, saves as a picture and copies as an image.
    if (MainForm* main = s.mainForm()) main->enableDocumentCommands({true, false, true, true});
    state.currentChart = this;
    for (const HistogramRow& row : state.histogramTable) {
        if (row.chart == this) {
            LoadHistoToolsFromRow(s, row);
            break;
        }
    }
}

void HistoForm::onUnload() {
    // Free this window's rows, so no row points at a closed window.
    for (HistogramRow& row : session().moduleState<SpacingState>().histogramTable)
        if (row.chart == this) row.chart = nullptr;
}

void HistoForm::onDeactivate() {
    if (MainForm* main = session().mainForm()) main->enableDocumentCommands({});
}

void HistoForm::onRefresh() {
    PositionneLabels();
    redraw();
}

void HistoForm::onResize() {
    if (windowState() == WindowState::Minimized || session().moduleState<SpacingState>().busy) return;
    // This window's own chart is drawn again at its new size.
    PositionneLabels();
    redraw();
}

bool HistoForm::onQueryUnload() {
    Session& s = session();
    if (s.shuttingDown) return false;
    hide();
    bool otherHistogram = false;
    for (const auto& form : s.forms()) {
        if (form.get() != this && form->name() == "frmHisto" && form->visible() &&
            form->caption().rfind("Histo-", 0) == 0)
            otherHistogram = true;
    }
    if (!otherHistogram) {
        if (Form* options = s.findForm("frmHistoTools"); options && options->visible()) {
            if (MainForm* main = s.mainForm()) main->toolWindowClosed(*options);
            else options->hide();
        }
    }
    return true;
}

}  // namespace ravelin
