#include "spacing/SpacingColumn.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace ravelin {

// The digits as a whole number divided by a power of ten: both are exact, so
// the one division rounds exactly as readNumber's conversion does.
std::size_t SpacingColumn::readPlainDecimal(std::string_view text, PlainDecimal& decimal) {
    std::uint64_t digits = 0;
    int count = 0;
    std::size_t point = text.size();
    std::size_t i = 0;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (++count > kExactDigits) return 0;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        } else if (c == '.' && point == text.size() && i > 0 && i + 1 < text.size() && isDigit(text[i + 1])) {
            point = i;
        } else {
            break;
        }
    }
    if (count == 0) return 0;
    decimal.digits = digits;
    decimal.integerDigits = static_cast<int>(std::min(point, i));
    decimal.decimals = count - decimal.integerDigits;
    return i;
}

void SpacingColumn::reserve(std::size_t cells) {
    values_.reserve(cells);
    codes_.reserve(cells);
}

void SpacingColumn::append(std::string_view text) {
    PlainDecimal decimal;
    if (parsePlainDecimal(text, decimal)) {
        appendDecimal(decimal);
        return;
    }
    if (text.empty()) {
        appendValue(0, CellKind::Empty);
        return;
    }
    texts_.emplace(codes_.size(), text);
    values_.push_back(readNumber(text));
    codes_.push_back(static_cast<std::uint8_t>(CellKind::Text));
}

std::string SpacingColumn::text(std::size_t i) const {
    if (i >= codes_.size()) return {};
    const std::uint8_t code = codes_[i];
    if (code == static_cast<std::uint8_t>(CellKind::Text)) return texts_.at(i);
    if (code < kFirstDecimalCode) return {};
    const int integerDigits = (code - kFirstDecimalCode) / 16 + 1;
    const int decimals = (code - kFirstDecimalCode) % 16;
    // value * 10^decimals is within a quarter of the typed digits (below 10^15,
    // two roundings of at most half an ulp each): rounding gives them back.
    auto digits = static_cast<std::uint64_t>(std::llround(values_[i] * kPowersOfTen[decimals]));
    std::string out(static_cast<std::size_t>(integerDigits + decimals + (decimals > 0 ? 1 : 0)), '0');
    for (std::size_t position = out.size(), written = 0; position-- > 0;) {
        if (decimals > 0 && written == static_cast<std::size_t>(decimals)) {
            out[position] = '.';
            ++written;  // the point is passed once
            continue;
        }
        out[position] = static_cast<char>('0' + digits % 10);
        digits /= 10;
        ++written;
    }
    return out;
}

std::string SpacingColumn::shownText(std::size_t i) const {
    switch (kind(i)) {
        case CellKind::General: return generalNumber(values_[i]);
        case CellKind::Fixed2: return formatNumber(values_[i], "0.0#");
        default: return text(i);
    }
}

void SpacingColumn::grow(std::size_t i) {
    if (i < codes_.size()) return;
    values_.resize(i + 1, 0.0);
    codes_.resize(i + 1, static_cast<std::uint8_t>(CellKind::Empty));
}

void SpacingColumn::release(std::size_t i) {
    if (i >= codes_.size()) return;
    if (codes_[i] == static_cast<std::uint8_t>(CellKind::Text)) texts_.erase(i);
    codes_[i] = static_cast<std::uint8_t>(CellKind::Empty);
    values_[i] = 0;
}

void SpacingColumn::setText(std::size_t i, std::string_view text) {
    release(i);
    if (text.empty()) return;
    grow(i);
    PlainDecimal decimal;
    if (parsePlainDecimal(text, decimal)) {
        values_[i] = static_cast<double>(decimal.digits) / kPowersOfTen[decimal.decimals];
        codes_[i] = decimalCode(decimal.integerDigits, decimal.decimals);
        return;
    }
    texts_[i] = std::string(text);
    values_[i] = readNumber(text);
    codes_[i] = static_cast<std::uint8_t>(CellKind::Text);
}

void SpacingColumn::setValue(std::size_t i, double value, CellKind kind) {
    release(i);
    if (kind == CellKind::Empty) return;
    if (kind == CellKind::Text) kind = CellKind::General;  // a text cell is made by setText(), with its text
    grow(i);
    values_[i] = value;
    codes_[i] = static_cast<std::uint8_t>(kind);
}

void SpacingColumn::clear(std::size_t i) { release(i); }

void SpacingColumn::truncate(std::size_t first) {
    if (first >= codes_.size()) return;
    std::erase_if(texts_, [first](const auto& entry) { return entry.first >= first; });
    values_.resize(first);
    codes_.resize(first);
}

void SpacingColumn::clearCells(std::size_t first, std::size_t end) {
    if (end >= codes_.size()) {
        truncate(first);
        return;
    }
    for (std::size_t i = first; i < end; ++i) release(i);
}

std::string SpacingColumn::cellText(std::size_t i) const {
    switch (kind(i)) {
        case CellKind::Empty: return {};
        case CellKind::Text: return text(i);
        case CellKind::General: return generalNumber(values_[i]);
        case CellKind::Fixed2: return formatNumber(values_[i], "0.0#");
    }
    return {};
}

std::size_t SpacingColumn::filledSize() const {
    for (std::size_t i = codes_.size(); i-- > 0;)
        if (codes_[i] != static_cast<std::uint8_t>(CellKind::Empty)) return i + 1;
    return 0;
}

void SpacingColumn::copyCell(std::size_t i, const SpacingColumn& from, std::size_t j) {
    release(i);
    if (from.kind(j) == CellKind::Empty) return;
    grow(i);
    codes_[i] = from.codes_[j];
    values_[i] = from.values_[j];
    if (codes_[i] == static_cast<std::uint8_t>(CellKind::Text)) texts_[i] = from.texts_.at(j);
}

std::unique_ptr<GridColumn> SpacingColumn::copyCells(std::size_t first, std::size_t end) const {
    auto copy = std::make_unique<SpacingColumn>();
    // Cells past the last one held are empty: the copy stops there too.
    const std::size_t held = std::min(end, codes_.size());
    if (held > first) copy->reserve(held - first);
    for (std::size_t i = first; i < held; ++i) copy->copyCell(i - first, *this, i);
    return copy;
}

void SpacingColumn::restoreCells(std::size_t first, const GridColumn& copy, std::size_t count) {
    const auto* cells = dynamic_cast<const SpacingColumn*>(&copy);
    if (!cells) {
        GridColumn::restoreCells(first, copy, count);
        return;
    }
    clearCells(first, first + count);
    for (std::size_t j = 0; j < std::min(count, cells->size()); ++j) copyCell(first + j, *cells, j);
}

bool SpacingColumn::holdsWritten(CellKind kind) const {
    return std::find(codes_.begin(), codes_.end(), static_cast<std::uint8_t>(kind)) != codes_.end();
}

std::size_t SpacingColumn::keptTextBytes() const {
    std::size_t bytes = 0;
    for (const auto& entry : texts_) bytes += entry.second.size();
    return bytes;
}

}  // namespace ravelin
