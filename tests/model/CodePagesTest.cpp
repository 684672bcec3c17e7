#include "model/CodePages.h"
#include "ModelBytes.h"
#include "model/ChipKind.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>
#include <limits>

namespace mm {
namespace {

using test::Bytes;

const Bytes kPicture = {0xFF, 0xD8, 0xAA};

// A record of the kind whose Blob is the picture followed by the given code region.
TMyModelRecord Record(uint8_t kind, const Bytes& region, int32_t u, int32_t q) {
    TMyModelRecord r;
    r.ChipKind = kind;
    r.PicSize = static_cast<int32_t>(kPicture.size());
    r.UniversalCount = u;
    r.ProtocolCount = q;
    r.Blob = kPicture;
    r.Blob.insert(r.Blob.end(), region.begin(), region.end());
    r.BlobSize = static_cast<int32_t>(r.Blob.size());
    return r;
}

// Codes (5 | 18 << 16) and (1 | 65535 << 16), then protocol numbers 23 and 7.
Bytes UniversalRegion() {
    Bytes b(12, 0);
    test::PutU16(b, 0, 5);
    test::PutU16(b, 2, 18);
    test::PutU16(b, 4, 1);
    test::PutU16(b, 6, 65535);
    test::PutU16(b, 8, 23);
    test::PutU16(b, 10, 7);
    return b;
}

std::string ConvertMessage(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

TEST(CodePages, TextFormsPadEachHalfToFourDigits) {
    EXPECT_EQ(UniversalCodeText(5u | (18u << 16)), "0005=0018");
    EXPECT_EQ(UniversalCodeText(1u | (65535u << 16)), "0001=65535");
    EXPECT_EQ(UniversalCodeText(0), "0000=0000");
    EXPECT_EQ(UniversalCodeText(0xFFFFFFFFu), "65535=65535");
    EXPECT_EQ(ProtocolText(23), "PID0023");
    EXPECT_EQ(ProtocolText(0), "PID0000");
    EXPECT_EQ(ProtocolText(65535), "PID65535");
}

TEST(CodePages, UniversalCodeLines) {
    struct Case {
        const char* line;
        std::optional<uint32_t> code;
    };
    const Case cases[] = {
        {"  5 = 18 ", 5u + 18u * 65536u},
        {"0005=0018", 5u + 18u * 65536u},
        {"70000=1", 70000u + 65536u}, // the low part overflows into the high half
        {"0=65536", 0u},              // 32-bit arithmetic wraps
        {"-1=0", 0xFFFFFFFFu},
        {"$10=x1", 16u + 65536u},
        {"5==18", 5u + 18u * 65536u}, // the empty part between is dropped
        {"1=2=junk", 1u + 2u * 65536u},
        {"\t5=18\t", 5u + 18u * 65536u},
        {"5", std::nullopt},
        {"=5", std::nullopt},
        {"5=", std::nullopt},
        {" = ", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseUniversalCodeLine(c.line), c.code) << "'" << c.line << "'";
}

TEST(CodePages, UniversalCodeLinesThatAreNotNumbersFail) {
    struct Case {
        const char* line;
        const char* part;
    };
    const Case cases[] = {{"a=1", "a"}, {"1=b", "b"}, {"1 2=3", "1 2"}, {"5=0x", "0x"}};
    for (const Case& c : cases) {
        try {
            ParseUniversalCodeLine(c.line);
            ADD_FAILURE() << c.line << " was accepted";
        } catch (const ConvertError& error) {
            EXPECT_EQ(error.what(), ConvertMessage(c.part)) << c.line;
        }
    }
}

TEST(CodePages, PairsKeepBothSidesForTheBrandList) {
    const auto pair = ParseCodePair(" 9 = 3 ");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->Left, 9);
    EXPECT_EQ(pair->Right, 3);
    EXPECT_FALSE(ParseCodePair("9"));
}

TEST(CodePages, ProtocolLines) {
    struct Case {
        const char* line;
        std::optional<uint16_t> number;
    };
    const Case cases[] = {
        {"PID0023", 23},       {"23", 23},
        {"PID 23", 23},        {"23PID", 23},
        {" PID23 ", 23},       {"PID-1", 65535},
        {"70000", 4464}, // low 16 bits
        {"PID", std::nullopt}, {"  PID  ", std::nullopt},
        {"", std::nullopt},    {"\t", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseProtocolLine(c.line), c.number) << "'" << c.line << "'";
}

TEST(CodePages, ProtocolLinesThatAreNotNumbersFail) {
    struct Case {
        const char* line;
        const char* rest;
    };
    const Case cases[] = {
        {"pid23", "pid23"},    // only upper-case "PID" is removed
        {"x PID 23", "x  23"}, // removed where it stands, the rest must be a number
        {"PIDPID23", "PID23"}, // only the first occurrence goes
        {"PID 2 3", "2 3"},
    };
    for (const Case& c : cases) {
        try {
            ParseProtocolLine(c.line);
            ADD_FAILURE() << c.line << " was accepted";
        } catch (const ConvertError& error) {
            EXPECT_EQ(error.what(), ConvertMessage(c.rest)) << c.line;
        }
    }
}

TEST(CodePages, LinesSplitAtEveryBreakAndJoinWithCrLf) {
    struct Case {
        std::string text;
        TStrArray lines;
    };
    const Case cases[] = {
        {"", {}},
        {"AB\r\nC\r\n", {"AB", "C"}},
        {"AB\r\nC", {"AB", "C"}},
        {"A\rB\nC", {"A", "B", "C"}},
        {"A\n\rB", {"A", "", "B"}}, // LF CR is two breaks
        {"A\r\n\r\n", {"A", ""}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {std::string("x\0y", 3), {std::string("x\0y", 3)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);

    EXPECT_EQ(JoinLines({"AB", "C"}), "AB\r\nC\r\n");
    EXPECT_EQ(JoinLines({}), "");
    for (const TStrArray& lines : {TStrArray{}, TStrArray{""}, TStrArray{"A", ""},
                                   TStrArray{"", "", "B"}, TStrArray{"AB", "C"}})
        EXPECT_EQ(SplitLines(JoinLines(lines, "\n")), lines) << testing::PrintToString(lines);
}

TEST(CodePages, UniversalModelShowsCodesAndProtocols) {
    const TMyModelRecord r = Record(5, UniversalRegion(), 2, 2);
    const TCodePages pages = CodePagesFromRecord(r, true);
    EXPECT_EQ(pages.Memo1, (TStrArray{"0005=0018", "0001=65535"}));
    EXPECT_EQ(pages.Memo2, (TStrArray{"PID0023", "PID0007"}));
    EXPECT_TRUE(pages.BrandTableVisible);

    const TCodePages hidden = CodePagesFromRecord(r, false);
    EXPECT_TRUE(hidden.Memo1.empty());
    EXPECT_TRUE(hidden.Memo2.empty());
    EXPECT_FALSE(hidden.BrandTableVisible);
}

TEST(CodePages, RegionsBlobDoesNotHoldStayEmpty) {
    struct Case {
        const char* name;
        TMyModelRecord record;
        size_t memo1;
        size_t memo2;
        bool brand;
    };
    const Bytes region = UniversalRegion();
    auto withPicSize = [](TMyModelRecord r, int32_t picSize) {
        r.PicSize = picSize;
        return r;
    };
    const Case cases[] = {
        {"whole", Record(5, region, 2, 2), 2, 2, true},
        {"codes but not protocols", Record(5, Bytes(region.begin(), region.end() - 1), 2, 2), 2, 0,
         true},
        {"too short for codes", Record(5, Bytes(7, 0), 2, 0), 0, 0, true},
        {"counts of 2^31-1", Record(5, region, INT32_MAX, INT32_MAX), 0, 0, true},
        {"negative counts", Record(5, region, -1, -1), 0, 0, false},
        {"negative code count", Record(5, region, -2, 1), 0, 0, false},
        {"negative picture size", withPicSize(Record(5, region, 2, 2), -3), 0, 0, true},
        {"picture beyond Blob", withPicSize(Record(5, region, 2, 2), 100), 0, 0, true},
        {"no codes", Record(6, {}, 0, 0), 0, 0, false},
        {"kind 10 left with codes", Record(10, region, 2, 2), 2, 2, true},
        {"fixed code too short", Record(3, {'A', 'B'}, 3, 0), 0, 0, false},
    };
    for (const Case& c : cases) {
        const TCodePages pages = CodePagesFromRecord(c.record, true);
        EXPECT_EQ(pages.Memo1.size(), c.memo1) << c.name;
        EXPECT_EQ(pages.Memo2.size(), c.memo2) << c.name;
        EXPECT_EQ(pages.BrandTableVisible, c.brand) << c.name;
    }
}

TEST(CodePages, FixedCodeShowsItsLinesWithoutTheBrandButton) {
    const TMyModelRecord r = Record(3, {'A', 'B', '\r', '\n', 'C', '\r', '\n'}, 7, 0);
    const TCodePages pages = CodePagesFromRecord(r, true);
    EXPECT_EQ(pages.Memo1, (TStrArray{"AB", "C"}));
    EXPECT_TRUE(pages.Memo2.empty());
    EXPECT_FALSE(pages.BrandTableVisible);
}

TEST(CodePages, StoringAnUnchangedUniversalModelWritesTheSameBytes) {
    TMyModelRecord r = Record(5, UniversalRegion(), 2, 2);
    const TSSByteArray before = r.Blob;
    const TCodePages pages = CodePagesFromRecord(r, true);
    StoreCodePages(r, pages.Memo1, pages.Memo2);
    EXPECT_EQ(r.Blob, before);
    EXPECT_EQ(int32_t{r.UniversalCount}, 2);
    EXPECT_EQ(int32_t{r.ProtocolCount}, 2);
    EXPECT_EQ(int32_t{r.BlobSize}, 15);
    EXPECT_EQ(int32_t{r.PicSize}, 3);
}

TEST(CodePages, UniversalStoreLaysOutCodesThenProtocols) {
    TMyModelRecord r = Record(4, Bytes(20, 0x77), 5, 0); // old region longer than the new one
    StoreCodePages(r, {"  5 = 18 ", "", "5", "=5", "70000=1"}, {"PID0023", " ", "23PID"});
    ASSERT_EQ(r.Blob.size(), 3u + 4 * 2 + 2 * 2);
    EXPECT_EQ(Bytes(r.Blob.begin(), r.Blob.begin() + 3), kPicture);
    EXPECT_EQ(test::GetI32(r.Blob, 3), 5 + 18 * 65536);
    EXPECT_EQ(test::GetI32(r.Blob, 7), 70000 + 65536);
    EXPECT_EQ(r.Blob[11] | r.Blob[12] << 8, 23);
    EXPECT_EQ(r.Blob[13] | r.Blob[14] << 8, 23);
    EXPECT_EQ(int32_t{r.UniversalCount}, 2);
    EXPECT_EQ(int32_t{r.ProtocolCount}, 2);
    EXPECT_EQ(int32_t{r.BlobSize}, 15);
}

TEST(CodePages, FixedCodeStoresEveryLineWithCrLf) {
    TMyModelRecord r = Record(3, {}, 0, 5);
    StoreCodePages(r, {"AB", "C"}, {"not read: a=b"});
    EXPECT_EQ(int32_t{r.UniversalCount}, 7);
    EXPECT_EQ(int32_t{r.ProtocolCount}, 0);
    EXPECT_EQ(int32_t{r.BlobSize}, 3 + 7);
    const Bytes expected = {0xFF, 0xD8, 0xAA, 'A', 'B', '\r', '\n', 'C', '\r', '\n'};
    EXPECT_EQ(r.Blob, expected);

    StoreCodePages(r, {}, {});
    EXPECT_EQ(int32_t{r.UniversalCount}, 0);
    EXPECT_EQ(int32_t{r.BlobSize}, 3);
    EXPECT_EQ(r.Blob, kPicture);
}

TEST(CodePages, KindWithoutCodesDropsTheRegionButKeepsTheBytes) {
    TMyModelRecord r = Record(5, UniversalRegion(), 2, 2);
    r.ChipKind = 1;
    StoreCodePages(r, {"0005=0018"}, {"PID0023"});
    EXPECT_EQ(int32_t{r.UniversalCount}, 0);
    EXPECT_EQ(int32_t{r.ProtocolCount}, 0);
    EXPECT_EQ(int32_t{r.BlobSize}, 3);
    EXPECT_EQ(r.Blob.size(), 15u); // not shortened; only BlobSize bytes belong to the record
    const TCodePages pages = CodePagesFromRecord(r, CodeTabsVisibleForKind(r.ChipKind));
    EXPECT_TRUE(pages.Memo1.empty());
    EXPECT_TRUE(pages.Memo2.empty());
}

TEST(CodePages, FailedConversionLeavesTheRecordUntouched) {
    const TMyModelRecord original = Record(5, UniversalRegion(), 2, 2);
    struct Case {
        TStrArray memo1;
        TStrArray memo2;
        const char* part;
    };
    const Case cases[] = {
        {{"1=2", "a=1"}, {"PID1"}, "a"},
        {{"1=2"}, {"PID1", "pid23"}, "pid23"},
        {{"1=2"}, {"x PID 23"}, "x  23"},
    };
    for (const Case& c : cases) {
        TMyModelRecord r = original;
        try {
            StoreCodePages(r, c.memo1, c.memo2);
            ADD_FAILURE() << c.part << " was accepted";
        } catch (const ConvertError& error) {
            EXPECT_EQ(error.what(), ConvertMessage(c.part));
        }
        EXPECT_EQ(r.Blob, original.Blob);
        EXPECT_EQ(int32_t{r.UniversalCount}, 2);
        EXPECT_EQ(int32_t{r.ProtocolCount}, 2);
        EXPECT_EQ(int32_t{r.BlobSize}, 15);
    }
}

TEST(CodePages, StoreKeepsOnlyThePictureBlobHolds) {
    struct Case {
        int32_t picSize;
        int32_t kept;
    };
    // A negative size is no picture; one beyond Blob keeps the bytes that are there.
    for (const Case c : {Case{-5, 0}, Case{3, 3}, Case{100, 5}, Case{INT32_MAX, 5}}) {
        TMyModelRecord r = Record(5, {1, 2}, 0, 0);
        r.PicSize = c.picSize;
        StoreCodePages(r, {"1=0"}, {});
        EXPECT_EQ(int32_t{r.PicSize}, c.kept) << c.picSize;
        EXPECT_EQ(int32_t{r.BlobSize}, c.kept + 4) << c.picSize;
        EXPECT_EQ(r.Blob.size(), static_cast<size_t>(c.kept + 4)) << c.picSize;
        EXPECT_EQ(test::GetI32(r.Blob, static_cast<size_t>(c.kept)), 1) << c.picSize;
    }
}

TEST(CodePages, StoredRegionIsReadAsFarAsBlobHoldsIt) {
    TMyModelRecord r = Record(5, UniversalRegion(), 2, 2);
    EXPECT_EQ(StoredUniversalCodes(r), (std::vector<uint32_t>{5u | 18u << 16, 1u | 65535u << 16}));
    EXPECT_EQ(StoredProtocols(r), (std::vector<uint16_t>{23, 7}));
    r.Blob.resize(r.Blob.size() - 1);
    EXPECT_EQ(StoredProtocols(r), (std::vector<uint16_t>{23}));
    r.Blob.resize(9);
    EXPECT_EQ(StoredUniversalCodes(r).size(), 1u);
    EXPECT_TRUE(StoredProtocols(r).empty());
    r.UniversalCount = INT32_MAX;
    r.ProtocolCount = INT32_MAX;
    EXPECT_EQ(StoredUniversalCodes(r).size(), 1u);
    EXPECT_TRUE(StoredProtocols(r).empty());
    r.PicSize = -1;
    EXPECT_TRUE(StoredUniversalCodes(r).empty());

    TMyModelRecord fixed = Record(3, {'A', 'B', 'C'}, 5, 0);
    EXPECT_EQ(StoredFixedCode(fixed), "ABC");
    fixed.UniversalCount = 2;
    EXPECT_EQ(StoredFixedCode(fixed), "AB");
    fixed.UniversalCount = -2;
    EXPECT_EQ(StoredFixedCode(fixed), "");
}

} // namespace
} // namespace mm
