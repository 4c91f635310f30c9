#include "spacing/SpacingGrid.h"

#include <algorithm>
#include <limits>

#include "core/NumberText.h"

namespace ravelin {

namespace {
const char* const kHeaders[SpacingGrid::kColumns] = {"N\xC2\xB0", "   Distance"};

// Edits leave dead text in the pool; it is rebuilt once the dead part passes
// both this size and half the pool, so typing never copies a big pool often.
constexpr std::size_t kCompactionThreshold = 1 << 20;

// A cell longer than this is cut: the length is kept in 32 bits.
constexpr std::size_t kMaximumCellLength = std::numeric_limits<std::uint32_t>::max();
}  // namespace

SpacingGrid::SpacingGrid(int index) : index_(index) { setRows(2); }

void SpacingGrid::setRows(long long rows) {
    rows = std::max(rows, 2LL);
    if (rows == rows_ && numbers_.size() == static_cast<std::size_t>(rows - 1)) return;
    if (rows < rows_) {
        for (std::size_t s = static_cast<std::size_t>(rows - 1); s < kinds_.size(); ++s) release(s);
    }
    const auto slots = static_cast<std::size_t>(rows - 1);
    numbers_.resize(slots, 0.0);
    offsets_.resize(slots, 0);
    lengths_.resize(slots, 0);
    kinds_.resize(slots, Kind::Empty);
    rows_ = rows;
    row_ = std::min(row_, rows_ - 1);
    topRow_ = std::min(topRow_, rows_ - 1);
    selection_.rowStart = std::min(selection_.rowStart, rows_ - 1);
    selection_.rowEnd = std::min(selection_.rowEnd, rows_ - 1);
    compactPool();
    if (!redraw_) {
        pendingRows_ = true;
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_))
        observer->rowCountChanged(*this);
}

std::string SpacingGrid::text(long long row, int column) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= rows_) return {};
    if (row == 0) return kHeaders[column];
    if (column == 0) return std::to_string(row);
    const std::size_t s = slot(row);
    switch (kinds_[s]) {
        case Kind::Empty: return {};
        case Kind::Text: return pool_.substr(offsets_[s], lengths_[s]);
        case Kind::General: return generalNumber(numbers_[s]);
        case Kind::Fixed2: return formatNumber(numbers_[s], "0.0#");
    }
    return {};
}

bool SpacingGrid::isEmpty(long long row) const { return !isDataRow(row) || kinds_[slot(row)] == Kind::Empty; }

double SpacingGrid::number(long long row) const {
    if (!isDataRow(row)) return 0;
    const std::size_t s = slot(row);
    switch (kinds_[s]) {
        case Kind::Empty: return 0;
        case Kind::Fixed2: return readNumber(formatNumber(numbers_[s], "0.0#"));  // the value shown
        default: return numbers_[s];
    }
}

void SpacingGrid::release(std::size_t s) {
    if (kinds_[s] == Kind::Text) poolGarbage_ += lengths_[s];
    kinds_[s] = Kind::Empty;
    numbers_[s] = 0;
    lengths_[s] = 0;
}

void SpacingGrid::storeText(std::size_t s, std::string_view text) {
    release(s);
    if (text.empty()) return;
    text = text.substr(0, std::min(text.size(), kMaximumCellLength));
    offsets_[s] = pool_.size();
    lengths_[s] = static_cast<std::uint32_t>(text.size());
    pool_.append(text);
    numbers_[s] = readNumber(text);
    kinds_[s] = Kind::Text;
}

void SpacingGrid::compactPool() {
    if (poolGarbage_ < kCompactionThreshold || poolGarbage_ * 2 < pool_.size()) return;
    std::string fresh;
    fresh.reserve(pool_.size() - poolGarbage_);
    for (std::size_t s = 0; s < kinds_.size(); ++s) {
        if (kinds_[s] != Kind::Text) continue;
        const std::size_t offset = fresh.size();
        fresh.append(pool_, offsets_[s], lengths_[s]);
        offsets_[s] = offset;
    }
    pool_ = std::move(fresh);
    poolGarbage_ = 0;
}

void SpacingGrid::setText(long long row, int column, std::string_view text) {
    if (column != kValueColumn || !isDataRow(row)) return;
    storeText(slot(row), text);
    compactPool();
    changed(row, row);
}

void SpacingGrid::setGeneral(long long row, double value) {
    if (!isDataRow(row)) return;
    const std::size_t s = slot(row);
    release(s);
    numbers_[s] = value;
    kinds_[s] = Kind::General;
    changed(row, row);
}

void SpacingGrid::setFixed2(long long row, double value) {
    if (!isDataRow(row)) return;
    const std::size_t s = slot(row);
    release(s);
    numbers_[s] = value;
    kinds_[s] = Kind::Fixed2;
    changed(row, row);
}

void SpacingGrid::clear(long long row) {
    if (!isDataRow(row) || kinds_[slot(row)] == Kind::Empty) return;
    release(slot(row));
    changed(row, row);
}

void SpacingGrid::clearRange(long long first, long long last) {
    first = std::max(first, 1LL);
    last = std::min(last, rows_ - 1);
    if (first > last) return;
    for (long long r = first; r <= last; ++r) release(slot(r));
    compactPool();
    changed(first, last);
}

void SpacingGrid::assignTexts(long long first, const std::vector<std::string_view>& texts) {
    if (texts.empty() || first < 1) return;
    std::size_t bytes = 0;
    for (std::string_view t : texts) bytes += t.size();
    pool_.reserve(pool_.size() + bytes);
    long long row = first;
    for (std::string_view t : texts) {
        if (!isDataRow(row)) break;
        storeText(slot(row), t);
        ++row;
    }
    compactPool();
    changed(first, row - 1);
}

long long SpacingGrid::lastFilledRow() const {
    for (std::size_t s = kinds_.size(); s-- > 0;)
        if (kinds_[s] != Kind::Empty) return static_cast<long long>(s) + 1;
    return 0;
}

long long SpacingGrid::clampRow(long long row) const { return std::clamp(row, 1LL, rows_ - 1); }

void SpacingGrid::setCurrent(long long row, int column) {
    row = clampRow(row);
    column = kValueColumn;  // the only column that is not fixed
    const GridBlock block{row, row, column, column};
    if (row == row_ && column == column_ && selection_ == block) return;
    row_ = row;
    column_ = column;
    selection_ = block;
    cursorMoved();
}

void SpacingGrid::setSelection(GridBlock block) {
    block.rowStart = clampRow(block.rowStart);
    block.rowEnd = clampRow(block.rowEnd);
    if (block.rowEnd < block.rowStart) std::swap(block.rowStart, block.rowEnd);
    block.columnStart = block.columnEnd = kValueColumn;
    if (block == selection_) return;
    selection_ = block;
    cursorMoved();
}

void SpacingGrid::setTopRow(long long row) {
    row = clampRow(row);
    if (row == topRow_) return;
    topRow_ = row;
    if (!redraw_) {
        pendingTop_ = true;
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_)) observer->topRowChanged(*this);
}

std::string SpacingGrid::clip() const {
    std::string out;
    for (long long r = selection_.rowStart; r <= selection_.rowEnd; ++r) {
        if (r > selection_.rowStart) out.push_back('\r');
        for (int c = selection_.columnStart; c <= selection_.columnEnd; ++c) {
            if (c > selection_.columnStart) out.push_back('\t');
            out += text(r, c);
        }
    }
    return out;
}

void SpacingGrid::setClip(std::string_view text) {
    long long row = selection_.rowStart;
    std::size_t position = 0;
    while (row <= selection_.rowEnd) {
        const std::size_t lineEnd = std::min(text.find('\r', position), text.size());
        const std::string_view line = text.substr(position, lineEnd - position);
        std::size_t piece = 0;
        for (int column = selection_.columnStart; column <= selection_.columnEnd; ++column) {
            const std::size_t pieceEnd = std::min(line.find('\t', piece), line.size());
            storeText(slot(row), line.substr(piece, pieceEnd - piece));
            if (pieceEnd >= line.size()) break;
            piece = pieceEnd + 1;
        }
        if (lineEnd >= text.size()) break;
        position = lineEnd + 1;
        ++row;
    }
    compactPool();
    changed(selection_.rowStart, std::min(row, selection_.rowEnd));
}

void SpacingGrid::setRedraw(bool redraw) {
    if (redraw == redraw_) return;
    redraw_ = redraw;
    if (!redraw) return;
    const auto observers = std::vector<SpacingGridObserver*>(observers_);
    if (pendingRows_) {
        for (SpacingGridObserver* observer : observers) observer->rowCountChanged(*this);
    } else if (dirtyFirst_ >= 0) {
        for (SpacingGridObserver* observer : observers) observer->cellsChanged(*this, dirtyFirst_, dirtyLast_);
    }
    if (pendingCursor_)
        for (SpacingGridObserver* observer : observers) observer->cursorChanged(*this);
    if (pendingTop_)
        for (SpacingGridObserver* observer : observers) observer->topRowChanged(*this);
    pendingRows_ = pendingCursor_ = pendingTop_ = false;
    dirtyFirst_ = dirtyLast_ = -1;
}

void SpacingGrid::changed(long long first, long long last) {
    if (first > last) return;
    if (!redraw_) {
        dirtyFirst_ = dirtyFirst_ < 0 ? first : std::min(dirtyFirst_, first);
        dirtyLast_ = std::max(dirtyLast_, last);
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_))
        observer->cellsChanged(*this, first, last);
}

void SpacingGrid::cursorMoved() {
    if (!redraw_) {
        pendingCursor_ = true;
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_)) observer->cursorChanged(*this);
}

void SpacingGrid::addObserver(SpacingGridObserver* observer) { observers_.push_back(observer); }

void SpacingGrid::removeObserver(SpacingGridObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace ravelin
