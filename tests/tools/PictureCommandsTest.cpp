#include "TestSupport.h"
#include "ToolRunner.h"
#include "model/ModelFile.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::RunTool;

// Models: 0001 a universal one with a picture, codes and protocols; 0002 fixed code;
// 0003 no picture; 0004 a picture larger than its stored data; 0005 codes cut short.
class PictureAndCodes : public testing::Test {
protected:
    test::TempDir dir;
    std::string db = dir.File("model.RMF");

    static TMyModelRecord Model(uint16_t id, uint8_t kind, int32_t picSize, int32_t u, int32_t q,
                                TSSByteArray blob) {
        TMyModelRecord m;
        m.ModelID = id;
        m.ModelType.Assign("M");
        m.PageCount = 1;
        m.ChipKind = kind;
        m.PicSize = picSize;
        m.UniversalCount = u;
        m.ProtocolCount = q;
        m.BlobSize = static_cast<int32_t>(blob.size());
        m.Blob = std::move(blob);
        return m;
    }

    void SetUp() override {
        TMyModelRecords models;
        models.push_back(
            Model(1, 5, 3, 2, 1, {0xFF, 0xD8, 0xD9, 5, 0, 18, 0, 1, 0, 255, 255, 23, 0}));
        models.push_back(
            Model(2, 3, 1, 8, 0, {0xEE, 'A', '"', '\r', '\n', 0xB1, 0xB8, '\r', '\n'}));
        models.push_back(Model(3, 0, 0, 0, 0, {}));
        models.push_back(Model(4, 0, 50, 0, 0, {1, 2, 3}));
        models.push_back(Model(5, 9, 0, 3, 2, {7, 0, 0, 0, 8, 0}));
        SaveModelFile(db, models, 0);
    }
};

TEST_F(PictureAndCodes, PictureWritesTheStoredBytesUnchanged) {
    const std::string out = dir.File("p.jpg");
    EXPECT_EQ(RunTool("picture " + db + " 1 " + out).status, 0);
    EXPECT_EQ(test::ReadBytes(out), (std::vector<uint8_t>{0xFF, 0xD8, 0xD9}));
}

TEST_F(PictureAndCodes, PictureRefusalsNameTheFile) {
    struct Case {
        std::string args;
        int status;
        std::string message;
    };
    const std::string out = dir.File("p.jpg");
    const Case cases[] = {
        {db + " 3 " + out, 1, db + ": model 0003 has no picture\n"},
        {db + " 4 " + out, 1, db + ": the picture of model 0004 is larger than its stored data\n"},
        {db + " 7 " + out, 1, db + ": no model with ID 0007\n"},
        {db + " 1 " + dir.File("no/such/p.jpg"), 1, ""},
        {db + " 1", 2, ""},
        {db + " 12345 " + out, 2, ""},
    };
    for (const Case& c : cases) {
        const auto result = RunTool("picture " + c.args, true);
        EXPECT_EQ(result.status, c.status) << c.args;
        if (!c.message.empty()) {
            EXPECT_EQ(result.out, c.message) << c.args;
        }
    }
    EXPECT_FALSE(test::ReadBytes(out).size());
}

TEST_F(PictureAndCodes, DumpGivesTheCodeRegionByKind) {
    const auto result = RunTool("dump " + db);
    ASSERT_EQ(result.status, 0);
    const std::string& out = result.out;
    EXPECT_NE(out.find("\"UniversalCodes\": [1179653, 4294901761], \"Protocols\": [23]"),
              std::string::npos);
    EXPECT_NE(out.find("\"FixedCode\": \"A\\\"\\r\\n备\\r\\n\""), std::string::npos);
    // Only as far as Blob holds them.
    EXPECT_NE(out.find("\"UniversalCodes\": [7], \"Protocols\": []"), std::string::npos);
    // Kinds without codes have neither field.
    EXPECT_EQ(out.find("FixedCode"), out.rfind("FixedCode"));
    size_t lists = 0;
    for (size_t at = out.find("UniversalCodes"); at != std::string::npos;
         at = out.find("UniversalCodes", at + 1))
        ++lists;
    EXPECT_EQ(lists, 2u);
}

} // namespace
} // namespace mm
