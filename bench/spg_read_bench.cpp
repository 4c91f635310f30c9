// Reading a ".spg" into a document value, without a window or a session.
// Prints one "name value" line per measurement (milliseconds unless named).
//
//   ravelin-bench-spg-read FILE.spg [RUNS]   read FILE's bytes once, then parse them RUNS times (default 15)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "core/TextCodec.h"
#include "spacing/SpgFormat.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The processor time this process has had: on a machine shared with other
// work, the wall time of a parse can be several times its own cost.
double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ravelin-bench-spg-read FILE.spg [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    std::vector<double> parse;
    std::vector<double> fromFile;
    std::vector<double> parseCpu;
    std::size_t values = 0;
    bool failed = false;
    for (int run = 0; run < runs; ++run) {
        // From the file, read whole, to the value; then the same bytes again, parsed alone.
        const Clock::time_point start = Clock::now();
        const std::optional<std::string> bytes = ravelin::readFileBytes(argv[1]);
        if (!bytes) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        {
            const ravelin::SpgReadResult read = ravelin::ReadSpacingDocument(*bytes);
            fromFile.push_back(millisecondsSince(start));
            failed = failed || read.error.has_value();
        }
        const Clock::time_point parsing = Clock::now();
        const double cpuStart = cpuMilliseconds();
        const ravelin::SpgReadResult read = ravelin::ReadSpacingDocument(*bytes);
        parse.push_back(millisecondsSince(parsing));
        parseCpu.push_back(cpuMilliseconds() - cpuStart);
        values = read.document.values.size();
    }
    std::sort(parse.begin(), parse.end());
    std::sort(fromFile.begin(), fromFile.end());
    std::sort(parseCpu.begin(), parseCpu.end());
    const auto median = [](const std::vector<double>& sorted) { return sorted[sorted.size() / 2]; };
    std::printf("values %zu\n", values);
    std::printf("errors %d\n", failed ? 1 : 0);
    std::printf("parse_best_ms %.2f\n", parse.front());
    std::printf("parse_median_ms %.2f\n", median(parse));
    std::printf("parse_cpu_median_ms %.2f\n", median(parseCpu));
    std::printf("file_best_ms %.2f\n", fromFile.front());
    std::printf("file_median_ms %.2f\n", median(fromFile));
    return 0;
}
