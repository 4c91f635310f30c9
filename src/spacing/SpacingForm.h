#pragma once
// The spacing datasheet (frmSpacing): header texts, three orientations and
// the theta angle, the data type, two value grids (measured and corrected)
// with their in-cell editor, the data summary, the hidden chart settings
// and the commands "Convert >", "Plot Histo" and "Variogram".
//
// The grids are controls MSFlexGrid1(0) and MSFlexGrid1(1) of kind Grid
// whose cells, current cell, selection and clipboard format are two
// SpacingGrid components. A Qt model reads them and listens to them; the
// view writes through the user* actions below so that the window's rules
// (editor, scrolling in step, modified marker) apply.

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/Form.h"
#include "core/MainForm.h"
#include "spacing/SpacingGrid.h"

namespace ravelin {

class SpacingForm : public Form, public EditTarget {
public:
    explicit SpacingForm(Session& session);

    // --- the grids ---
    SpacingGrid& grid(int index) { return *grids_[static_cast<std::size_t>(index)]; }
    const SpacingGrid& grid(int index) const { return *grids_[static_cast<std::size_t>(index)]; }
    // Rows of both grids, the header row included.
    long long rows() const { return grids_[0]->rows(); }
    std::string cell(int grid, long long row, int column) const;
    // Writes a cell as another window would (no editor rules, no marker).
    void setCell(int grid, long long row, int column, const std::string& text);
    // The grid being edited or clicked last (0 or 1).
    int currentGrid() const { return currentGrid_; }
    // The row the cell editor was last opened on.
    long long editRow() const { return editRow_; }

    // --- the user's actions on the grids (from the Qt view or a script) ---
    void userGridKeyPress(int grid, int key);
    void userGridDoubleClick(int grid);
    // A click on a cell: commits a pending edit when the cell changes, then
    // hides the editor, makes the grid current and refreshes the summary.
    void userGridClick(int grid, long long row, int column = SpacingGrid::kValueColumn);
    // A block selected with the mouse or the keyboard (the current cell moves to its first row).
    void userGridSelect(int grid, long long rowStart, long long rowEnd);
    // A Shift+click or a drag: the block from the row last clicked or moved to, to `row`.
    void userGridExtend(int grid, long long row);
    // A key on a grid outside its editor. Up, Down, Page Up/Down (by `pageRows`),
    // Home and End move the current cell, or with `extend` the block's free end;
    // Left and Right are taken and do nothing (one editable column). Returns
    // the row to bring into sight, or nothing for any other key.
    std::optional<long long> userGridKeyDown(int grid, int keyCode, bool extend, long long pageRows);
    // Scrolling one grid scrolls the other to the same top row.
    void userGridScroll(int grid, long long topRow);
    // Delete on a grid outside its editor: the selected cells are emptied.
    void userGridDelete(int grid);
    // The mouse moved over the window's background or a frame.
    void userMouseMove() { UpdateDataInfo(); }

    // --- the window's operations (names other windows use) ---
    void NumFlexGrid(long long rows, long long first);
    // Data rows of a new or freshly loaded datasheet, from the options.
    long long DefaultDataRows() const;
    void EditCell(int key, int gridIndex);
    void MSFlexGrid1_LeaveCell(int gridIndex);
    void UpdateDataInfo();
    // "Convert >": the corrected column from the measured one, its total
    // length, and the measured cells that read 0 ("0", "abc") emptied.
    void ConvertData();
    // The same in two steps, for "Plot Histo", which reads the values in the
    // same pass: the conversion with the factor c (cos theta), calling
    // each(x, y) for every non-zero measured value and its correction, in row
    // order; then what it found applied to the window.
    struct Conversion {
        SpacingColumn corrected;
        std::vector<long long> zeros;  // rows whose cells read 0
        double sum = 0;
        double largest = 0;
    };
    template <class Each>
    Conversion convertMeasured(double c, Each&& each) const;
    void applyConversion(Conversion conversion);

    // --- file ---
    // The full path of the file the datasheet was loaded from or saved to; empty when none.
    const std::string& filePath() const { return filePath_; }
    void setFilePath(std::string path) { filePath_ = std::move(path); }

    // --- Edit commands of the main window ---
    bool editCopy() override;
    bool editCut() override;
    bool editPaste() override;

    // --- history ---
    // The datasheet now holds a file's content (or a new one's): no step to
    // take back, and the present state is the saved one.
    void resetHistory();

    // The texts of the header fields and the data type, as one undo step keeps them.
    struct HeaderState {
        std::array<std::string, 10> texts;  // txtComment, txtFamily, txtLoc, txtOr(0..6)
        int dataType = 1;                   // the option selected, 0 or 1
        bool operator==(const HeaderState&) const = default;
    };
    HeaderState headerState() const;
    // Puts the header back as it was (txtOr(4) last, so that a typed theta wins
    // over the one ComputeTheta derives when the set or scanline is incomplete).
    void applyHeaderState(const HeaderState& state);

protected:
    void onLoad() override;
    void onChange(Control& control) override;
    void onClick(Control& control) override;
    void onKeyPress(Control& control, int& key) override;
    void onKeyDown(int& keyCode, int shiftState) override;
    void onLostFocus(Control& control) override;
    void onActivate() override;
    void onDeactivate() override;
    void onResize() override;
    bool onQueryUnload() override;
    void onUnload() override;
    void onCommitEdit() override;
    void onRefresh() override;

private:
    void buildControls();
    Control& gridControl(int index) { return at("MSFlexGrid1", index); }
    Control& editor() { return at("txtSaisie"); }
    bool editorVisible() const { return at("txtSaisie").visible(); }
    // Writes the editor's text read as a number into the current cell of the current grid.
    void writeEditorValue();
    void focusGrid(int index);
    void moveRow(int gridIndex, long long row);
    void placeEditor(int gridIndex);
    // The grid whose cells Copy, Cut and Paste act on, or -1.
    int editGrid();
    void dataEdited();
    // Runs a change of the cells of `block` in grid `gridIndex` and records it for Undo.
    void recordCells(int gridIndex, const GridBlock& block, const std::function<void()>& change);
    // The header changed: one undo step from the last header state to this one,
    // joined with the previous step while the same field is typed into.
    void headerEdited(const Control& control);
    void enableDocumentCommands(bool enabled);
    void loadHistogramOptions();

    std::array<std::unique_ptr<SpacingGrid>, 2> grids_;
    int currentGrid_ = 0;
    long long editRow_ = 1;  // the row the editor was opened on
    struct DataSummary {
        std::uint64_t revision = 0;  // of the measured grid it was read from
        long long count = 0;
        double sum = 0;
        double largest = 0;
    };
    std::optional<DataSummary> summary_;
    std::string filePath_;
    bool closing_ = false;
    HeaderState header_;   // the header as the last recorded step left it
    int headerDepth_ = 0;  // >0 while a header change runs its consequences (theta)
};

template <class Each>
SpacingForm::Conversion SpacingForm::convertMeasured(double c, Each&& each) const {
    const SpacingGrid& measured = grid(0);
    Conversion conversion;
    // Every corrected cell is rewritten, so the column is built whole and replaces the old one.
    const auto rows = static_cast<std::size_t>(measured.lastFilledRow());
    conversion.corrected.reserve(rows);
    const std::uint8_t empty = SpacingColumn::codeOf(CellKind::Empty);
    const std::uint8_t written = SpacingColumn::codeOf(c != 1 ? CellKind::Fixed2 : CellKind::General);
    struct Total {
        double sum = 0;
        double largest = 0;
        std::size_t visited = 0;
    };
    Total total;
    std::vector<long long>& zeros = conversion.zeros;
    conversion.corrected.appendValues(rows, [&](double* corrected, std::uint8_t* codes) {
        total = measured.foldRows(Total{}, [&zeros, &each, corrected, codes, c, empty, written](
                                               Total t, long long r, double x, bool isEmpty) {
            const auto i = static_cast<std::size_t>(r - 1);
            t.visited = i + 1;
            if (x == 0) {
                if (!isEmpty) zeros.push_back(r);
                corrected[i] = 0;
                codes[i] = empty;
                return t;
            }
            const double y = x * c;
            corrected[i] = y;
            codes[i] = written;
            each(x, y);
            t.sum += y;
            t.largest = std::max(t.largest, y);
            return t;
        });
        std::fill(corrected + total.visited, corrected + rows, 0.0);
        std::fill(codes + total.visited, codes + rows, empty);
    });
    conversion.sum = total.sum;
    conversion.largest = total.largest;
    return conversion;
}

// The theta angle of a datasheet from its orientation fields txtOr: when 2,
// 3, 5 and 6 (the set's and the scanline's) are all filled, theta is written
// into txtOr(4) as whole degrees and txtOr(4) is disabled; otherwise txtOr(4)
// is enabled for typing.
void ComputeTheta(SpacingForm& datasheet);

}  // namespace ravelin
