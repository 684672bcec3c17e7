#include "TestSupport.h"
#include "ToolRunner.h"
#include "hotimage/core/HotMapFormats.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::RunTool;

// A binary hot-map under the per-model extension ".hmt": a disabled polyline with a GBK hint
// over two lines and both mask points, and an ellipse of the shift key.
class Hotmap : public testing::Test {
protected:
    test::TempDir dir;
    std::string map = dir.File("Model01AB.hmt");
    THotSpots spots;

    void SetUp() override {
        TSpot& poly = *spots.Add(std::make_unique<TSpot>());
        poly.SetPoints({{100, 50}, {120, 50}, {110, 70}});
        poly.ID = 7;
        poly.Enabled = false;
        poly.Hint = "\xB5\xE7\xD4\xB4\r\nOn\t\\";
        poly.SetMask({kMaskOverPoint | kMaskDownPoint, {5, 6}, {-7, 8}});
        TSpot& ellipse = *spots.Add(std::make_unique<TSpot>(TSpotShape::Ellipse));
        ellipse.SetCorners({1, 2}, {30, 40});
        ellipse.ID = 8;
        ellipse.KeyKind = kKeyKindShift;
        ellipse.NormalColor = 255;
        spots.SaveToFile(map);
    }

    // The file read in the format it should have holds the same spots.
    bool HoldsTheSpots(const std::string& fileName, bool binary) {
        THotSpots back;
        if (binary)
            back.LoadFromFile(fileName);
        else
            LoadHotMapText(fileName, back);
        return SameSpots(back, spots);
    }
};

const std::string kShown = "0\t7\tpolyline\t0\t65280\t16711935\t0\t100,50 120,50 110,70\t"
                           "over=5,6 down=-7,8\t电源\\nOn\\t\\\\\n"
                           "1\t8\tellipse\t1\t255\t16711935\t1\t1,2 30,40\t-\t\n";

TEST_F(Hotmap, ShowListsOneLinePerSpotFromEitherFormat) {
    const auto binary = RunTool("hotmap show " + map);
    EXPECT_EQ(binary.status, 0);
    EXPECT_EQ(binary.out, kShown);
    const std::string text = dir.File("map.txt");
    SaveHotMapText(text, spots);
    EXPECT_EQ(RunTool("hotmap show " + text).out, kShown);
    const std::string empty = dir.File("empty.hmp");
    THotSpots().SaveToFile(empty);
    const auto none = RunTool("hotmap show " + empty);
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
}

TEST_F(Hotmap, ConvertChoosesTheOutputFormatByOptionOrExtension) {
    struct TCase {
        std::string output;
        std::string option;
        bool binary;
    };
    const TCase cases[] = {
        {"a.hmt", "", false},
        {"b.HMP", "", true},
        {"c", "", false},
        {"d.hmt", " --to binary", true},
        {"e.hmp", " --to text", false},
    };
    for (const TCase& c : cases) {
        const std::string out = dir.File(c.output);
        EXPECT_EQ(RunTool("hotmap convert " + map + " " + out + c.option).status, 0) << c.output;
        const auto bytes = test::ReadBytes(out);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4) == "HMAP", c.binary) << c.output;
        EXPECT_TRUE(HoldsTheSpots(out, c.binary)) << c.output;
    }
    // And back from text to the binary per-model file, byte for byte.
    const std::string again = dir.File("again.hmt");
    EXPECT_EQ(RunTool("hotmap convert --to binary " + dir.File("a.hmt") + " " + again).status, 0);
    EXPECT_EQ(test::ReadBytes(again), test::ReadBytes(map));
}

TEST_F(Hotmap, FailuresNameTheFileAndUsageErrorsExitWith2) {
    const std::string missing = dir.File("none.hmt");
    const auto absent = RunTool("hotmap show " + missing, true);
    EXPECT_EQ(absent.status, 1);
    EXPECT_EQ(absent.out,
              missing + ": Cannot open file \"" + missing + "\". No such file or directory.\n");
    const std::string damaged = dir.File("damaged.hmt");
    test::WriteBytes(damaged, {'H', 'M', 'A', 'P', 0, 0, 0, 0, 1, 0, 0, 0, 1});
    const auto cut = RunTool("hotmap show " + damaged, true);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out, damaged + ": Cannot read file \"" + damaged +
                           "\". Stream read error: the file ends inside the ID of spot 0.\n");
    const std::string unwritable = dir.File("no/such/out.hmp");
    const auto refused = RunTool("hotmap convert " + map + " " + unwritable, true);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, unwritable + ": Cannot create file \"" + unwritable +
                               "\". No such file or directory.\n");

    for (const std::string& args : std::vector<std::string>{
             "hotmap", "hotmap list " + map, "hotmap show", "hotmap convert " + map,
             "hotmap convert a b --to", "hotmap convert a b --to jpeg"})
        EXPECT_EQ(RunTool(args).status, 2) << args;
    EXPECT_EQ(RunTool("hotmap --help").status, 0);
}

} // namespace
} // namespace mm
