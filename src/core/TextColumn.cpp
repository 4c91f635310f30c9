#include "core/TextColumn.h"

#include <algorithm>

namespace ravelin {

namespace {

// A record's length is written seven bits to a byte, low bits first; the high bit says another byte follows.
std::size_t lengthBytes(std::size_t length) {
    std::size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

void writeRecord(char* out, std::string_view text) {
    std::size_t length = text.size();
    while (length >= 0x80) {
        *out++ = static_cast<char>((length & 0x7F) | 0x80);
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    std::copy(text.begin(), text.end(), out);
}

// Below this the buffer is not worth compacting: the copy would cost more than the bytes it frees.
constexpr std::size_t kCompactFrom = 4096;

}  // namespace

std::string_view TextColumn::record(std::uint64_t offset, std::size_t& size) const {
    std::size_t length = 0;
    std::size_t position = static_cast<std::size_t>(offset);
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes_[position++]);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) break;
    }
    size = position - static_cast<std::size_t>(offset) + length;
    return std::string_view(bytes_).substr(position, length);
}

std::string TextColumn::cellText(std::size_t i) const {
    if (isCellEmpty(i)) return {};
    std::size_t size = 0;
    return std::string(record(places_[i], size));
}

void TextColumn::abandon(std::size_t i) {
    if (isCellEmpty(i)) return;
    std::size_t size = 0;
    record(places_[i], size);
    abandoned_ += size;
    places_[i] = kEmpty;
}

void TextColumn::setCellText(std::size_t i, std::string_view text) {
    if (text.empty()) {
        abandon(i);
        return;
    }
    const std::size_t needed = lengthBytes(text.size()) + text.size();
    if (!isCellEmpty(i)) {
        std::size_t size = 0;
        record(places_[i], size);
        if (needed <= size) {
            writeRecord(bytes_.data() + places_[i], text);
            abandoned_ += size - needed;
            return;
        }
        abandon(i);
    }
    if (i >= places_.size()) places_.resize(i + 1, kEmpty);
    const std::size_t offset = bytes_.size();
    bytes_.resize(offset + needed);
    writeRecord(bytes_.data() + offset, text);
    places_[i] = offset;
    if (abandoned_ >= kCompactFrom && abandoned_ > bytes_.size() / 2) compact();
}

void TextColumn::clearCells(std::size_t first, std::size_t end) {
    end = std::min(end, places_.size());
    for (std::size_t i = first; i < end; ++i) abandon(i);
    if (end == places_.size()) places_.resize(std::min(first, places_.size()));
    if (filledSize() == 0) {
        places_.clear();
        bytes_.clear();
        abandoned_ = 0;
    }
}

std::size_t TextColumn::filledSize() const {
    for (std::size_t i = places_.size(); i-- > 0;)
        if (places_[i] != kEmpty) return i + 1;
    return 0;
}

void TextColumn::compact() {
    std::string kept;
    kept.reserve(bytes_.size() - abandoned_);
    for (std::uint64_t& place : places_) {
        if (place == kEmpty) continue;
        std::size_t size = 0;
        record(place, size);
        const std::size_t offset = kept.size();
        kept.append(bytes_, static_cast<std::size_t>(place), size);
        place = offset;
    }
    bytes_ = std::move(kept);
    abandoned_ = 0;
}

}  // namespace ravelin
