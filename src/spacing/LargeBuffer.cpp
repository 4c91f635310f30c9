#include "spacing/LargeBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace ravelin {

namespace {
// Below this an array is mapped quickly enough page by page.
constexpr std::size_t kLargeBuffer = std::size_t{1} << 20;
// The size of a large page on x86-64 and most arm64 systems.
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
// The small page; the mapping call takes whole pages only.
constexpr std::uintptr_t kSmallPage = 4096;
}  // namespace

void PrepareLargeBuffer(void* data, std::size_t bytes) {
#if defined(__linux__)
    if (!data || bytes < kLargeBuffer) return;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
#if defined(MADV_HUGEPAGE)
    const std::uintptr_t largeBegin = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t largeEnd = (start + bytes) & ~(kLargePage - 1);
    if (largeEnd > largeBegin) ::madvise(reinterpret_cast<void*>(largeBegin), largeEnd - largeBegin, MADV_HUGEPAGE);
#endif
#if defined(MADV_POPULATE_WRITE)
    // Refused by kernels before 5.14: the pages are then mapped as they are written.
    const std::uintptr_t begin = (start + kSmallPage - 1) & ~(kSmallPage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kSmallPage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace ravelin
