#include "hotimage/core/Spot.h"
#include "SpotSupport.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::MakeSpot;

const std::vector<TPoint> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const std::vector<TPoint> kPentagram = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};

TEST(Spot, CreationValues) {
    for (TSpotShape shape : {TSpotShape::Polyline, TSpotShape::Rectangle, TSpotShape::Ellipse}) {
        SCOPED_TRACE(int(shape));
        const TSpot spot(shape);
        EXPECT_EQ(spot.Shape(), shape);
        EXPECT_EQ(spot.Points(),
                  shape == TSpotShape::Polyline ? std::vector<TPoint>{} : std::vector<TPoint>(2));
        EXPECT_EQ(spot.NormalColor, 65280);
        EXPECT_EQ(spot.ToggleColor, 16711935);
        EXPECT_EQ(spot.Hint, "");
        EXPECT_EQ(spot.ID, 0);
        EXPECT_TRUE(spot.Enabled);
        EXPECT_EQ(spot.KeyKind, 0);
        EXPECT_FALSE(spot.HasMask());
        EXPECT_EQ(spot.CheckMarks, (std::array<bool, 2>{false, false}));
        EXPECT_EQ(spot.Owner(), nullptr);
        EXPECT_FALSE(spot.HasRegion());
    }
}

TEST(Spot, NewRectangleAndEllipseContainNothingAndHaveEmptyBounds) {
    for (TSpotShape shape : {TSpotShape::Rectangle, TSpotShape::Ellipse}) {
        const TSpot spot(shape);
        for (TPoint p : {TPoint{0, 0}, TPoint{-1, -1}, TPoint{1, 1}})
            EXPECT_FALSE(spot.Contains(p));
        EXPECT_EQ(spot.GetBounds(), TRect{});
    }
}

struct TContainsCase {
    const char* name;
    TSpotShape shape;
    std::vector<TPoint> outline;
    TPoint point;
    bool inside;
};

TEST(Spot, ContainsAtTheEdgesOfEachShape) {
    const auto rect = TSpotShape::Rectangle;
    const auto ellipse = TSpotShape::Ellipse;
    const auto poly = TSpotShape::Polyline;
    const std::vector<TPoint> box = {{10, 10}, {20, 20}};
    const std::vector<TContainsCase> cases = {
        {"rectangle top-left corner", rect, box, {10, 10}, true},
        {"rectangle last pixel", rect, box, {19, 19}, true},
        {"rectangle right edge", rect, box, {20, 15}, false},
        {"rectangle bottom edge", rect, box, {15, 20}, false},
        {"rectangle left of it", rect, box, {9, 15}, false},
        {"rectangle above it", rect, box, {15, 9}, false},
        {"rectangle stored right to left", rect, {{20, 10}, {10, 20}}, {15, 15}, false},
        {"rectangle stored bottom to top", rect, {{10, 20}, {20, 10}}, {15, 15}, false},
        {"ellipse centre", ellipse, {{0, 0}, {10, 10}}, {5, 5}, true},
        {"ellipse left end of middle row", ellipse, {{0, 0}, {10, 10}}, {0, 5}, true},
        {"ellipse right edge", ellipse, {{0, 0}, {10, 10}}, {10, 5}, false},
        {"ellipse top row middle", ellipse, {{0, 0}, {10, 10}}, {5, 0}, true},
        {"ellipse corner of its box", ellipse, {{0, 0}, {10, 10}}, {0, 0}, false},
        {"ellipse far corner", ellipse, {{0, 0}, {10, 10}}, {9, 9}, false},
        {"ellipse stored reversed", ellipse, {{10, 10}, {0, 0}}, {5, 5}, true},
        {"square first pixel", poly, kSquare, {0, 0}, true},
        {"square last pixel", poly, kSquare, {9, 9}, true},
        {"square right edge", poly, kSquare, {10, 5}, false},
        {"square bottom edge", poly, kSquare, {5, 10}, false},
        {"square left of it", poly, kSquare, {-1, 5}, false},
        {"pentagram tip", poly, kPentagram, {50, 10}, true},
        {"pentagram centre is outside by even-odd", poly, kPentagram, {50, 50}, false},
        {"pentagram arm", poly, kPentagram, {10, 38}, true},
        {"polyline of two points", poly, {{0, 0}, {10, 10}}, {5, 5}, false},
        {"polyline without points", poly, {}, {0, 0}, false},
    };
    for (const TContainsCase& c : cases) {
        const auto spot = MakeSpot(c.shape, c.outline);
        EXPECT_EQ(spot->Contains(c.point), c.inside) << c.name;
    }
}

TEST(Spot, RegionIsKeptOnAHitAndDroppedOnAMiss) {
    const auto spot = MakeSpot(TSpotShape::Polyline, kSquare);
    EXPECT_TRUE(spot->Contains({5, 5}));
    EXPECT_TRUE(spot->HasRegion());
    EXPECT_FALSE(spot->Contains({50, 5})); // outside its points' box
    EXPECT_FALSE(spot->HasRegion());
    const auto star = MakeSpot(TSpotShape::Polyline, kPentagram);
    EXPECT_TRUE(star->Contains({50, 10}));
    EXPECT_FALSE(star->Contains({50, 50})); // inside the box, outside the region
    EXPECT_FALSE(star->HasRegion());
    const auto rect = MakeSpot(TSpotShape::Rectangle, {{0, 0}, {10, 10}});
    EXPECT_TRUE(rect->Contains({5, 5}));
    EXPECT_FALSE(rect->HasRegion()); // rectangles are tested arithmetically
}

TEST(Spot, EveryChangeOfTheOutlineDropsTheRegion) {
    const TSpot other(TSpotShape::Ellipse);
    const std::vector<std::pair<const char*, std::function<void(TSpot&)>>> changes = {
        {"Assign", [&](TSpot& s) { s.Assign(other); }},
        {"AssignMapped", [&](TSpot& s) { s.AssignMapped(&other, {}); }},
        {"Clear", [](TSpot& s) { s.Clear(); }},
        {"SetShape to the same shape", [](TSpot& s) { s.SetShape(TSpotShape::Polyline); }},
        {"SetShape", [](TSpot& s) { s.SetShape(TSpotShape::Rectangle); }},
        {"AddPoint",
         [](TSpot& s) {
             s.AddPoint({1, 1});
         }},
        {"SetCorners",
         [](TSpot& s) {
             s.SetCorners({1, 1}, {2, 2});
         }},
        {"SetPoints", [](TSpot& s) { s.SetPoints({}); }},
    };
    for (const auto& [name, change] : changes) {
        const auto spot = MakeSpot(TSpotShape::Polyline, kSquare);
        spot->GetRegion();
        ASSERT_TRUE(spot->HasRegion());
        change(*spot);
        EXPECT_FALSE(spot->HasRegion()) << name;
    }
}

TEST(Spot, GetBounds) {
    const auto square = MakeSpot(TSpotShape::Polyline, kSquare);
    EXPECT_EQ(square->GetRegion().boundingRect(), QRect(0, 0, 10, 10));
    EXPECT_EQ(square->GetBounds(), (TRect{0, 0, 11, 11})); // one wider and taller
    square->FreeRegion();
    EXPECT_EQ(square->GetBounds(), (TRect{0, 0, 11, 11})); // measured without a region
    EXPECT_FALSE(square->HasRegion());
    EXPECT_EQ(MakeSpot(TSpotShape::Polyline, kPentagram)->GetBounds(), (TRect{3, 2, 98, 91}));
    EXPECT_EQ(MakeSpot(TSpotShape::Polyline, {})->GetBounds(), TRect{});
    EXPECT_EQ(MakeSpot(TSpotShape::Polyline, {{5, 5}, {9, 9}})->GetBounds(), TRect{});
    // Rectangles and ellipses give their corners as stored.
    EXPECT_EQ(MakeSpot(TSpotShape::Rectangle, {{30, 40}, {10, 20}})->GetBounds(),
              (TRect{30, 40, 10, 20}));
    EXPECT_EQ(MakeSpot(TSpotShape::Ellipse, {{1, 2}, {3, 4}})->GetBounds(), (TRect{1, 2, 3, 4}));
}

TEST(Spot, SetShapeCutsOrExtendsToTwoCorners) {
    const std::vector<TPoint> five = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
    struct TCase {
        const char* name;
        TSpotShape from;
        std::vector<TPoint> points;
        TSpotShape to;
        std::vector<TPoint> expected;
    };
    const std::vector<TCase> cases = {
        {"five points to rectangle",
         TSpotShape::Polyline,
         five,
         TSpotShape::Rectangle,
         {{1, 2}, {3, 4}}},
        {"one point to ellipse",
         TSpotShape::Polyline,
         {{7, 8}},
         TSpotShape::Ellipse,
         {{7, 8}, {0, 0}}},
        {"no points to rectangle",
         TSpotShape::Polyline,
         {},
         TSpotShape::Rectangle,
         {{0, 0}, {0, 0}}},
        {"rectangle to polyline keeps the corners",
         TSpotShape::Rectangle,
         {{1, 2}, {3, 4}},
         TSpotShape::Polyline,
         {{1, 2}, {3, 4}}},
        {"rectangle to ellipse",
         TSpotShape::Rectangle,
         {{1, 2}, {3, 4}},
         TSpotShape::Ellipse,
         {{1, 2}, {3, 4}}},
        {"same shape changes nothing", TSpotShape::Polyline, five, TSpotShape::Polyline, five},
    };
    for (const TCase& c : cases) {
        const auto spot = MakeSpot(c.from, c.points);
        spot->SetShape(c.to);
        EXPECT_EQ(spot->Shape(), c.to) << c.name;
        EXPECT_EQ(spot->Points(), c.expected) << c.name;
    }
}

TEST(Spot, AddPointTurnsARectangleIntoAPolyline) {
    const auto spot = MakeSpot(TSpotShape::Rectangle, {{10, 20}, {30, 40}});
    spot->AddPoint({5, 6});
    EXPECT_EQ(spot->Shape(), TSpotShape::Polyline);
    EXPECT_EQ(spot->Points(), (std::vector<TPoint>{{10, 20}, {30, 40}, {5, 6}}));
    EXPECT_EQ(spot->PointCount(), 3);
}

TEST(Spot, SetCornersStoresThePointsUnchanged) {
    const auto rect = MakeSpot(TSpotShape::Rectangle, {});
    rect->SetCorners({30, 40}, {10, 20});
    EXPECT_EQ(rect->Corners(), (TRect{30, 40, 10, 20}));
    const auto poly = MakeSpot(TSpotShape::Polyline, kSquare);
    poly->SetCorners({1, 2}, {3, 4});
    EXPECT_EQ(poly->Shape(), TSpotShape::Polyline);
    EXPECT_EQ(poly->Points(), (std::vector<TPoint>{{1, 2}, {3, 4}}));
}

TEST(Spot, AssignCopiesTheOutlineAndFieldsButNeitherMaskNorCheckMarks) {
    const auto source = MakeSpot(TSpotShape::Ellipse, {{1, 2}, {3, 4}}, 9);
    source->NormalColor = 1;
    source->ToggleColor = 2;
    source->Hint = "Power";
    source->Enabled = false;
    source->KeyKind = 2;
    source->SetMask({kMaskOverPoint, {5, 6}, {}});
    source->CheckMarks = {true, true};

    TSpot target(TSpotShape::Polyline);
    target.SetMask({kMaskDownPoint, {}, {7, 8}});
    target.CheckMarks = {false, true};
    target.Assign(*source);
    EXPECT_EQ(target.Shape(), TSpotShape::Ellipse);
    EXPECT_EQ(target.Points(), source->Points());
    EXPECT_EQ(target.ID, 9);
    EXPECT_EQ(target.NormalColor, 1);
    EXPECT_EQ(target.ToggleColor, 2);
    EXPECT_EQ(target.Hint, "Power");
    EXPECT_FALSE(target.Enabled);
    EXPECT_EQ(target.KeyKind, 2);
    EXPECT_EQ(target.GetMask(), (TSpotMask{kMaskDownPoint, {}, {7, 8}}));
    EXPECT_EQ(target.CheckMarks, (std::array<bool, 2>{false, true}));
}

TEST(Spot, MaskExistsExactlyWhileItsFlagsAreSet) {
    TSpot spot;
    EXPECT_EQ(spot.GetMask(), TSpotMask{});
    const TSpotMask both = {kMaskOverPoint | kMaskDownPoint, {1, 2}, {3, 4}};
    spot.SetMask(both);
    EXPECT_TRUE(spot.HasMask());
    EXPECT_EQ(spot.GetMask(), both);
    spot.SetMask({0, {9, 9}, {9, 9}});
    EXPECT_FALSE(spot.HasMask());
    EXPECT_EQ(spot.GetMask(), TSpotMask{});
}

TEST(Spot, MappingRoundsHalvesAwayFromZero) {
    const TSpotMapping half = {2, 2, 0, 0, 1, 1, 0, 0};
    EXPECT_EQ(half.Map({3, -3}), (TPoint{2, -2}));
    const TSpotMapping shifted = {10, 10, 1, 2, 30, 20, 100, 200};
    EXPECT_EQ(shifted.Map({4, 3}), (TPoint{115, 210}));
    const TSpotMapping noSource = {0, 0, 0, 0, 10, 10, 7, 8};
    EXPECT_EQ(noSource.Map({4, 3}), (TPoint{6, 7})); // MulDiv gives -1
}

TEST(Spot, MapBackTakesADisplayPointToThePicture) {
    const TSpotMapping doubled = {10, 10, 0, 0, 20, 20, 5, 6};
    EXPECT_EQ(doubled.MapBack({25, 26}), (TPoint{10, 10}));
    EXPECT_EQ(doubled.MapBack({8, 6}), (TPoint{2, 0})); // 1.5 rounds away from zero
    const TSpotMapping noDisplay = {10, 10, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(noDisplay.MapBack({4, 3}), (TPoint{-1, -1}));
    const TSpotMapping farOff = {1, 1, 0, 0, 1, 1, -2147483647 - 1, 0};
    EXPECT_EQ(farOff.MapBack({0, 0}), (TPoint{-2147483647 - 1, 0})); // wraps, no overflow
}

TEST(Spot, DataIsAValueCopyOfEveryStoredField) {
    TSpotData data;
    data.Shape = TSpotShape::Ellipse;
    data.Points = {{1, 2}, {30, 40}, {7, 7}}; // a box keeps its two corners
    data.NormalColor = 1;
    data.ToggleColor = 2;
    data.Hint = "Vol+\r\n\xB5\xE7";
    data.ID = 44;
    data.Enabled = false;
    data.KeyKind = kKeyKindMac;
    data.Mask = {kMaskDownPoint, {}, {5, 6}};
    const TSpot spot(data);
    TSpotData expected = data;
    expected.Points.resize(2);
    EXPECT_EQ(spot.Data(), expected);
    EXPECT_TRUE(spot.HasMask());

    TSpot other;
    other.CheckMarks = {true, false};
    other.GetRegion();
    other.SetData(expected);
    EXPECT_TRUE(SameSpot(other, spot));
    EXPECT_FALSE(other.HasRegion());
    EXPECT_EQ(other.CheckMarks, (std::array<bool, 2>{true, false})); // display state stays
    other.SetData({});
    EXPECT_EQ(other.Data(), TSpotData{});
    EXPECT_FALSE(other.HasMask());
    EXPECT_FALSE(SameSpot(other, spot));
}

TEST(Spot, AnEmptyOutlineHoldsNoPoint) {
    const std::vector<std::pair<std::unique_ptr<TSpot>, bool>> cases = [] {
        std::vector<std::pair<std::unique_ptr<TSpot>, bool>> c;
        c.emplace_back(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {1, 1}}), false);
        c.emplace_back(MakeSpot(TSpotShape::Rectangle, {{5, 5}, {5, 9}}), true);
        c.emplace_back(MakeSpot(TSpotShape::Rectangle, {{9, 9}, {1, 1}}), true); // reversed
        c.emplace_back(MakeSpot(TSpotShape::Ellipse, {{9, 9}, {1, 1}}), false);
        c.emplace_back(MakeSpot(TSpotShape::Ellipse, {{1, 1}, {1, 9}}), true);
        c.emplace_back(MakeSpot(TSpotShape::Polyline, {{0, 0}, {9, 0}, {0, 9}}), false);
        c.emplace_back(MakeSpot(TSpotShape::Polyline, {{0, 0}, {9, 9}}), true);
        c.emplace_back(MakeSpot(TSpotShape::Polyline, {}), true);
        return c;
    }();
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].first->OutlineIsEmpty(), cases[i].second) << i;
        EXPECT_FALSE(cases[i].first->HasRegion()) << i; // decided without building one
        cases[i].first->GetBounds();
        EXPECT_EQ(cases[i].first->OutlineIsEmpty(), cases[i].second) << i << " measured";
    }
}

TEST(Spot, MeasuresFollowTheOutline) {
    const auto spot = MakeSpot(TSpotShape::Polyline, kSquare);
    EXPECT_EQ(spot->GetBounds(), (TRect{0, 0, 11, 11}));
    spot->SetPoints({{0, 0}, {20, 0}, {20, 30}});
    EXPECT_EQ(spot->GetBounds(),
              FromQRect(spot->CreateRegion().boundingRect().adjusted(0, 0, 1, 1)));
    spot->SetPoints({{0, 0}, {20, 0}});
    EXPECT_TRUE(spot->OutlineIsEmpty());
    EXPECT_EQ(spot->GetBounds(), TRect{});
}

TEST(Spot, AssignMappedMapsEveryPointAndTouchesNothingElse) {
    const auto source = MakeSpot(TSpotShape::Rectangle, {{10, 20}, {30, 40}}, 5);
    TSpot target(TSpotShape::Polyline);
    target.ID = 7;
    target.Hint = "kept";
    target.SetMask({kMaskOverPoint, {1, 1}, {}});
    target.AssignMapped(source.get(), {100, 100, 0, 0, 50, 200, 1, 2});
    EXPECT_EQ(target.Shape(), TSpotShape::Rectangle);
    EXPECT_EQ(target.Points(), (std::vector<TPoint>{{6, 42}, {16, 82}}));
    EXPECT_EQ(target.ID, 7);
    EXPECT_EQ(target.Hint, "kept");
    EXPECT_TRUE(target.HasMask());

    target.AssignMapped(nullptr, {});
    EXPECT_EQ(target.Shape(), TSpotShape::Polyline);
    EXPECT_EQ(target.PointCount(), 0);
}

// Black pixels of a 40 x 40 white image after drawing the spot with a black brush and no pen.
std::vector<TPoint> Drawn(const TSpot& spot, TPoint offset) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    spot.Draw(painter, offset);
    EXPECT_TRUE(painter.transform().isIdentity());
    painter.end();
    std::vector<TPoint> black;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (image.pixel(x, y) == QColor(Qt::black).rgb())
                black.push_back({x, y});
    return black;
}

TEST(Spot, DrawFillsTheOutlineShiftedByTheOffset) {
    const auto rect = MakeSpot(TSpotShape::Rectangle, {{10, 10}, {12, 13}});
    // No pen: like the platform, the fill stops one pixel short of Right and Bottom.
    EXPECT_EQ(Drawn(*rect, {5, 5}), (std::vector<TPoint>{{15, 15}, {15, 16}}));
    const auto triangle = MakeSpot(TSpotShape::Polyline, {{0, 0}, {4, 0}, {0, 4}});
    const auto drawn = Drawn(*triangle, {20, 30});
    ASSERT_FALSE(drawn.empty());
    for (const TPoint& p : drawn) {
        EXPECT_GE(p.X, 20);
        EXPECT_GE(p.Y, 30);
        EXPECT_LE(p.X - 20 + p.Y - 30, 4);
    }
    EXPECT_TRUE(Drawn(TSpot(TSpotShape::Polyline), {}).empty());
}

} // namespace
} // namespace mm
