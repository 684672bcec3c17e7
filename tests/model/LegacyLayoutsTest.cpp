#include "model/LegacyLayouts.h"
#include "ModelBytes.h"
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace mm {
namespace {

using test::Bytes;

constexpr int kNone = -1;

// Where an old layout keeps each field, written down from the layout tables independently of
// the reader's own description.
struct OldLayout {
    const char* name;
    uint16_t version;
    size_t fixed;
    size_t modelType, keyCount, modelId, pageCount, pageNames, picSize, commType, hasShift,
        oneInTwo;
    int chipKind, universalCount, protocolCount, blobLen;
    size_t keyTable, entrySize, keyIdxAt;
    bool wideKeyIdx;
    size_t canotAt, followAt;
    int reservedAt, learnedAt, learnedCount, learnedList;
    bool trimsPages;
};

const OldLayout kF002{"F002", 0xF002, 3032, 2853, 2879, 2880, 2884,  2885,  3013,
                      3017,   3018,   3019, 2852, 3020, 3024, 3028,  0,     23,
                      17,     true,   19,   20,   21,   22,   kNone, kNone, true};
const OldLayout kF001{"F001", 0xF001, 2733, 2554, 2580, 2581, 2585,  2586,  2714,
                      2718,   2719,   2720, 2553, 2721, 2725, 2729,  0,     23,
                      17,     true,   19,   20,   21,   22,   kNone, kNone, true};
const OldLayout kF000{"F000", 0xF000, 2728, 0,   32,    33,    37,    38,    166,
                      170,    171,    172,  174, kNone, kNone, kNone, 175,   23,
                      17,     true,   19,   20,  21,    22,    kNone, kNone, true};
const OldLayout k1237{"1237", 0x1237, 3198, 0,    32,    33,    37,    38,   166,
                      170,    171,    172,  3197, kNone, kNone, kNone, 174,  24,
                      18,     true,   20,   21,   22,    kNone, 2839,  2856, true};
const OldLayout k1236{"1236", 0x1236, 3197, 0,     32,    33,    37,    38,   166,
                      170,    171,    172,  kNone, kNone, kNone, kNone, 174,  24,
                      18,     true,   20,   21,    22,    kNone, 2839,  2856, true};
const OldLayout k1235{"1235", 0x1235, 2838, 0,     32,    33,    37,    38,    166,
                      170,    171,    172,  kNone, kNone, kNone, kNone, 174,   24,
                      18,     true,   20,   21,    22,    kNone, kNone, kNone, true};
const OldLayout k1234{"1234", 0x1234, 2505, 0,     32,    33,    2368,  2369,  2497,
                      2501,   2502,   2503, kNone, kNone, kNone, kNone, 37,    21,
                      17,     false,  18,   19,    20,    kNone, kNone, kNone, false};
const OldLayout kOldest{"oldest", 0x0000, 103860, 0,     32,    36,    1320,  1321,  1452,
                        103857,   103858, 103859, kNone, kNone, kNone, kNone, 40,    20,
                        17,       false,  18,     19,    kNone, kNone, kNone, kNone, false};

const OldLayout* const kAllOld[] = {&kF002, &kF001, &kF000, &k1237,
                                    &k1236, &k1235, &k1234, &kOldest};

struct OldKey {
    std::string name;
    uint8_t kno;
    uint16_t keyIdx;
    uint8_t canot, follow, reserved, learned;
};

// One old record with a name carrying leftover bytes, two pages (the first padded with blanks),
// three keys and a picture of `picture` bytes; the bytes that follow it are returned apart.
struct OldRecord {
    Bytes fixed;
    Bytes after;
};

OldRecord BuildOld(const OldLayout& L, int32_t picture = 6, uint8_t id = 0x42) {
    OldRecord r{Bytes(L.fixed, 0), {}};
    Bytes& b = r.fixed;
    test::PutText(b, L.modelType, "TV 1");
    b[L.modelType + 10] = 'q'; // leftover after the text, kept as stored
    b[L.keyCount] = 3;
    test::PutU16(b, L.modelId, static_cast<uint16_t>(0xBE00 | id));
    b[L.pageCount] = 2;
    test::PutText(b, L.pageNames, "  TV  ");
    test::PutText(b, L.pageNames + 16, "Main");
    test::PutI32(b, L.picSize, picture);
    b[L.commType] = 2;
    b[L.hasShift] = 0;
    b[L.oneInTwo] = 7;
    if (L.chipKind != kNone)
        b[static_cast<size_t>(L.chipKind)] = 5;
    if (L.universalCount != kNone)
        test::PutI32(b, static_cast<size_t>(L.universalCount), 1);
    if (L.protocolCount != kNone)
        test::PutI32(b, static_cast<size_t>(L.protocolCount), 1);
    const uint16_t wideIdx = L.wideKeyIdx ? 300 : 200;
    const OldKey keys[] = {{"Power", 7, wideIdx, 1, 9, 0x11, 1},
                           {"Mute", 8, 2, 0, 255, 0x22, 0},
                           {"Vol+", 9, 3, 1, 7, 0x33, 1}};
    for (size_t k = 0; k < 3; ++k) {
        const size_t at = L.keyTable + k * L.entrySize;
        test::PutText(b, at, keys[k].name);
        b[at + 16] = keys[k].kno;
        if (L.wideKeyIdx)
            test::PutU16(b, at + L.keyIdxAt, keys[k].keyIdx);
        else
            b[at + L.keyIdxAt] = static_cast<uint8_t>(keys[k].keyIdx);
        b[at + L.canotAt] = keys[k].canot;
        b[at + L.followAt] = keys[k].follow;
        if (L.reservedAt != kNone)
            b[at + static_cast<size_t>(L.reservedAt)] = keys[k].reserved;
        if (L.learnedAt != kNone)
            b[at + static_cast<size_t>(L.learnedAt)] = keys[k].learned;
    }
    if (L.learnedList != kNone) { // serial numbers 7 and 9 learned
        b[static_cast<size_t>(L.learnedCount)] = 2;
        b[static_cast<size_t>(L.learnedList)] = 7;
        b[static_cast<size_t>(L.learnedList) + 17] = 9;
    }
    const Bytes blob = {0xFF, 0xD8, 3, 4, 5, 6, 7, 8, 9, 10}; // byte i is i + 1 from the third on
    const size_t blobBytes =
        L.blobLen != kNone ? 10 : static_cast<size_t>(std::clamp(picture, 0, 10));
    if (L.blobLen != kNone)
        test::PutI32(b, static_cast<size_t>(L.blobLen), 10);
    Bytes& target = &L == &kOldest ? b : r.after;
    const size_t at = &L == &kOldest ? 1456 : 0;
    if (target.size() < at + blobBytes)
        target.resize(at + blobBytes);
    std::copy(blob.begin(), blob.begin() + static_cast<ptrdiff_t>(blobBytes), target.begin() + at);
    return r;
}

Bytes Database(const OldLayout& L, std::initializer_list<OldRecord> records) {
    Bytes file = test::Header(static_cast<int32_t>(records.size()), L.version);
    for (const OldRecord& r : records) {
        test::Append(file, r.fixed);
        test::Append(file, r.after);
    }
    return file;
}

TMyModelRecords Read(const Bytes& file) {
    TMemoryStream stream(file);
    TMyModelRecords models;
    EXPECT_TRUE(ReadModels(stream, models));
    return models;
}

class EveryOldLayout : public testing::TestWithParam<const OldLayout*> {};

TEST_P(EveryOldLayout, ConvertsEveryFieldAndConsumesExactlyItsRecord) {
    const OldLayout& L = *GetParam();
    const TMyModelRecords models = Read(Database(L, {BuildOld(L, 6, 1), BuildOld(L, 6, 2)}));
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(+models[1].ModelID, 0xBE02); // the second record starts where the first stopped
    const TMyModelRecord& m = models[0];
    EXPECT_EQ(m.ModelType.Str(), "TV 1");
    EXPECT_EQ(m.ModelType.Chars[9], 'q');
    EXPECT_EQ(+m.ModelID, 0xBE01);
    EXPECT_EQ(m.KeyCount, 3);
    EXPECT_EQ(m.PageCount, 2);
    EXPECT_EQ(m.PageName[0].Str(), L.trimsPages ? "TV" : "  TV  ");
    EXPECT_EQ(m.PageName[1].Str(), "Main");
    EXPECT_EQ(m.CommType, 2);
    EXPECT_EQ(m.HasShift, 0);
    EXPECT_EQ(m.OneInTwoCount, 7);
    EXPECT_EQ(m.ChipKind, L.chipKind != kNone ? 5 : 0);
    EXPECT_EQ(+m.UniversalCount, L.universalCount != kNone ? 1 : 0);
    EXPECT_EQ(+m.ProtocolCount, L.protocolCount != kNone ? 1 : 0);
    EXPECT_EQ(m.Remark.Len, 0);
    EXPECT_EQ(m.Spare1 | m.Spare2 | m.Spare3, 0);
    EXPECT_EQ(+m.PicSize, 6);
    const size_t blobLength = L.blobLen != kNone ? 10 : 6;
    EXPECT_EQ(+m.BlobSize, static_cast<int32_t>(blobLength));
    ASSERT_EQ(m.Blob.size(), blobLength);
    EXPECT_EQ(m.Blob[0], 0xFF);
    EXPECT_EQ(m.Blob[blobLength - 1], static_cast<uint8_t>(blobLength));

    const uint16_t firstIdx = L.wideKeyIdx ? 300 : 200;
    const struct {
        const char* name;
        uint8_t kno;
        uint16_t keyIdx;
        uint8_t canot, follow, reserved, learned;
    } expected[] = {{"Power", 7, firstIdx, 1, 9, 0x11, 1},
                    {"Mute", 8, 2, 0, 255, 0x22, 0},
                    {"Vol+", 9, 3, 1, 7, 0x33, 1}};
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const TBtnInfo& key = m.BtnInfo[k];
        EXPECT_EQ(key.Name.Str(), expected[k].name);
        EXPECT_EQ(key.KNo, expected[k].kno);
        EXPECT_EQ(+key.KeyIdx, expected[k].keyIdx);
        EXPECT_EQ(key.CanotDefine, expected[k].canot);
        EXPECT_EQ(key.FollowSno, expected[k].follow);
        EXPECT_EQ(key.Reserved, L.reservedAt != kNone ? expected[k].reserved : 255);
        // Learned comes from the entry, from the learned list (7 and 9), or is 0.
        const bool learnedKnown = L.learnedAt != kNone || L.learnedList != kNone;
        EXPECT_EQ(key.Learned, learnedKnown ? expected[k].learned : 0);
        EXPECT_EQ(key.Spare[0] | key.Spare[1], 0);
    }
    const auto* rest = reinterpret_cast<const uint8_t*>(&m.BtnInfo[3]);
    EXPECT_TRUE(std::all_of(rest, rest + 121 * sizeof(TBtnInfo), [](uint8_t v) { return v == 0; }));
}

TEST_P(EveryOldLayout, SavesAgainInTheCurrentLayout) {
    const OldLayout& L = *GetParam();
    const TMyModelRecords models = Read(Database(L, {BuildOld(L), BuildOld(L, 0)}));
    TMemoryStream written;
    WriteModels(written, models, 0);
    const Bytes& file = written.Bytes();
    EXPECT_EQ(file[260], 0x03);
    EXPECT_EQ(file[261], 0xF0);
    const size_t firstBlob = L.blobLen != kNone ? 10 : 6;
    const size_t secondBlob = L.blobLen != kNone ? 10 : 0;
    EXPECT_EQ(file.size(), 512 + 2 * 3280 + firstBlob + secondBlob);
    uint16_t version = 0;
    TMemoryStream again(file);
    TMyModelRecords back;
    ASSERT_TRUE(ReadModels(again, back, &version));
    EXPECT_EQ(version, kCurrentVersion);
    ASSERT_EQ(back.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(std::memcmp(&back[i].Fixed(), &models[i].Fixed(), sizeof(TModelFixedPart)), 0);
        EXPECT_EQ(back[i].Blob, models[i].Blob);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryOldLayout, testing::ValuesIn(kAllOld),
                         [](const auto& info) { return std::string("L") + info.param->name; });

TEST(LegacyLayouts, VersionWordsSelectTheirLayout) {
    const struct {
        uint16_t version;
        TRecordLayout layout;
        const char* name;
    } cases[] = {
        {0xF003, TRecordLayout::F003, "F003"},     {0xF002, TRecordLayout::F002, "F002"},
        {0xF001, TRecordLayout::F001, "F001"},     {0xF000, TRecordLayout::F000, "F000"},
        {0x1237, TRecordLayout::V1237, "1237"},    {0x1236, TRecordLayout::V1236, "1236"},
        {0x1235, TRecordLayout::V1235, "1235"},    {0x1234, TRecordLayout::V1234, "1234"},
        {0x0000, TRecordLayout::Oldest, "oldest"}, {0xF004, TRecordLayout::Oldest, "oldest"},
        {0x1233, TRecordLayout::Oldest, "oldest"}};
    for (const auto& c : cases) {
        EXPECT_EQ(LayoutOfVersion(c.version), c.layout) << c.version;
        EXPECT_STREQ(LayoutName(c.layout), c.name);
    }
    EXPECT_EQ(FixedPartSize(TRecordLayout::F003), 3280u);
    EXPECT_EQ(FixedPartSize(TRecordLayout::Oldest), 103860u);
}

TEST(LegacyLayouts, F002BlobLenCoversPictureAndCodes) {
    OldRecord r = BuildOld(kF002, 1000);
    test::PutI32(r.fixed, 3020, 3);
    test::PutI32(r.fixed, 3024, 2);
    test::PutI32(r.fixed, 3028, 1016);
    r.after.assign(1016, 0);
    for (size_t i = 0; i < r.after.size(); ++i)
        r.after[i] = static_cast<uint8_t>(i * 7);
    const TMyModelRecords models = Read(Database(kF002, {r}));
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(+models[0].PicSize, 1000);
    EXPECT_EQ(+models[0].UniversalCount, 3);
    EXPECT_EQ(+models[0].ProtocolCount, 2);
    EXPECT_EQ(+models[0].BlobSize, 1016);
    TMemoryStream written;
    WriteModels(written, models, 0);
    const Bytes& file = written.Bytes();
    ASSERT_EQ(file.size(), 512u + 3280 + 1016);
    EXPECT_TRUE(std::equal(r.after.begin(), r.after.end(), file.begin() + 512 + 3280));
}

TEST(LegacyLayouts, OldestDoublesShiftKeysWithIndexesRaisedBy43) {
    OldRecord r = BuildOld(kOldest);
    r.fixed[32] = 5;
    r.fixed[103858] = 1;
    for (size_t k = 3; k < 5; ++k) {
        test::PutText(r.fixed, 40 + k * 20, "K" + std::to_string(k));
        r.fixed[40 + k * 20 + 16] = static_cast<uint8_t>(20 + k);
        r.fixed[40 + k * 20 + 17] = static_cast<uint8_t>(k + 1);
    }
    const TMyModelRecords models = Read(Database(kOldest, {r}));
    ASSERT_EQ(models.size(), 1u);
    const TMyModelRecord& m = models[0];
    EXPECT_EQ(m.KeyCount, 10);
    EXPECT_EQ(m.HasShift, 1);
    EXPECT_EQ(NormalCount(m), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const TBtnInfo& normal = m.BtnInfo[i];
        const TBtnInfo& shift = m.BtnInfo[5 + i];
        EXPECT_EQ(shift.Name.Str(), normal.Name.Str());
        EXPECT_EQ(shift.KNo, normal.KNo);
        EXPECT_EQ(+shift.KeyIdx, normal.KeyIdx + 43);
        EXPECT_EQ(shift.CanotDefine, normal.CanotDefine);
        EXPECT_EQ(shift.FollowSno, normal.FollowSno);
        EXPECT_EQ(shift.Learned, 0);
    }
    EXPECT_EQ(+m.BtnInfo[5].KeyIdx, 243); // 200 + 43: the widened index does not wrap
    for (int i = 0; i < kMaxKeyEntries; ++i)
        EXPECT_EQ(m.BtnInfo[i].Reserved, i < 10 ? 255 : 0) << i;
}

TEST(LegacyLayouts, RecordsBeyondTheirCapacitiesAreClamped) {
    OldRecord f001 = BuildOld(kF001);
    f001.fixed[2580] = 200; // beyond the 111-entry table
    EXPECT_EQ(Read(Database(kF001, {f001}))[0].KeyCount, 111);

    OldRecord learned = BuildOld(k1237);
    learned.fixed[2839] = 255;         // beyond the 20-entry list: the bytes after it are not read
    learned.fixed[2856 + 20 * 17] = 8; // first byte after the list, the unread byte 3196
    const TMyModelRecord m1237 = Read(Database(k1237, {learned}))[0];
    EXPECT_EQ(m1237.BtnInfo[1].Learned, 0); // KNo 8 is not on the list

    OldRecord wide = BuildOld(kOldest);
    wide.fixed[32] = 255;   // beyond the 64-entry table
    wide.fixed[103858] = 1; // and doubled beyond 124
    const TMyModelRecord oldest = Read(Database(kOldest, {wide}))[0];
    EXPECT_EQ(oldest.KeyCount, 124);
    EXPECT_EQ(oldest.BtnInfo[62].KNo, oldest.BtnInfo[0].KNo);
    EXPECT_EQ(+oldest.BtnInfo[62].KeyIdx, oldest.BtnInfo[0].KeyIdx + 43);

    OldRecord big = BuildOld(kOldest);
    big.fixed[32] = 0;
    test::PutI32(big.fixed, 1452, 500000);
    EXPECT_EQ(Read(Database(kOldest, {big}))[0].Blob.size(), 102400u);
    test::PutI32(big.fixed, 1452, -3);
    const TMyModelRecord negative = Read(Database(kOldest, {big}))[0];
    EXPECT_TRUE(negative.Blob.empty());
    EXPECT_EQ(+negative.PicSize, 0);
}

TEST(LegacyLayouts, PicturesLongerThanTheFileAreCutToItsBytes) {
    for (const OldLayout* L : {&kF000, &k1234}) {
        OldRecord r = BuildOld(*L, 1 << 30);
        r.after = {1, 2, 3};
        const TMyModelRecord m = Read(Database(*L, {r}))[0];
        EXPECT_EQ(m.Blob, (TSSByteArray{1, 2, 3})) << L->name;
        EXPECT_EQ(+m.PicSize, 3) << L->name;
        EXPECT_EQ(+m.BlobSize, 3) << L->name;
    }
    OldRecord f002 = BuildOld(kF002);
    test::PutI32(f002.fixed, 3028, -1);
    f002.after.clear();
    const TMyModelRecord m = Read(Database(kF002, {f002}))[0];
    EXPECT_TRUE(m.Blob.empty());
    EXPECT_EQ(+m.BlobSize, 0);

    // An oldest record cut inside its picture area keeps only the picture bytes present.
    Bytes cut = Database(kOldest, {BuildOld(kOldest, 50000)});
    cut.resize(512 + 1456 + 4);
    const TMyModelRecord oldest = Read(cut)[0];
    EXPECT_EQ(oldest.Blob, (TSSByteArray{0xFF, 0xD8, 3, 4}));
    EXPECT_EQ(+oldest.PicSize, 4);
}

TEST(LegacyLayouts, PageNamesAreTrimmedUpTo1235ButNotIn1234) {
    for (const OldLayout* L : {&k1235, &k1234}) {
        OldRecord r = BuildOld(*L);
        test::PutText(r.fixed, L->pageNames + 32, std::string("\t") + "Fifteen chars!!" + "\x01");
        const TMyModelRecord m = Read(Database(*L, {r}))[0];
        const bool trims = L == &k1235;
        EXPECT_EQ(m.PageName[0].Str(), trims ? "TV" : "  TV  ") << L->name;
        // 17 bytes claimed by the length byte: only the capacity counts, then trimmed.
        EXPECT_EQ(m.PageName[2].Str(), trims ? "Fifteen chars!" : "\tFifteen chars!") << L->name;
    }
}

TEST(LegacyLayouts, ChipKindDefaultsToZeroWhereTheLayoutLacksIt) {
    for (const OldLayout* L : {&k1236, &k1235}) {
        OldRecord r = BuildOld(*L);
        r.fixed[L->fixed - 1] = 9; // 1236: the unread byte 3196; 1235: last key-table byte
        EXPECT_EQ(Read(Database(*L, {r}))[0].ChipKind, 0) << L->name;
    }
}

class LegacyDatabaseOnDisk : public testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(LegacyDatabaseOnDisk, FirstSaveKeepsTheOldFileAndWritesTheCurrentLayout) {
    std::filesystem::create_directory(dir.Dir() + "data");
    const std::string path = ModelDatabasePath(dir.Dir());
    const Bytes old = Database(kF001, {BuildOld(kF001)});
    test::WriteBytes(path, old);
    TMyModelRecords models;
    TModelFileLoad load = LoadModelFile(path, models);
    ASSERT_TRUE(load.Read);
    EXPECT_EQ(load.Version, 0xF001);
    EXPECT_TRUE(load.KeepOnSave());
    ASSERT_EQ(models.size(), 1u);
    SaveModelFile(path, models, 0, load.KeepOnSave());
    EXPECT_EQ(test::ReadBytes(path + ".bak"), old);

    load = LoadModelFile(path, models);
    EXPECT_EQ(load.Version, kCurrentVersion);
    EXPECT_FALSE(load.KeepOnSave());
    EXPECT_EQ(models[0].ModelType.Str(), "TV 1");
}

} // namespace
} // namespace mm
