#include "hotimage/core/SpotRegion.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace mm {
namespace {

// The rule the regions promise, evaluated pixel by pixel: the pixel's centre is inside by the
// even-odd rule (a crossing counts when it lies left of the centre).
bool CentreInsidePolygon(const std::vector<TPoint>& points, int x, int y) {
    const double cx = x + 0.5;
    const double cy = y + 0.5;
    bool inside = false;
    for (size_t i = 0; i < points.size(); ++i) {
        const TPoint a = points[i];
        const TPoint b = points[(i + 1) % points.size()];
        if ((a.Y < cy) == (b.Y < cy))
            continue;
        const double crossing = a.X + (cy - a.Y) * (b.X - a.X) / (b.Y - a.Y);
        if (crossing < cx)
            inside = !inside;
    }
    return inside;
}

bool CentreInsideEllipse(const TRect& r, int x, int y) {
    const double dx = (2.0 * x + 1 - r.Left - r.Right) / (r.Right - r.Left);
    const double dy = (2.0 * y + 1 - r.Top - r.Bottom) / (r.Bottom - r.Top);
    return dx * dx + dy * dy < 1;
}

// Compares a region with a rule over a window around the coordinates in use.
template <typename Rule>
void ExpectRegionFollows(const QRegion& region, Rule inside, int from, int to) {
    QRect box;
    for (int y = from; y < to; ++y)
        for (int x = from; x < to; ++x) {
            const bool expected = inside(x, y);
            ASSERT_EQ(region.contains(QPoint(x, y)), expected) << "pixel " << x << "," << y;
            if (expected)
                box |= QRect(x, y, 1, 1);
        }
    EXPECT_EQ(region.boundingRect(), box);
}

class Lcg {
public:
    int Next(int range) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<uint64_t>(range));
    }

private:
    uint64_t state_ = 12345;
};

TEST(SpotRegion, PolygonsFollowTheEvenOddRuleAtPixelCentres) {
    std::vector<std::vector<TPoint>> polygons = {
        {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
        {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}}, // pentagram: hollow centre
        {{0, 0}, {20, 20}, {20, 0}, {0, 20}},             // bow tie
        {{0, 0},
         {30, 0},
         {30, 30},
         {0, 30},
         {0, 0},
         {10, 10}, // square with a square hole
         {20, 10},
         {20, 20},
         {10, 20},
         {10, 10}},
        {{5, 5}, {6, 5}, {6, 6}},       // smaller than a pixel
        {{-7, -3}, {13, 25}, {-2, 19}}, // negative coordinates
    };
    Lcg random;
    for (int n = 0; n < 40; ++n) {
        std::vector<TPoint> points(static_cast<size_t>(3 + random.Next(8)));
        for (TPoint& p : points)
            p = {random.Next(41) - 5, random.Next(41) - 5};
        polygons.push_back(points);
    }
    for (size_t i = 0; i < polygons.size(); ++i) {
        SCOPED_TRACE("polygon " + std::to_string(i));
        const auto& points = polygons[i];
        ExpectRegionFollows(
            PolygonRegion(points), [&](int x, int y) { return CentreInsidePolygon(points, x, y); },
            -12, 100);
    }
}

TEST(SpotRegion, EllipsesFollowTheirEquationAtPixelCentres) {
    const std::vector<TRect> boxes = {{0, 0, 10, 10}, {3, 4, 20, 9}, {-5, -8, 6, 21},
                                      {0, 0, 1, 10},  {0, 0, 7, 1},  {2, 2, 3, 3}};
    for (const TRect& r : boxes) {
        SCOPED_TRACE(std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                     std::to_string(r.Right) + "," + std::to_string(r.Bottom));
        ExpectRegionFollows(
            EllipseRegion(r), [&](int x, int y) { return CentreInsideEllipse(r, x, y); }, -10, 25);
        const TRect reversed = {r.Right, r.Bottom, r.Left, r.Top};
        EXPECT_EQ(EllipseRegion(reversed), EllipseRegion(r));
    }
}

TEST(SpotRegion, RectanglesEndBeforeRightAndBottom) {
    EXPECT_EQ(RectRegion({10, 20, 30, 40}), QRegion(10, 20, 20, 20));
    EXPECT_EQ(RectRegion({30, 40, 10, 20}), QRegion(10, 20, 20, 20));
    EXPECT_TRUE(RectRegion({10, 20, 10, 40}).isEmpty());
}

TEST(SpotRegion, OutlinesBeyondTheLimitsGetNoRegion) {
    const int32_t far = kMaxRegionCoord + 1;
    EXPECT_TRUE(PolygonRegion(std::vector<TPoint>{{0, 0}, {far, 0}, {0, 10}}).isEmpty());
    EXPECT_TRUE(RectRegion({-far, 0, 10, 10}).isEmpty());
    EXPECT_TRUE(EllipseRegion({0, 0, 10, far}).isEmpty());
    // Too many rows to scan: taller than the work limit allows.
    const auto tall = static_cast<int32_t>(kMaxRegionWork);
    EXPECT_TRUE(PolygonRegion(std::vector<TPoint>{{0, 0}, {5, tall}, {10, 0}}).isEmpty());
    EXPECT_TRUE(EllipseRegion({0, 0, 10, tall + 1}).isEmpty());
    // Within the limits the same shapes are built.
    EXPECT_FALSE(PolygonRegion(std::vector<TPoint>{{0, 0}, {5, tall / 4}, {10, 0}}).isEmpty());
    EXPECT_FALSE(EllipseRegion({0, 0, 10, tall}).isEmpty());
}

TEST(SpotRegion, HostileOutlinesFinishWithinTheLimits) {
    // A zigzag of many points over the whole coordinate range: QRegion's own constructor would
    // spend minutes and gigabytes on it.
    std::vector<TPoint> zigzag;
    for (int i = 0; i < 100000; ++i)
        zigzag.push_back({(i * 7919) % kMaxRegionCoord, (i % 2) * 30000});
    EXPECT_TRUE(PolygonRegion(zigzag).isEmpty());
    std::vector<TPoint> fine;
    for (int i = 0; i < 1000; ++i) // 1000 edges over 200 rows: within the work limit
        fine.push_back({(i * 7919) % 2000000, (i % 2) * 200});
    EXPECT_FALSE(PolygonRegion(fine).isEmpty());
}

TEST(SpotRegion, MeasuresWithoutARegionAgreeWithTheRegion) {
    const std::vector<std::vector<TPoint>> polygons = {
        {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}},
        {{0, 0}, {10, 131071}, {20, 0}},
        {{0, 0}, {-524288, 65535}, {0, -65536}, {-1, -1}, {254, 0}},
        {{0, 0}, {10, 10}, {0, 20}, {10, 30}},
        {{0, 0}, {100, 0}, {50, 0}}, // no area
        {{0, 0}, {1, 1}},
        {},
    };
    for (size_t i = 0; i < polygons.size(); ++i) {
        const QRegion region = PolygonRegion(polygons[i]);
        EXPECT_EQ(PolygonRegionBox(polygons[i]), region.boundingRect()) << i;
        EXPECT_EQ(PolygonRegionIsEmpty(polygons[i]), region.isEmpty()) << i;
    }
    for (const TRect& r : {TRect{0, 0, 1, 1}, TRect{0, 0, 1, 9}, TRect{3, 4, 40, 50},
                           TRect{0, 0, 2, 0}, TRect{9, 9, 1, 1}})
        EXPECT_EQ(EllipseRegionIsEmpty(r), EllipseRegion(r).isEmpty())
            << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
}

TEST(SpotRegion, PointTestsWithoutARegionAgreeWithTheRegion) {
    const std::vector<std::vector<TPoint>> polygons = {
        {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}},
        {{0, 0}, {10, 10}, {0, 20}, {10, 30}},
        {{-5, -5}, {60, -5}, {60, 3}, {-3, 3}, {-3, 131000}, {-5, 131000}},
        {{0, 0}, {100, 0}, {50, 0}},
    };
    for (size_t i = 0; i < polygons.size(); ++i) {
        const QRegion region = PolygonRegion(polygons[i]);
        for (int y = -8; y < 100; ++y)
            for (int x = -8; x < 104; ++x)
                ASSERT_EQ(PolygonContains(polygons[i], {x, y}), region.contains(QPoint(x, y)))
                    << i << ": " << x << "," << y;
    }
    for (const TRect& r : {TRect{0, 0, 1, 1}, TRect{3, 4, 40, 50}, TRect{40, 50, 3, 4},
                           TRect{0, 0, 2, 0}, TRect{-7, 0, 8, 9}})
        for (int y = -8; y < 60; ++y)
            for (int x = -8; x < 60; ++x)
                ASSERT_EQ(EllipseContains(r, {x, y}), EllipseRegion(r).contains(QPoint(x, y)))
                    << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ": " << x
                    << "," << y;
    // Beyond the limits there is no region and no pixel.
    const int32_t far = kMaxRegionCoord + 1;
    EXPECT_FALSE(PolygonContains(std::vector<TPoint>{{0, 0}, {far, 0}, {0, 10}}, {1, 1}));
    EXPECT_FALSE(EllipseContains({0, 0, 10, far}, {5, 5}));
}

TEST(SpotRegion, WorkIsTheRowsEveryEdgeCrosses) {
    EXPECT_EQ(PolygonRegionWork(std::vector<TPoint>{{0, 0}, {10, 131071}, {20, 0}}), 262142);
    EXPECT_EQ(PolygonRegionWork(std::vector<TPoint>{{0, 0}, {10, 10}}), 0); // not a polygon
    const int32_t far = kMaxRegionCoord + 1;
    EXPECT_EQ(PolygonRegionWork(std::vector<TPoint>{{0, 0}, {far, 0}, {0, 10}}), 0);
    const auto tall = static_cast<int32_t>(kMaxRegionWork);
    EXPECT_EQ(PolygonRegionWork(std::vector<TPoint>{{0, 0}, {5, tall}, {10, 0}}), 0);
    EXPECT_EQ(EllipseRegionWork({0, 0, 10, 300}), 300);
    EXPECT_EQ(EllipseRegionWork({0, 0, 10, tall + 1}), 0);
}

TEST(Geometry, RectanglesConvertToQtsLastPixelForm) {
    EXPECT_EQ(ToQRect({10, 20, 30, 40}), QRect(10, 20, 20, 20));
    EXPECT_EQ(FromQRect(QRect(10, 20, 20, 20)), (TRect{10, 20, 30, 40}));
    EXPECT_EQ(FromQRect(QRect()), TRect{});
    EXPECT_EQ(Normalized({30, 40, 10, 20}), (TRect{10, 20, 30, 40}));
}

} // namespace
} // namespace mm
