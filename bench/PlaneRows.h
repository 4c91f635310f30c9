#pragma once
// Plane rows "dip direction, dip" for the stereonet benchmarks: three joint
// sets (8 degrees of scatter) and a uniform scatter, a quarter each, from a
// fixed seed, with one decimal as a compass gives them.

#include <cstddef>
#include <cstdio>
#include <random>
#include <string>

namespace ravelin::bench {

// `between` separates the two values of a row, `end` ends it: "," and "\n"
// as a file holds them, tab and CR as the clipboard carries them.
inline std::string planeRows(std::size_t n, const char* between = ",", const char* end = "\n") {
    std::mt19937 random(2024);
    std::normal_distribution<double> spread(0, 8);
    std::uniform_real_distribution<double> anyDirection(0, 360), anyDip(0, 90);
    const double sets[3][2] = {{120, 70}, {220, 45}, {330, 80}};
    std::string text;
    char line[64];
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t set = i % 4;
        const double direction = set < 3 ? sets[set][0] + spread(random) : anyDirection(random);
        const double dip = set < 3 ? sets[set][1] + spread(random) : anyDip(random);
        std::snprintf(line, sizeof line, "%.1f%s%.1f%s", direction, between, dip, end);
        text += line;
    }
    return text;
}

}  // namespace ravelin::bench
