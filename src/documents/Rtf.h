#pragma once
// Rich text files. The writer keeps what the Info box holds: fonts, sizes,
// bold, italic, underline, paragraph alignment and indents, every
// character (Windows-1252 escapes, \uN for the rest). The reader takes
// what Ravelin writes and the common output of word processors, skips what
// it does not use, and survives any bytes: no recursion, bounded nesting,
// every count clamped.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/RichText.h"

namespace ravelin {

std::string writeRtf(const RichText& text);

// True when the bytes start (after blanks) with the "{\rtf" signature.
bool looksLikeRtf(std::string_view bytes);

// Called now and then while a long text is read: bytes done, bytes in all.
using ReadProgress = std::function<void(std::size_t done, std::size_t total)>;

// Reads any bytes; a truncated or damaged file gives what could be read.
RichText readRtf(std::string_view bytes, const ReadProgress& progress = {});

}  // namespace ravelin
