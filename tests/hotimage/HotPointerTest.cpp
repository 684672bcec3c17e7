// The pointer protocol of the hot image without a window: positions and button presses as the
// control forwards them, and the hot spot changes it reports for the cursor.
#include "hotimage/core/HotPointer.h"
#include "SpotSupport.h"
#include "hotimage/core/DisplayMapping.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::MakeSpot;
using TAction = TSpotClick::TAction;

// A control's view of the tracker: its list, the spots' removal forwarded, and every hot spot
// change recorded as the spot's ID (-1 for none).
class Pointer : public testing::Test, public TSpotListOwner {
protected:
    void SpotRemoved(TSpot* spot) override { pointer.SpotRemoved(spot); }

    void SetUp() override {
        pointer.HotSpotChanged = [this](TSpot* spot) { changes.push_back(spot ? spot->ID : -1); };
    }
    // The spots go while the tracker that hears of it is alive.
    void TearDown() override { spots.Clear(); }

    // A 100 x 60 picture shown at natural size.
    TSpotMapping mapping = DisplayMapping(false, {200, 100}, {100, 60});
    THotSpots spots{this};
    THotPointer pointer{spots};
    std::vector<int32_t> changes;

    TSpot* Add(TSpotShape shape, TPoint a, TPoint b, int32_t id) {
        return spots.Add(MakeSpot(shape, {a, b}, id));
    }
    void At(int x, int y) { pointer.HitTest({x, y}, mapping); }
    void MoveTo(int x, int y, bool overControl = true) {
        At(x, y);
        pointer.MouseMove(overControl);
    }
};

TEST_F(Pointer, OnlyEnabledSpotsBecomeHotAndEachChangeIsReportedOnce) {
    Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    Add(TSpotShape::Ellipse, {30, 0}, {50, 20}, 2)->Enabled = false;
    Add(TSpotShape::Rectangle, {60, 0}, {80, 20}, 3);
    MoveTo(5, 5);
    MoveTo(6, 6);   // the same spot
    MoveTo(40, 10); // disabled
    MoveTo(70, 10);
    MoveTo(150, 50); // beyond the picture
    EXPECT_EQ(changes, (std::vector<int32_t>{1, -1, 3, -1}));
}

TEST_F(Pointer, AHitTestAtTheLastPositionChangesNothing) {
    TSpot* spot = Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    At(5, 5);
    EXPECT_EQ(pointer.LastHitPos(), QPoint(5, 5));
    spot->Enabled = false;
    At(5, 5);
    EXPECT_EQ(pointer.HotSpot(), spot);
    At(5, 6);
    EXPECT_EQ(pointer.HotSpot(), nullptr);
}

TEST_F(Pointer, WithoutAPictureEveryPointMapsToMinusOneAndNoSpotIsHot) {
    mapping = DisplayMapping(false, {200, 100}, {0, 0});
    Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    EXPECT_EQ(mapping.MapBack({10, 10}), (TPoint{-1, -1}));
    MoveTo(10, 10);
    EXPECT_EQ(pointer.HotSpot(), nullptr);
}

TEST_F(Pointer, APressActsByTheHotSpotsKeyKind) {
    Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    Add(TSpotShape::Rectangle, {20, 0}, {40, 20}, 2)->KeyKind = kKeyKindShift;
    Add(TSpotShape::Rectangle, {40, 0}, {60, 20}, 3)->KeyKind = kKeyKindMac;
    Add(TSpotShape::Rectangle, {60, 0}, {80, 20}, 4)->KeyKind = kKeyKindOther;
    struct Case {
        QPoint at;
        TSpotClick click;
    };
    const Case cases[] = {
        {{5, 5}, {TAction::Select, 0}},
        {{25, 5}, {TAction::ToggleShift, 1}},
        {{45, 5}, {TAction::Select, 2}},
        {{65, 5}, {}}, // Other: nothing
        {{90, 5}, {}}, // outside every spot
    };
    for (const Case& c : cases) {
        MoveTo(c.at.x(), c.at.y());
        EXPECT_EQ(pointer.LeftButtonDown(), c.click) << c.at.x();
        EXPECT_TRUE(pointer.Pressed());
        EXPECT_EQ(pointer.TrackedSpot(), pointer.HotSpot());
        pointer.LeftButtonUp();
        EXPECT_FALSE(pointer.Pressed());
    }
}

TEST_F(Pointer, TheTrackedSpotStaysHotOverAnOverlapWhileTheButtonIsHeld) {
    TSpot* first = Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    TSpot* later = Add(TSpotShape::Rectangle, {10, 0}, {30, 20}, 2);
    MoveTo(25, 5); // only the later one
    pointer.LeftButtonDown();
    EXPECT_EQ(pointer.TrackedSpot(), later);
    MoveTo(15, 5); // the overlap
    EXPECT_EQ(pointer.HotSpot(), later);
    MoveTo(5, 5); // left the tracked spot
    EXPECT_EQ(pointer.HotSpot(), first);
    EXPECT_EQ(pointer.TrackedSpot(), later);
    MoveTo(16, 5); // back into it
    EXPECT_EQ(pointer.HotSpot(), later);
    pointer.LeftButtonUp();
    EXPECT_EQ(pointer.TrackedSpot(), later);
    MoveTo(17, 5); // the button is up: the earlier spot wins the overlap again
    EXPECT_EQ(pointer.HotSpot(), first);
    EXPECT_EQ(pointer.TrackedSpot(), first);
}

TEST_F(Pointer, LeavingTheControlWithTheButtonHeldKeepsOnlyTheTrackedSpot) {
    TSpot* spot = Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    MoveTo(5, 5);
    pointer.LeftButtonDown();
    MoveTo(6, 5, false); // another control lies under the pointer
    EXPECT_EQ(pointer.HotSpot(), nullptr);
    EXPECT_EQ(pointer.TrackedSpot(), spot);
    pointer.MouseLeave();
    EXPECT_EQ(pointer.TrackedSpot(), spot);
    pointer.LeftButtonUp();
    EXPECT_EQ(pointer.TrackedSpot(), nullptr); // follows the hot spot
    MoveTo(7, 5);
    EXPECT_EQ(pointer.TrackedSpot(), spot);
    pointer.MouseLeave();
    EXPECT_EQ(pointer.TrackedSpot(), nullptr);
    EXPECT_EQ(pointer.HotSpot(), spot); // leaving forgets only the tracked spot
}

TEST_F(Pointer, ASpotLeavingTheListIsForgotten) {
    Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 1);
    MoveTo(5, 5);
    pointer.LeftButtonDown();
    changes.clear();
    spots.Delete(0);
    EXPECT_EQ(pointer.HotSpot(), nullptr);
    EXPECT_EQ(pointer.TrackedSpot(), nullptr);
    EXPECT_EQ(changes, std::vector<int32_t>{-1});
    Add(TSpotShape::Rectangle, {0, 0}, {20, 20}, 2);
    MoveTo(6, 5);
    const std::unique_ptr<TSpot> taken = spots.Remove(pointer.HotSpot());
    EXPECT_EQ(pointer.HotSpot(), nullptr);
    EXPECT_EQ(pointer.TrackedSpot(), nullptr);
}

} // namespace
} // namespace mm
