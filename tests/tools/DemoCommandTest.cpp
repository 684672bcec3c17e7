// "modeltool demo": a catalogue the program itself accepts, model by model and outline by
// outline, written only where no database is yet.
#include "TestSupport.h"
#include "ToolRunner.h"
#include "model/ChipKind.h"
#include "model/ModelFile.h"
#include "model/uUniversalModel.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace mm {
namespace {

using test::RunTool;

class Demo : public testing::Test {
protected:
    test::TempDir dir;
    std::string data = dir.Dir() + "data/";
    TMyModelRecords models;

    void SetUp() override {
        const test::ToolResult made = RunTool("demo " + dir.Dir());
        ASSERT_EQ(made.status, 0) << made.out;
        ASSERT_TRUE(LoadModelFile(data + "model.RMF", models).Read);
    }
};

TEST_F(Demo, EveryModelPassesTheStoreRulesAndItsOutlineCheck) {
    EXPECT_EQ(RunTool("check " + data + "model.RMF", true).status, 0);
    ASSERT_GE(models.size(), 8u);
    for (const TMyModelRecord& model : models) {
        const std::string id = Hex4(model.ModelID);
        const test::ToolResult check = RunTool(
            "hotmap check " + data + "model.RMF " + id + " " + data + "Model" + id + ".hmt", true);
        EXPECT_EQ(check.status, 0) << id << ": " << check.out;
        const int picSize = model.PicSize; // a packed field: copied before gtest binds a reference
        EXPECT_GT(picSize, 0) << id;
        EXPECT_LT(picSize, 100 * 1024) << id;
    }
}

TEST_F(Demo, TheModelsCoverEveryChipFamilyAndCommunicationType) {
    std::set<int> commTypes;
    std::set<std::string> families;
    bool shift = false;
    bool chinese = false;
    bool remapped = false;
    for (const TMyModelRecord& model : models) {
        commTypes.insert(model.CommType);
        if (model.CommType != 0)
            families.insert("usb");
        else if (IsFixedCodeKind(model.ChipKind))
            families.insert("fixed");
        else if (IsUniversalKind(model.ChipKind))
            families.insert(model.UniversalCount > 0 && model.ProtocolCount > 0 ? "universal"
                                                                                : "codeless");
        else
            families.insert(std::string(kIrChipItems[model.ChipKind]));
        shift |= model.HasShift == 1;
        chinese |= static_cast<unsigned char>(model.ModelType.Str()[0]) >= 0x81;
        remapped |= model.ChipKind == 2 && model.BtnInfo[4].KNo == 5;
    }
    EXPECT_EQ(commTypes, (std::set<int>{0, 1, 2}));
    for (const char* family : {"usb", "fixed", "universal", "R42", "Ble", "AC REMOTE"})
        EXPECT_TRUE(families.count(family)) << family;
    EXPECT_TRUE(shift);
    EXPECT_TRUE(chinese);
    EXPECT_TRUE(remapped);
}

TEST_F(Demo, TheBrandTableMeetsTheUniversalCodes) {
    TMDFYFile brands;
    ASSERT_EQ(ReadBrandFile(data + "remote.db", brands), kBrandFileRead);
    EXPECT_GE(brands.BrandList.size(), 8u);
    const test::ToolResult list = RunTool("brands " + data + "model.RMF 0201 " + data +
                                          "remote.db " + dir.File("brands.txt"));
    ASSERT_EQ(list.status, 0) << list.out;
    const auto bytes = test::ReadBytes(dir.File("brands.txt"));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("Aurelia\t0001 0001 \r\n"), std::string::npos) << text;
}

TEST_F(Demo, AnExistingDatabaseIsNeverOverwritten) {
    const auto before = test::ReadBytes(data + "model.RMF");
    const test::ToolResult again = RunTool("demo " + dir.Dir(), true);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.out.find("a model database is already there"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(data + "model.RMF"), before);
}

TEST_F(Demo, AnyFileItWouldWriteStopsIt) {
    // Every name the first run wrote, one at a time in a folder of its own.
    for (const std::string& name : dir.Names("data")) {
        SCOPED_TRACE(name);
        const test::TempDir other;
        std::filesystem::create_directory(other.File("data"));
        const std::string taken = other.Dir() + "data/" + name;
        test::WriteBytes(taken, {'m', 'i', 'n', 'e'});
        const test::ToolResult refused = RunTool("demo " + other.Dir(), true);
        EXPECT_EQ(refused.status, 1);
        const std::string why =
            name == "model.RMF" ? "a model database is already there" : "is already there";
        EXPECT_NE(refused.out.find(taken + ": " + why + "; nothing was written\n"),
                  std::string::npos)
            << refused.out;
        EXPECT_EQ(other.Names("data"), std::vector<std::string>{name});
        EXPECT_EQ(test::ReadBytes(taken), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));
    }
}

} // namespace
} // namespace mm
