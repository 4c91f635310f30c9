// The three volume methods against hand-worked values, their refusals, and
// how a volume is shown.

#include <gtest/gtest.h>

#include <cmath>

#include "tools/VolumeEstimation.h"

namespace ravelin {
namespace {

TEST(VolumeEstimationTest, TwoSetsWithPersistenceOrFracturation) {
    EXPECT_NEAR(VolumeFromTwoSets(1, 1, 2, 3, 90), 4 / M_PI, 1e-12);  // the smaller persistence counts
    EXPECT_NEAR(VolumeFromTwoSets(2, 3, 5, 4, 30), 2 * 2 * 3 * 4 / (M_PI * 0.5), 1e-9);
    EXPECT_EQ(VolumeFromTwoSets(1, 1, 2, 3, 0), 0);
    EXPECT_EQ(VolumeFromTwoSets(1, 1, 2, 3, 180), 0);

    EXPECT_NEAR(VolumeWithFracturation(2, 3, 30, 4), 3, 1e-12);
    EXPECT_NEAR(VolumeWithFracturation(2, 3, 150, 4), 3, 1e-12);
    for (double angle : {0.0, 180.0}) EXPECT_EQ(VolumeWithFracturation(2, 3, angle, 4), 0);
    EXPECT_EQ(VolumeWithFracturation(2, 3, 30, 0), 0);
}

TEST(VolumeEstimationTest, ThreeSetsFormingPrisms) {
    // Mutually perpendicular sets: the prism is the box of the spacings.
    EXPECT_NEAR(VolumeFromThreeSets({PrismSet{1, 0, 90}, PrismSet{2, 90, 90}, PrismSet{3, 0, 0}}), 6, 1e-12);
    // Oblique sets: 6 / |u1·(u2 × u3)| with the poles' triple product 0.78445 worked apart.
    EXPECT_NEAR(VolumeFromThreeSets({PrismSet{1, 30, 60}, PrismSet{2, 150, 45}, PrismSet{3, 270, 20}}),
                7.648644772218371, 1e-9);

    struct Refused {
        const char* why;
        std::array<PrismSet, 3> sets;
    };
    const Refused refused[] = {
        {"two sets alike", {PrismSet{1, 40, 50}, PrismSet{2, 120, 30}, PrismSet{3, 40, 50}}},
        {"two horizontal sets", {PrismSet{1, 40, 0}, PrismSet{2, 120, 0}, PrismSet{3, 200, 60}}},
        {"one dip direction", {PrismSet{1, 40, 10}, PrismSet{2, 40, 50}, PrismSet{3, 40, 80}}},
        // Three vertical sets: their horizontal poles lie in one plane and bound no prism.
        {"coplanar poles", {PrismSet{1, 0, 90}, PrismSet{2, 60, 90}, PrismSet{3, 120, 90}}},
        {"the same plane named twice", {PrismSet{1, 0, 40}, PrismSet{2, 360, 40}, PrismSet{3, 90, 80}}},
    };
    for (const Refused& r : refused) EXPECT_EQ(VolumeFromThreeSets(r.sets), 0) << r.why;
}

TEST(VolumeEstimationTest, VolumeTexts) {
    const struct {
        double volume;
        bool zeroIsDash;
        const char* shown;
    } cases[] = {
        {4 / M_PI, false, "1.3"}, {0, false, "0.0"},
        {0, true, "-"},           {999999999.94, false, "999999999.9"},
        {1e9, false, "1.00E+09"}, {1.5e9, true, "1.50E+09"},
        {INFINITY, false, "-"},   {NAN, true, "-"},
    };
    for (const auto& c : cases) EXPECT_EQ(VolumeText(c.volume, c.zeroIsDash), c.shown) << c.volume;
}

}  // namespace
}  // namespace ravelin
