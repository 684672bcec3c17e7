#include "hotimage/core/HotSpots.h"
#include "SpotSupport.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::ErrorOf;
using test::MakeSpot;

// A spot's address, kept as a number: compared after the spot is gone.
std::uintptr_t Address(const TSpot* spot) {
    return reinterpret_cast<std::uintptr_t>(spot);
}

// Stands in for the hot image control: records which spots the list said were leaving, and
// that each was still in the list at that moment.
class TRecordingImage : public TSpotListOwner {
public:
    void SpotRemoved(TSpot* spot) override {
        removed.push_back(Address(spot));
        stillListed.push_back(spot->Owner() != nullptr && spot->Owner()->IndexOf(spot) >= 0);
    }
    std::vector<std::uintptr_t> removed;
    std::vector<bool> stillListed;
};

// A list of spots with IDs 1, 2, ... and a 10 x 10 rectangle each at (10 * ID, 0).
void Fill(THotSpots& list, int count) {
    for (int id = 1; id <= count; ++id)
        list.Add(MakeSpot(TSpotShape::Rectangle, {{10 * id, 0}, {10 * id + 10, 10}}, id));
}

std::vector<int32_t> Ids(const THotSpots& list) {
    std::vector<int32_t> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids.push_back(list.Items(i)->ID);
    return ids;
}

TEST(HotSpots, AddOwnsTheSpotAndADestroyedSpotLeavesTheList) {
    TRecordingImage image;
    THotSpots list(&image);
    EXPECT_EQ(list.Image(), &image);
    Fill(list, 3);
    TSpot* middle = list.Items(1);
    EXPECT_EQ(middle->Owner(), &list);
    const std::uintptr_t middleAddress = Address(middle);
    delete middle;
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(image.removed, std::vector<std::uintptr_t>{middleAddress});
    EXPECT_EQ(image.stillListed, std::vector<bool>{true});
}

TEST(HotSpots, ClearDestroysFromTheLastToTheFirst) {
    TRecordingImage image;
    THotSpots list(&image);
    Fill(list, 3);
    const std::vector<std::uintptr_t> expected = {Address(list.Items(2)), Address(list.Items(1)),
                                                  Address(list.Items(0))};
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(image.removed, expected);
}

TEST(HotSpots, DeleteDestroysTheSpotAtTheIndex) {
    TRecordingImage image;
    THotSpots list(&image);
    Fill(list, 3);
    const std::uintptr_t first = Address(list.Items(0));
    list.Delete(0);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(image.removed, std::vector<std::uintptr_t>{first});
}

TEST(HotSpots, IndexesOutsideTheListAreListErrors) {
    THotSpots list;
    Fill(list, 2);
    const THotSpots& constList = list;
    EXPECT_EQ(ErrorOf([&] { list.Items(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorOf([&] { constList.Items(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { list.Delete(5); }), "List index out of bounds (5)");
    EXPECT_EQ(ErrorOf([&] { list.Move(0, 2); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorOf([&] { list.Move(-1, 0); }), "List index out of bounds (-1)");
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2}));
}

TEST(HotSpots, RemoveHandsTheSpotBackToTheCaller) {
    TRecordingImage image;
    THotSpots list(&image);
    Fill(list, 2);
    std::unique_ptr<TSpot> taken = list.Remove(list.Items(0));
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->Owner(), nullptr);
    EXPECT_EQ(Ids(list), std::vector<int32_t>{2});
    EXPECT_EQ(image.removed, std::vector<std::uintptr_t>{Address(taken.get())});
    EXPECT_EQ(list.Remove(taken.get()), nullptr); // not in the list
}

TEST(HotSpots, ARemovedSpotCanJoinAnotherList) {
    THotSpots from;
    THotSpots to;
    Fill(from, 2);
    TSpot* spot = to.Add(from.Remove(from.Items(0)));
    EXPECT_EQ(spot->Owner(), &to);
    EXPECT_EQ(Ids(from), std::vector<int32_t>{2});
    EXPECT_EQ(Ids(to), std::vector<int32_t>{1});
}

TEST(HotSpots, MoveTakesOutAndInsertsAtTheNewIndex) {
    struct TCase {
        int from, to;
        std::vector<int32_t> expected;
    };
    for (const TCase& c : std::vector<TCase>{
             {0, 2, {2, 3, 1}}, {2, 0, {3, 1, 2}}, {1, 1, {1, 2, 3}}, {0, 1, {2, 1, 3}}}) {
        THotSpots list;
        Fill(list, 3);
        list.Move(c.from, c.to);
        EXPECT_EQ(Ids(list), c.expected) << c.from << " to " << c.to;
    }
    THotSpots five;
    Fill(five, 5);
    five.Move(0, 3);
    EXPECT_EQ(Ids(five), (std::vector<int32_t>{2, 3, 4, 1, 5}));
}

TEST(HotSpots, IndexAtFindsTheFirstEnabledSpotContainingThePoint) {
    THotSpots list;
    list.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {20, 20}}, 1));
    list.Add(MakeSpot(TSpotShape::Ellipse, {{0, 0}, {20, 20}}, 2));
    list.Add(MakeSpot(TSpotShape::Polyline, {{30, 0}, {40, 0}, {40, 10}, {30, 10}}, 3));
    EXPECT_EQ(list.IndexAt({10, 10}), 0); // overlapping: the earlier one
    EXPECT_EQ(list.SpotAt({10, 10}), list.Items(0));
    list.Items(0)->Enabled = false;
    EXPECT_EQ(list.IndexAt({10, 10}), 1); // the earlier one is disabled
    list.Items(1)->Enabled = false;
    EXPECT_EQ(list.IndexAt({10, 10}), -1); // only disabled spots there
    EXPECT_EQ(list.SpotAt({10, 10}), nullptr);
    EXPECT_EQ(list.IndexAt({35, 5}), 2);
    EXPECT_EQ(list.IndexAt({100, 100}), -1);

    // A disabled spot is skipped without being tested: its region stays as it was.
    list.Items(1)->GetRegion();
    list.IndexAt({100, 100});
    EXPECT_TRUE(list.Items(1)->HasRegion());
}

TEST(HotSpots, HeldRegionsStayWithinTheBudgetGivingBackTheLeastRecentlyUsed) {
    THotSpots list;
    for (int i = 0; i < 4; ++i)
        list.Add(MakeSpot(TSpotShape::Ellipse, {{0, 0}, {40, 40}}, i));
    list.Items(0)->GetRegion();
    const size_t one = list.Regions().HeldBytes();
    ASSERT_GT(one, 0u);
    list.Regions().SetMaxBytes(3 * one);
    for (int i : {1, 2, 0, 3}) // spot 0 used again after 1 and 2: 1 is the oldest
        list.Items(i)->GetRegion();
    EXPECT_EQ(list.Regions().HeldBytes(), 3 * one);
    EXPECT_TRUE(list.Items(0)->HasRegion());
    EXPECT_FALSE(list.Items(1)->HasRegion());
    EXPECT_TRUE(list.Items(2)->HasRegion());
    EXPECT_TRUE(list.Items(3)->HasRegion());
    // A hit counts as a use; a miss, a change of outline and leaving the list give back.
    EXPECT_TRUE(list.Items(2)->Contains({20, 20}));
    list.Items(1)->GetRegion(); // 0 is the oldest now
    EXPECT_FALSE(list.Items(0)->HasRegion());
    EXPECT_FALSE(list.Items(3)->Contains({0, 0}));
    list.Items(2)->SetShape(TSpotShape::Polyline);
    EXPECT_EQ(list.Regions().HeldBytes(), one);
    list.Remove(list.Items(1)).reset();
    EXPECT_EQ(list.Regions().HeldBytes(), 0u);
    // A region larger than the whole budget is kept while it is the one in use.
    list.Regions().SetMaxBytes(1);
    list.Items(0)->GetRegion();
    EXPECT_TRUE(list.Items(0)->HasRegion());
}

TEST(HotSpots, IndexOfShiftKeyFindsTheFirstShiftSpotEnabledOrNot) {
    THotSpots list;
    EXPECT_EQ(list.IndexOfShiftKey(), -1);
    Fill(list, 4);
    list.Items(1)->KeyKind = kKeyKindMac;
    list.Items(2)->KeyKind = kKeyKindShift;
    list.Items(2)->Enabled = false;
    list.Items(3)->KeyKind = kKeyKindShift;
    EXPECT_EQ(list.IndexOfShiftKey(), 2);
}

TEST(HotSpots, AssignCopiesMasksButNotCheckMarks) {
    THotSpots source;
    Fill(source, 2);
    source.Items(0)->SetMask({kMaskOverPoint, {5, 6}, {}});
    source.Items(0)->CheckMarks = {true, true};
    source.Items(1)->Hint = "Vol+";
    TRecordingImage image;
    THotSpots target(&image);
    Fill(target, 3);
    target.Assign(source);
    ASSERT_TRUE(SameSpots(target, source)) << test::Describe(target);
    EXPECT_EQ(target.Items(0)->CheckMarks, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(target.Items(0)->Owner(), &target);
    EXPECT_NE(target.Items(0), source.Items(0));
    EXPECT_EQ(image.removed.size(), 3u); // the old spots went through Remove
    EXPECT_TRUE(source.HasMaskItems());
    EXPECT_TRUE(target.HasMaskItems());

    target.Assign(target); // assigning a list to itself keeps it
    EXPECT_TRUE(SameSpots(target, source));
}

TEST(HotSpots, SameSpotsComparesEveryStoredField) {
    THotSpots a;
    THotSpots b;
    Fill(a, 2);
    Fill(b, 2);
    EXPECT_TRUE(SameSpots(a, b));
    b.Items(1)->CheckMarks = {true, false}; // not stored
    EXPECT_TRUE(SameSpots(a, b));
    b.Items(1)->SetMask({kMaskDownPoint, {}, {0, 0}});
    EXPECT_FALSE(SameSpots(a, b));
    b.Items(1)->SetMask({});
    b.Items(1)->Hint = "x";
    EXPECT_FALSE(SameSpots(a, b));
    b.Delete(1);
    EXPECT_FALSE(SameSpots(a, b));
}

} // namespace
} // namespace mm
