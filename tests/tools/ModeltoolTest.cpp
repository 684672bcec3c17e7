#include "TestSupport.h"
#include "ToolRunner.h"
#include "model/ModelFile.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::RunTool;

class Modeltool : public testing::Test {
protected:
    test::TempDir dir;
    std::string db = dir.File("model.RMF");

    void SetUp() override {
        TMyModelRecords models(2);
        models[0].ModelID = 0x1A;
        models[0].ModelType.Assign("TV \"A\"\\");
        models[0].Remark.Assign("\xB1\xB8\xD7\xA2"); // 备注 in GBK
        models[0].KeyCount = 4;
        models[0].PageCount = 1;
        models[0].PicSize = 3;
        models[0].BlobSize = 3;
        models[0].Blob = {1, 2, 3};
        models[1].ModelID = 0xBEEF;
        models[1].ModelType.Assign("Fan");
        models[1].BtnInfo[0].Name.Assign("Pow\xFF");
        SaveModelFile(db, models, 0);
    }
};

TEST_F(Modeltool, ListShowsOneLinePerModel) {
    const auto result = RunTool("list " + db);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "001A\tTV \"A\"\\\t备注\t4\t1\t0\t0\t3\n"
                          "BEEF\tFan\t\t0\t0\t0\t0\t0\n");
}

TEST_F(Modeltool, DumpIsEscapedJsonWithEveryField) {
    const auto result = RunTool("dump " + db);
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("\"version\": 61443"), std::string::npos);
    EXPECT_NE(result.out.find("\"count\": 2"), std::string::npos);
    EXPECT_NE(result.out.find("\"ModelType\": \"TV \\\"A\\\"\\\\\""), std::string::npos);
    EXPECT_NE(result.out.find("\"Name\": \"Pow\xEF\xBF\xBD\""), std::string::npos);
    EXPECT_NE(result.out.find("\"BlobLength\": 3"), std::string::npos);
}

TEST_F(Modeltool, SaveWritesTheCurrentLayoutWithReservedMarked) {
    const std::string out = dir.File("out.RMF");
    EXPECT_EQ(RunTool("save " + db + " " + out).status, 0);
    const auto bytes = test::ReadBytes(out);
    ASSERT_EQ(bytes.size(), 512u + 2 * 3280 + 3);
    EXPECT_EQ(bytes[512 + 21], 255);
    EXPECT_EQ(bytes[512 + 3280 + 3 + 123 * 25 + 21], 255);
}

TEST_F(Modeltool, FailuresAndUsageErrorsHaveTheirExitStatus) {
    const auto missing = RunTool("list " + dir.File("none.RMF"), true);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, dir.File("none.RMF") + ": no such file\n");
    EXPECT_EQ(RunTool("list").status, 2);
    EXPECT_EQ(RunTool("frobnicate").status, 2);
    EXPECT_EQ(RunTool("--help").status, 0);
    EXPECT_EQ(RunTool("save --help").status, 0);
    EXPECT_EQ(RunTool("save " + db + " " + dir.File("no/such/out")).status, 1);
}

// A group of commands ("hotmap") needs one of its subcommands and lists them when it has none.
TEST_F(Modeltool, AGroupWithoutItsSubcommandListsThem) {
    struct {
        std::string args;
        int status;
        std::string firstLine;
    } cases[] = {
        {"hotmap", 2, "modeltool hotmap: a subcommand is expected"},
        {"hotmap frob FILE", 2, "modeltool hotmap: unknown subcommand 'frob'"},
        {"hotmap --help", 0, "usage: modeltool hotmap show FILE"},
        {"hotmap show --help", 0, "usage: modeltool hotmap show FILE"},
    };
    for (const auto& c : cases) {
        const auto result = RunTool(c.args, true);
        EXPECT_EQ(result.status, c.status) << c.args;
        EXPECT_EQ(result.out.substr(0, result.out.find('\n')), c.firstLine) << c.args;
        const bool listsGroup = c.args != "hotmap show --help";
        EXPECT_EQ(result.out.find("usage: modeltool hotmap check DB ID FILE") != std::string::npos,
                  listsGroup)
            << c.args;
    }
}

} // namespace
} // namespace mm
