#pragma once
// What every fuzzer shares: a property that fails stops the run with the
// reason, and libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace ravelin::fuzz {

inline void check(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// The fuzzer's bytes as text.
inline std::string_view bytesOf(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace ravelin::fuzz

#define RAVELIN_FUZZ_CHECK(condition) ::ravelin::fuzz::check((condition), #condition)
