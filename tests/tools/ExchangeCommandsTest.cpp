#include "TestSupport.h"
#include "ToolRunner.h"
#include "model/BrandTableBytes.h"
#include "model/JsonExport.h"
#include "model/ModelFile.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Bytes;
using test::RunTool;

class ExchangeCommands : public testing::Test {
protected:
    test::TempDir dir;
    std::string db = dir.File("model.RMF");

    void SetUp() override {
        TMyModelRecords models(2);
        models[0].ModelID = 0x001A;
        models[0].ModelType.Assign("TV");
        models[0].PageCount = 1;
        models[0].KeyCount = 1;
        models[0].BtnInfo[0].Name.Assign("Power");
        models[0].BtnInfo[0].KeyIdx = 5;
        models[0].PicSize = 2;
        models[0].BlobSize = 2;
        models[0].Blob = {0xFF, 0xD8};
        // A universal model with codes 5=18 and 9=3 behind its picture.
        models[1].ModelID = 0x0000;
        models[1].ModelType.Assign("Box");
        models[1].ChipKind = 5;
        models[1].PicSize = 1;
        models[1].UniversalCount = 2;
        models[1].BlobSize = 9;
        models[1].Blob = {0x77, 5, 0, 18, 0, 9, 0, 3, 0};
        SaveModelFile(db, models, 0);
    }

    static std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
};

TEST_F(ExchangeCommands, IdentifyPrintsTheLayoutOrRefusesTheFile) {
    const std::string exported = dir.File("tv.rmt");
    ASSERT_EQ(RunTool("export " + db + " 1a " + exported).status, 0);
    const std::string old1236 = dir.File("old1236");
    test::WriteBytes(old1236, Bytes(3197, 0));
    const std::string oldest = dir.File("oldest");
    test::WriteBytes(oldest, Bytes(103860, 0));
    const std::string junk = dir.File("junk");
    test::WriteBytes(junk, Bytes(3279, 0));
    const struct {
        std::string file;
        int status;
        std::string out;
    } cases[] = {
        {exported, 0, "F003\n"},
        {old1236, 0, "1236\n"},
        {oldest, 0, "oldest\n"},
        {junk, 1, junk + ": error file\n"},
        {dir.File("none"), 1,
         dir.File("none") + ": Cannot open file \"" + dir.File("none") +
             "\". No such file or directory.\n"},
    };
    for (const auto& c : cases) {
        const auto result = RunTool("identify " + c.file, true);
        EXPECT_EQ(result.status, c.status) << c.file;
        EXPECT_EQ(result.out, c.out) << c.file;
    }
}

TEST_F(ExchangeCommands, ExportThenImportTwiceGivesTheLowestFreeIDs) {
    const std::string exported = dir.File("tv.rmt");
    ASSERT_EQ(RunTool("export " + db + " 1A " + exported).status, 0);
    EXPECT_EQ(test::ReadBytes(exported).size(), 3280u + 2);
    const Bytes before = test::ReadBytes(db);
    const std::string out = dir.File("out.RMF");
    const auto result = RunTool("import " + db + " " + exported + " " + exported + " --out " + out);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "0001\n0002\n");
    EXPECT_EQ(test::ReadBytes(db), before);
    EXPECT_EQ(RunTool("list " + out).out, "001A\tTV\t\t1\t1\t0\t0\t2\n"
                                          "0000\tBox\t\t0\t0\t5\t0\t1\n"
                                          "0001\tTV\t\t1\t1\t0\t0\t2\n"
                                          "0002\tTV\t\t1\t1\t0\t0\t2\n");
    EXPECT_EQ(test::ReadBytes(out)[512 + 21], 255); // written as every save writes
}

TEST_F(ExchangeCommands, ImportRefusesAFileOfNoLayoutAndWritesNothing) {
    const std::string junk = dir.File("junk");
    test::WriteBytes(junk, Bytes(5000, 1));
    const std::string out = dir.File("out.RMF");
    const auto result = RunTool("import " + db + " " + junk + " --out " + out, true);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, junk + ": error file\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// A database of the oldest layout holding one model, "Oldie"; its bytes.
Bytes OldestLayoutDatabase(const std::string& fileName) {
    Bytes old = test::Header(1, 0x0000);
    Bytes record(103860, 0);
    test::PutText(record, 0, "Oldie");
    test::Append(old, record);
    test::WriteBytes(fileName, old);
    return old;
}

TEST_F(ExchangeCommands, ImportIntoAnOldLayoutKeepsTheOldFile) {
    const std::string oldDb = dir.File("old.RMF");
    const Bytes old = OldestLayoutDatabase(oldDb);
    const std::string exported = dir.File("tv.rmt");
    ASSERT_EQ(RunTool("export " + db + " 1A " + exported).status, 0);
    const auto result = RunTool("import " + oldDb + " " + exported);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "001A\n");
    EXPECT_EQ(test::ReadBytes(oldDb + ".bak"), old);
    EXPECT_EQ(RunTool("list " + oldDb).out, "0000\tOldie\t\t0\t0\t0\t0\t0\n"
                                            "001A\tTV\t\t1\t1\t0\t0\t2\n");

    const std::string fresh = dir.File("fresh.RMF");
    EXPECT_EQ(RunTool("import " + fresh + " " + exported).status, 0);
    EXPECT_EQ(RunTool("list " + fresh).out, "001A\tTV\t\t1\t1\t0\t0\t2\n");
}

// "save DB DB" is the window's Save: the database rewritten in place, through a link too; one in
// an older layout is kept as ".bak" first.
TEST_F(ExchangeCommands, SaveOverItsInputRewritesTheDatabase) {
    const std::string oldDb = dir.File("old.RMF");
    const Bytes old = OldestLayoutDatabase(oldDb);
    const auto result = RunTool("save " + oldDb + " " + oldDb, true);
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_EQ(test::ReadBytes(oldDb + ".bak"), old);
    EXPECT_EQ(RunTool("list " + oldDb).out, "0000\tOldie\t\t0\t0\t0\t0\t0\n");
    EXPECT_LT(test::ReadBytes(oldDb).size(), old.size()); // the current layout

    const std::string link = dir.File("link.RMF");
    std::filesystem::create_symlink(db, link);
    const std::string listed = RunTool("list " + db).out;
    EXPECT_EQ(RunTool("save " + db + " " + link).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(RunTool("list " + db).out, listed);
    EXPECT_FALSE(std::filesystem::exists(db + ".bak"));
}

TEST_F(ExchangeCommands, JsonIsTheWindowsExportByteForByte) {
    const std::string out = dir.File("all.json");
    ASSERT_EQ(RunTool("json " + db + " " + out).status, 0);
    TMyModelRecords models;
    LoadModelFile(db, models);
    EXPECT_EQ(Text(test::ReadBytes(out)), JsonExportText(models));
    EXPECT_NE(Text(test::ReadBytes(out)).find("\t\t\t\"KeyIdx\":4,\r\n"), std::string::npos);
}

TEST_F(ExchangeCommands, BrandsListsTheModelsGroupsOrExplainsWhy) {
    const std::string remote = dir.File("remote.db");
    test::WriteBytes(remote,
                     test::Deflated(test::BrandPayload({"A", "B"}, {{0, 5}, {0, 9}, {1, 4}})));
    const std::string out = dir.File("brands.txt");
    ASSERT_EQ(RunTool("brands " + db + " 0 " + remote + " " + out).status, 0);
    EXPECT_EQ(Text(test::ReadBytes(out)),
              "\xC6\xB7\xC5\xC6\t\xD7\xE9\xBA\xC5\r\nA\t0018 0003 \r\n");

    const auto missing = RunTool("brands " + db + " 0 " + dir.File("none.db") + " " + out, true);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, dir.File("none.db") +
                               ": 加载错误,remote.db文件是否和本exe文件一个目录: Cannot open "
                               "file \"" +
                               dir.File("none.db") + "\". No such file or directory.\n");
    const auto plain = RunTool("brands " + db + " 1A " + remote + " " + out, true);
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out, db + ": model 001A has no universal codes\n");
}

TEST_F(ExchangeCommands, UsageErrors) {
    for (const std::string& args : {"import " + db, "import " + db + " x --out", "export " + db,
                                    std::string("identify"), "json " + db, "brands " + db + " 0 r"})
        EXPECT_EQ(RunTool(args).status, 2) << args;
    EXPECT_EQ(RunTool("export " + db + " 99 " + dir.File("x")).status, 1);
}

} // namespace
} // namespace mm
