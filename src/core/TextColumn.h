#pragma once
// The plain text cells of a grid column: every cell's text lies in one
// shared buffer, each record its length (one to ten bytes) and its bytes,
// and a cell costs one 8-byte place in the buffer, with no heap object of
// its own. A rewritten cell that fits in its old record is written there;
// otherwise its record goes to the end, and the buffer is compacted once
// the abandoned bytes outweigh the live ones.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Grid.h"

namespace ravelin {

class TextColumn final : public GridColumn {
public:
    std::string cellText(std::size_t i) const override;
    bool isCellEmpty(std::size_t i) const override { return i >= places_.size() || places_[i] == kEmpty; }
    void setCellText(std::size_t i, std::string_view text) override;
    void clearCells(std::size_t first, std::size_t end) override;
    std::size_t filledSize() const override;

    // Bytes of the buffer, live and abandoned, for tests of the storage.
    std::size_t bufferBytes() const { return bytes_.size(); }

private:
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    // The record at `offset`: its text and its whole size.
    std::string_view record(std::uint64_t offset, std::size_t& size) const;
    void abandon(std::size_t i);
    void compact();

    std::vector<std::uint64_t> places_;  // offset of each cell's record, kEmpty when empty
    std::string bytes_;
    std::size_t abandoned_ = 0;  // bytes of records no cell points to
};

}  // namespace ravelin
