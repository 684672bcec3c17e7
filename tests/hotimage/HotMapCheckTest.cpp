#include "hotimage/core/HotMapCheck.h"
#include "SpotSupport.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::MakeSpot;

TEST(HotMapCheck, FindsKeysWithoutOutlinesSpotsWithoutKeysAndEmptyOutlines) {
    THotSpots spots;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {10, 10}}, 1));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{10, 0}, {20, 10}}, 2))->Enabled = false;
    spots.Add(MakeSpot(TSpotShape::Ellipse, {{20, 0}, {20, 10}}, 3));            // no width
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{40, 10}, {30, 0}}, 4));          // reversed
    spots.Add(MakeSpot(TSpotShape::Polyline, {{0, 0}, {10, 0}, {20, 0}}, 5));    // a line
    spots.Add(MakeSpot(TSpotShape::Polyline, {{0, 20}, {10, 20}, {5, 30}}, 99)); // no key
    spots.Add(MakeSpot(TSpotShape::Polyline, {}, 98));                           // neither
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{0, 40}, {10, 50}}, 44));
    const THotMapFindings findings = CheckHotMap({1, 2, 3, 4, 5, 44, 45}, spots);
    EXPECT_EQ(findings.KeysWithoutOutline, (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(findings.SpotsWithoutKey, (std::vector<int>{5, 6}));
    EXPECT_EQ(findings.EmptySpots, (std::vector<int>{2, 3, 4, 6}));
    EXPECT_FALSE(findings.Empty());
}

TEST(HotMapCheck, AKeyOutlinedTwiceOrByAPartnerIsFine) {
    THotSpots spots;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {10, 10}}, 7));
    spots.Add(MakeSpot(TSpotShape::Ellipse, {{20, 0}, {30, 10}}, 7));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{40, 0}, {50, 10}}, 8))->Enabled = false;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{60, 0}, {70, 10}}, 8));
    EXPECT_TRUE(CheckHotMap({7, 8, 7}, spots).Empty());
    EXPECT_TRUE(CheckHotMap({}, THotSpots()).Empty());
}

} // namespace
} // namespace mm
