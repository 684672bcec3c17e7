#include "SpotSupport.h"
#include "TestSupport.h"
#include "hotimage/core/HotMapFormats.h"

#include <functional>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Describe;
using test::ErrorOf;
using test::MakeSpot;

void Read(THotSpots& list, const std::string& text) {
    TMemoryStream stream(TSSByteArray(text.begin(), text.end()));
    ReadHotMapText(stream, list);
}

TEST(HotMapText, TheWriterLaysOutTheExampleByteForByte) {
    THotSpots list;
    TSpot& spot = *list.Add(MakeSpot(TSpotShape::Polyline, {{100, 50}, {120, 50}, {110, 70}}, 7));
    spot.KeyKind = 1;
    spot.Enabled = false;
    spot.Hint = "He said \"hi\"";
    spot.SetMask({kMaskOverPoint, {5, 6}, {}});
    EXPECT_EQ(HotMapText(list), "HOTMAP (HotImage v2.2)\r\n"
                                "\r\n"
                                "<ID=7,\r\n"
                                "SHAPE=polyline,\r\n"
                                "COORDS=\"100,50 120,50 110,70\",\r\n"
                                "KEYKIND=1,\r\n"
                                "NomalColo=65280,\r\n"
                                "ToggleCol=16711935,\r\n"
                                "DISABLED,\r\n"
                                "HINT=\"He said \"\"hi\"\"\",\r\n"
                                "MOUSEOVER=\"5,6\">\r\n");
}

TEST(HotMapText, TheWriterLeavesOutFieldsWithoutContent) {
    THotSpots list;
    EXPECT_EQ(HotMapText(list), "HOTMAP (HotImage v2.2)\r\n");
    list.Add(MakeSpot(TSpotShape::Polyline, {}, -3))->NormalColor = -1;
    TSpot& ellipse = *list.Add(MakeSpot(TSpotShape::Ellipse, {{30, 40}, {10, 20}}, 4));
    ellipse.SetMask({kMaskDownPoint, {1, 1}, {-7, 8}});
    ellipse.Hint = "two\r\nlines";
    EXPECT_EQ(HotMapText(list), "HOTMAP (HotImage v2.2)\r\n"
                                "\r\n"
                                "<ID=-3,\r\n"
                                "SHAPE=polyline,\r\n"
                                "KEYKIND=0,\r\n"
                                "NomalColo=-1,\r\n"
                                "ToggleCol=16711935>\r\n"
                                "\r\n"
                                "<ID=4,\r\n"
                                "SHAPE=ellipse,\r\n"
                                "COORDS=\"30,40 10,20\",\r\n"
                                "KEYKIND=0,\r\n"
                                "NomalColo=65280,\r\n"
                                "ToggleCol=16711935,\r\n"
                                "HINT=\"two\r\nlines\",\r\n"
                                "MOUSEDOWN=\"-7,8\">\r\n");
}

TEST(HotMapText, EveryEighthPointEndsALineOfCoords) {
    std::vector<TPoint> points;
    for (int i = 1; i <= 17; ++i)
        points.push_back({i, -i});
    THotSpots list;
    list.Add(MakeSpot(TSpotShape::Polyline, points, 1));
    const std::string text = HotMapText(list);
    EXPECT_NE(text.find("COORDS=\"1,-1 2,-2 3,-3 4,-4 5,-5 6,-6 7,-7 8,-8\r\n"
                        "9,-9 10,-10 11,-11 12,-12 13,-13 14,-14 15,-15 16,-16\r\n"
                        "17,-17\",\r\n"),
              std::string::npos)
        << text;
    THotSpots back;
    Read(back, text);
    EXPECT_TRUE(SameSpots(back, list)) << Describe(back);
}

struct TReadCase {
    const char* name;
    std::string text;
    std::function<void(THotSpots&)> expected;
};

// One spot with the creation values changed by `change`.
std::function<void(THotSpots&)> OneSpot(const std::function<void(TSpot&)>& change) {
    return [=](THotSpots& list) { change(*list.Add(std::make_unique<TSpot>())); };
}

TEST(HotMapText, TheReaderFollowsItsWordRules) {
    const auto none = [](THotSpots&) {};
    const std::vector<TReadCase> cases = {
        {"empty file", "", none},
        {"no spot start", "HOTMAP (HotImage v2.2)\r\nID=5\r\n", none},
        {"header line is searched too", "HOTMAP <ID=5>", OneSpot([](TSpot& s) { s.ID = 5; })},
        {"blank before a comma", "<COORDS=\"10 ,20\">", OneSpot([](TSpot& s) {
             s.AddPoint({0, 20});
         })},
        {"blank after a comma", "<COORDS=\"10, 20\">", OneSpot([](TSpot& s) {
             s.AddPoint({10, 0});
         })},
        {"runs between commas serve both points", "<COORDS=\"1,2,3\">", OneSpot([](TSpot& s) {
             s.AddPoint({1, 2});
             s.AddPoint({2, 3});
         })},
        {"no comma changes nothing", "<COORDS=\"1,2\" COORDS=\"12\">", OneSpot([](TSpot& s) {
             s.AddPoint({1, 2});
         })},
        {"numbers that do not convert are 0", "<COORDS=\"5-1,--2 99999999999,7\">",
         OneSpot([](TSpot& s) {
             s.AddPoint({0, 0});
             s.AddPoint({0, 7});
         })},
        {"rectangle corners are sorted", "<SHAPE=RECTANGLE,\r\nCOORDS=\"30,40 10,20\">",
         OneSpot([](TSpot& s) {
             s.SetShape(TSpotShape::Rectangle);
             s.SetCorners({10, 20}, {30, 40});
         })},
        {"a missing corner is (0, 0)", "<SHAPE=ellipse COORDS=\"5,6\">", OneSpot([](TSpot& s) {
             s.SetShape(TSpotShape::Ellipse);
             s.SetCorners({0, 0}, {5, 6});
         })},
        {"SHAPE after COORDS still gives sorted corners",
         "<COORDS=\"30,40 10,20 0,0\", SHAPE=rectangle>", OneSpot([](TSpot& s) {
             s.SetShape(TSpotShape::Rectangle);
             s.SetCorners({10, 20}, {30, 40});
         })},
        {"Circle is a polyline", "<SHAPE=Circle>", OneSpot([](TSpot&) {})},
        {"NomalColor is no keyword", "<NomalColor=255, ToggleColor=1>", OneSpot([](TSpot&) {})},
        {"nine letters in any case", "<nomalcolo=255, TOGGLECOL=-1>", OneSpot([](TSpot& s) {
             s.NormalColor = 255;
             s.ToggleColor = -1;
         })},
        {"integer text", "<ID=$10, KEYKIND=\" 0x2\", NomalColo=abc>", OneSpot([](TSpot& s) {
             s.ID = 16;
             s.KeyKind = 2;
             s.NormalColor = 0;
         })},
        {"unquoted hint is one word", "<HINT=Power On, ID=3>", OneSpot([](TSpot& s) {
             s.Hint = "Power";
             s.ID = 3;
         })},
        {"quoted hint keeps comma and >", "<HINT=\"a, b > c\", ID=3>", OneSpot([](TSpot& s) {
             s.Hint = "a, b > c";
             s.ID = 3;
         })},
        {"doubled quotes", "<HINT=\"He said \"\"hi\"\"\">",
         OneSpot([](TSpot& s) { s.Hint = "He said \"hi\""; })},
        {"hint over two lines", "<HINT=\"Power\r\nOn\", ID=2>", OneSpot([](TSpot& s) {
             s.Hint = "Power\r\nOn";
             s.ID = 2;
         })},
        {"unclosed quote ends with the file", "<HINT=\"Power\r\nOn",
         OneSpot([](TSpot& s) { s.Hint = "Power\r\nOn"; })},
        {"MOUSEDOWN alone", "<MOUSEDOWN=\"7,8\">", OneSpot([](TSpot& s) {
             s.SetMask({kMaskDownPoint, {0, 0}, {7, 8}});
         })},
        {"a mask point without comma keeps its value",
         "<MOUSEOVER=\"5,6\", MOUSEOVER=\"x\", MOUSEDOWN=1>", OneSpot([](TSpot& s) {
             s.SetMask({kMaskOverPoint | kMaskDownPoint, {5, 6}, {0, 0}});
         })},
        {"DISABLED in any case", "<disabled, ID=1>", OneSpot([](TSpot& s) {
             s.Enabled = false;
             s.ID = 1;
         })},
        {"a keyword without = has no effect", "<ID 5, KEYKIND\r\n= 2, HINT>",
         OneSpot([](TSpot& s) { s.KeyKind = 2; })},
        {"> right after = ends the spot", "<ID=> KEYKIND=2 <ID=4>",
         [](THotSpots& list) {
             list.Add(std::make_unique<TSpot>());
             list.Add(std::make_unique<TSpot>())->ID = 4;
         }},
        {"the value of an unknown word is read as words", "<FOO=\"x ID=5 y\", BAR=\"a>b\" ID=6>",
         OneSpot([](TSpot& s) { s.ID = 5; })},
        {"a missing > ends the last spot at the end", "<ID=1>\r\n<ID=2,\r\n",
         [](THotSpots& list) {
             list.Add(std::make_unique<TSpot>())->ID = 1;
             list.Add(std::make_unique<TSpot>())->ID = 2;
         }},
        {"lone LF and lone CR end lines", "<HINT=\"a\nb\rc\",\nID=\r7>", OneSpot([](TSpot& s) {
             s.Hint = "a\r\nb\r\nc";
             s.ID = 7;
         })},
    };
    for (const TReadCase& c : cases) {
        THotSpots list;
        list.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}}, 99)); // the reader clears the list
        Read(list, c.text);
        THotSpots expected;
        c.expected(expected);
        EXPECT_TRUE(SameSpots(list, expected)) << c.name << "\nread:\n"
                                               << Describe(list) << "expected:\n"
                                               << Describe(expected);
    }
}

TEST(HotMapText, LinesLongerThanTheReadChunksAndLineEndsAcrossThem) {
    // The reader takes its file in pieces of 64 KiB: here the CR ends one piece and its LF
    // starts the next, and the hint's first line is longer than a piece.
    const std::string prefix = "<HINT=\"";
    const std::string first(65535 - prefix.size(), 'a');
    THotSpots list;
    Read(list, prefix + first + "\r\nb\">");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->Hint, first + "\r\nb");
    const std::string longer(200000, 'x');
    Read(list, "<HINT=\"" + longer + "\", ID=4>");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->Hint, longer);
    EXPECT_EQ(list.Items(0)->ID, 4);
}

void WriteText(const std::string& name, const std::string& text) {
    test::WriteBytes(name, std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(HotMapText, ALineLongerThanOneMebibyteIsRefusedNamingTheFile) {
    test::TempDir dir;
    const std::string name = dir.File("long.hmt");
    const std::string atTheBound(kMaxHotMapLineBytes, 'x');
    WriteText(name, "HOTMAP\r\n" + atTheBound + "\r\n<ID=5>");
    THotSpots list;
    LoadHotMapText(name, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->ID, 5);
    // One byte more, with the line end or without one (a device, a pipe).
    for (const std::string& tail : {std::string("x\r\n<ID=6>"), std::string("x")}) {
        WriteText(name, "HOTMAP\r\n" + atTheBound + tail);
        EXPECT_EQ(test::ErrorOf([&] { LoadHotMapText(name, list); }),
                  "Cannot read file \"" + name + "\". Line 2 is longer than 1048576 bytes.");
    }
    const std::string inMemory(kMaxHotMapLineBytes + 1, '<');
    EXPECT_EQ(test::ErrorOf([&] { Read(list, inMemory); }),
              "Cannot read file \"hot map\". Line 1 is longer than 1048576 bytes.");
}

TEST(HotMapText, FilesAreWrittenAndReadBack) {
    test::TempDir dir;
    const std::string name = dir.File("map.hmt");
    THotSpots list;
    TSpot& spot = *list.Add(MakeSpot(TSpotShape::Polyline, {{1, 2}, {3, 4}, {5, 0}}, 3));
    spot.Hint = "\xB5\xE7\xD4\xB4 \"on\"\r\nand off";
    spot.SetMask({kMaskOverPoint | kMaskDownPoint, {-1, -2}, {3, 4}});
    list.Add(MakeSpot(TSpotShape::Rectangle, {{1, 2}, {3, 4}}, 4))->Enabled = false;
    SaveHotMapText(name, list);
    const auto bytes = test::ReadBytes(name);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), HotMapText(list));
    THotSpots back;
    LoadHotMapText(name, back);
    EXPECT_TRUE(SameSpots(back, list)) << Describe(back);

    const std::string missing = dir.File("none.hmt");
    EXPECT_EQ(ErrorOf([&] { LoadHotMapText(missing, back); }), "File not found");
    EXPECT_EQ(back.Count(), 2);
    const std::string unwritable = dir.File("no/such/map.hmt");
    EXPECT_EQ(ErrorOf([&] { SaveHotMapText(unwritable, list); }),
              "Cannot create file \"" + unwritable + "\". No such file or directory.");
}

TEST(HotMapText, ShapeNames) {
    EXPECT_STREQ(ShapeName(TSpotShape::Polyline), "polyline");
    EXPECT_STREQ(ShapeName(TSpotShape::Rectangle), "rectangle");
    EXPECT_STREQ(ShapeName(TSpotShape::Ellipse), "ellipse");
    EXPECT_EQ(ShapeFromName("ELLIPSE"), TSpotShape::Ellipse);
    EXPECT_EQ(ShapeFromName("Rectangle"), TSpotShape::Rectangle);
    EXPECT_EQ(ShapeFromName("rect"), TSpotShape::Polyline);
}

} // namespace
} // namespace mm
