#include "spacing/SpacingForm.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/GridUndo.h"
#include "core/NumberText.h"
#include "core/NumericFields.h"
#include "core/Orientation.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/Unicode.h"
#include "spacing/HistogramCommand.h"
#include "spacing/SpacingState.h"
#include "spacing/VariogramCommand.h"

namespace ravelin {

namespace {

constexpr double kWindowWidth = 4500;     // twips, kept on every resize
constexpr double kCreationHeight = 8500;  // twips
constexpr double kLargestHeight = 7425;   // twips, the height a resize allows at most
constexpr double kGridTop = 3900;         // twips, top of both grids
constexpr double kGridLefts[2] = {100, 2350};

std::string codePointText(int key) {
    // Keys above 127 are code points of the typed character.
    std::string out;
    appendUtf8(out, static_cast<char32_t>(key < 0 ? (key & 0xFFFF) : key));
    return out;
}

// The header's fields in the order a HeaderState keeps their texts.
constexpr std::pair<const char*, int> kHeaderFields[] = {
    {"txtComment", -1}, {"txtFamily", -1}, {"txtLoc", -1}, {"txtOr", 0}, {"txtOr", 1},
    {"txtOr", 2},       {"txtOr", 3},      {"txtOr", 4},   {"txtOr", 5}, {"txtOr", 6},
};
constexpr std::size_t kThetaField = 7;

bool isHeaderField(const std::string& name) {
    return name == "txtComment" || name == "txtFamily" || name == "txtLoc" || name == "txtOr";
}

// One change of the header: typing into one field (joined letter by letter), or the data type.
class HeaderChange final : public UndoCommand {
public:
    HeaderChange(SpacingForm& sheet, std::string field, SpacingForm::HeaderState before, SpacingForm::HeaderState after)
        : sheet_(sheet), field_(std::move(field)), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { sheet_.applyHeaderState(before_); }
    void redo() override { sheet_.applyHeaderState(after_); }
    bool absorb(UndoCommand& next) override {
        auto* change = dynamic_cast<HeaderChange*>(&next);
        if (!change || change->field_ != field_ || change->before_ != after_) return false;
        after_ = change->after_;
        return true;
    }

private:
    SpacingForm& sheet_;
    std::string field_;  // the control typed into, "txtOr(2)"
    SpacingForm::HeaderState before_;
    SpacingForm::HeaderState after_;
};

}  // namespace

SpacingForm::SpacingForm(Session& session) : Form(session, "frmSpacing", "Datasheet") {
    for (int i = 0; i < 2; ++i) {
        grids_[static_cast<std::size_t>(i)] = std::make_unique<SpacingGrid>(i);
        // A pending edit is committed before the grid's current cell moves, whoever moves it.
        grid(i).onLeaveCell([this, i] { MSFlexGrid1_LeaveCell(i); });
    }
    buildControls();
}

void SpacingForm::buildControls() {
    add(ControlKind::TextBox, "txtComment").withDescription("Comment / title :");
    add(ControlKind::TextBox, "txtFamily").withDescription("Family name :");
    add(ControlKind::TextBox, "txtLoc").withDescription("Location :");

    add(ControlKind::Frame, "fraOrientation").withText("Orientation data");
    const char* descriptions[] = {"Cliff wall - Dip dir.", "Cliff wall - Dip ang.", "Disc. set - Dip dir.",
                                  "Disc. set - Dip ang.",  "Theta angle",           "Scanline - Dip dir.",
                                  "Scanline - Dip ang."};
    // Tab order: cliff wall, discontinuity set, scanline, then theta.
    for (int i : {0, 1, 2, 3, 5, 6})
        add(ControlKind::TextBox, "txtOr", i).withDescription(descriptions[i]).withContainer("fraOrientation");
    add(ControlKind::TextBox, "txtOr", 4).withText("0").withDescription("Theta angle").withContainer("fraOrientation");

    add(ControlKind::Frame, "fraType").withText("Type of data");
    add(ControlKind::OptionButton, "optData", 0).withText("Intersection dist.").withContainer("fraType");
    add(ControlKind::OptionButton, "optData", 1).withText("Disc. spacings").withContainer("fraType").withValue(1);

    add(ControlKind::Frame, "fraData").withText("Discontinuity data");
    const char* gridLabels[] = {"Measured data (apparent spac./dist.)", "Corrected data (true spacings)"};
    for (int i = 0; i < 2; ++i) {
        add(ControlKind::Grid, "MSFlexGrid1", i)
            .withDescription(gridLabels[i])
            .withContainer("fraData")
            .withGeometry(kGridLefts[i], kGridTop, grid(i).columnSpec(0).width + grid(i).columnSpec(1).width + 300,
                          3200);
    }
    add(ControlKind::TextBox, "txtSaisie").withVisible(false).withTabStop(false).withContainer("fraData");
    add(ControlKind::Label, "lblRes", 0).withContainer("fraData");
    add(ControlKind::Label, "lblRes", 1).withContainer("fraData");
    add(ControlKind::Label, "lblRes", 2).withContainer("fraData");
    add(ControlKind::CheckBox, "chkNew").withText("New histo").withContainer("fraData");
    add(ControlKind::CommandButton, "cmdConvert").withText("Convert >").withContainer("fraData").withEnabled(false);
    add(ControlKind::CommandButton, "cmdHisto").withText("Plot Histo").withContainer("fraData").withEnabled(false);
    add(ControlKind::CommandButton, "Vario").withText("Variogram").withContainer("fraData").withEnabled(false);

    // Chart settings kept with the datasheet; never shown.
    for (const char* name : {"Interval", "Classes", "Expon", "Lognorm", "Norm", "Triang", "Legend"})
        add(ControlKind::Label, name).withVisible(false);
}

long long SpacingForm::DefaultDataRows() const {
    // Beyond this the two grids alone would take hundreds of megabytes: a typing slip, not a wish.
    constexpr double kMostRows = 10'000'000;
    const double wanted = readNumber(session().options.nbDataOnGrid);
    return static_cast<long long>(std::clamp(wanted, 1.0, kMostRows));
}

void SpacingForm::onLoad() {
    setCaption("Data " + std::to_string(++session().moduleState<SpacingState>().datasheetCounter));
    const long long dataRows = DefaultDataRows();
    setFont(editor(), gridControl(0).font());
    setVisible(editor(), false);
    NumFlexGrid(dataRows + 1, 1);
    move(0, 0, kWindowWidth, kCreationHeight);
    resetHistory();
    if (MainForm* main = session().mainForm()) main->documentActivated(*this);
    show();
}

// ---------------------------------------------------------------- history

SpacingForm::HeaderState SpacingForm::headerState() const {
    HeaderState state;
    for (std::size_t i = 0; i < state.texts.size(); ++i)
        state.texts[i] = text(kHeaderFields[i].first, kHeaderFields[i].second);
    state.dataType = at("optData", 1).value() != 0 ? 1 : 0;
    return state;
}

void SpacingForm::applyHeaderState(const HeaderState& state) {
    for (std::size_t i = 0; i < state.texts.size(); ++i)
        if (i != kThetaField) setText(kHeaderFields[i].first, kHeaderFields[i].second, state.texts[i]);
    setValue(at("optData", state.dataType), 1);
    setText("txtOr", 4, state.texts[kThetaField]);
    header_ = headerState();
}

void SpacingForm::headerEdited(const Control& control) {
    // Theta computed from the set and scanline belongs to the change that caused it.
    if (headerDepth_ > 0) return;
    HeaderState now = headerState();
    if (now == header_) return;
    if (!undoStack().replaying()) undoStack().push(std::make_unique<HeaderChange>(*this, control.key(), header_, now));
    header_ = std::move(now);
}

void SpacingForm::recordCells(int gridIndex, const GridBlock& block, const std::function<void()>& change) {
    RecordGridChange(undoStack(), grid(gridIndex), block, change, [this, gridIndex] {
        // The grids keep the same rows side by side, and the summary follows the cells.
        grid(1 - gridIndex).setRows(grid(gridIndex).rows());
        currentGrid_ = gridIndex;
        UpdateDataInfo();
    });
}

void SpacingForm::resetHistory() {
    header_ = headerState();
    undoStack().clear();
}

void SpacingForm::onCommitEdit() {
    if (editorVisible()) MSFlexGrid1_LeaveCell(currentGrid_);
}

void SpacingForm::onRefresh() {
    summary_.reset();
    UpdateDataInfo();
}

std::string SpacingForm::cell(int gridIndex, long long row, int column) const {
    if (gridIndex < 0 || gridIndex > 1) return {};
    return grid(gridIndex).text(row, column);
}

void SpacingForm::setCell(int gridIndex, long long row, int column, const std::string& text) {
    if (gridIndex < 0 || gridIndex > 1) return;
    grid(gridIndex).setText(row, column, text);
}

// ---------------------------------------------------------------- grids

void SpacingForm::NumFlexGrid(long long rowCount, long long /*first*/) {
    // Column 0 numbers every row by itself, so only the size changes here.
    for (auto& g : grids_) g->setRedraw(false);
    for (auto& g : grids_) {
        g->setRows(rowCount);
        g->setCurrent(1, SpacingGrid::kValueColumn);
    }
    for (auto& g : grids_) g->setRedraw(true);
}

void SpacingForm::placeEditor(int gridIndex) {
    const Control& g = gridControl(gridIndex);
    const SpacingGrid& store = grid(gridIndex);
    const double cellTop = static_cast<double>(store.row() - store.topRow() + 1) * Grid::kRowHeight;
    setGeometry(editor(), g.left() + store.columnSpec(0).width, g.top() + cellTop,
                store.columnSpec(SpacingGrid::kValueColumn).width, Grid::kRowHeight);
}

void SpacingForm::EditCell(int key, int gridIndex) {
    if (gridIndex < 0 || gridIndex > 1) return;
    SpacingGrid& store = grid(gridIndex);
    Control& box = editor();
    // Known before the editor moves, so whoever follows it knows the cell it covers.
    currentGrid_ = gridIndex;
    editRow_ = store.row();
    placeEditor(gridIndex);
    setVisible(box, true);
    setFocus(box);
    const std::string text = key > 32 || key < 0 ? codePointText(key) : store.text(store.row());
    setText(box, text);
    setSelection(box, static_cast<int>(box.text().size()), 0);
}

void SpacingForm::MSFlexGrid1_LeaveCell(int /*gridIndex*/) {
    if (!editorVisible()) return;
    SpacingGrid& store = grid(currentGrid_);
    const double value = readNumber(editor().text());
    const long long row = editRow_;
    recordCells(currentGrid_, {row, row, SpacingGrid::kValueColumn, SpacingGrid::kValueColumn}, [&] {
        if (value != 0) store.setGeneral(row, value);
        else store.clear(row);
    });
    setVisible(editor(), false);
    dataEdited();
}

void SpacingForm::writeEditorValue() {
    SpacingGrid& store = grid(currentGrid_);
    const long long row = store.row();
    const std::string typed = editor().text();
    recordCells(currentGrid_, {row, row, SpacingGrid::kValueColumn, SpacingGrid::kValueColumn}, [&] {
        // An editor left empty writes an empty cell rather than a 0 that would count as a value.
        if (TrimBlanks(typed).empty()) store.clear(row);
        else store.setGeneral(row, readNumber(typed));
    });
    dataEdited();
}

void SpacingForm::focusGrid(int index) { setFocus(gridControl(index)); }

void SpacingForm::moveRow(int gridIndex, long long row) {
    SpacingGrid& store = grid(gridIndex);
    if (row == store.row()) return;
    store.setCurrent(row, SpacingGrid::kValueColumn);
    if (row < store.topRow()) userGridScroll(gridIndex, row);
}

void SpacingForm::userGridKeyPress(int gridIndex, int key) {
    if (gridIndex < 0 || gridIndex > 1) return;
    userFocus(gridControl(gridIndex));
    userKeyPress(gridControl(gridIndex), key);
}

void SpacingForm::userGridDoubleClick(int gridIndex) {
    if (gridIndex < 0 || gridIndex > 1) return;
    EditCell(keys::Space, gridIndex);
}

void SpacingForm::userGridClick(int gridIndex, long long row, int column) {
    if (gridIndex < 0 || gridIndex > 1) return;
    userFocus(gridControl(gridIndex));
    grid(gridIndex).setCurrent(row, column);
    setVisible(editor(), false);
    currentGrid_ = gridIndex;
    UpdateDataInfo();
}

void SpacingForm::userGridExtend(int gridIndex, long long row) {
    if (gridIndex < 0 || gridIndex > 1) return;
    grid(gridIndex).extendTo({row, SpacingGrid::kValueColumn});
}

std::optional<long long> SpacingForm::userGridKeyDown(int gridIndex, int keyCode, bool extend, long long pageRows) {
    if (gridIndex < 0 || gridIndex > 1) return std::nullopt;
    const std::optional<GridCell> cell = grid(gridIndex).navigate(keyCode, extend, pageRows);
    if (!cell) return std::nullopt;
    return cell->row;
}

void SpacingForm::userGridSelect(int gridIndex, long long rowStart, long long rowEnd) {
    if (gridIndex < 0 || gridIndex > 1) return;
    grid(gridIndex).selectBlock({rowStart, SpacingGrid::kValueColumn}, {rowEnd, SpacingGrid::kValueColumn});
}

void SpacingForm::userGridScroll(int gridIndex, long long topRow) {
    if (gridIndex < 0 || gridIndex > 1) return;
    grid(gridIndex).setTopRow(topRow);
    grid(1 - gridIndex).setTopRow(grid(gridIndex).topRow());
}

void SpacingForm::userGridDelete(int gridIndex) {
    if (gridIndex < 0 || gridIndex > 1 || editorVisible()) return;
    SpacingGrid& store = grid(gridIndex);
    const GridBlock block = store.selection();
    recordCells(gridIndex, block, [&] { store.clearBlock(block); });
    dataEdited();
}

// ---------------------------------------------------------------- events

void SpacingForm::onChange(Control& control) {
    const std::string& name = control.name();
    if (name == "txtSaisie") {
        MarkModified(*this);
    } else if (isHeaderField(name)) {
        ++headerDepth_;
        MarkModified(*this);
        if (name == "txtOr") ComputeTheta(*this);
        --headerDepth_;
        headerEdited(control);
    }
}

void SpacingForm::onClick(Control& control) {
    const std::string& name = control.name();
    if (name == "optData") {
        MarkModified(*this);
        headerEdited(control);
    } else if (name == "cmdConvert") ConvertData();
    else if (name == "cmdHisto") cmdHisto_Click(*this);
    else if (name == "Vario") Vario_Click(*this);
}

void SpacingForm::onKeyPress(Control& control, int& key) {
    if (control.name() == "txtSaisie") {
        FilterNumericKey(false, key);
    } else if (control.name() == "MSFlexGrid1") {
        EditCell(key, control.index());
        key = 0;
    }
}

void SpacingForm::onKeyDown(int& keyCode, int shiftState) {
    if (MainForm* main = session().mainForm(); main && main->runEditShortcut(keyCode, shiftState)) return;
    // Ctrl+Z takes back, Ctrl+Y and Ctrl+Shift+Z make again, in the fields and the cell editor alike.
    const int modifiers = shiftState & (shift::Shift | shift::Ctrl | shift::Alt);
    const bool undo = keyCode == 'Z' && modifiers == shift::Ctrl;
    const bool redo =
        (keyCode == 'Y' && modifiers == shift::Ctrl) || (keyCode == 'Z' && modifiers == (shift::Ctrl | shift::Shift));
    if (undo || redo) {
        keyCode = 0;
        if (undo) userUndo();
        else userRedo();
        return;
    }
    if (focused() != &editor() || !editorVisible()) return;
    SpacingGrid& store = grid(currentGrid_);
    switch (keyCode) {
        case keys::Escape:
            setVisible(editor(), false);
            writeEditorValue();
            focusGrid(currentGrid_);
            break;
        case keys::Enter:
        case keys::Down:
        case keys::Left:
            writeEditorValue();
            focusGrid(currentGrid_);
            if (store.row() < store.rows() - 1) moveRow(currentGrid_, store.row() + 1);
            break;
        case keys::Up:
            writeEditorValue();
            focusGrid(currentGrid_);
            if (store.row() > 1) moveRow(currentGrid_, store.row() - 1);
            break;
        default: return;
    }
    keyCode = 0;
}

void SpacingForm::onLostFocus(Control& control) {
    // Typing into a field again after leaving it is a step of its own.
    if (isHeaderField(control.name())) undoStack().breakJoin();
    if (control.name() != "txtSaisie") return;
    const double value = readNumber(control.text());
    setText(control, value != 0 ? generalNumber(value) : std::string());
}

void SpacingForm::onActivate() {
    if (MainForm* main = session().mainForm()) main->documentActivated(*this);
    enableDocumentCommands(true);
    loadHistogramOptions();
}

void SpacingForm::onDeactivate() { enableDocumentCommands(false); }

void SpacingForm::onUnload() {
    enableDocumentCommands(false);
    // Free this window's rows, so no row points at a closed window.
    SpacingState& state = session().moduleState<SpacingState>();
    for (DatasheetRow& row : state.datasheetTable) {
        if (row.window != this) continue;
        row.window = nullptr;
        row.path = session().mainWindow() ? session().mainWindow()->caption() : std::string();
    }
    for (HistogramRow& row : state.histogramTable)
        if (row.datasheet == this) row.datasheet = nullptr;
}

void SpacingForm::onResize() {
    // A maximised window keeps the size the main window gives it.
    if (windowState() != WindowState::Normal) return;
    resize(kWindowWidth, std::min(kLargestHeight, height()));
}

bool SpacingForm::onQueryUnload() {
    MainForm* main = session().mainForm();
    return main && main->closeDocumentFromTitleBar(*this);
}

void SpacingForm::enableDocumentCommands(bool enabled) {
    if (MainForm* main = session().mainForm()) main->enableDocumentCommands({enabled, enabled, enabled, enabled});
}

void SpacingForm::loadHistogramOptions() {
    for (const HistogramRow& row : session().moduleState<SpacingState>().histogramTable) {
        if (row.datasheet != this) continue;
        if (row.chart && session().owns(row.chart)) session().moduleState<SpacingState>().currentChart = row.chart;
        LoadHistoToolsFromRow(session(), row);
        return;
    }
}

// ---------------------------------------------------------------- data summary and conversion

void SpacingForm::dataEdited() { UpdateDataInfo(); }

void SpacingForm::UpdateDataInfo() {
    const SpacingGrid& measured = grid(0);
    // Every mouse move over the window asks again: the rows are read only after a change.
    if (!summary_ || summary_->revision != measured.revision()) {
        // From the last row up: the sum is taken in that order.
        summary_ = measured.foldRows(
            DataSummary{measured.revision()},
            [](DataSummary s, long long, double value, bool empty) {
                if (empty) return s;
                ++s.count;
                s.sum += value;
                s.largest = std::max(s.largest, value);
                return s;
            },
            true);
    }
    const long long count = summary_->count;
    const double sum = summary_->sum;
    const double largest = summary_->largest;
    const bool spacings = at("optData", 1).value() != 0;
    setText(at("lblRes", 2), "N = " + std::to_string(count));
    setText(at("lblRes", 0), "Tot. length = " + formatNumber(spacings ? sum : largest, "0.0#"));
    setEnabled(at("cmdHisto"), sum != 0);
    setEnabled(at("cmdConvert"), sum != 0);
    setEnabled(at("Vario"), count > 2);
}

void ComputeTheta(SpacingForm& datasheet) {
    Control& theta = datasheet.at("txtOr", 4);
    for (int i : {2, 3, 5, 6}) {
        if (datasheet.text("txtOr", i).empty()) {
            datasheet.setEnabled(theta, true);
            return;
        }
    }
    const double value = ThetaAngle(datasheet.number("txtOr", 2), datasheet.number("txtOr", 3),
                                    datasheet.number("txtOr", 5), datasheet.number("txtOr", 6));
    datasheet.setText(theta, formatNumber(value, "0"));
    datasheet.setEnabled(theta, false);
}

void SpacingForm::ConvertData() {
    grid(0).setRedraw(false);
    grid(1).setRedraw(false);
    MSFlexGrid1_LeaveCell(0);
    Control& theta = at("txtOr", 4);
    if (theta.text().empty()) setText(theta, "0");
    const double c = std::cos(readNumber(theta.text()) / DEG);
    applyConversion(convertMeasured(c, [](double, double) {}));
}

void SpacingForm::applyConversion(Conversion conversion) {
    SpacingGrid& measured = grid(0);
    SpacingGrid& corrected = grid(1);
    measured.setRedraw(false);
    corrected.setRedraw(false);
    Control& theta = at("txtOr", 4);
    if (theta.text().empty()) setText(theta, "0");
    for (long long r : conversion.zeros) measured.clear(r);
    corrected.assignColumn(std::move(conversion.corrected));
    const bool spacings = at("optData", 1).value() != 0;
    setText(at("lblRes", 1), "Tot. length = " + formatNumber(spacings ? conversion.sum : conversion.largest, "0.0#"));
    measured.setRedraw(true);
    corrected.setRedraw(true);
}

// ---------------------------------------------------------------- Edit commands

int SpacingForm::editGrid() {
    Control* control = focused();
    if (control == &editor()) {
        focusGrid(currentGrid_);
        control = focused();
    }
    if (control && control->name() == "MSFlexGrid1") return control->index();
    return -1;
}

bool SpacingForm::editCopy() {
    if (editorVisible()) MSFlexGrid1_LeaveCell(currentGrid_);
    const int g = editGrid();
    if (g < 0) return false;
    platform().clipboardClear();
    platform().setClipboardText(grid(g).copyText());
    return true;
}

bool SpacingForm::editCut() {
    if (editorVisible()) MSFlexGrid1_LeaveCell(currentGrid_);
    const int g = editGrid();
    if (g < 0) return false;
    std::string text;
    recordCells(g, grid(g).selection(), [&] { text = grid(g).cut(); });
    platform().clipboardClear();
    platform().setClipboardText(text);
    dataEdited();
    MarkModified(*this);
    return true;
}

bool SpacingForm::editPaste() {
    if (focused() == &editor() && editorVisible()) return false;  // the editor takes the text itself
    const int g = focused() && focused()->name() == "MSFlexGrid1" ? focused()->index() : -1;
    if (g < 0) return false;
    SpacingGrid& store = grid(g);
    const std::string clip = platform().clipboardText();
    const GridCell from = store.current();
    const GridBlock block{from.row, from.row + CountLineBreaks(clip), from.column, store.columns() - 1};
    bool pasted = false;
    recordCells(g, block, [&] {
        pasted = store.paste(clip);
        // A paste past the last row grows the grid: the other one follows, so that rows stay side by side.
        SpacingGrid& other = grid(1 - g);
        if (other.rows() < store.rows()) other.setRows(store.rows());
    });
    if (!pasted) return true;
    dataEdited();
    MarkModified(*this);
    return true;
}

}  // namespace ravelin
