// "hotmap render" and "hotmap check" on a database and hot maps the tests build.
#include "HostileMaps.h"
#include "PictureSupport.h"
#include "SpotSupport.h"
#include "TestSupport.h"
#include "ToolRunner.h"
#include "hotimage/core/HotImageRenderer.h"
#include "hotimage/core/HotMapFormats.h"
#include "model/ModelFile.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/QtText.h"

#include <chrono>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::MakeSpot;
using test::RunTool;

// Model 01AB: the 40 x 30 test picture; three normal keys (KeyIdx 1 to 3) and their SHIFT keys
// (44 to 46). Model 0002 has no picture, 0003 one that does not decode. The hot map: spot 0
// (ID 1) and its partner 2, the shift key 1 (ID 44), spot 3 (ID 45).
class HotmapPreview : public testing::Test {
protected:
    test::TempDir dir;
    std::string db = dir.File("model.RMF");
    std::string map = dir.File("Model01AB.hmt");
    std::string out = dir.File("out.png");
    const std::vector<uint8_t> jpeg = test::JpegOf(test::TestPicture(40, 30));
    const QImage picture = THotImageRenderer::PictureBitmapOf(DecodeJpeg(jpeg.data(), jpeg.size()));

    static TMyModelRecord Model(uint16_t id, TSSByteArray picture) {
        TMyModelRecord m;
        m.ModelID = id;
        m.ModelType.Assign("M");
        m.PageCount = 1;
        m.HasShift = 1;
        m.KeyCount = 6;
        const char* names[] = {"Power",       "Vol+",       "\xBE\xB2\xD2\xF4",
                               "SHIFT Power", "SHIFT Vol+", "SHIFT Mute"};
        const uint16_t indexes[] = {1, 2, 3, 44, 45, 46};
        for (int k = 0; k < 6; ++k) {
            m.BtnInfo[k].Name.Assign(names[k]);
            m.BtnInfo[k].KeyIdx = indexes[k];
        }
        m.PicSize = static_cast<int32_t>(picture.size());
        m.BlobSize = m.PicSize;
        m.Blob = std::move(picture);
        return m;
    }

    void SetUp() override {
        SaveModelFile(db, {Model(0x1AB, jpeg), Model(2, {}), Model(3, {0xFF, 0xD8, 1, 2})}, 0);
        THotSpots spots;
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 2}, {10, 10}}, 1));
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{12, 2}, {20, 10}}, 44))->KeyKind =
            kKeyKindShift;
        spots.Add(MakeSpot(TSpotShape::Ellipse, {{22, 2}, {30, 10}}, 1));
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{2, 14}, {12, 24}}, 45));
        spots.SaveToFile(map);
    }

    QImage Rendered(const std::string& options = "") {
        const auto result = RunTool("hotmap render " + db + " 1ab " + map + " " + out + options);
        EXPECT_EQ(result.status, 0) << options;
        return QImage(QString::fromStdString(out), "PNG").convertToFormat(QImage::Format_RGB32);
    }

    QRgb Tinted(int x, int y, int32_t tint) const {
        return picture.pixel(x, y) & QColorFromBgr(tint).rgb();
    }
};

TEST_F(HotmapPreview, RenderDrawsThePictureWithSpotZeroAndItsPartnerTinted) {
    const QImage image = Rendered();
    ASSERT_EQ(image.size(), QSize(40, 30));
    THotSpots spots;
    spots.LoadFromFile(map);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool tinted =
                spots.Items(0)->Contains({x, y}) || spots.Items(2)->Contains({x, y});
            ASSERT_EQ(image.pixel(x, y),
                      tinted ? Tinted(x, y, kDefaultNormalColor) : picture.pixel(x, y))
                << x << "," << y;
        }
    }
}

TEST_F(HotmapPreview, RenderTakesTheControlsStateFromItsOptions) {
    const QImage selected = Rendered(" --select 3");
    EXPECT_EQ(selected.pixel(5, 20), Tinted(5, 20, kDefaultNormalColor));
    EXPECT_EQ(selected.pixel(5, 5), picture.pixel(5, 5));

    const QImage shift = Rendered(" --shift");
    EXPECT_EQ(shift.pixel(5, 5), Tinted(5, 5, kDefaultToggleColor));
    EXPECT_EQ(shift.pixel(15, 5), Tinted(15, 5, kShiftKeyTint));

    const QImage checks = Rendered(" --checks --select -1");
    // The lowest point of spot 3's tick, 4 below the centre (7, 19) of its bounds.
    EXPECT_EQ(checks.pixel(7, 22), QColorFromBgr(kCheckMarkColor).rgb());
    EXPECT_EQ(Rendered(" --select -1").pixel(7, 22), picture.pixel(7, 22));
    // No tick on the shift key, green ones in the SHIFT layer.
    EXPECT_NE(checks.pixel(16, 9), QColorFromBgr(kCheckMarkColor).rgb());
    EXPECT_EQ(Rendered(" --checks --shift").pixel(7, 22),
              QColorFromBgr(kShiftCheckMarkColor).rgb());

    const QImage large = Rendered(" --size 60,40");
    EXPECT_EQ(large.size(), QSize(60, 40));
    EXPECT_EQ(large.pixel(50, 35), QColorFromBgr(kButtonFaceColor).rgb());
    EXPECT_EQ(large.pixel(20, 20), picture.pixel(20, 20));
    EXPECT_EQ(Rendered(" --size 10,8").size(), QSize(10, 8));
    // The widest the PNG writer takes.
    EXPECT_EQ(Rendered(" --size 1000000,1").size(), QSize(1000000, 1));
}

TEST_F(HotmapPreview, RenderReadsAMapInEitherFormat) {
    const QImage binary = Rendered();
    THotSpots spots;
    spots.LoadFromFile(map);
    SaveHotMapText(map, spots);
    EXPECT_TRUE(Rendered() == binary);
}

TEST_F(HotmapPreview, RenderRefusals) {
    struct Case {
        std::string args;
        int status;
        std::string message; // the start of what is printed
    };
    const std::string missing = dir.File("none.hmt");
    const Case cases[] = {
        {db + " 9 " + map + " " + out, 1, db + ": no model with ID 0009\n"},
        {db + " 2 " + map + " " + out, 1, db + ": model 0002 has no picture\n"},
        {db + " 3 " + map + " " + out, 1, db + ": the picture of model 0003 does not decode: "},
        {db + " 1AB " + missing + " " + out, 1, missing + ": Cannot open file"},
        {db + " 1AB " + map + " " + dir.File("no/out.png"), 1,
         dir.File("no/out.png") + ": Cannot create file"},
        {db + " 1AB " + map, 2, "modeltool hotmap render: "},
        {db + " 1AB " + map + " " + out + " --size 0,5", 2,
         "modeltool hotmap render: --size takes"},
        {db + " 1AB " + map + " " + out + " --size 100000,100000", 2,
         "modeltool hotmap render: --size takes"},
        {db + " 1AB " + map + " " + out + " --size 5", 2,
         "modeltool hotmap render: --size takes W,H"},
        {db + " 1AB " + map + " " + out + " --size 1000001,1", 2,
         "modeltool hotmap render: --size takes a width and a height of 1 to 1000000 each (the "
         "PNG writer's limit), of at most 33554432 pixels together\n"},
        {db + " 1AB " + map + " " + out + " --size 1,1000001", 2,
         "modeltool hotmap render: --size takes a width and a height of 1 to 1000000 each"},
        {db + " 1AB " + map + " " + out + " --select x", 2,
         "modeltool hotmap render: --select takes an integer, not 'x'"},
        {db + " 1AB " + map + " " + out + " --select", 2,
         "modeltool hotmap render: --select needs"},
        {db + " 1AB " + map + " " + out + " --stretch", 2,
         "modeltool hotmap render: unknown option --stretch"},
    };
    for (const Case& c : cases) {
        const auto result = RunTool("hotmap render " + c.args, true);
        EXPECT_EQ(result.status, c.status) << c.args;
        EXPECT_EQ(result.out.substr(0, c.message.size()), c.message) << result.out;
        EXPECT_FALSE(test::ReadBytes(out).size() > 0) << c.args;
    }
}

TEST_F(HotmapPreview, CheckListsKeysWithoutOutlinesStrangeSpotsAndEmptyOutlines) {
    const auto result = RunTool("hotmap check " + db + " 1AB " + map);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "key 2 (normal 2, Vol+): no enabled spot outlines it\n"
                          "key 3 (normal 3, 静音): no enabled spot outlines it\n"
                          "key 46 (SHIFT 3, SHIFT Mute): no enabled spot outlines it\n");
    EXPECT_EQ(RunTool("hotmap check " + db + " 1AB " + map, true).out,
              result.out + map +
                  ": 3 keys without an outline, 0 spots without a key, 0 empty "
                  "outlines\n");

    THotSpots spots;
    spots.LoadFromFile(map);
    spots.Items(0)->Enabled = false; // key 1 loses its enabled spot
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {9, 9}}, 2));
    spots.Add(MakeSpot(TSpotShape::Rectangle, {{1, 1}, {1, 9}}, 3)); // empty
    spots.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}, {9, 1}, {5, 9}}, 99));
    spots.Add(MakeSpot(TSpotShape::Polyline, {{1, 1}, {9, 9}}, 46)); // empty
    SaveHotMapText(map, spots);                                      // either format
    const auto mixed = RunTool("hotmap check " + db + " 1AB " + map, true);
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.out, "key 3 (normal 3, 静音): no enabled spot outlines it\n"
                         "key 46 (SHIFT 3, SHIFT Mute): no enabled spot outlines it\n"
                         "spot 6 (ID 99): no key has this index\n"
                         "spot 5 (ID 3): empty outline\n"
                         "spot 7 (ID 46): empty outline\n" +
                             map +
                             ": 2 keys without an outline, 1 spot without a key, 2 empty "
                             "outlines\n");
}

TEST_F(HotmapPreview, CheckOfAMatchingMapPrintsNothing) {
    THotSpots spots;
    int32_t x = 0;
    for (int32_t id : {1, 2, 3, 44, 45, 46}) {
        spots.Add(MakeSpot(TSpotShape::Rectangle, {{x, 0}, {x + 5, 5}}, id));
        x += 6;
    }
    spots.SaveToFile(map);
    const auto result = RunTool("hotmap check " + db + " 1AB " + map, true);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(RunTool("hotmap check " + db + " 1AB", true).status, 2);
    EXPECT_EQ(RunTool("hotmap check " + db + " 7 " + map, true).out,
              db + ": no model with ID 0007\n");
}

TEST_F(HotmapPreview, HostileMapsEndInAResultOrARefusalWithinMemoryAndTime) {
    const rlim_t cap = 1024 << 20;
    for (const test::THostileMap& map : test::HostileMaps()) {
        SCOPED_TRACE(map.name);
        const std::string file = dir.File("hostile.hmt");
        test::WriteHostileMap(map, file);
        const std::string refusal = file + ": " + test::HostileRefusal(file, map.refusedAt) + "\n";
        const std::vector<std::vector<std::string>> runs = {
            {"hotmap", "check", db, "1AB", file},
            {"hotmap", "render", db, "1AB", file, out, "--checks"},
        };
        for (const auto& args : runs) {
            SCOPED_TRACE(args[1]);
            const auto start = std::chrono::steady_clock::now();
            const auto result = test::RunToolCapped(args, cap);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            EXPECT_LT(took.count(), 20.0);
            if (map.refusedAt >= 0) {
                EXPECT_EQ(result.status, 1);
                EXPECT_EQ(result.err, refusal);
            } else if (args[1] == "check") {
                EXPECT_EQ(result.status, 1); // the model's keys against the map: findings
                EXPECT_EQ(result.err.rfind(file + ": ", 0), 0u) << result.err;
                EXPECT_NE(result.err.find(" without an outline, "), std::string::npos)
                    << result.err;
            } else {
                EXPECT_EQ(result.status, 0);
                EXPECT_EQ(result.err, "");
            }
        }
    }
}

} // namespace
} // namespace mm
