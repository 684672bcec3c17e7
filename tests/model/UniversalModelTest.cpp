#include "BrandTableBytes.h"
#include "TestSupport.h"
#include "model/uUniversalModel.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using test::BrandCode;
using test::Bytes;

class BrandFile : public testing::Test {
protected:
    test::TempDir dir;
    std::string path = BrandTablePath(dir.Dir());

    void SetUp() override { std::filesystem::create_directory(dir.Dir() + "data"); }

    int Read(const Bytes& fileBytes, TMDFYFile& table, std::string* reason = nullptr) {
        test::WriteBytes(path, fileBytes);
        return ReadBrandFile(path, table, reason);
    }
};

TMDFYFile Filled() {
    TMDFYFile table;
    table.FirstList.resize(1);
    table.BrandList.resize(2);
    table.CodeList.resize(3);
    return table;
}

TEST_F(BrandFile, ResultsAndReasonsOfBadFiles) {
    Bytes payload = test::BrandPayload({"A"}, {{0, 5}});
    const std::string size = std::to_string(payload.size());
    Bytes claimsMore = payload;
    test::PutI32(claimsMore, 16, static_cast<int32_t>(payload.size()) + 1);
    Bytes claimsLess = payload;
    test::PutI32(claimsLess, 16, static_cast<int32_t>(payload.size()) - 1);
    Bytes negative = payload;
    test::PutI32(negative, 16, -1);
    Bytes truncated = test::Deflated(payload);
    truncated.resize(truncated.size() - 6);
    Bytes corrupt = test::Deflated(payload);
    corrupt[5] ^= 0xFF;
    Bytes claimsAGibibyte = payload;
    test::PutI32(claimsAGibibyte, 16, 1 << 30);
    Bytes claimsPastTheBound = payload;
    test::PutI32(claimsPastTheBound, 16, (64 << 20) + 1);
    Bytes claimsTenMegabytes = payload;
    test::PutI32(claimsTenMegabytes, 16, 10000000);
    const Bytes tenMegabytesFile = test::Deflated(claimsTenMegabytes);
    const struct {
        const char* what;
        Bytes file;
        int result;
        std::string reason;
    } cases[] = {
        {"valid", test::Deflated(payload), kBrandFileRead, ""},
        {"not zlib",
         {'h', 'e', 'l', 'l', 'o'},
         kBrandFileBad,
         "not a valid zlib stream (incorrect header check)"},
        {"empty file", {}, kBrandFileBad, "the zlib stream ends early"},
        {"cut short", truncated, kBrandFileBad, "the zlib stream ends early"},
        {"corrupt", corrupt, kBrandFileBad, "not a valid zlib stream (incorrect data check)"},
        {"header claims one byte more", test::Deflated(claimsMore), kBrandFileWrongLength,
         "the header gives " + std::to_string(payload.size() + 1) +
             " bytes, the stream inflates to " + size},
        {"header claims one byte less", test::Deflated(claimsLess), kBrandFileWrongLength,
         "the header gives " + std::to_string(payload.size() - 1) +
             " bytes, the stream inflates to more"},
        {"negative size", test::Deflated(negative), kBrandFileWrongLength,
         "the header gives -1 bytes, the stream inflates to more"},
        {"shorter than the header", test::Deflated(Bytes(19, 0)), kBrandFileWrongLength,
         "the stream inflates to 19 bytes, fewer than the header's 20"},
        {"empty payload", test::Deflated({}), kBrandFileWrongLength,
         "the stream inflates to 0 bytes, fewer than the header's 20"},
        {"claims a gibibyte", test::Deflated(claimsAGibibyte), kBrandFileTooLarge,
         "the header gives 1073741824 bytes, more than 67108864"},
        {"claims a byte more than 64 MiB", test::Deflated(claimsPastTheBound), kBrandFileTooLarge,
         "the header gives 67108865 bytes, more than 67108864"},
        {"claims more than deflate makes of the file", tenMegabytesFile, kBrandFileTooLarge,
         "the header gives 10000000 bytes, more than 1000 times the " +
             std::to_string(tenMegabytesFile.size()) + " bytes of the file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMDFYFile table = Filled();
        std::string reason;
        EXPECT_EQ(Read(c.file, table, &reason), c.result);
        EXPECT_EQ(reason, c.reason);
        if (c.result != kBrandFileRead) {
            EXPECT_TRUE(table.FirstList.empty() && table.BrandList.empty() &&
                        table.CodeList.empty());
        }
    }
}

TEST_F(BrandFile, ABombIsRefusedBeforeItIsInflated) {
    // 128 MiB of zeros claimed and really there: refused after the first piece.
    const Bytes bomb = test::DeflatedBomb(128 << 20);
    TMDFYFile table;
    TMemoryStream stream(bomb);
    std::string reason;
    EXPECT_EQ(ReadBrandStream(stream, table, &reason), kBrandFileTooLarge);
    EXPECT_EQ(reason, "the header gives 134217748 bytes, more than 67108864");
    EXPECT_LE(stream.Position(), 64 * 1024); // the first piece of a file of about 128 KB
}

TEST_F(BrandFile, ReasonsTheFileCannotBeRead) {
    TMDFYFile table;
    std::string reason;
    EXPECT_EQ(ReadBrandFile(path, table, &reason), kBrandFileBad);
    EXPECT_EQ(reason, "Cannot open file \"" + path + "\". No such file or directory.");
    std::filesystem::create_directory(path);
    EXPECT_EQ(ReadBrandFile(path, table, &reason), kBrandFileBad);
    EXPECT_EQ(reason, "Cannot open file \"" + path + "\". Is a directory.");
}

TEST_F(BrandFile, MissingFileIsResultOne) {
    TMDFYFile table = Filled();
    EXPECT_EQ(ReadBrandFile(path, table), kBrandFileBad);
    EXPECT_TRUE(table.FirstList.empty() && table.BrandList.empty() && table.CodeList.empty());
}

TEST_F(BrandFile, ThousandClaimedButNineHundredNinetyNineInflated) {
    Bytes payload(999, 0);
    test::PutI32(payload, 16, 1000);
    TMDFYFile table;
    EXPECT_EQ(Read(test::Deflated(payload), table), kBrandFileWrongLength);
}

TEST_F(BrandFile, ReadsEveryList) {
    TMDFYFile table;
    ASSERT_EQ(Read(test::Deflated(test::BrandPayload({"Sony", "\xB3\xA4\xBA\xE7"},
                                                     {{0, 5}, {1, 65535}, {7, 9}}, 2)),
                   table),
              kBrandFileRead);
    ASSERT_EQ(table.FirstList.size(), 2u);
    EXPECT_EQ(table.FirstList[1].Data[0], 0xEE);
    ASSERT_EQ(table.BrandList.size(), 2u);
    EXPECT_EQ(table.BrandList[0].BrandName.Str(), "Sony");
    EXPECT_EQ(table.BrandList[1].BrandName.Str(), "\xB3\xA4\xBA\xE7");
    ASSERT_EQ(table.CodeList.size(), 3u);
    EXPECT_EQ(+table.CodeList[1].BrandIdx, 1);
    EXPECT_EQ(+table.CodeList[1].CodeNo, 65535);
    EXPECT_EQ(+table.CodeList[2].BrandIdx, 7);
    EXPECT_EQ(table.CodeList[2].Unused[0], 0xCC);
    EXPECT_TRUE(table.FourthList.empty());
}

TEST_F(BrandFile, CountsBeyondTheInflatedBytesTakeOnlyWhatIsThere) {
    Bytes payload = test::BrandPayload({"A", "B"}, {{0, 5}, {1, 6}});
    test::PutI32(payload, 12, 1000000);
    TMDFYFile table;
    ASSERT_EQ(Read(test::Deflated(payload), table), kBrandFileRead);
    EXPECT_EQ(table.BrandList.size(), 2u);
    EXPECT_EQ(table.CodeList.size(), 2u);

    test::PutI32(payload, 4, INT32_MAX); // the first list swallows everything present
    test::PutI32(payload, 8, -4);
    ASSERT_EQ(Read(test::Deflated(payload), table), kBrandFileRead);
    EXPECT_EQ(table.FirstList.size(), (payload.size() - 20) / 9);
    EXPECT_TRUE(table.BrandList.empty());
    EXPECT_TRUE(table.CodeList.empty());
}

TEST_F(BrandFile, OutputFarBeyondTheClaimedSizeIsRefused) {
    Bytes payload(8 << 20, 0);
    test::PutI32(payload, 16, 64);
    TMDFYFile table;
    EXPECT_EQ(Read(test::Deflated(payload), table), kBrandFileWrongLength);
}

// The brand-list file's lines after its heading.
std::string Listing(std::initializer_list<std::string> lines) {
    std::string text = "\xC6\xB7\xC5\xC6\t\xD7\xE9\xBA\xC5\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TMDFYFile Table(const std::vector<std::string>& brands, const std::vector<BrandCode>& codes) {
    TMDFYFile table;
    for (const std::string& name : brands) {
        TBrandEntry brand{};
        brand.BrandName.Assign(name);
        table.BrandList.push_back(brand);
    }
    for (const BrandCode& code : codes) {
        TCodeEntry entry{};
        entry.BrandIdx = code.brand;
        entry.CodeNo = code.codeNo;
        table.CodeList.push_back(entry);
    }
    return table;
}

TEST(BrandList, WalksTheRunsAsTheListRules) {
    const TCodeMap codes = CodeMapFromLines({"5=12", "9=3", "7=7", "8=10000", "6=-2"});
    const struct {
        const char* what;
        TMDFYFile table;
        std::string text;
    } cases[] = {
        {"group numbers in entry order", Table({"A"}, {{0, 5}, {0, 9}}),
         Listing({"A\t0012 0003 "})},
        {"no code on the left of a line", Table({"A", "B"}, {{0, 1}, {0, 2}, {1, 7}}),
         Listing({"B\t0007 "})},
        {"two runs: listed once, first run only", Table({"A", "B"}, {{0, 5}, {1, 7}, {0, 9}}),
         Listing({"A\t0012 ", "B\t0007 "})},
        {"a run that gave nothing is looked at again later",
         Table({"A", "B"}, {{0, 1}, {1, 7}, {0, 9}}), Listing({"B\t0007 ", "A\t0003 "})},
        {"only some codes of the run map", Table({"A"}, {{0, 1}, {0, 9}, {0, 2}}),
         Listing({"A\t0003 "})},
        {"brand indexes outside the table", Table({"A"}, {{-1, 5}, {3, 5}, {0, 9}}),
         Listing({"A\t0003 "})},
        {"brands of one name count as one", Table({"X", "X"}, {{0, 5}, {1, 9}}),
         Listing({"X\t0012 "})},
        {"negative groups list nothing", Table({"A"}, {{0, 6}}), Listing({})},
        {"more than four digits", Table({"A"}, {{0, 8}}), Listing({"A\t10000 "})},
        {"an empty name matches the initial last listed name", Table({""}, {{0, 5}}), Listing({})},
        {"no code entries", Table({"A"}, {}), Listing({})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BrandListText(c.table, codes), c.text) << c.what;
}

TEST(BrandList, CodeMapFromThePageLines) {
    const TCodeMap codes = CodeMapFromLines(
        {" 5 = 12 ", "", "5", "=5", "5=", "9=3", "5=12=7", "a=1=2", "5=13", "0x0A=$B", "  "});
    ASSERT_EQ(codes.size(), 4u);
    EXPECT_EQ(codes[0].Left, 5);
    EXPECT_EQ(codes[0].Right, 12);
    EXPECT_EQ(codes[3].Left, 10);
    EXPECT_EQ(codes[3].Right, 11);
    // The first pair of a code number decides.
    EXPECT_EQ(BrandListText(Table({"A"}, {{0, 5}}), codes), Listing({"A\t0012 "}));
    EXPECT_EQ(BrandListText(Table({"A"}, {{0, 5}}), CodeMapFromLines({"5=-1", "5=7"})),
              Listing({}));
    try {
        CodeMapFromLines({"5=12", "a=1"});
        FAIL();
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'a' is not a valid integer value");
    }
}

TEST(BrandList, CodeMapOfTheLinesAModelShows) {
    TMyModelRecord model;
    model.ChipKind = 5;
    model.PicSize = 2;
    model.UniversalCount = 2;
    model.BlobSize = 10;
    model.Blob = {0xFF, 0xD8, 5, 0, 18, 0, 1, 0, 0xFF, 0xFF};
    const TCodePages pages = CodePagesFromRecord(model, true);
    const TCodeMap codes = CodeMapFromLines(pages.Memo1);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(BrandListText(Table({"A"}, {{0, 1}, {0, 5}}), codes), Listing({"A\t65535 0018 "}));
}

TEST(BrandList, SavedFileHoldsTheText) {
    test::TempDir dir;
    const TMDFYFile table = Table({"A"}, {{0, 5}});
    const TCodeMap codes = CodeMapFromLines({"5=12"});
    SaveBrandList(dir.File("brands.txt"), table, codes);
    const auto bytes = test::ReadBytes(dir.File("brands.txt"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Listing({"A\t0012 "}));
    EXPECT_THROW(SaveBrandList(dir.File("no/brands.txt"), table, codes), FileCreateError);
}

} // namespace
} // namespace mm
