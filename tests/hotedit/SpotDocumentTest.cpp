// The spot editor's document without a window: loading and writing back, drawing mode, the
// pointer's drags, the overlays it asks for, and undo of every change.
#include "hotedit/core/SpotDocument.h"
#include "HotMapBinary.h"
#include "SpotSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace mm {
namespace {

using test::BinaryOf;
using test::MakeSpot;
using Points = std::vector<TPoint>;

constexpr QSize kPicture(100, 80);

// The zoom of a picture at the top left of the paint area.
TSpotZoom Zoom(int factor) {
    TSpotZoom zoom;
    zoom.Numerator = factor;
    zoom.PictureRect = {0, 0, kPicture.width() * factor, kPicture.height() * factor};
    zoom.PaintArea = {kPicture.width() * factor, kPicture.height() * factor};
    return zoom;
}

std::vector<uint8_t> WrittenBack(const TSpotDocument& document, const TSpot& opened) {
    TSpotData spot = opened.Data();
    document.WriteBack(spot);
    return BinaryOf(TSpot(spot));
}

// A document on the spot at 100 %.
struct TEditing {
    std::unique_ptr<TSpot> spot;
    TSpotDocument document;
    explicit TEditing(std::unique_ptr<TSpot> opened, int zoom = 1)
        : spot(std::move(opened)), document(spot->Data(), kPicture) {
        document.SetZoom(Zoom(zoom));
    }
    // A left click at a view position, as a user clicks: moved there first.
    void Click(TPoint at) {
        document.Move(at, true);
        document.Press(Qt::LeftButton, at, false);
        document.Release(Qt::LeftButton, at);
    }
    const Points& PointsNow() const { return document.Draft().Points; }
};

TEST(SpotDraft, OpensAsTheDialogShowsTheSpot) {
    auto rect = MakeSpot(TSpotShape::Rectangle, {{10, 20}, {50, 60}}, -7);
    rect->KeyKind = 9;
    rect->Hint = "a\r\nb";
    const TSpotDraft draft = DraftOf(rect->Data());
    EXPECT_EQ(draft.Points, (Points{{10, 20}, {50, 60}}));
    EXPECT_EQ(draft.Selected, 1);
    EXPECT_EQ(draft.IdText, "-7");
    EXPECT_EQ(draft.KeyKind, 3); // beyond 3: shown as "Other"
    EXPECT_EQ(draft.Hint, "a\r\nb");
    for (TSpotShape shape : {TSpotShape::Rectangle, TSpotShape::Ellipse}) {
        EXPECT_TRUE(DraftOf(MakeSpot(shape, {{7, 7}, {7, 7}})->Data()).Points.empty());
        EXPECT_TRUE(DraftOf(TSpot(shape).Data()).Points.empty());
        EXPECT_EQ(DraftOf(MakeSpot(shape, {{7, 7}, {7, 9}})->Data()).Points.size(), 2u);
    }
    auto negative = MakeSpot(TSpotShape::Polyline, {{1, 1}});
    negative->KeyKind = -2;
    EXPECT_EQ(DraftOf(negative->Data()).KeyKind, -1);
    EXPECT_EQ(DraftOf(negative->Data()).Selected, 0);
    EXPECT_EQ(DraftOf(TSpotData{}).Selected, -1);
}

TEST(SpotDraft, KeyIdxIsADecimalIntegerElseZero) {
    const struct {
        const char* text;
        int32_t id;
    } cases[] = {{"123", 123},
                 {"", 0},
                 {"12a", 0},
                 {"-5", -5},
                 {"+5", 5},
                 {" 5", 0},
                 {"0x10", 0},
                 {"$10", 0},
                 {"999999999", 999999999},
                 {"2147483647", INT32_MAX},
                 {"2147483648", 0},
                 {"-2147483648", INT32_MIN},
                 {"-", 0},
                 {"00000000000000000001", 1},
                 {"99999999999999999999", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(SpotIdOf(c.text), c.id) << c.text;
}

TEST(SpotDraft, TheMemoShowsLineFeedsAndTheHintKeepsCrLf) {
    EXPECT_EQ(MemoTextOf("Power\r\nOn"), "Power\nOn");
    EXPECT_EQ(HintOfMemo("Power\nOn"), "Power\r\nOn");
    EXPECT_EQ(HintOfMemo(MemoTextOf("\xD6\xD0\xFF\r\nx")), "\xD6\xD0\xFF\r\nx");
}

TEST(SpotDocument, WritesBackTheFieldsAndTheOutlineButNotTheMask) {
    auto opened = MakeSpot(TSpotShape::Polyline, {{1, 1}, {5, 1}, {3, 4}}, 3);
    opened->SetMask({kMaskDownPoint, {}, {7, 8}});
    opened->CheckMarks = {true, false};
    TEditing e(std::move(opened));
    e.document.SetIdText("77");
    e.document.SetEnabled(false);
    e.document.SetKeyKind(2);
    e.document.SetNormalColor(0x123456);
    e.document.SetToggleColor(0x654321);
    e.document.SetHint("H\r\nI");
    TSpotData spot = e.spot->Data();
    e.document.WriteBack(spot);
    EXPECT_EQ(spot, (TSpotData{TSpotShape::Polyline,
                               {{1, 1}, {5, 1}, {3, 4}},
                               0x123456,
                               0x654321,
                               "H\r\nI",
                               77,
                               false,
                               2,
                               {kMaskDownPoint, {}, {7, 8}}}));
}

TEST(SpotDocument, TheOutlinesBoundsInViewPixelsAreWhatOpeningBringsIntoView) {
    const struct {
        std::unique_ptr<TSpot> spot;
        int zoom;
        std::optional<TRect> bounds;
    } cases[] = {
        {MakeSpot(TSpotShape::Polyline, {{10, 20}, {30, 5}, {20, 40}}), 5, TRect{50, 25, 151, 201}},
        {MakeSpot(TSpotShape::Rectangle, {{7, 8}, {9, 12}}), 1, TRect{7, 8, 10, 13}},
        {MakeSpot(TSpotShape::Polyline, {}), 5, std::nullopt},
    };
    for (const auto& c : cases) {
        TSpotDocument document(c.spot->Data(), kPicture);
        document.SetZoom(Zoom(c.zoom));
        EXPECT_EQ(document.OutlineViewBounds(), c.bounds) << c.zoom;
    }
}

TEST(SpotDocument, WritesBackOutlinesOfEveryCount) {
    const struct {
        TSpotShape shape;
        Points opened;
        Points written;
    } cases[] = {
        {TSpotShape::Polyline, {}, {}},
        {TSpotShape::Polyline, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
        {TSpotShape::Rectangle, {{7, 7}, {7, 7}}, {{0, 0}, {0, 0}}},
        {TSpotShape::Ellipse, {{50, 60}, {10, 20}}, {{50, 60}, {10, 20}}}, // kept as stored
    };
    for (const auto& c : cases) {
        TEditing e(MakeSpot(c.shape, c.opened));
        TSpotData spot = e.spot->Data();
        e.document.WriteBack(spot);
        EXPECT_EQ(spot.Shape, c.shape);
        EXPECT_EQ(spot.Points, c.written);
    }
}

TEST(SpotDocument, APolylineTurnsSoThatNewPointsFollowTheSelectedOne) {
    const TPoint a{10, 10}, b{40, 10}, c{40, 40}, d{10, 40}, e{25, 5};
    TEditing editing(MakeSpot(TSpotShape::Polyline, {a, b, c, d}));
    editing.document.SelectPoint(1);
    editing.document.EnterDrawing(std::nullopt);
    EXPECT_EQ(editing.PointsNow(), (Points{c, d, a, b}));
    EXPECT_EQ(editing.document.Draft().Selected, -1);
    editing.Click(e);
    EXPECT_EQ(editing.PointsNow(), (Points{c, d, a, b, e}));
    editing.document.LeaveDrawing();
    EXPECT_EQ(editing.document.Draft().Selected, 4);

    TEditing unselected(MakeSpot(TSpotShape::Polyline, {a, b, c, d}));
    unselected.document.SelectPoint(-1);
    unselected.document.EnterDrawing(std::nullopt);
    EXPECT_EQ(unselected.PointsNow(), (Points{a, b, c, d}));
    EXPECT_EQ(unselected.document.UndoStack().count(), 0);
}

TEST(SpotDocument, RectanglesTakeTwoClicksAndAreOrdered) {
    // A complete rectangle: one click replaces the selected corner and ends drawing.
    TEditing full(MakeSpot(TSpotShape::Rectangle, {{10, 20}, {50, 60}}));
    EXPECT_EQ(full.document.Draft().Selected, 1);
    full.document.EnterDrawing(std::nullopt);
    full.Click({5, 5});
    EXPECT_FALSE(full.document.Drawing());
    EXPECT_EQ(full.PointsNow(), (Points{{5, 5}, {10, 20}}));
    EXPECT_EQ(full.document.Draft().Selected, 1);
    EXPECT_EQ(full.document.UndoStack().count(), 1); // the click and its ordering together

    // An empty one: two clicks.
    TEditing empty(std::make_unique<TSpot>(TSpotShape::Rectangle));
    empty.document.EnterDrawing(std::nullopt);
    empty.Click({40, 40});
    EXPECT_TRUE(empty.document.Drawing());
    EXPECT_EQ(empty.document.Draft().Selected, 1);
    empty.Click({10, 70});
    EXPECT_FALSE(empty.document.Drawing());
    EXPECT_EQ(empty.PointsNow(), (Points{{10, 40}, {40, 70}}));

    // With corner 0 selected, corner 0 is replaced.
    TEditing first(MakeSpot(TSpotShape::Ellipse, {{10, 20}, {50, 60}}));
    first.document.SelectPoint(0);
    first.document.EnterDrawing(std::nullopt);
    first.Click({70, 75});
    EXPECT_EQ(first.PointsNow(), (Points{{50, 60}, {70, 75}}));

    // Leaving with a single corner leaves no outline.
    TEditing single(std::make_unique<TSpot>(TSpotShape::Ellipse));
    single.document.EnterDrawing(std::nullopt);
    single.Click({3, 3});
    single.document.Press(Qt::RightButton, {9, 9}, false);
    EXPECT_FALSE(single.document.Drawing());
    EXPECT_TRUE(single.PointsNow().empty());
    TSpotData written;
    single.document.WriteBack(written);
    EXPECT_EQ(written.Shape, TSpotShape::Ellipse);
    EXPECT_EQ(written.Points, (Points{{0, 0}, {0, 0}}));
}

TEST(SpotDocument, PointsSnapToPicturePixelsAt500Percent) {
    TEditing e(std::make_unique<TSpot>(), 5);
    e.document.EnterDrawing(std::nullopt);
    e.Click({37, 12});
    EXPECT_EQ(e.PointsNow(), (Points{{7, 2}}));
    EXPECT_EQ(e.document.Readout({37, 12}), "(7,2):(37,12)");
    e.document.Move({60, 60}, true);
    EXPECT_EQ(e.document.Overlays().Band->Figure->Points, (Points{{35, 10}, {60, 60}}));
}

TEST(SpotDocument, ReleasesOutsideTheVisibleAreaAddNothing) {
    TEditing e(std::make_unique<TSpot>());
    e.document.EnterDrawing(std::nullopt);
    e.document.Move({10, 10}, true);
    EXPECT_TRUE(e.document.BandShown());
    e.document.Press(Qt::LeftButton, {10, 10}, false);
    e.document.Move({900, 10}, false);
    EXPECT_TRUE(e.document.Outside());
    EXPECT_FALSE(e.document.BandShown());
    e.document.Release(Qt::LeftButton, {900, 10});
    EXPECT_TRUE(e.PointsNow().empty());
    e.document.Move({20, 10}, true);
    EXPECT_TRUE(e.document.BandShown());
    e.document.PointerLeft(); // another window took the pointer
    EXPECT_FALSE(e.document.BandShown());
}

TEST(SpotDocument, DraggingAPointIsOneCommand) {
    TEditing e(MakeSpot(TSpotShape::Polyline, {{10, 10}, {20, 10}, {20, 20}}), 2);
    // The handle of point 2 covers view [36, 44) x [36, 44).
    e.document.Press(Qt::LeftButton, {44, 40}, false); // just outside: nothing
    EXPECT_FALSE(e.document.DraggingPoint());
    e.document.Press(Qt::LeftButton, {36, 43}, false);
    ASSERT_TRUE(e.document.DraggingPoint());
    for (int x = 40; x <= 60; x += 4)
        e.document.Move({x, 40}, true);
    e.document.Release(Qt::LeftButton, {60, 40});
    EXPECT_EQ(e.PointsNow(), (Points{{10, 10}, {20, 10}, {30, 20}}));
    EXPECT_EQ(e.document.UndoStack().count(), 1);
    e.document.Undo();
    EXPECT_EQ(e.PointsNow(), (Points{{10, 10}, {20, 10}, {20, 20}}));
    // A drag that comes back where it began leaves no command.
    e.document.Press(Qt::LeftButton, {40, 40}, false);
    e.document.Move({70, 70}, true);
    e.document.Move({40, 40}, true);
    e.document.Release(Qt::LeftButton, {40, 40});
    EXPECT_EQ(e.document.UndoStack().index(), 0);
}

TEST(SpotDocument, MoveDraggesTheWholeOutlineAsOneCommand) {
    TEditing e(MakeSpot(TSpotShape::Polyline, {{10, 10}, {20, 10}, {20, 20}}), 5);
    e.document.Press(Qt::LeftButton, {0, 0}, false); // "Move" up: nothing
    e.document.Move({30, 30}, true);
    EXPECT_EQ(e.PointsNow()[0], (TPoint{10, 10}));
    e.document.Press(Qt::LeftButton, {0, 0}, true);
    ASSERT_TRUE(e.document.MovingOutline());
    e.document.Move({12, -3}, true);
    e.document.Move({23, -8}, true); // view (23, -8): picture (4.6, -1.6) rounds to (5, -2)
    e.document.Release(Qt::LeftButton, {23, -8});
    EXPECT_EQ(e.PointsNow(), (Points{{15, 8}, {25, 8}, {25, 18}}));
    EXPECT_EQ(e.document.UndoStack().count(), 1);
    // Without a selected point a press moves nothing.
    e.document.SelectPoint(-1);
    e.document.Press(Qt::LeftButton, {0, 0}, true);
    EXPECT_FALSE(e.document.MovingOutline());
    // Any press ends a drag.
    e.document.SelectPoint(0);
    e.document.Press(Qt::LeftButton, {75, 40}, false);
    EXPECT_TRUE(e.document.DraggingPoint());
    e.document.Press(Qt::RightButton, {75, 40}, false);
    EXPECT_FALSE(e.document.DraggingPoint());
}

TEST(SpotDocument, DeleteAndClearRemovePoints) {
    TEditing poly(MakeSpot(TSpotShape::Polyline, {{1, 1}, {2, 2}, {3, 3}}));
    poly.document.SelectPoint(1);
    poly.document.DeletePoint();
    EXPECT_EQ(poly.PointsNow(), (Points{{1, 1}, {3, 3}}));
    EXPECT_EQ(poly.document.Draft().Selected, -1);
    poly.document.DeletePoint(); // nothing selected: nothing removed
    EXPECT_EQ(poly.PointsNow().size(), 2u);

    TEditing rect(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}));
    rect.document.DeletePoint();
    EXPECT_TRUE(rect.PointsNow().empty());
}

TEST(SpotDocument, AShapeChangeThrowsThePointsAwayAsOneCommand) {
    TEditing e(MakeSpot(TSpotShape::Polyline, {{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_FALSE(e.document.ShapeChangeLosesPoints(TSpotShape::Polyline));
    EXPECT_TRUE(e.document.ShapeChangeLosesPoints(TSpotShape::Rectangle));
    e.document.SetShape(TSpotShape::Rectangle);
    EXPECT_EQ(e.document.Draft().Shape, TSpotShape::Rectangle);
    EXPECT_TRUE(e.PointsNow().empty());
    EXPECT_FALSE(e.document.ShapeChangeLosesPoints(TSpotShape::Ellipse));
    e.document.Undo();
    EXPECT_EQ(e.document.Draft().Shape, TSpotShape::Polyline);
    EXPECT_EQ(e.PointsNow().size(), 3u);
    e.document.EnterDrawing(std::nullopt);
    e.document.SetShape(TSpotShape::Ellipse); // not while drawing
    EXPECT_EQ(e.document.Draft().Shape, TSpotShape::Polyline);
}

TEST(SpotDocument, KeysTypedIntoOneTextAreOneCommand) {
    TEditing e(MakeSpot(TSpotShape::Polyline, {}, 5));
    for (const char* text : {"51", "512", "5123"})
        e.document.SetIdText(text);
    e.document.SetHint("a");
    e.document.SetHint("ab");
    e.document.SetIdText("51234");
    EXPECT_EQ(e.document.UndoStack().count(), 3);
    e.document.Undo();
    EXPECT_EQ(e.document.Draft().IdText, "5123");
    e.document.Undo();
    EXPECT_EQ(e.document.Draft().Hint, "");
    e.document.SetHint("x"); // after an undo typing starts a new command
    e.document.Undo();
    EXPECT_EQ(e.document.Draft().IdText, "5123");
    e.document.Undo();
    EXPECT_EQ(e.document.Draft().IdText, "5");
}

TEST(SpotDocument, OverlaysFollowTheModes) {
    TEditing e(MakeSpot(TSpotShape::Polyline, {{1, 1}, {5, 1}, {5, 5}}), 2);
    TSpotOverlays overlays = e.document.Overlays();
    EXPECT_EQ(overlays.Outline, (TFigure{TSpotShape::Polyline, {{2, 2}, {10, 2}, {10, 10}}, true}));
    EXPECT_EQ(overlays.Handle, (TPoint{10, 10}));
    EXPECT_FALSE(overlays.Band);
    e.document.EnterDrawing(std::nullopt);
    overlays = e.document.Overlays();
    EXPECT_FALSE(overlays.Outline->Closed); // open while drawing
    EXPECT_FALSE(overlays.Handle);
    EXPECT_FALSE(overlays.Band); // until the pointer moves in
    e.document.Move({21, 31}, true);
    overlays = e.document.Overlays();
    EXPECT_EQ(overlays.Band,
              (TBand{std::nullopt, TFigure{TSpotShape::Polyline, {{10, 10}, {22, 32}, {2, 2}}}}));

    TEditing box(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {5, 5}}), 2);
    EXPECT_EQ(box.document.Overlays().Outline,
              (TFigure{TSpotShape::Rectangle, {{2, 2}, {10, 10}}, false}));
    box.document.SelectPoint(0);
    box.document.EnterDrawing(std::nullopt);
    box.document.Move({20, 20}, true);
    overlays = box.document.Overlays();
    EXPECT_FALSE(overlays.Outline); // only the band while drawing
    EXPECT_EQ(overlays.Band,
              (TBand{TPoint{20, 20}, TFigure{TSpotShape::Rectangle, {{10, 10}, {20, 20}}}}));
    EXPECT_EQ(box.document.FirstViewPoint(), (TPoint{2, 2}));
}

// Any sequence of edits: as many undos give back the opening spot byte for byte, as many
// redos the edited one.
TEST(SpotDocument, UndoAndRedoRetraceAnySequenceByteForByte) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
        auto somewhere = [&] { return TPoint{pick(300) - 20, pick(300) - 20}; };
        const TSpotShape shapes[] = {TSpotShape::Polyline, TSpotShape::Rectangle,
                                     TSpotShape::Ellipse};
        auto opened = MakeSpot(shapes[pick(3)], {{4, 5}, {30, 40}, {9, 33}}, pick(50));
        opened->Hint = "h" + std::to_string(seed);
        opened->SetMask({kMaskOverPoint, {1, 1}, {}});
        TEditing e(std::move(opened), 1 + pick(3));
        const std::vector<uint8_t> opening = WrittenBack(e.document, *e.spot);
        for (int step = 0; step < 40; ++step) {
            const TPoint at = somewhere();
            switch (pick(12)) {
            case 0:
                e.document.EnterDrawing(pick(2) ? std::optional<TPoint>(at) : std::nullopt);
                break;
            case 1:
                e.document.LeaveDrawing();
                break;
            case 2:
                e.document.Press(pick(4) ? Qt::LeftButton : Qt::RightButton, at, pick(2));
                break;
            case 3:
                e.document.Move(at, pick(5) > 0);
                break;
            case 4:
                e.document.Release(Qt::LeftButton, at);
                break;
            case 5:
                e.document.SelectPoint(pick(e.document.PointCount() + 1) - 1);
                break;
            case 6:
                e.document.DeletePoint();
                break;
            case 7:
                e.document.SetShape(shapes[pick(3)]);
                break;
            case 8:
                e.document.SetIdText(std::to_string(pick(1000)));
                break;
            case 9:
                e.document.SetHint(e.document.Draft().Hint + "x");
                break;
            case 10:
                e.document.SetKeyKind(pick(5) - 1);
                e.document.SetEnabled(pick(2));
                break;
            default:
                if (pick(2))
                    e.document.Undo();
                else
                    e.document.Redo();
            }
        }
        e.document.LeaveDrawing();
        const std::vector<uint8_t> edited = WrittenBack(e.document, *e.spot);
        const int top = e.document.UndoStack().index(); // undone commands may lie beyond
        for (int undo = 0; undo < top; ++undo)
            e.document.Undo();
        EXPECT_FALSE(e.document.UndoStack().canUndo());
        EXPECT_EQ(WrittenBack(e.document, *e.spot), opening) << "seed " << seed;
        for (int redo = 0; redo < top; ++redo)
            e.document.Redo();
        EXPECT_EQ(WrittenBack(e.document, *e.spot), edited) << "seed " << seed;
    }
}

// Each gesture is named on the undo stack; points are counted from 1, as the list shows them.
TEST(SpotDocument, EachGestureIsLabelled) {
    TEditing e(MakeSpot(TSpotShape::Polyline, {{10, 10}, {20, 10}, {20, 20}}), 2);
    const std::vector<std::pair<std::function<void()>, QString>> steps = {
        {[&] {
             e.document.Press(Qt::LeftButton, {40, 40}, false); // point 3's handle
             e.document.Move({60, 40}, true);
             e.document.Release(Qt::LeftButton, {60, 40});
         },
         "Move point 3"},
        {[&] {
             e.document.Press(Qt::LeftButton, {0, 0}, true);
             e.document.Move({10, 10}, true);
             e.document.Release(Qt::LeftButton, {10, 10});
         },
         "Move outline"},
        {[&] { e.document.SelectPoint(1), e.document.DeletePoint(); }, "Delete point 2"},
        {[&] {
             e.document.EnterDrawing(std::nullopt), e.Click({100, 100});
         },
         "Add point 3"},
        // Leaving drawing mode changes no point of a polyline: no command of its own.
        {[&] { e.document.LeaveDrawing(), e.document.SetIdText("7"); }, "Change KeyIdx"},
        {[&] { e.document.SetHint("Power"); }, "Change hint"},
        {[&] { e.document.SetShape(TSpotShape::Ellipse); }, "Change shape"},
        {[&] {
             e.document.EnterDrawing(std::nullopt), e.Click({10, 10});
         },
         "Set corner 1"},
        {[&] {
             e.Click({50, 30});
         },
         "Set corner 2"},
        {[&] { e.document.DeletePoint(); }, "Delete corners"},
    };
    for (const auto& [step, label] : steps) {
        step();
        EXPECT_EQ(e.document.UndoStack().undoText(), label);
    }
}

} // namespace
} // namespace mm
