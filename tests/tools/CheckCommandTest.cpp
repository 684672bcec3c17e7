#include "TestSupport.h"
#include "ToolRunner.h"
#include "model/ModelFile.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::RunTool;

// A model with two valid normal keys and one page.
TMyModelRecord ValidModel(uint16_t id) {
    TMyModelRecord m;
    m.ModelID = id;
    m.KeyCount = 2;
    m.PageCount = 1;
    for (int k = 0; k < 2; ++k) {
        m.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
        m.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
    }
    return m;
}

class CheckCommand : public testing::Test {
protected:
    test::TempDir dir;
    std::string db = dir.File("model.RMF");
};

TEST_F(CheckCommand, ValidDatabasePassesSilently) {
    SaveModelFile(db, {ValidModel(1), ValidModel(2)}, 0);
    const auto result = RunTool("check " + db, true);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
}

TEST_F(CheckCommand, PrintsEveryFailingModelWithItsMessage) {
    TMyModelRecords models = {ValidModel(0x1A), ValidModel(0x2B), ValidModel(0x3C),
                              ValidModel(0x4D), ValidModel(0x1A)};
    models[1].BtnInfo[1].KNo = 1; // repeated serial number
    models[2].CommType = 0;       // IR: serial numbers above 112 are refused
    models[2].BtnInfo[0].KNo = 200;
    models[3].HasShift = 1; // SHIFT key with a normal key's index
    models[3].KeyCount = 4;
    models[3].BtnInfo[2].KNo = 10;
    models[3].BtnInfo[2].KeyIdx = 2;
    models[3].BtnInfo[3].KNo = 11;
    models[3].BtnInfo[3].KeyIdx = 12;
    SaveModelFile(db, models, 0);

    const auto out = RunTool("check " + db);
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.out, "001A: remte control id can not be repeated\n"
                       "002B: Sno 1 is repeat :line 1 with  line 2\n"
                       "003C: S No Can not more than 112 at line :1\n"
                       "004D: Shift KeyIdx 2 is repeat line=2 with line=3\n"
                       "001A: remte control id can not be repeated\n");
    const auto all = RunTool("check " + db, true);
    EXPECT_NE(all.out.find(db + ": 5 of 5 models fail the store rules\n"), std::string::npos);
}

TEST_F(CheckCommand, ChecksAsTheWindowShowsTheModel) {
    TMyModelRecords models = {ValidModel(1), ValidModel(2), ValidModel(3)};
    // USB for HID has no limit; chip kind 2 on IR remaps 57 to 5, which no key uses.
    models[0].CommType = 1;
    models[0].BtnInfo[0].KNo = 200;
    models[1].ChipKind = 2;
    models[1].BtnInfo[0].KNo = 57;
    // Fewer than two keys still show two rows: the second is an unused, zero entry.
    models[2].KeyCount = 1;
    models[2].BtnInfo[0].KNo = 0;
    models[2].BtnInfo[1] = {};
    SaveModelFile(db, models, 0);
    const auto result = RunTool("check " + db);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "0003: Sno 0 is repeat :line 1 with  line 2\n");
}

TEST_F(CheckCommand, UsageAndMissingFile) {
    EXPECT_EQ(RunTool("check").status, 2);
    EXPECT_EQ(RunTool("check --help").status, 0);
    const auto missing = RunTool("check " + dir.File("none.RMF"), true);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, dir.File("none.RMF") + ": no such file\n");
}

} // namespace
} // namespace mm
