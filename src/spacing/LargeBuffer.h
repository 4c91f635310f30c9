#pragma once
// A million-row datasheet fills arrays of tens of megabytes, and the system
// maps fresh memory one small page at a time as it is first written: on a
// virtual machine those page faults cost more than the reading itself. An
// array about to be filled is therefore asked for large pages and mapped in
// one call. Hints only: no content changes, and nothing happens where the
// system offers neither.

#include <cstddef>
#include <vector>

namespace ravelin {

// Prepares [data, data + bytes), about to be written whole, as said above.
void PrepareLargeBuffer(void* data, std::size_t bytes);

// Reserves room for n elements, to be filled next, and prepares it.
template <class T>
void ReserveLarge(std::vector<T>& values, std::size_t n) {
    values.reserve(n);
    PrepareLargeBuffer(values.data(), values.capacity() * sizeof(T));
}

}  // namespace ravelin
