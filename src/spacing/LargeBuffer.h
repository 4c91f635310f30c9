#pragma once
// A million-row datasheet fills arrays of tens of megabytes, and the system
// maps fresh memory one small page at a time as it is first written: on a
// virtual machine those page faults cost more than the reading itself.
//
// Arrays the spacing code owns therefore take their memory from
// LargeAllocator: blocks from 256 KB up are mapped apart, aligned on 2 MB and
// marked for large pages, so that filling them costs one fault per 2 MB
// where the system offers large pages. Smaller blocks come from operator
// new. Resizing without a value leaves the new elements uninitialised (the
// arrays are filled right after), as reserve() then push_back would.
//
// For a std::vector handed to other code, ReserveLarge reserves and asks
// for large pages where the block allows them, and maps it in one call.

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace ravelin {

void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* data, std::size_t bytes) noexcept;

template <class T>
struct LargeAllocator {
    using value_type = T;

    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLarge(n * sizeof(T)));
    }
    void deallocate(T* data, std::size_t n) noexcept { FreeLarge(data, n * sizeof(T)); }

    // resize(n) default-initialises: plain values are left as they are.
    template <class U>
    void construct(U* p) noexcept(noexcept(::new (static_cast<void*>(p)) U)) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

// Prepares [data, data + bytes), about to be written whole, as said above.
void PrepareLargeBuffer(void* data, std::size_t bytes);

// Reserves room for n elements, to be filled next, and prepares it.
template <class T>
void ReserveLarge(std::vector<T>& values, std::size_t n) {
    values.reserve(n);
    PrepareLargeBuffer(values.data(), values.capacity() * sizeof(T));
}

}  // namespace ravelin
