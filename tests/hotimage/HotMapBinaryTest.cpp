#include "HotMapBytes.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "hotimage/core/HotSpots.h"

#include <functional>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Describe;
using test::ErrorOf;
using test::MakeSpot;
using test::THotMapBytes;

TSSByteArray Saved(const THotSpots& list) {
    TMemoryStream stream;
    list.SaveToStream(stream);
    return stream.TakeBytes();
}

void Load(THotSpots& list, const THotMapBytes& bytes) {
    TMemoryStream stream(bytes.Bytes());
    list.LoadFromStream(stream);
}

// "HMAP" and a spots section with one record per call of `records`.
THotMapBytes Spots(int32_t count, const std::function<void(THotMapBytes&)>& records,
                   const std::string& signature = "HMAP") {
    THotMapBytes b;
    b.Tag(signature).Ints({0, count});
    records(b);
    return b;
}

// The record of a rectangle with corners (0, 0, 10, 10) and the ID.
void RectRecord(THotMapBytes& b, int32_t id) {
    b.U8(1).Fields(id).Ints({0, 0, 10, 10});
}

TEST(HotMapBinary, AnEmptyListIs24Bytes) {
    const THotSpots list;
    EXPECT_EQ(Saved(list),
              THotMapBytes().Tag("HMAP").Ints({0, 0}).Tag("MASK").Ints({16, 0}).Bytes());
}

TEST(HotMapBinary, ARectangleRecordIs38Bytes) {
    THotSpots list;
    list.Add(MakeSpot(TSpotShape::Rectangle, {{10, 20}, {30, 40}}, 5));
    const auto expected = THotMapBytes()
                              .Tag("HMAP")
                              .Ints({0, 1})
                              .U8(1)
                              .Ints({5, 0, 65280, 16711935})
                              .U8(1)
                              .Ints({0, 10, 20, 30, 40})
                              .Tag("MASK")
                              .Ints({16, 0});
    EXPECT_EQ(Saved(list), expected.Bytes());
    EXPECT_EQ(expected.Size() - 24, 38u);
}

TEST(HotMapBinary, TheEnabledByteIsWrittenBackAsItWasRead) {
    const auto file = [](uint8_t enabled) {
        return THotMapBytes()
            .Tag("HMAP")
            .Ints({0, 1})
            .U8(1)
            .Ints({5, 0, 65280, 16711935})
            .U8(enabled)
            .Ints({0, 10, 20, 30, 40})
            .Tag("MASK")
            .Ints({16, 0});
    };
    for (uint8_t enabled : {0, 1, 2, 255}) {
        THotSpots list;
        Load(list, file(enabled));
        EXPECT_EQ(Saved(list), file(enabled).Bytes()) << int{enabled};
        // Any value but 0 is found by the hit test.
        EXPECT_EQ(list.IndexAt({20, 30}), enabled ? 0 : -1) << int{enabled};
    }
}

TEST(HotMapBinary, PolylinesHintsAndMasksAreWrittenInRecordOrder) {
    THotSpots list;
    TSpot& poly = *list.Add(MakeSpot(TSpotShape::Polyline, {{1, 2}, {3, 4}, {-5, 6}}, 7));
    poly.KeyKind = 1;
    poly.NormalColor = 11;
    poly.ToggleColor = 12;
    poly.Enabled = false;
    poly.Hint = "Vol\r\n+";
    list.Add(MakeSpot(TSpotShape::Ellipse, {{30, 40}, {10, 20}}, 8));
    list.Items(1)->SetMask({kMaskOverPoint | kMaskDownPoint, {1, 2}, {-3, 4}});
    const auto expected = THotMapBytes()
                              .Tag("HMAP")
                              .Ints({0, 2})
                              .U8(0)
                              .Fields(7, 1, 11, 12, 0, "Vol\r\n+")
                              .Ints({3, 1, 2, 3, 4, -5, 6})
                              .U8(2)
                              .Fields(8)
                              .Ints({30, 40, 10, 20})
                              .Tag("MASK")
                              .Ints({16, 1, 1})
                              .U8(3)
                              .Ints({1, 2, -3, 4});
    EXPECT_EQ(Saved(list), expected.Bytes());
}

struct TLoadCase {
    const char* name;
    THotMapBytes bytes;
    std::function<void(THotSpots&)> expected;
};

void TwoRects(THotSpots& list) {
    list.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {10, 10}}, 1));
    list.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {10, 10}}, 2));
}

// Two rectangle records followed by "MASK" and the mask section's start (S and M).
THotMapBytes TwoRectsAndMask(int32_t pointBytes, int32_t items) {
    auto b = Spots(2, [](THotMapBytes& r) {
        RectRecord(r, 1);
        RectRecord(r, 2);
    });
    b.Tag("MASK").Ints({pointBytes, items});
    return b;
}

std::function<void(THotSpots&)> TwoRectsWithMasks(std::optional<TSpotMask> first,
                                                  std::optional<TSpotMask> second) {
    return [=](THotSpots& list) {
        TwoRects(list);
        if (first)
            list.Items(0)->SetMask(*first);
        if (second)
            list.Items(1)->SetMask(*second);
    };
}

TEST(HotMapBinary, LoadingReadsEveryLayoutTheFormatAllows) {
    const auto records = [](THotMapBytes& r) {
        RectRecord(r, 1);
        RectRecord(r, 2);
    };
    const std::vector<TLoadCase> cases = {
        {"HMAP", Spots(2, records).Tag("MASK").Ints({16, 0}), TwoRects},
        {"HMAp", Spots(2, records, "HMAp").Tag("MASK").Ints({16, 0}), TwoRects},
        {"ends after the spots section", Spots(2, records), TwoRects},
        {"something else than MASK follows", Spots(2, records).Tag("MASX").Ints({16, 1, 0}),
         TwoRects},
        {"three bytes follow", Spots(2, records).Tag("MAS"), TwoRects},
        {"no spots", THotMapBytes().Tag("HMAP").Ints({0, 0}), [](THotSpots&) {}},
        {"a negative count", THotMapBytes().Tag("HMAP").Ints({0, -5}), [](THotSpots&) {}},
        {"older section without shape bytes",
         THotMapBytes()
             .Tag("HMAP")
             .I32(3)
             .Fields(1, 0, 1, 2, 0, "a")
             .Ints({1, 7, 8})
             .Fields(2)
             .I32(0)
             .Fields(3)
             .Ints({2, 1, 1, -1, -1}),
         [](THotSpots& list) {
             TSpot& first = *list.Add(MakeSpot(TSpotShape::Polyline, {{7, 8}}, 1));
             first.NormalColor = 1;
             first.ToggleColor = 2;
             first.Enabled = false;
             first.Hint = "a";
             list.Add(MakeSpot(TSpotShape::Polyline, {}, 2));
             list.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}, {-1, -1}}, 3));
         }},
        {"an enabled byte of 2 is kept as it is",
         Spots(1,
               [](THotMapBytes& r) {
                   r.U8(1).Fields(4, 0, 65280, 16711935, 2).Ints({0, 0, 10, 10});
               }),
         [](THotSpots& list) {
             list.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {10, 10}}, 4))->Enabled = 2;
         }},
        {"masks with S = 16",
         TwoRectsAndMask(16, 2).I32(1).U8(2).Ints({1, 2, 3, 4}).I32(0).U8(1).Ints({5, 6, 7, 8}),
         TwoRectsWithMasks(TSpotMask{1, {5, 6}, {7, 8}}, TSpotMask{2, {1, 2}, {3, 4}})},
        {"S = 8 fills only OverPoint", TwoRectsAndMask(8, 1).I32(0).U8(3).Ints({5, 6}),
         TwoRectsWithMasks(TSpotMask{3, {5, 6}, {0, 0}}, {})},
        {"S = 24 skips 8 bytes of each item",
         TwoRectsAndMask(24, 2)
             .I32(0)
             .U8(1)
             .Ints({1, 2, 3, 4, 99, 99})
             .I32(1)
             .U8(2)
             .Ints({5, 6, 7, 8, 99, 99}),
         TwoRectsWithMasks(TSpotMask{1, {1, 2}, {3, 4}}, TSpotMask{2, {5, 6}, {7, 8}})},
        {"S = 6 fills bytes in order", TwoRectsAndMask(6, 1).I32(1).U8(1).I32(9).U8(0x34).U8(0x12),
         TwoRectsWithMasks({}, TSpotMask{1, {9, 0x1234}, {0, 0}})},
        {"a negative index ends its item",
         TwoRectsAndMask(16, 2).I32(-1).I32(1).U8(1).Ints({1, 2, 3, 4}),
         TwoRectsWithMasks({}, TSpotMask{1, {1, 2}, {3, 4}})},
        {"an index at Count or beyond is read and ignored",
         TwoRectsAndMask(16, 3)
             .I32(2)
             .U8(1)
             .Ints({1, 1, 1, 1})
             .I32(1000)
             .U8(1)
             .Ints({1, 1, 1, 1})
             .I32(0)
             .U8(2)
             .Ints({1, 2, 3, 4}),
         TwoRectsWithMasks(TSpotMask{2, {1, 2}, {3, 4}}, {})},
        {"only flag bits 0 and 1 are kept",
         TwoRectsAndMask(16, 1).I32(0).U8(0xFF).Ints({1, 2, 3, 4}),
         TwoRectsWithMasks(TSpotMask{3, {1, 2}, {3, 4}}, {})},
        {"flags 4 leave no mask, also removing an earlier one",
         TwoRectsAndMask(16, 3)
             .I32(0)
             .U8(1)
             .Ints({1, 2, 3, 4})
             .I32(0)
             .U8(4)
             .Ints({1, 2, 3, 4})
             .I32(1)
             .U8(4)
             .Ints({1, 2, 3, 4}),
         TwoRectsWithMasks({}, {})},
    };
    for (const TLoadCase& c : cases) {
        THotSpots list;
        list.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}}, 99)); // replaced by the load
        Load(list, c.bytes);
        THotSpots expected;
        c.expected(expected);
        EXPECT_TRUE(SameSpots(list, expected)) << c.name << "\nloaded:\n"
                                               << Describe(list) << "expected:\n"
                                               << Describe(expected);
    }
}

struct TErrorCase {
    const char* name;
    THotMapBytes bytes;
    std::string message;
    std::string field;             // what a file's refusal adds to the message
    std::vector<int32_t> idsAfter; // the list is not rolled back
};

std::vector<TErrorCase> DamagedStreams() {
    const auto polyline = [](int32_t count) {
        return Spots(1, [=](THotMapBytes& r) { r.U8(0).Fields(1).I32(count).Ints({1, 2}); });
    };
    const auto hint = [](int32_t length) {
        return Spots(1, [=](THotMapBytes& r) {
            r.U8(1).Ints({1, 0, 0, 0}).U8(1).I32(length).Tag("abc");
        });
    };
    return {
        {"wrong signature",
         THotMapBytes().Tag("HMAX").Ints({0, 0}),
         "HotMap: Invalid Stream format",
         "it does not start with \"HMAP\" or \"HMAp\"",
         {99}},
        {"empty stream",
         THotMapBytes(),
         "HotMap: Invalid Stream format",
         "it does not start with \"HMAP\" or \"HMAp\"",
         {99}},
        {"short signature",
         THotMapBytes().Tag("HM"),
         "HotMap: Invalid Stream format",
         "it does not start with \"HMAP\" or \"HMAp\"",
         {99}},
        {"ends inside the second record",
         Spots(2,
               [](THotMapBytes& r) {
                   RectRecord(r, 1);
                   r.U8(1).I32(9);
               }),
         "Stream read error",
         "the file ends inside the KeyKind of spot 1",
         {1, 9}},
        {"ends inside the section header",
         THotMapBytes().Tag("HMAP").I32(0),
         "Stream read error",
         "the file ends inside the spot count",
         {}},
        {"ends inside an older section",
         THotMapBytes().Tag("HMAP").I32(1000).Fields(5).I32(0),
         "Stream read error",
         "the file ends inside the ID of spot 1",
         {5, 0}},
        {"negative point count",
         polyline(-1),
         "List count out of bounds (-1)",
         "the point count of spot 0 is -1",
         {1}},
        {"point count beyond the stream",
         polyline(0x10000000),
         "Stream read error",
         "the point count of spot 0 is 268435456, beyond the end of the file",
         {1}},
        {"largest point count",
         polyline(0x7FFFFFFF),
         "Stream read error",
         "the point count of spot 0 is 2147483647, beyond the end of the file",
         {1}},
        {"hint longer than the stream",
         hint(0x7FFFFFFF),
         "Stream read error",
         "the hint length of spot 0 is 2147483647, beyond the end of the file",
         {1}},
        {"negative hint length",
         hint(-2),
         "Stream read error",
         "the hint length of spot 0 is -2",
         {1}},
        {"unknown shape byte",
         Spots(1,
               [](THotMapBytes& r) {
                   r.U8(3).Fields(1).Ints({0, 0, 1, 1});
               }),
         "HotMap: Invalid Stream format",
         "the shape byte of spot 0 is 3; a shape is 0 (polyline), 1 (rectangle) or 2 (ellipse)",
         {}},
        {"mask count beyond the stream",
         TwoRectsAndMask(16, 0x7FFFFFFF).I32(0).U8(1).Ints({1, 2, 3, 4}),
         "Stream read error",
         "the mask item count is 2147483647, beyond the end of the file",
         {1, 2}},
        {"mask item cut short",
         TwoRectsAndMask(16, 1).I32(0).U8(1).Ints({1, 2}),
         "Stream read error",
         "the file ends inside the points of mask item 0",
         {1, 2}},
        {"negative point byte count",
         TwoRectsAndMask(-4, 1).I32(0).U8(1).Ints({1, 2, 3, 4}),
         "Stream read error",
         "the point size of the mask items is -4",
         {1, 2}},
    };
}

TEST(HotMapBinary, DamagedStreamsFailWithTheirErrors) {
    for (const TErrorCase& c : DamagedStreams()) {
        THotSpots list;
        list.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}}, 99));
        EXPECT_EQ(ErrorOf([&] { Load(list, c.bytes); }), c.message) << c.name;
        std::vector<int32_t> ids;
        for (int i = 0; i < list.Count(); ++i)
            ids.push_back(list.Items(i)->ID);
        EXPECT_EQ(ids, c.idsAfter) << c.name;
        EXPECT_FALSE(list.HasMaskItems()) << c.name;
    }
}

TEST(HotMapBinary, AFileThatCannotBeReadIsNamedWithTheField) {
    const test::TempDir dir;
    const std::string file = dir.File("damaged.hmt");
    for (const TErrorCase& c : DamagedStreams()) {
        test::WriteBytes(file, c.bytes.Bytes());
        THotSpots list;
        EXPECT_EQ(ErrorOf([&] { list.LoadFromFile(file); }),
                  "Cannot read file \"" + file + "\". " + c.message + ": " + c.field + ".")
            << c.name;
    }
}

TEST(HotMapBinary, ASpotCutShortKeepsTheFieldsReadBeforeTheFailure) {
    THotSpots list;
    const auto bytes = Spots(1, [](THotMapBytes& r) { r.U8(2).Ints({9, 3, 77}); });
    EXPECT_EQ(ErrorOf([&] { Load(list, bytes); }), "Stream read error");
    ASSERT_EQ(list.Count(), 1);
    const TSpot& spot = *list.Items(0);
    EXPECT_EQ(spot.Shape(), TSpotShape::Ellipse);
    EXPECT_EQ(spot.ID, 9);
    EXPECT_EQ(spot.KeyKind, 3);
    EXPECT_EQ(spot.NormalColor, 77);
    EXPECT_EQ(spot.ToggleColor, kDefaultToggleColor);
}

TEST(HotMapBinary, FilesAreWrittenAndReadWhole) {
    test::TempDir dir;
    const std::string name = dir.File("Model01AB.hmt");
    THotSpots list;
    list.Add(MakeSpot(TSpotShape::Polyline, {{1, 2}, {3, 4}, {5, 0}}, 3))->Hint = "\xB5\xE7";
    list.Add(MakeSpot(TSpotShape::Rectangle, {{1, 2}, {3, 4}}, 4))
        ->SetMask({kMaskDownPoint, {}, {7, 8}});
    list.SaveToFile(name);
    EXPECT_EQ(test::ReadBytes(name), Saved(list));
    THotSpots back;
    back.LoadFromFile(name);
    EXPECT_TRUE(SameSpots(back, list)) << Describe(back);

    const std::string missing = dir.File("none.hmt");
    EXPECT_EQ(ErrorOf([&] { back.LoadFromFile(missing); }),
              "Cannot open file \"" + missing + "\". No such file or directory.");
    EXPECT_EQ(back.Count(), 2);
    const std::string unwritable = dir.File("no/such/folder.hmt");
    EXPECT_EQ(ErrorOf([&] { list.SaveToFile(unwritable); }),
              "Cannot create file \"" + unwritable + "\". No such file or directory.");
}

} // namespace
} // namespace mm
