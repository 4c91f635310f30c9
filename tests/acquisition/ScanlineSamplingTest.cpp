// Scanline sampling: crossings, their distances from the first one, and the
// refusals of an export with nothing to export.

#include "acquisition/ScanlineSampling.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

// A vertical trace crossing the horizontal line y = 200 at x.
Trace verticalAt(std::int32_t x) { return {{x, 100}, {x, 300}}; }

AcquisitionGeometry acquisition(std::vector<Trace> traces, std::string scale = "2001") {
    AcquisitionGeometry g;
    g.scanline = {{{100, 200}, {1100, 200}}};
    g.traces = std::move(traces);
    g.scaleText = std::move(scale);
    return g;
}

ScanlineSample sample(const AcquisitionGeometry& g, const std::string& caption = "Acquisition Window - Digit 1") {
    const ScanlineExport result = ExportScanline(g, g.traces, caption);
    EXPECT_FALSE(result.refusal) << result.refusal->text;
    return result.sample;
}

TEST(ScanlineSamplingTest, TruncatedDistancesFromTheFirstCrossingWhicheverWayTheScanlineRuns) {
    AcquisitionGeometry g = acquisition({verticalAt(900), verticalAt(300), verticalAt(500)});
    // At scale 2001 a canvas unit is a metre: crossings at 200, 400 and 800 m from the left end.
    EXPECT_EQ(CrossingDistances(g.scanline, g.traces, g.metresPerUnit()), (std::vector<double>{200, 400, 800}));
    ScanlineSample s = sample(g);
    EXPECT_EQ(s.texts, (std::vector<std::string>{"200", "600"}));
    EXPECT_EQ(s.pasteText(), "200\r600\r");
    EXPECT_EQ(s.comment, "Data imported from : 'Digit 1'");
    std::swap(g.scanline[0], g.scanline[1]);
    EXPECT_EQ(sample(g).texts, s.texts);
    // The name in the comment follows the first dash.
    EXPECT_EQ(sample(g, "Acquisition Window - north-face.dgt*").comment, "Data imported from : 'north-face.dgt*'");

    // Truncated to hundredths. 2.001 m across the picture: a millimetre a unit. 1239 units are 1.239 m,
    // written 1.23; 290 units stay 0.29 although 0.29 × 100 falls just short of 29 in binary.
    AcquisitionGeometry fine = acquisition({verticalAt(110), verticalAt(110 + 1239), verticalAt(110 + 290)}, "2.001");
    fine.scanline[1].x = 2000;
    EXPECT_EQ(sample(fine).texts, (std::vector<std::string>{"0.29", "1.23"}));
}

TEST(ScanlineSamplingTest, WhatCountsAsACrossing) {
    // Ends count; a second trace through the first crossing gives 0; a trace along the scanline is parallel to it.
    const AcquisitionGeometry g = acquisition({
        {{300, 200}, {250, 400}},  // touches the scanline with its end
        verticalAt(300),
        verticalAt(500),
        {{0, 200}, {2000, 200}},   // lies along it
        {{700, 300}, {800, 250}},  // misses it
        verticalAt(1100),          // through its right end
    });
    EXPECT_EQ(sample(g).texts, (std::vector<std::string>{"0", "200", "800"}));
    EXPECT_EQ(sample(acquisition({verticalAt(500)})).values.size(), 0u);  // one crossing: no distance
}

TEST(ScanlineSamplingTest, NothingToExportIsRefusedWithAMessage) {
    const std::string unable = "Unable to export scanline data.\r\n\r\n";
    const std::string noTrace = unable + "There are no discontinuities on your acquisition window !";
    const std::string noScanline = unable + "There is no scanline on your acquisition window !";
    AcquisitionGeometry noLine = acquisition({verticalAt(300)});
    const struct {
        std::array<CanvasPoint, 2> scanline;
        bool traces;
        std::string message;
    } cases[] = {
        {{{{100, 200}, {1100, 200}}}, false, noTrace},  {{{{0, 0}, {0, 0}}}, true, noScanline},
        {{{{-10, -10}, {-10, -10}}}, true, noScanline},  // as a file without scanline reads back
        {{{{100, 200}, {0, 0}}}, true, noScanline},      // half drawn
        {{{{0, 200}, {1100, 200}}}, true, noScanline},   // an end on the picture's left edge
    };
    for (const auto& c : cases) {
        noLine.scanline = c.scanline;
        const ScanlineExport result =
            ExportScanline(noLine, c.traces ? std::span<const Trace>(noLine.traces) : std::span<const Trace>(), "x");
        ASSERT_TRUE(result.refusal) << c.message;
        EXPECT_EQ(result.refusal->text, c.message);
        EXPECT_TRUE(result.sample.values.empty());
    }
}

}  // namespace
}  // namespace ravelin
