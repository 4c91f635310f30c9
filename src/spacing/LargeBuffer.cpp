#include "spacing/LargeBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace ravelin {

namespace {
// Below this an array is mapped quickly enough page by page.
constexpr std::size_t kLargeBuffer = std::size_t{1} << 20;
// From this size on, a block of its own in large pages costs less than its
// small pages, even counting the large page it does not fill.
constexpr std::size_t kOwnMapping = std::size_t{256} << 10;
// The size of a large page on x86-64 and most arm64 systems.
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
// The small page; the mapping calls take whole pages only.
constexpr std::uintptr_t kSmallPage = 4096;

std::size_t largePages(std::size_t bytes) { return (bytes + kLargePage - 1) & ~(kLargePage - 1); }
}  // namespace

#if defined(__linux__) && defined(MADV_HUGEPAGE)
void* AllocateLarge(std::size_t bytes) {
    if (bytes < kOwnMapping) return ::operator new(bytes);
    const std::size_t length = largePages(bytes);
    if (length < bytes || length + kLargePage < length) throw std::bad_alloc();
    // Mapped one large page longer, then cut to the aligned part.
    void* mapped = ::mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > start) ::munmap(mapped, aligned - start);
    if (const std::uintptr_t after = start + kLargePage - aligned; after > 0)
        ::munmap(reinterpret_cast<void*>(aligned + length), after);
    ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);  // a hint: refused, small pages serve
    return reinterpret_cast<void*>(aligned);
}

void FreeLarge(void* data, std::size_t bytes) noexcept {
    if (!data) return;
    if (bytes < kOwnMapping) {
        ::operator delete(data);
        return;
    }
    ::munmap(data, largePages(bytes));
}
#else
void* AllocateLarge(std::size_t bytes) { return ::operator new(bytes); }
void FreeLarge(void* data, std::size_t) noexcept { ::operator delete(data); }
#endif

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
