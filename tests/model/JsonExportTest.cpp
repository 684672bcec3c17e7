#include "model/JsonExport.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

// The lines joined with CR LF after each, as the export file holds them.
std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void SetKey(TBtnInfo& key, const std::string& name, uint8_t kno, uint16_t keyIdx, uint8_t follow) {
    key.Name.Assign(name);
    key.KNo = kno;
    key.KeyIdx = keyIdx;
    key.FollowSno = follow;
}

TMyModelRecord Tv1() {
    TMyModelRecord m;
    m.ModelType.Assign("TV1");
    m.ModelID = 0x00A1;
    m.ChipKind = 3;
    m.PageCount = 1;
    m.PageName[0].Assign("Main");
    m.KeyCount = 2;
    SetKey(m.BtnInfo[0], "Power", 1, 1, 255);
    SetKey(m.BtnInfo[1], "Mute", 2, 2, 255);
    return m;
}

TEST(JsonExport, TheDocumentedExampleByteForByte) {
    EXPECT_EQ(JsonExportText({Tv1()}), Lines({
                                           "[",
                                           "{",
                                           "\t\"ModelType\":\"TV1\",",
                                           "\t\"ModelID\":\"00A1\",",
                                           "\t\"ChipKind\":3,",
                                           "\t\"PageCount\":\"1\",",
                                           "\t\"HasShift\":0,",
                                           "\t\"PageName\":[\"Main\"],",
                                           "\t\"btnInfo\":[",
                                           "\t\t{",
                                           "\t\t\t\"Name\":\"Power\",",
                                           "\t\t\t\"KNo\":1,",
                                           "\t\t\t\"KeyIdx\":0,",
                                           "\t\t\t\"Folow\":255",
                                           "\t\t},",
                                           "",
                                           "\t\t{",
                                           "\t\t\t\"Name\":\"Mute\",",
                                           "\t\t\t\"KNo\":2,",
                                           "\t\t\t\"KeyIdx\":1,",
                                           "\t\t\t\"Folow\":255",
                                           "\t\t}",
                                           "]",
                                           "}",
                                           "]",
                                       }));
}

TEST(JsonExport, EmptyDatabaseAndModelSeparators) {
    EXPECT_EQ(JsonExportText({}), "[\r\n]\r\n");
    TMyModelRecord bare;
    bare.ModelType.Assign("A");
    bare.ModelID = 0xBEEF;
    bare.ChipKind = 255;
    bare.HasShift = 7;
    const std::string block = Lines(
        {"\t\"ModelType\":\"A\",", "\t\"ModelID\":\"BEEF\",", "\t\"ChipKind\":255,",
         "\t\"PageCount\":\"0\",", "\t\"HasShift\":1,", "\t\"PageName\":[],", "\t\"btnInfo\":[]"});
    EXPECT_EQ(JsonExportText({bare, bare}),
              "[\r\n{\r\n" + block + "},\r\n{\r\n" + block + "}\r\n]\r\n");
}

TEST(JsonExport, LinesForPagesKeysAndValuesAsStored) {
    TMyModelRecord m;
    m.ModelType.Assign(" Fan \"2\"\\  "); // trimmed, never escaped
    m.PageCount = 3;
    m.PageName[0].Assign("A");
    m.PageName[1].Assign(" B\t");
    m.PageName[2].Assign("C");
    m.PageName[3].Assign("D"); // beyond PageCount
    m.HasShift = 1;
    m.KeyCount = 4;
    SetKey(m.BtnInfo[0], "One  ", 1, 44, 0);
    SetKey(m.BtnInfo[1], "Two", 2, 0, 3);
    SetKey(m.BtnInfo[2], "S1", 3, 65535, 1);
    SetKey(m.BtnInfo[3], "S2", 255, 1, 2);
    SetKey(m.BtnInfo[4], "Unused", 9, 9, 9);
    const std::string text = JsonExportText({m});
    const auto has = [&](const std::string& line) {
        return text.find("\r\n" + line + "\r\n") != std::string::npos;
    };
    EXPECT_TRUE(has("\t\"ModelType\":\"Fan \"2\"\\\","));
    EXPECT_TRUE(has("\t\"PageName\":[\"A\",\"B\",\"C\"],"));
    EXPECT_TRUE(has("\t\"HasShift\":1,"));
    EXPECT_TRUE(has("\t\t\t\"Name\":\"One\","));
    EXPECT_TRUE(has("\t\t\t\"KeyIdx\":43,"));
    EXPECT_TRUE(has("\t\t\t\"KeyIdx\":-1,"));
    EXPECT_TRUE(has("\t\t\t\"KeyIdx\":65534,"));
    EXPECT_TRUE(has("\t\t\t\"KNo\":255,"));
    EXPECT_TRUE(has("\t\t\t\"Name\":\"S2\","));
    EXPECT_EQ(text.find("Unused"), std::string::npos);
    size_t items = 0;
    for (size_t at = text.find("\t\t{"); at != std::string::npos; at = text.find("\t\t{", at + 1))
        ++items;
    EXPECT_EQ(items, 4u);
}

TEST(JsonExport, DamagedCountsListOnlyWhatTheTablesHold) {
    TMyModelRecord m;
    m.PageCount = 200;
    m.KeyCount = 200;
    const std::string text = JsonExportText({m});
    EXPECT_NE(
        text.find("\t\"PageCount\":\"200\",\r\n\t\"HasShift\":0,\r\n\t\"PageName\":[\"\",\"\",\"\","
                  "\"\",\"\",\"\",\"\",\"\"],"),
        std::string::npos);
    size_t items = 0;
    for (size_t at = text.find("\"Folow\""); at != std::string::npos;
         at = text.find("\"Folow\"", at + 1))
        ++items;
    EXPECT_EQ(items, 124u);
}

TEST(JsonExport, SavesTheTextAndNamesAFileItCannotCreate) {
    test::TempDir dir;
    const std::string file = dir.File("all.json");
    test::WriteBytes(file, std::vector<uint8_t>(10000, 'x'));
    SaveJsonExport(file, {Tv1()});
    const auto bytes = test::ReadBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), JsonExportText({Tv1()}));
    const std::string bad = dir.File("missing/all.json");
    try {
        SaveJsonExport(bad, {});
        FAIL();
    } catch (const FileCreateError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + bad + "\". No such file or directory.");
    }
}

} // namespace
} // namespace mm
