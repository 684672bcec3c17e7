// The binary and the text format against the same spot lists: whatever one of them stores
// comes back unchanged.
#include "hotimage/core/HotMapFormats.h"
#include "HostileMaps.h"
#include "SpotSupport.h"
#include "TestSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Describe;
using test::MakeSpot;

struct TListCase {
    const char* name;
    std::function<void(THotSpots&)> fill;
};

const std::vector<TListCase> kLists = {
    {"empty", [](THotSpots&) {}},
    {"one of each shape",
     [](THotSpots& list) {
         list.Add(MakeSpot(TSpotShape::Polyline, {{100, 50}, {120, 50}, {110, 70}}, 7));
         list.Add(MakeSpot(TSpotShape::Rectangle, {{10, 20}, {30, 40}}, 8));
         list.Add(MakeSpot(TSpotShape::Ellipse, {{-5, -6}, {5, 6}}, 8));
     }},
    {"every field set",
     [](THotSpots& list) {
         TSpot& s = *list.Add(MakeSpot(TSpotShape::Polyline, {}, -2147483647 - 1));
         s.KeyKind = kKeyKindOther;
         s.NormalColor = 0x00123456;
         s.ToggleColor = 0;
         s.Enabled = false;
         s.Hint = "He said \"hi\",\r\n> \xB5\xE7\xD4\xB4\r\n";
         s.SetMask({kMaskOverPoint | kMaskDownPoint, {-1, 2147483647}, {3, -4}});
         list.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}}, 1))
             ->SetMask({kMaskDownPoint, {}, {7, 8}});
     }},
    {"long polylines",
     [](THotSpots& list) {
         for (int n : {1, 8, 9, 16, 100}) {
             std::vector<TPoint> points;
             for (int i = 0; i < n; ++i)
                 points.push_back({i * 3 - 50, -i * 7});
             list.Add(MakeSpot(TSpotShape::Polyline, points, n));
         }
     }},
};

class HotMapFormats : public testing::TestWithParam<THotMapFormat> {};

TEST_P(HotMapFormats, WhatIsSavedLoadsBackUnchanged) {
    test::TempDir dir;
    for (const TListCase& c : kLists) {
        THotSpots list;
        c.fill(list);
        const std::string name = dir.File("map");
        SaveHotMap(name, list, GetParam());
        EXPECT_EQ(HotMapFormatOfContent(name), GetParam()) << c.name;
        THotSpots back;
        back.Add(std::make_unique<TSpot>());
        LoadHotMap(name, back, GetParam());
        EXPECT_TRUE(SameSpots(back, list)) << c.name << "\n" << Describe(back);
    }
}

TEST_P(HotMapFormats, AMapNeedingMoreWorkThanTheLimitIsRefusedAtTheSpotWhereItRunsOut) {
    test::TempDir dir;
    const std::string name = dir.File("map");
    for (int copies : {16, 17}) {
        THotSpots list;
        for (int i = 0; i < copies; ++i)
            list.Add(MakeSpot(TSpotShape::Polyline, test::kTallTriangle, 1));
        list.Add(MakeSpot(TSpotShape::Rectangle, {{0, 0}, {100000, 100000}}, 2)); // costs none
        SaveHotMap(name, list, GetParam());
        THotSpots back;
        const std::string error = test::ErrorOf([&] { LoadHotMap(name, back, GetParam()); });
        if (copies == 16) {
            EXPECT_EQ(error, "(no error)");
            EXPECT_EQ(back.Count(), 17);
        } else {
            EXPECT_EQ(error, test::HostileRefusal(name, 16));
            EXPECT_EQ(back.Count(), 0); // nothing of a refused map stays
        }
    }
}

TEST_P(HotMapFormats, SavingThroughALinkKeepsTheLinkAndTheMode) {
    test::TempDir dir;
    const std::string real = dir.File("Model0A01.hmt");
    test::WriteBytes(real, {1});
    std::filesystem::permissions(real, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(real, dir.File("link"));
    THotSpots list;
    kLists[1].fill(list);
    SaveHotMap(dir.File("link"), list, GetParam());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link")));
    EXPECT_EQ(std::filesystem::status(real).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    THotSpots back;
    LoadHotMap(real, back, GetParam());
    EXPECT_TRUE(SameSpots(back, list)) << Describe(back);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, HotMapFormats,
                         testing::Values(THotMapFormat::Binary, THotMapFormat::Text));

TEST(HotMapFiles, ADamagedMapKeepsNoMoreWorkThanTheLimitEither) {
    test::TempDir dir;
    const std::string name = dir.File("map.hmp");
    THotSpots list;
    for (int i = 0; i < 20; ++i)
        list.Add(MakeSpot(TSpotShape::Polyline, test::kSwellingPolyline, 1));
    list.SaveToFile(name);
    std::vector<uint8_t> bytes = test::ReadBytes(name);
    bytes.resize(bytes.size() - 30); // the last spot's points cut short
    test::WriteBytes(name, bytes);
    THotSpots back;
    EXPECT_EQ(test::ErrorOf([&] { LoadHotMap(name, back, THotMapFormat::Binary); }),
              test::HostileRefusal(name, 16));
    EXPECT_EQ(back.Count(), 0);
}

TEST(HotMapFiles, TheExtensionHmpInAnyCaseMeansBinary) {
    const std::vector<std::pair<std::string, THotMapFormat>> cases = {
        {"map.hmp", THotMapFormat::Binary},   {"/x/MAP.HMP", THotMapFormat::Binary},
        {"a.b.Hmp", THotMapFormat::Binary},   {"map.hmt", THotMapFormat::Text},
        {"map.txt", THotMapFormat::Text},     {"map", THotMapFormat::Text},
        {"hmp", THotMapFormat::Text},         {"dir.hmp/map", THotMapFormat::Text},
        {"map.hmp.bak", THotMapFormat::Text},
    };
    for (const auto& [name, format] : cases)
        EXPECT_EQ(HotMapFormatOfName(name), format) << name;
}

TEST(HotMapFiles, AModelsOwnFileIsNamedByItsIdInFourUpperCaseDigits) {
    EXPECT_EQ(ModelHotMapPath("/opt/mm/", 0x00A5), "/opt/mm/data/Model00A5.hmt");
    EXPECT_EQ(ModelHotMapPath("/opt/mm/", 0xBEEF), "/opt/mm/data/ModelBEEF.hmt");
    EXPECT_EQ(ModelHotMapPath("/", 0), "/data/Model0000.hmt");
}

TEST(HotMapFiles, TheFirstBytesTellTheFormatOfAFile) {
    test::TempDir dir;
    const std::vector<std::pair<std::string, THotMapFormat>> cases = {
        {"HMAP", THotMapFormat::Binary}, {"HMAp....", THotMapFormat::Binary},
        {"HMA", THotMapFormat::Text},    {"hmap", THotMapFormat::Text},
        {"", THotMapFormat::Text},       {"HOTMAP (HotImage v2.2)\r\n", THotMapFormat::Text},
    };
    for (const auto& [content, format] : cases) {
        const std::string name = dir.File("f");
        test::WriteBytes(name, std::vector<uint8_t>(content.begin(), content.end()));
        EXPECT_EQ(HotMapFormatOfContent(name), format) << content;
    }
}

} // namespace
} // namespace mm
