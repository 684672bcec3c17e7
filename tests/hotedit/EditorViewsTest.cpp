// What the editors show, without a window: the hot-map editor's scaled picture and outline,
// the spot editor's zoom and scrolling, and its canvas whose overlays come and go in not-xor
// mode without the picture being drawn again.
#include "PictureSupport.h"
#include "SpotSupport.h"
#include "hotedit/core/HotMapView.h"
#include "hotedit/core/SpotCanvas.h"
#include "hotedit/core/SpotView.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::MakeSpot;

TEST(DisplayScale, TheLongerSideFillsTheArea) {
    const struct {
        QSize picture;
        int32_t numerator, denominator;
        QSize display;
    } cases[] = {
        {{400, 300}, 200, 400, {200, 150}}, {{300, 600}, 200, 600, {100, 200}},
        {{200, 200}, 200, 200, {200, 200}}, {{40, 30}, 200, 40, {200, 150}},
        {{3, 7}, 200, 7, {86, 200}}, // 85.71 rounds up
    };
    for (const auto& c : cases) {
        const TDisplayScale scale = DisplayScaleOf(c.picture, {200, 200});
        EXPECT_EQ(scale.Numerator, c.numerator);
        EXPECT_EQ(scale.Denominator, c.denominator);
        EXPECT_EQ(scale.Display, c.display) << c.picture.width() << "x" << c.picture.height();
    }
    const TDisplayScale half = DisplayScaleOf({400, 300}, {200, 200});
    EXPECT_EQ(half.ToPicture({25, 99}), (TPoint{50, 198}));
    EXPECT_EQ(half.Mapping().Map({51, 199}), (TPoint{26, 100})); // 25.5 and 99.5 round up
}

TEST(HotMapView, ShowsThePictureScaledAndTheOutlineInNotXor) {
    const QImage picture = test::TestPicture(40, 30);
    const TDisplayScale scale = DisplayScaleOf(picture.size(), {200, 200});
    const QImage plain = RenderHotMapView(picture, {200, 200}, scale, nullptr, Qt::white);
    EXPECT_EQ(plain.pixel(2, 2), picture.pixel(0, 0));
    EXPECT_EQ(plain.pixel(197, 147), picture.pixel(39, 29));
    EXPECT_EQ(plain.pixel(100, 170), qRgb(255, 255, 255)); // below the picture
    const auto spot = MakeSpot(TSpotShape::Rectangle, {{4, 4}, {20, 16}});
    const QImage outlined = RenderHotMapView(picture, {200, 200}, scale, spot.get(), Qt::white);
    // The outline runs along (20, 20)-(100, 80) in the area and inverts what lies beneath.
    EXPECT_EQ(outlined.pixel(60, 20), ~plain.pixel(60, 20) | 0xFF000000);
    EXPECT_EQ(outlined.pixel(20, 50), ~plain.pixel(20, 50) | 0xFF000000);
    EXPECT_EQ(outlined.pixel(60, 50), plain.pixel(60, 50)); // hollow
}

TEST(SpotZoom, StepsCentreASmallPictureAndSnapToPixels) {
    const QSize client(508, 519);
    const struct {
        int index;
        QSize picture;
        TRect pictureRect;
        QSize area;
    } cases[] = {
        {0, {100, 80}, {204, 219, 304, 299}, {508, 519}},
        {2, {100, 80}, {(508 - 300) / 2, (519 - 240) / 2, 104 + 300, 139 + 240}, {508, 519}},
        {3, {100, 80}, {4, 59, 504, 459}, {508, 519}},
        {3, {800, 1200}, {0, 0, 4000, 6000}, {4000, 6000}},
        {1, {300, 100}, {0, 159, 600, 359}, {600, 519}},
        {7, {100, 80}, {204, 219, 304, 299}, {508, 519}}, // any other index: 100 %
    };
    for (const auto& c : cases) {
        const TSpotZoom zoom = ZoomStep(c.index, c.picture, client);
        EXPECT_EQ(zoom.PictureRect, c.pictureRect) << c.index;
        EXPECT_EQ(zoom.PaintArea, c.area) << c.index;
        EXPECT_EQ(zoom.Numerator, c.index < 4 ? kZoomSteps[c.index] : 1);
    }
    const TSpotZoom at300 = ZoomStep(2, {100, 80}, client);
    EXPECT_EQ(at300.ToView({0, 0}), (TPoint{(508 - 3 * 100) / 2, (519 - 3 * 80) / 2}));
    const TSpotZoom at500 = ZoomStep(3, {800, 1200}, client);
    EXPECT_EQ(at500.ToPicture({37, 0}), (TPoint{7, 0}));
    EXPECT_EQ(at500.ToView(at500.ToPicture({37, 0})), (TPoint{35, 0}));
    EXPECT_EQ(at500.ToPicture({-3, 0}), (TPoint{-1, 0})); // -0.6
}

TEST(SpotZoom, FitShowsTheWholePictureAsLargeAsTheClientHoldsIt) {
    const QSize client(508, 519);
    const struct {
        QSize picture;
        int32_t numerator, denominator;
        TRect pictureRect;
    } cases[] = {
        {{800, 1200}, 519, 1200, {81, 0, 81 + 346, 519}}, // by the height
        {{100, 80}, 508, 100, {0, 56, 508, 56 + 406}},    // by the width; 406.4 rounds down
        {{508, 519}, 508, 508, {0, 0, 508, 519}},
        {{0, 0}, 1, 1, {254, 259, 254, 259}}, // nothing to fit
    };
    for (const auto& c : cases) {
        const TSpotZoom zoom = ZoomStep(kZoomFit, c.picture, client);
        EXPECT_EQ(zoom.Numerator, c.numerator) << c.picture.width();
        EXPECT_EQ(zoom.Denominator, c.denominator) << c.picture.width();
        EXPECT_EQ(zoom.PictureRect, c.pictureRect) << c.picture.width();
        EXPECT_EQ(zoom.PaintArea, client) << c.picture.width();
    }
    // The far corner of the picture lies on the area's edge, and back again.
    const TSpotZoom tall = ZoomStep(kZoomFit, {800, 1200}, client);
    EXPECT_EQ(tall.ToView({800, 1200}), (TPoint{81 + 346, 519}));
    EXPECT_EQ(tall.ToPicture({81 + 346, 519}), (TPoint{800, 1200}));
}

TEST(SpotView, ScrollBarsShowOnlyWhereTheZoomedPictureNeedsThem) {
    const QSize full(508, 519);
    const QSize bars(15, 16);
    const struct {
        const char* name;
        int index;
        QSize picture;
        bool horizontal, vertical;
        QSize client;
        QSize area;
        int top; // where the picture starts, centred in what the bars leave
    } cases[] = {
        {"small at 100 %", 0, {100, 80}, false, false, {508, 519}, {508, 519}, 219},
        {"large at 500 %", 3, {800, 1200}, true, true, {493, 503}, {4000, 6000}, 0},
        {"wide and low", 3, {120, 90}, true, false, {508, 503}, {600, 503}, 26},
        {"the horizontal bar makes the vertical one",
         3,
         {120, 102},
         true,
         true,
         {493, 503},
         {600, 510},
         0},
        {"the vertical bar makes the horizontal one",
         3,
         {102, 120},
         true,
         true,
         {493, 503},
         {510, 600},
         0},
        {"fit", kZoomFit, {800, 1200}, false, false, {508, 519}, {508, 519}, 0},
    };
    for (const auto& c : cases) {
        const TSpotView view = ZoomInArea(c.index, c.picture, full, bars);
        EXPECT_EQ(view.HorizontalBar, c.horizontal) << c.name;
        EXPECT_EQ(view.VerticalBar, c.vertical) << c.name;
        EXPECT_EQ(view.Client, c.client) << c.name;
        EXPECT_EQ(view.Zoom.PaintArea, c.area) << c.name;
        EXPECT_EQ(view.Zoom.PictureRect.Top, c.top) << c.name;
    }
}

TEST(ScrollToShow, PutsABoxNotWhollyVisibleInTheMiddle) {
    const QSize client(500, 400);
    const struct {
        QPoint scroll;
        TRect box;
        QPoint scrolled;
    } cases[] = {
        {{0, 0}, {10, 10, 100, 100}, {0, 0}},                   // wholly visible
        {{0, 0}, {0, 0, 500, 400}, {0, 0}},                     // just fits
        {{0, 0}, {600, 100, 700, 150}, {650 - 250, 0}},         // beyond the right edge
        {{0, 0}, {450, 380, 550, 420}, {500 - 250, 400 - 200}}, // cut by both edges
        {{100, 0}, {0, 0, 1000, 100}, {500 - 250, 0}},          // wider than the client
        {{300, 300}, {100, 350, 200, 360}, {150 - 250, 300}},   // before the visible part
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollToShow(c.scroll, c.box, client), c.scrolled)
            << c.box.Left << "," << c.box.Top;
}

TEST(ScrollIntoView, BringsThePointToTheMiddleOfEachAxisItLayOutside) {
    const QSize client(508, 519);
    const struct {
        QPoint scroll;
        TPoint view;
        QPoint scrolled;
    } cases[] = {
        {{0, 0}, {600, 300}, {600 - 508 + 254, 0}},
        {{0, 0}, {100, 300}, {0, 0}},
        {{0, 0}, {508, 519}, {0, 0}}, // on the edge: inside
        {{1000, 1000}, {900, 1200}, {1000 - 100 - 254, 1000}},
        {{0, 0}, {2000, 3000}, {2000 - 508 + 254, 3000 - 519 + 259}},
        {{0, 0}, {INT32_MIN, 0}, {INT32_MIN, 0}}, // far beyond: limited later by the range
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollIntoView(c.scroll, c.view, client), c.scrolled)
            << c.view.X << "," << c.view.Y;
}

// A canvas on a 60 x 40 picture at 200 %, seen through a window on part of it.
class SpotCanvasTest : public testing::Test {
protected:
    QImage picture = test::TestPicture(60, 40);
    TSpotCanvas canvas;
    const QRect visible{20, 10, 70, 50};

    void SetUp() override { canvas.SetPicture(picture, {0, 0, 120, 80}, {120, 80}); }

    // The visible part drawn afresh with the overlays.
    QImage Fresh(const TSpotOverlays& overlays) {
        TSpotCanvas other;
        other.SetPicture(picture, {0, 0, 120, 80}, {120, 80});
        other.Render(visible, overlays);
        return other.Buffer();
    }
};

TEST_F(SpotCanvasTest, RendersTheVisiblePartOfTheZoomedPicture) {
    canvas.Render(visible, {});
    EXPECT_TRUE(canvas.Covers(visible));
    EXPECT_FALSE(canvas.Covers(visible.translated(1, 0)));
    EXPECT_EQ(canvas.Origin(), visible.topLeft());
    EXPECT_EQ(canvas.Buffer().size(), visible.size());
    for (const QPoint p : {QPoint(20, 10), QPoint(21, 11), QPoint(89, 59), QPoint(50, 33)})
        EXPECT_EQ(canvas.Buffer().pixel(p - visible.topLeft()), picture.pixel(p.x() / 2, p.y() / 2))
            << p.x() << "," << p.y();
}

TEST_F(SpotCanvasTest, OverlaysComeAndGoWithoutDrawingThePictureAgain) {
    const TSpotOverlays none;
    const TSpotOverlays drawn{
        TFigure{TSpotShape::Polyline, {{25, 15}, {80, 20}, {40, 55}}, true}, TPoint{40, 55},
        TBand{TPoint{30, 30}, TFigure{TSpotShape::Rectangle, {{25, 15}, {70, 50}}}}};
    canvas.Render(visible, none);
    const QImage plain = canvas.Buffer();
    QRegion changed = canvas.Show(drawn);
    EXPECT_TRUE(canvas.Buffer() == Fresh(drawn));
    EXPECT_FALSE(canvas.Buffer() == plain);
    EXPECT_TRUE(changed.contains(QPoint(40, 55)));
    EXPECT_TRUE(changed.contains(QPoint(110, 30))); // the crosshair spans the area
    EXPECT_FALSE(changed.contains(QPoint(2, 2)));

    // Only the band moves: its old and new places change, nothing else.
    TSpotOverlays moved = drawn;
    moved.Band = TBand{TPoint{32, 31}, TFigure{TSpotShape::Rectangle, {{25, 15}, {72, 51}}}};
    changed = canvas.Show(moved);
    EXPECT_TRUE(canvas.Buffer() == Fresh(moved));
    EXPECT_FALSE(changed.contains(QPoint(45, 35))); // inside the band's rectangle
    canvas.Show(none);
    EXPECT_TRUE(canvas.Buffer() == plain);
}

TEST_F(SpotCanvasTest, FiguresFarBeyondTheAreaDrawOnlyWhatShows) {
    canvas.Render(visible, {});
    const QImage plain = canvas.Buffer();
    const TSpotOverlays far{
        TFigure{TSpotShape::Polyline, {{INT32_MIN, 30}, {INT32_MAX, 30}, {50, INT32_MAX}}, true},
        TPoint{INT32_MAX, INT32_MIN},
        TBand{TPoint{40, 30}, TFigure{TSpotShape::Ellipse, {{INT32_MIN, INT32_MIN}, {40, 30}}}}};
    const QRegion changed = canvas.Show(far);
    EXPECT_TRUE(changed.boundingRect().intersects(QRect(visible)));
    canvas.Show({});
    EXPECT_TRUE(canvas.Buffer() == plain);
}

TEST_F(SpotCanvasTest, BeforeTheFirstRenderOverlaysAreOnlyRecorded) {
    const TSpotOverlays handle{std::nullopt, TPoint{30, 30}, std::nullopt};
    EXPECT_TRUE(canvas.Show(handle).isEmpty());
    canvas.Render(visible, canvas.Shown());
    EXPECT_TRUE(canvas.Buffer() == Fresh(handle));
    // The handle is 8 x 8 from (26, 26), right and bottom exclusive.
    const QImage plain = Fresh({});
    for (const QPoint p : {QPoint(26, 26), QPoint(33, 33)})
        EXPECT_NE(canvas.Buffer().pixel(p - visible.topLeft()), plain.pixel(p - visible.topLeft()));
    for (const QPoint p : {QPoint(25, 26), QPoint(34, 30), QPoint(30, 34)})
        EXPECT_EQ(canvas.Buffer().pixel(p - visible.topLeft()), plain.pixel(p - visible.topLeft()));
}

} // namespace
} // namespace mm
