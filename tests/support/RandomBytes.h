#pragma once
// Inputs for the readers' robustness tests: a valid file changed at random.

#include <random>
#include <string>

namespace ravelin::testing {

// `bytes` after `edits` random changes, each a byte replaced, a byte dropped
// or a run of up to 19 bytes repeated in place.
inline std::string mutated(std::string bytes, std::mt19937& random, int edits) {
    for (int k = 0; k < edits && !bytes.empty(); ++k) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 3) {
            case 0: bytes[at] = static_cast<char>(random() % 256); break;
            case 1: bytes.erase(at, 1); break;
            default: bytes.insert(at, bytes.substr(at, random() % 20)); break;
        }
    }
    return bytes;
}

}  // namespace ravelin::testing
