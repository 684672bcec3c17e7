// The renderer on pictures the tests build: whole back buffers compared with buffers worked out
// pixel by pixel here, and the check mark against its drawn shape.
#include "hotimage/core/HotImageRenderer.h"
#include "PictureSupport.h"
#include "SpotSupport.h"
#include "platform/ui/QtText.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <limits>

namespace mm {
namespace {

using test::MakeSpot;
using test::TestPicture;

constexpr QRgb kFace = 0xFFF0F0F0;
constexpr int32_t kYellow = 0x0000FFFF;
constexpr int32_t kBlue = 0x00FF0000;

QRgb Rgb(int32_t bgr) {
    return QColorFromBgr(bgr).rgb();
}

// Six spots on a 40 x 30 picture shown in a 48 x 36 buffer.
class Scene {
public:
    Scene() {
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{4, 4}, {12, 10}}, 5));
        spots.Add(MakeSpot(TSpotShape::Ellipse, {{14, 3}, {26, 13}}, 5))->NormalColor = kYellow;
        // A pentagram: its centre lies outside the outline by the even-odd rule.
        spots.Add(
            MakeSpot(TSpotShape::Polyline, {{20, 15}, {25, 29}, {13, 20}, {27, 20}, {15, 29}}, 5));
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{28, 16}, {36, 24}}, 9))->KeyKind =
            kKeyKindShift;
        TSpot& other = *spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 18}, {10, 26}}, 7));
        other.KeyKind = kKeyKindOther;
        other.Enabled = false;
        other.NormalColor = kBlue;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{30, 2}, {46, 12}}, 8)); // past the picture
    }

    QImage Render(const THotImageState& state, bool valid = true) const {
        QImage buffer(48, 36, QImage::Format_RGB32);
        buffer.fill(Qt::black);
        THotImageRenderer(picture, spots, state).RenderBuffer(buffer, valid);
        return buffer;
    }

    // The picture on the button face, then each listed spot tinted in turn: inside its
    // outline the picture ANDed with the tint, and the tint itself where the picture ends.
    QImage Expected(const std::vector<std::pair<int, int32_t>>& tints) const {
        QImage expected(48, 36, QImage::Format_RGB32);
        expected.fill(kFace);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                expected.setPixel(x, y, picture.pixel(x, y));
        for (const auto& [index, tint] : tints) {
            const TSpot& spot = *spots.Items(index);
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    if (spot.Contains({x, y}))
                        expected.setPixel(x, y,
                                          picture.valid(x, y) ? picture.pixel(x, y) & Rgb(tint)
                                                              : Rgb(tint));
        }
        return expected;
    }

    QImage picture = TestPicture(40, 30);
    THotSpots spots;
};

// The first differing pixel, for failure messages.
std::string FirstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return "sizes differ";
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return "at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       QString::number(actual.pixel(x, y), 16).toStdString() + " instead of " +
                       QString::number(expected.pixel(x, y), 16).toStdString();
    return "none";
}

TEST(HotImageRenderer, TintsTheSelectedSpotItsFirstPartnerAndTheShiftKey) {
    const Scene scene;
    const int32_t green = kDefaultNormalColor;
    const int32_t magenta = kDefaultToggleColor;
    const int32_t red = kShiftKeyTint;
    struct Case {
        const char* name;
        THotImageState state;
        std::vector<std::pair<int, int32_t>> tints; // spot index, tint, in painting order
    };
    const Case cases[] = {
        {"spot 0 and its first partner", {0, false, 3}, {{0, green}, {1, kYellow}}},
        {"a partner selected tints the first other spot of its ID",
         {2, false, 3},
         {{2, green}, {0, green}}},
        {"the SHIFT layer: toggle colours and the shift key red",
         {0, true, 3},
         {{0, magenta}, {1, magenta}, {3, red}}},
        {"the shift key selected is red in the normal layer", {3, false, 3}, {{3, red}}},
        {"a disabled spot is tinted when selected", {4, false, -1}, {{4, kBlue}}},
        {"the tint goes on where the picture ends", {5, false, -1}, {{5, green}}},
        {"no selection below the list", {-1, false, 3}, {}},
        {"no selection past the list", {6, true, -1}, {}},
        {"a shift index past the list tints nothing", {6, true, 6}, {}},
    };
    for (const Case& c : cases) {
        const QImage actual = scene.Render(c.state);
        const QImage expected = scene.Expected(c.tints);
        EXPECT_TRUE(actual == expected) << c.name << ": " << FirstDifference(actual, expected);
    }
}

TEST(HotImageRenderer, WithoutAValidPictureOnlyTheBackgroundIsDrawn) {
    const Scene scene;
    QImage face(48, 36, QImage::Format_RGB32);
    face.fill(kFace);
    EXPECT_TRUE(scene.Render({0, true, 3}, false) == face);
}

TEST(HotImageRenderer, StretchingMapsOnlyTheOutline) {
    // The tinted copy of the bounds stays at picture size; the outline mapped onto the doubled
    // client area lets through only the part where both meet.
    const QImage picture = TestPicture(24, 18);
    THotSpots spots;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{4, 4}, {12, 10}}));
    THotImageState state;
    state.Stretch = true;
    QImage buffer(48, 36, QImage::Format_RGB32);
    THotImageRenderer(picture, spots, state).RenderBuffer(buffer, true);
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 48; ++x) {
            const bool tinted = x >= 8 && x < 12 && y >= 8 && y < 10;
            const QRgb plain = picture.valid(x, y) ? picture.pixel(x, y) : kFace;
            const QRgb expected = tinted ? plain & Rgb(kDefaultNormalColor) : plain;
            ASSERT_EQ(buffer.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(HotImageRenderer, OutlinesBeyondAnyBufferTintNothingAndDrawNoTick) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const QImage picture = TestPicture(16, 16);
    THotSpots spots;
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{kMin, kMin}, {kMax, kMax}}));
    spots.Add(MakeSpot(TSpotShape::Ellipse, {{kMin, 0}, {kMax, 10}}, 0));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{100000, 100000}, {100020, 100020}}));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{12, 12}, {2, 2}})); // corners reversed
    spots.Items(2)->CheckMarks = {true, true};                      // a tick far off the buffer
    for (int selected = 0; selected < spots.Count(); ++selected) {
        THotImageState state;
        state.SelectedIndex = selected;
        QImage buffer(16, 16, QImage::Format_RGB32);
        THotImageRenderer(picture, spots, state).RenderBuffer(buffer, true);
        EXPECT_TRUE(buffer == picture)
            << "spot " << selected << ": " << FirstDifference(buffer, picture);
    }
}

TEST(HotImageRenderer, TicksBuildNoRegions) {
    const QImage picture = TestPicture(16, 16);
    THotSpots spots;
    TSpot& far = *spots.Add(
        MakeSpot(TSpotShape::Polyline, {{50000, 50000}, {90000, 50000}, {70000, 200000}}));
    far.CheckMarks = {true, true};
    TSpot& near = *spots.Add(MakeSpot(TSpotShape::Polyline, {{-20, 2}, {6, 2}, {6, 12}}));
    near.CheckMarks = {true, true};
    THotImageState state;
    state.SelectedIndex = -1;
    QImage buffer(16, 16, QImage::Format_RGB32);
    THotImageRenderer(picture, spots, state).RenderBuffer(buffer, true);
    EXPECT_FALSE(far.HasRegion());
    EXPECT_FALSE(near.HasRegion()); // its tick is placed by its measured bounds
}

// The tick around the centre (20, 18) of the bounds of a 20 x 16 rectangle at (10, 10): rows
// from 9 above the centre, columns from 9 left of it. Its lowest point lies 4 below the centre.
const char* const kTick[] = {
    "................MM.", //
    "...............MMM.", //
    "...............MM..", //
    "..............MMM..", //
    "MM...........MMM...", //
    "MMM..........MM....", //
    ".MMM........MMM....", //
    "..MMM......MMM.....", //
    "...MMM.....MM......", //
    "....MMM...MMM......", //
    ".....MMM.MMM.......", //
    "......MMMMM........", //
    ".......MMMM........", //
    "........MM.........", //
};

TEST(HotImageRenderer, CheckMarksAreTicksInTheLayersColour) {
    const QImage picture = TestPicture(40, 30);
    struct Case {
        const char* name;
        bool shiftOn;
        std::array<bool, 2> marks;
        std::optional<QRgb> tick; // nothing: no tick drawn
    };
    const Case cases[] = {
        {"normal layer", false, {true, false}, Rgb(kCheckMarkColor)},
        {"SHIFT layer", true, {false, true}, Rgb(kShiftCheckMarkColor)},
        {"the normal mark is not shown in the SHIFT layer", true, {true, false}, std::nullopt},
        {"the SHIFT mark is not shown in the normal layer", false, {false, true}, std::nullopt},
    };
    for (const Case& c : cases) {
        THotSpots spots;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{10, 10}, {30, 26}}))->CheckMarks = c.marks;
        THotImageState state;
        state.SelectedIndex = -1;
        state.ShiftOn = c.shiftOn;
        QImage buffer(40, 30, QImage::Format_RGB32);
        THotImageRenderer(picture, spots, state).RenderBuffer(buffer, true);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int row = y - 9, column = x - 11;
                const bool onTick = c.tick && row >= 0 && row < 14 && column >= 0 && column < 19 &&
                                    kTick[row][column] == 'M';
                ASSERT_EQ(buffer.pixel(x, y), onTick ? *c.tick : picture.pixel(x, y))
                    << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(HotImageRenderer, EverySpotButTheShiftKeyShowsItsTickOverTheTints) {
    Scene scene;
    THotSpots& spots = scene.spots;
    for (int i = 0; i < spots.Count(); ++i)
        spots.Items(i)->CheckMarks = {true, true};
    const QImage buffer = scene.Render({0, true, 3});
    for (int i = 0; i < spots.Count(); ++i) {
        const TRect b = spots.Items(i)->GetBounds();
        const int cx = b.Left + (b.Right - b.Left) / 2;
        const int cy = b.Top + (b.Bottom - b.Top) / 2;
        // The lowest point of the tick, when it lies on the buffer.
        if (cy + 3 < buffer.height()) {
            EXPECT_EQ(buffer.pixel(cx, cy + 3) == Rgb(kShiftCheckMarkColor), i != 3)
                << "spot " << i;
        }
    }
}

TEST(HotImageRenderer, MappedRegionFollowsTheMappingAndIsEmptyWithoutPoints) {
    TSpotMapping doubled{10, 10, 0, 0, 20, 20, 5, 0};
    const auto rect = MakeSpot(TSpotShape::Rectangle, {{1, 1}, {3, 2}});
    EXPECT_EQ(THotImageRenderer::MappedRegion(*rect, doubled), QRegion(7, 2, 4, 2));
    const auto ellipse = MakeSpot(TSpotShape::Ellipse, {{0, 0}, {10, 10}});
    EXPECT_EQ(THotImageRenderer::MappedRegion(*ellipse, doubled).boundingRect(),
              QRect(5, 0, 20, 20));
    const auto triangle = MakeSpot(TSpotShape::Polyline, {{0, 0}, {4, 0}, {0, 4}});
    EXPECT_EQ(THotImageRenderer::MappedRegion(*triangle, doubled).boundingRect().topLeft(),
              QPoint(5, 0));
    EXPECT_TRUE(THotImageRenderer::MappedRegion(TSpot(), doubled).isEmpty());
}

} // namespace
} // namespace mm
