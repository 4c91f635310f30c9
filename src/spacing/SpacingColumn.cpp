#include "spacing/SpacingColumn.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/NumberText.h"
#include "spacing/LargeBuffer.h"

namespace ravelin {

namespace {
// Edits leave dead text in the pool; it is rebuilt once the dead part passes
// both this size and half the pool, so typing never copies a big pool often.
constexpr std::size_t kCompactionThreshold = 1 << 20;

// A cell longer than this is cut: the length is kept in 32 bits.
constexpr std::size_t kMaximumCellLength = std::numeric_limits<std::uint32_t>::max();

// Up to 15 digits make a whole number below 2^53, held exactly by a double.
constexpr std::size_t kExactDigits = 15;
constexpr double kPowersOfTen[kExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The value of a cell's text. Plain decimals ("0.35", "12", "4.125": every
// usual distance) are their digits as a whole number divided by a power of
// ten; both are exact, so the one division rounds exactly as readNumber's
// conversion does. Anything else goes to readNumber.
double cellValue(std::string_view text) {
    std::uint64_t digits = 0;
    std::size_t count = 0;
    std::size_t point = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++count > kExactDigits) return readNumber(text);
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        } else if (c == '.' && point == text.size() && i > 0) {
            point = i;
        } else {
            return readNumber(text);
        }
    }
    if (count == 0) return readNumber(text);
    const std::size_t decimals = point == text.size() ? 0 : text.size() - point - 1;
    return static_cast<double>(digits) / kPowersOfTen[decimals];
}
}  // namespace

void SpacingColumn::reserve(std::size_t cells) {
    ReserveLarge(values_, cells);
    ReserveLarge(kinds_, cells);
    ReserveLarge(texts_, cells);
}

void SpacingColumn::storeText(TextRef& ref, std::string_view text) {
    ref.length = static_cast<std::uint32_t>(text.size());
    if (text.size() <= kInline) {
        std::memcpy(ref.bytes, text.data(), text.size());
        return;
    }
    const std::uint64_t offset = pool_.size();
    static_assert(sizeof offset == kInline);
    std::memcpy(ref.bytes, &offset, sizeof offset);
    pool_.append(text);
}

void SpacingColumn::append(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kMaximumCellLength));
    TextRef ref{};
    storeText(ref, text);
    // Cells appended as values have no text entry: the entries must stay in line with the cells.
    if (texts_.size() < kinds_.size()) texts_.resize(kinds_.size());
    texts_.push_back(ref);
    values_.push_back(text.empty() ? 0.0 : cellValue(text));
    kinds_.push_back(text.empty() ? CellKind::Empty : CellKind::Text);
}

void SpacingColumn::appendValue(double value, CellKind kind) {
    if (kind == CellKind::Text) kind = CellKind::General;  // a text cell is made by append(), with its text
    values_.push_back(kind == CellKind::Empty ? 0.0 : value);
    kinds_.push_back(kind);
}

std::string_view SpacingColumn::text(std::size_t i) const {
    if (kind(i) != CellKind::Text || i >= texts_.size()) return {};
    const TextRef& ref = texts_[i];
    if (ref.length <= kInline) return {ref.bytes, ref.length};
    std::uint64_t offset = 0;
    std::memcpy(&offset, ref.bytes, sizeof offset);
    return std::string_view(pool_).substr(offset, ref.length);
}

void SpacingColumn::grow(std::size_t i) {
    if (i < kinds_.size()) return;
    values_.resize(i + 1, 0.0);
    kinds_.resize(i + 1, CellKind::Empty);
}

void SpacingColumn::release(std::size_t i) {
    if (i >= kinds_.size()) return;
    if (kinds_[i] == CellKind::Text && texts_[i].length > kInline) poolGarbage_ += texts_[i].length;
    kinds_[i] = CellKind::Empty;
    values_[i] = 0;
}

void SpacingColumn::setText(std::size_t i, std::string_view text) {
    release(i);
    if (text.empty()) return;
    text = text.substr(0, std::min(text.size(), kMaximumCellLength));
    grow(i);
    if (i >= texts_.size()) texts_.resize(i + 1);
    storeText(texts_[i], text);
    values_[i] = cellValue(text);
    kinds_[i] = CellKind::Text;
}

void SpacingColumn::setValue(std::size_t i, double value, CellKind kind) {
    release(i);
    if (kind == CellKind::Empty) return;
    grow(i);
    values_[i] = value;
    kinds_[i] = kind;
}

void SpacingColumn::clear(std::size_t i) { release(i); }

void SpacingColumn::truncate(std::size_t first) {
    for (std::size_t i = first; i < kinds_.size(); ++i) release(i);
    if (first >= kinds_.size()) return;
    values_.resize(first);
    kinds_.resize(first);
    if (texts_.size() > first) texts_.resize(first);
}

std::size_t SpacingColumn::filledSize() const {
    for (std::size_t i = kinds_.size(); i-- > 0;)
        if (kinds_[i] != CellKind::Empty) return i + 1;
    return 0;
}

void SpacingColumn::compact() {
    if (poolGarbage_ < kCompactionThreshold || poolGarbage_ * 2 < pool_.size()) return;
    std::string fresh;
    fresh.reserve(pool_.size() - poolGarbage_);
    for (std::size_t i = 0; i < texts_.size() && i < kinds_.size(); ++i) {
        TextRef& ref = texts_[i];
        if (kinds_[i] != CellKind::Text || ref.length <= kInline) continue;
        std::uint64_t offset = 0;
        std::memcpy(&offset, ref.bytes, sizeof offset);
        const std::uint64_t moved = fresh.size();
        fresh.append(pool_, offset, ref.length);
        std::memcpy(ref.bytes, &moved, sizeof moved);
    }
    pool_ = std::move(fresh);
    poolGarbage_ = 0;
}

}  // namespace ravelin
