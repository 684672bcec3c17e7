// "hotmap trace" on the demo catalogue and on models whose pictures are missing or damaged.
#include "TestSupport.h"
#include "ToolRunner.h"
#include "hotimage/core/HotMapFormats.h"
#include "model/ModelFile.h"

#include <gtest/gtest.h>
#include <string>

namespace mm {
namespace {

using test::RunTool;

class HotmapTrace : public testing::Test {
protected:
    test::TempDir dir;
    std::string demoDb = dir.File("data/model.RMF");
    std::string db = dir.File("broken.RMF");

    static TMyModelRecord Model(uint16_t id, TSSByteArray picture) {
        TMyModelRecord m;
        m.ModelID = id;
        m.ModelType.Assign("M");
        m.PageCount = 1;
        m.KeyCount = 1;
        m.BtnInfo[0].Name.Assign("Power");
        m.BtnInfo[0].KeyIdx = 1;
        m.PicSize = static_cast<int32_t>(picture.size());
        m.BlobSize = m.PicSize;
        m.Blob = std::move(picture);
        return m;
    }

    void SetUp() override {
        ASSERT_EQ(RunTool("demo " + dir.File("")).status, 0);
        SaveModelFile(db, {Model(2, {}), Model(3, {0xFF, 0xD8, 1, 2})}, 0);
    }
};

TEST_F(HotmapTrace, WritesOneSpotPerOutlineInTheFormatChosenAndCountsThem) {
    const struct {
        std::string out, option;
        THotMapFormat format;
    } cases[] = {
        {"a.hmp", "", THotMapFormat::Binary},
        {"a.hmt", "", THotMapFormat::Text},
        {"b.hmp", " --to text", THotMapFormat::Text},
        {"b.txt", " --to binary", THotMapFormat::Binary},
    };
    for (const auto& c : cases) {
        const std::string out = dir.File(c.out);
        const auto result = RunTool("hotmap trace " + demoDb + " 101 " + out + c.option);
        ASSERT_EQ(result.status, 0) << c.out;
        EXPECT_EQ(HotMapFormatOfContent(out), c.format) << c.out;
        THotSpots spots;
        LoadHotMap(out, spots, c.format);
        int matched = 0;
        for (int i = 0; i < spots.Count(); ++i)
            matched += spots.Items(i)->ID != 0 ? 1 : 0;
        // The line counts what the file holds.
        EXPECT_EQ(result.out, std::to_string(spots.Count()) + " outlines found, " +
                                  std::to_string(matched) + " matched to keys\n")
            << c.out;
        // The demo TV remote has 23 buttons, most of them labelled with their key's name.
        EXPECT_GE(spots.Count(), 21);
        EXPECT_GE(matched, 15);
    }
}

TEST_F(HotmapTrace, Refusals) {
    const std::string out = dir.File("out.hmt");
    const struct {
        std::string args;
        int status;
        std::string message; // the start of what is printed
    } cases[] = {
        {db + " 2 " + out, 1, db + ": model 0002 has no picture\n"},
        {db + " 3 " + out, 1, db + ": the picture of model 0003 does not decode: "},
        {db + " 9 " + out, 1, db + ": no model with ID 0009\n"},
        {demoDb + " 101 " + demoDb, 1, demoDb + ": is the input file"},
        {demoDb + " 101 " + dir.File("no/out.hmt"), 1,
         dir.File("no/out.hmt") + ": Cannot create file"},
        {demoDb + " 101", 2, "modeltool hotmap trace: "},
        {demoDb + " 101 " + out + " --to png", 2,
         "modeltool hotmap trace: --to takes binary or text"},
    };
    for (const auto& c : cases) {
        const auto result = RunTool("hotmap trace " + c.args, true);
        EXPECT_EQ(result.status, c.status) << c.args;
        EXPECT_EQ(result.out.substr(0, c.message.size()), c.message) << result.out;
        EXPECT_TRUE(test::ReadBytes(out).empty()) << c.args;
    }
}

} // namespace
} // namespace mm
