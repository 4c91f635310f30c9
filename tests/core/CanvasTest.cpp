// The recording canvas: compact storage of many segments and the operations it shows tests.

#include "core/Canvas.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

TEST(RecordingCanvasTest, SegmentsOfOnePenCostLittleMoreThanTheirPoints) {
    constexpr int kSegments = 20000;
    RecordingCanvas canvas(6000, 4000);
    canvas.setPen(Rgb::fromRgb(0, 0, 255));
    for (int i = 0; i < kSegments; ++i) canvas.line(i % 6000, i % 4000, (i * 7) % 6000, (i * 3) % 4000);
    // Two points of two doubles a segment; the records, pens and fonts are a fixed few hundred bytes.
    const std::size_t points = kSegments * 2 * 2 * sizeof(double);
    EXPECT_LE(canvas.storageBytes(), points + 512);

    const std::vector<DrawOp> lines = canvas.ofKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kSegments));
    const DrawOp& last = lines.back();
    EXPECT_EQ(std::vector<double>({last.x1, last.y1, last.x2, last.y2}),
              std::vector<double>({19999 % 6000, 19999 % 4000, (19999 * 7) % 6000, (19999 * 3) % 4000}));
    EXPECT_EQ(last.color, Rgb::fromRgb(0, 0, 255));

    // A pen change between segments shows on each segment drawn after it.
    canvas.setPen({Rgb::fromRgb(255, 0, 0), 2, LineStyle::Dash});
    canvas.line(0, 0, 1, 1);
    canvas.setPen(Rgb::fromRgb(0, 0, 255));
    canvas.line(2, 2, 3, 3);
    const std::vector<DrawOp> ops = canvas.ops();
    ASSERT_EQ(ops.size(), kSegments + 2u);
    EXPECT_EQ(ops[kSegments].lineStyle, LineStyle::Dash);
    EXPECT_EQ(ops[kSegments].penWidth, 2);
    EXPECT_EQ(ops[kSegments + 1].lineStyle, LineStyle::Solid);
    EXPECT_EQ(ops[kSegments + 1].color, Rgb::fromRgb(0, 0, 255));
}

}  // namespace
}  // namespace ravelin
