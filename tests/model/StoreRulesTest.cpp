#include "model/StoreRules.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace mm {
namespace {

// Three valid keys per grid: Normal serial numbers and key indexes 1..3, SHIFT ones 11..13.
TKeyRowTexts Row(const std::string& sno, const std::string& keyIdx) {
    return {"Key" + sno, sno, keyIdx, "0", "", "0", ""};
}

TStoreInput ValidInput(bool hasShift = false) {
    TStoreInput in;
    in.KeyCounts = 3;
    in.HasShift = hasShift;
    in.PageCounts = 1;
    in.PageNames = {"Main"};
    in.CommType = 0;
    in.IrChip = 0;
    in.Normal = {Row("1", "1"), Row("2", "2"), Row("3", "3")};
    in.Shift = {Row("11", "11"), Row("12", "12"), Row("13", "13")};
    return in;
}

// Record 0 is stored; record 1 is another model with its own identifier.
TMyModelRecords TwoModels() {
    TMyModelRecords models(2);
    models[0].ModelID = 0x10;
    models[1].ModelID = 0x20;
    return models;
}

struct RuleCase {
    const char* name;
    std::function<void(TStoreInput&, TMyModelRecords&)> setup;
    const char* message; // nullptr: the store succeeds
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class StoreRules : public testing::TestWithParam<RuleCase> {};

TEST_P(StoreRules, FirstBrokenRuleGivesItsMessage) {
    TMyModelRecords models = TwoModels();
    TStoreInput in = ValidInput();
    GetParam().setup(in, models);
    const auto message = StoreModel(models, 0, in);
    if (GetParam().message)
        EXPECT_EQ(message, std::optional<std::string>(GetParam().message));
    else
        EXPECT_EQ(message, std::nullopt);
}

using In = TStoreInput;
using Ms = TMyModelRecords;

const RuleCase kRuleCases[] = {
    {"Valid", [](In&, Ms&) {}, nullptr},
    {"ValidWithShift", [](In& in, Ms&) { in.HasShift = true; }, nullptr},
    {"RepeatedIdBeforeAnyKey",
     [](In& in, Ms& m) {
         m[1].ModelID = 0x10;
         in.Normal[0].SNo = "";
     },
     "remte control id can not be repeated"},
    {"EmptySerial", [](In& in, Ms&) { in.Normal[1].SNo = ""; }, "S No is err at line :2"},
    {"SerialWithTrailingSpace", [](In& in, Ms&) { in.Normal[0].SNo = "7 "; },
     "S No is err at line :1"},
    {"SerialWithLeadingSpace", [](In& in, Ms&) { in.Normal[0].SNo = " 7"; }, nullptr},
    {"SerialOnlyS", [](In& in, Ms&) { in.Normal[2].SNo = "S"; }, "S No is err at line :3"},
    {"SerialNotNumber", [](In& in, Ms&) { in.Normal[2].SNo = "x"; }, "S No is err at line :3"},
    {"SerialSpaceBeforeS", [](In& in, Ms&) { in.Normal[0].SNo = " S5"; }, "S No is err at line :1"},
    {"SerialLowerCaseS", [](In& in, Ms&) { in.Normal[0].SNo = "s7"; }, nullptr},
    {"SerialHex", [](In& in, Ms&) { in.Normal[0].SNo = "$1F"; }, nullptr},
    {"SerialSAndPlainRepeated",
     [](In& in, Ms&) {
         in.Normal[0].SNo = "S5";
         in.Normal[2].SNo = "5";
     },
     "Sno 5 is repeat :line 1 with  line 3"},
    {"Serial255RepeatedAmongNormal",
     [](In& in, Ms&) {
         in.Normal[0].SNo = "255";
         in.Normal[1].SNo = "255";
     },
     "Sno 255 is repeat :line 1 with  line 2"},
    {"SerialRepeatedDespiteIgnoreBox",
     [](In& in, Ms&) {
         in.IgnoreKeyIdxRepeated = true;
         in.Normal[1].SNo = "3";
     },
     "Sno 3 is repeat :line 2 with  line 3"},
    {"Serial200OnIr", [](In& in, Ms&) { in.Normal[0].SNo = "200"; },
     "S No Can not more than 112 at line :1"},
    {"Serial113OnCommport",
     [](In& in, Ms&) {
         in.CommType = 2;
         in.UsbChip = 0;
         in.Normal[1].SNo = "113";
     },
     "S No Can not more than 112 at line :2"},
    {"Serial200OnHid",
     [](In& in, Ms&) {
         in.CommType = 1;
         in.UsbChip = 1;
         in.Normal[0].SNo = "200";
     },
     nullptr},
    {"Serial112OnIr", [](In& in, Ms&) { in.Normal[0].SNo = "112"; }, nullptr},
    {"Serial255OnIr", [](In& in, Ms&) { in.Normal[0].SNo = "255"; }, nullptr},
    {"Serial300KeepsLow8Bits", [](In& in, Ms&) { in.Normal[0].SNo = "300"; }, nullptr},
    {"SerialMinus1Is255", [](In& in, Ms&) { in.Normal[0].SNo = "-1"; }, nullptr},
    {"Chip2RemapsBeforeTheRepeatCheck",
     [](In& in, Ms&) {
         in.IrChip = 2;
         in.Normal[0].SNo = "57";
         in.Normal[1].SNo = "5";
     },
     "Sno 5 is repeat :line 1 with  line 2"},
    {"Chip2RemapsBeforeTheLimit",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.IrChip = 2;
         in.Shift[0].SNo = "113";
     },
     nullptr},
    {"OtherChipKeepsShift113",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.IrChip = 1;
         in.Shift[0].SNo = "113";
     },
     "Shift S No Can not more than 112 at line :1"},
    {"Chip2OnUsbDoesNotRemap",
     [](In& in, Ms&) {
         in.CommType = 2;
         in.IrChip = 2;
         in.UsbChip = 0;
         in.Normal[0].SNo = "57";
         in.Normal[1].SNo = "5";
     },
     nullptr},
    {"EmptyKeyIdx", [](In& in, Ms&) { in.Normal[1].KeyIdx = ""; }, "KeyIdx is err at line :2"},
    {"KeyIdxNotNumber", [](In& in, Ms&) { in.Normal[2].KeyIdx = "7a"; },
     "KeyIdx is err at line :3"},
    {"SerialCheckedBeforeKeyIdxOnOneRow",
     [](In& in, Ms&) {
         in.Normal[0].SNo = "";
         in.Normal[0].KeyIdx = "";
     },
     "S No is err at line :1"},
    {"RowsInOrder",
     [](In& in, Ms&) {
         in.Normal[0].KeyIdx = "";
         in.Normal[1].SNo = "";
     },
     "KeyIdx is err at line :1"},
    {"KeyIdxRepeated",
     [](In& in, Ms&) {
         in.Normal[0].KeyIdx = "7";
         in.Normal[2].KeyIdx = "7";
     },
     "KeyIdx 7is repeat : line 1 with line 3"},
    {"KeyIdxRepeatedAfterLow16Bits",
     [](In& in, Ms&) {
         in.Normal[0].KeyIdx = "65543";
         in.Normal[1].KeyIdx = "7";
     },
     "KeyIdx 7is repeat : line 1 with line 2"},
    {"KeyIdxRepeatedOneCanotDefine",
     [](In& in, Ms&) {
         in.Normal[0].KeyIdx = "7";
         in.Normal[2].KeyIdx = "7";
         in.Normal[2].CanotDefine = "1";
     },
     nullptr},
    {"KeyIdxRepeatedLearnedAndNot",
     [](In& in, Ms&) {
         in.Normal[0].KeyIdx = "7";
         in.Normal[2].KeyIdx = "7";
         in.Normal[2].Learned = "1";
     },
     nullptr},
    {"KeyIdxRepeatedBothLearned",
     [](In& in, Ms&) {
         in.Normal[0].KeyIdx = "7";
         in.Normal[0].Learned = "1";
         in.Normal[2].KeyIdx = "7";
         in.Normal[2].Learned = "1";
     },
     "KeyIdx 7is repeat : line 1 with line 3"},
    {"KeyIdxRepeatedIgnoreBox",
     [](In& in, Ms&) {
         in.IgnoreKeyIdxRepeated = true;
         in.Normal[0].KeyIdx = "7";
         in.Normal[2].KeyIdx = "7";
     },
     nullptr},
    {"ShiftRowsIgnoredWithoutShift",
     [](In& in, Ms&) {
         in.Shift = {Row("", ""), Row("x", "x"), Row("1", "1")};
     },
     nullptr},
    {"ShiftEmptySerial",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[1].SNo = "";
     },
     "Shift S No is err at line :2"},
    {"ShiftSerialNotNumber",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[2].SNo = "S";
     },
     "Shift S No is err at line :3"},
    {"ShiftSerialLimit",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[0].SNo = "120";
     },
     "Shift S No Can not more than 112 at line :1"},
    {"ShiftKeyIdxError",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[0].KeyIdx = "";
     },
     "Shift Keyidx is err at line :1"},
    {"ShiftKeyIdxRepeatsNormal",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[1].KeyIdx = "2";
     },
     "Shift KeyIdx 2 is repeat line=2 with line=5"},
    {"ShiftKeyIdxRepeatedAmongShift",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[0].KeyIdx = "12";
     },
     "Shift KeyIdx 12 is repeat line=4 with line=5"},
    {"NormalLearnedAndNotRefusedWithShift",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Normal[0].KeyIdx = "7";
         in.Normal[2].KeyIdx = "7";
         in.Normal[2].Learned = "1";
     },
     "Shift KeyIdx 7 is repeat line=1 with line=3"},
    {"ShiftKeyIdxRepeatCanotDefine",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[1].KeyIdx = "2";
         in.Shift[1].CanotDefine = "1";
     },
     nullptr},
    {"ShiftSerialRepeatsNormal",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[2].SNo = "2";
     },
     "Shift S NO 2 is repeat line=2 with line=3"},
    {"ShiftSerialRepeatedAmongShift",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[2].SNo = "11";
     },
     "Shift S NO 11 is repeat line=1 with line=3"},
    {"ShiftSerial255Exempt",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Normal[0].SNo = "255";
         in.Shift[0].SNo = "255";
         in.Shift[1].SNo = "255";
     },
     nullptr},
    {"KeyIdxCheckedBeforeSerialAcrossGrids",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.Shift[2].SNo = "1";
         in.Shift[2].KeyIdx = "3";
     },
     "Shift KeyIdx 3 is repeat line=3 with line=6"},
    {"IgnoreBoxPassesRepeatsAcrossGrids",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.IgnoreKeyIdxRepeated = true;
         in.Shift[1].KeyIdx = "2";
         in.Shift[2].SNo = "1";
     },
     nullptr},
    {"IgnoreBoxKeepsShiftRowRules",
     [](In& in, Ms&) {
         in.HasShift = true;
         in.IgnoreKeyIdxRepeated = true;
         in.Shift[2].KeyIdx = "x";
     },
     "Shift Keyidx is err at line :3"},
};

INSTANTIATE_TEST_SUITE_P(Cases, StoreRules, testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoreModel, WritesTheControlsIntoTheRecord) {
    TMyModelRecords models = TwoModels();
    TStoreInput in = ValidInput(true);
    in.PageCounts = 2;
    in.PageNames = {"Main", "A page name longer than 15"};
    in.CommType = 1;
    in.UsbChip = 1;
    in.IrChip = 7;
    in.OneInTwoCount = 5;
    in.Normal[0] = {"A name longer than fifteen", "S9", "$10", "1", " 300", "1", "1"};
    ASSERT_EQ(StoreModel(models, 0, in), std::nullopt);

    const TMyModelRecord& m = models[0];
    EXPECT_EQ(m.KeyCount, 6);
    EXPECT_EQ(m.HasShift, 1);
    EXPECT_EQ(m.PageCount, 2);
    EXPECT_EQ(m.PageName[0].Str(), "Main");
    EXPECT_EQ(m.PageName[1].Str(), "A page name lon");
    EXPECT_EQ(m.CommType, 1);
    EXPECT_EQ(m.ChipKind, 1);
    EXPECT_EQ(m.OneInTwoCount, 5);
    const TBtnInfo& k = m.BtnInfo[0];
    EXPECT_EQ(k.Name.Str(), "A name longer t");
    EXPECT_EQ(k.KNo, 9);
    EXPECT_EQ(int{k.KeyIdx}, 16);
    EXPECT_EQ(k.CanotDefine, 1);
    EXPECT_EQ(k.FollowSno, 44);
    EXPECT_EQ(k.Learned, 1);
    EXPECT_EQ(m.BtnInfo[3].Name.Str(), "Key11");
    EXPECT_EQ(int{m.BtnInfo[5].KeyIdx}, 13);
}

TEST(StoreModel, ChipKindComesFromTheGroupOfTheCommunicationType) {
    struct Case {
        uint8_t previousCommType;
        int commType, irChip, usbChip;
        uint8_t storedCommType, chipKind;
    };
    const Case cases[] = {
        {1, 0, 4, 1, 0, 4},    {0, 1, 4, 1, 1, 1},  {0, 2, 4, -1, 2, 255},
        {0, 0, -1, 0, 0, 255}, {0, -1, 4, 0, 0, 4}, // no selection keeps the stored type
        {7, -1, 4, 0, 7, 0},
    };
    for (const Case& c : cases) {
        TMyModelRecords models = TwoModels();
        models[0].CommType = c.previousCommType;
        TStoreInput in = ValidInput();
        in.CommType = c.commType;
        in.IrChip = c.irChip;
        in.UsbChip = c.usbChip;
        ASSERT_EQ(StoreModel(models, 0, in), std::nullopt) << c.commType;
        EXPECT_EQ(models[0].CommType, c.storedCommType) << c.commType;
        EXPECT_EQ(models[0].ChipKind, c.chipKind) << c.commType;
    }
}

TEST(RemapChipKind2Serial, NormalAndShiftTables) {
    struct Case {
        uint8_t from;
        bool shift;
        uint8_t to;
    };
    const Case cases[] = {{57, false, 5},  {58, false, 13}, {59, false, 16},  {60, false, 21},
                          {61, false, 29}, {56, false, 56}, {62, false, 62},  {113, false, 113},
                          {113, true, 61}, {114, true, 69}, {115, true, 72},  {116, true, 77},
                          {117, true, 85}, {57, true, 57},  {112, true, 112}, {118, true, 118}};
    for (const Case& c : cases)
        EXPECT_EQ(RemapChipKind2Serial(c.from, c.shift), c.to) << int{c.from} << " " << c.shift;
}

TEST(StoreModel, Chip2OnIrStoresRemappedSerialNumbers) {
    TMyModelRecords models = TwoModels();
    TStoreInput in = ValidInput(true);
    in.IrChip = 2;
    in.Normal[2].SNo = "S57";
    in.Shift[2].SNo = "113";
    ASSERT_EQ(StoreModel(models, 0, in), std::nullopt);
    EXPECT_EQ(models[0].BtnInfo[2].KNo, 5);
    EXPECT_EQ(models[0].BtnInfo[5].KNo, 61);
}

TEST(StoreModel, StoredNumbersKeepTheirLowBits) {
    TMyModelRecords models = TwoModels();
    TStoreInput in = ValidInput();
    in.Normal[0].SNo = "300";
    in.Normal[1].SNo = "-1";
    in.Normal[0].KeyIdx = "70000";
    in.Normal[1].KeyIdx = "-2";
    ASSERT_EQ(StoreModel(models, 0, in), std::nullopt);
    EXPECT_EQ(models[0].BtnInfo[0].KNo, 44);
    EXPECT_EQ(models[0].BtnInfo[1].KNo, 255);
    EXPECT_EQ(int{models[0].BtnInfo[0].KeyIdx}, 70000 - 65536);
    EXPECT_EQ(int{models[0].BtnInfo[1].KeyIdx}, 65534);
}

TEST(StoreModel, FollowSnoThatIsNoNumberRaisesTheConversionError) {
    TMyModelRecords models = TwoModels();
    TStoreInput in = ValidInput();
    in.Normal[1].FollowSno = "abc";
    try {
        StoreModel(models, 0, in);
        FAIL() << "no error raised";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(models[0].BtnInfo[0].Name.Str(), "Key1"); // the row before is written
    EXPECT_EQ(models[0].BtnInfo[1].Name.Str(), "Key2"); // and the name of this row
    EXPECT_EQ(models[0].BtnInfo[1].KNo, 0);
}

TEST(StoreModel, FailedStoreKeepsWhatWasWrittenBeforeTheBrokenRule) {
    TMyModelRecords models = TwoModels();
    models[0].BtnInfo[2].KeyIdx = 99;
    TStoreInput in = ValidInput();
    in.OneInTwoCount = 7;
    in.Normal[2].SNo = "120";
    in.Normal[2].Name = "Third";
    EXPECT_EQ(StoreModel(models, 0, in), "S No Can not more than 112 at line :3");
    const TMyModelRecord& m = models[0];
    EXPECT_EQ(m.KeyCount, 3);
    EXPECT_EQ(m.OneInTwoCount, 7);
    EXPECT_EQ(m.BtnInfo[1].KNo, 2);
    EXPECT_EQ(m.BtnInfo[2].Name.Str(), "Third");
    EXPECT_EQ(m.BtnInfo[2].KNo, 120);
    EXPECT_EQ(int{m.BtnInfo[2].KeyIdx}, 99);
}

TEST(StoreModel, EntriesBeyondTheKeysAreUntouched) {
    TMyModelRecords models = TwoModels();
    models[0].BtnInfo[3].KNo = 77;
    models[0].BtnInfo[6].KNo = 78;
    ASSERT_EQ(StoreModel(models, 0, ValidInput()), std::nullopt);
    EXPECT_EQ(models[0].BtnInfo[3].KNo, 77);
    ASSERT_EQ(StoreModel(models, 0, ValidInput(true)), std::nullopt);
    EXPECT_EQ(models[0].BtnInfo[3].KNo, 11);
    EXPECT_EQ(models[0].BtnInfo[6].KNo, 78);
}

TEST(StoreModel, KeyCountsAreReadWithinTheSpinRange) {
    // With SHIFT keys at most 62 per grid, so the store stays inside the 124 entries.
    TMyModelRecords models = TwoModels();
    TStoreInput in;
    in.KeyCounts = 123;
    in.HasShift = true;
    in.IrChip = 0;
    for (int r = 1; r <= 123; ++r) {
        in.Normal.push_back(Row(std::to_string(r % 100), std::to_string(r)));
        in.Shift.push_back(Row(std::to_string(r % 100 + 100), std::to_string(r + 200)));
    }
    in.CommType = 1;
    ASSERT_EQ(StoreModel(models, 0, in), std::nullopt);
    EXPECT_EQ(models[0].KeyCount, 124);
    EXPECT_EQ(int{models[0].BtnInfo[61].KeyIdx}, 62);
    EXPECT_EQ(int{models[0].BtnInfo[62].KeyIdx}, 201);
    EXPECT_EQ(int{models[0].BtnInfo[123].KeyIdx}, 262);

    // Below the range two rows are stored; a row the grid lacks reads as empty.
    in = ValidInput();
    in.KeyCounts = 0;
    in.Normal.resize(1);
    EXPECT_EQ(StoreModel(models, 0, in), "S No is err at line :2");
    EXPECT_EQ(models[0].KeyCount, 2);
}

TEST(StoreModel, PagesWithinTheirRange) {
    TMyModelRecords models = TwoModels();
    models[0].PageName[1].Assign("Kept");
    TStoreInput in = ValidInput();
    in.PageCounts = 0;
    in.PageNames = {};
    ASSERT_EQ(StoreModel(models, 0, in), std::nullopt);
    EXPECT_EQ(models[0].PageCount, 1);
    EXPECT_EQ(models[0].PageName[1].Str(), "Kept");

    in.PageCounts = 12;
    in.PageNames.assign(12, "P");
    ASSERT_EQ(StoreModel(models, 0, in), std::nullopt);
    EXPECT_EQ(models[0].PageCount, 8);
    EXPECT_EQ(models[0].PageName[7].Str(), "P");
}

TEST(StoreModel, IndexOutsideTheModelsStoresNothing) {
    TMyModelRecords models = TwoModels();
    EXPECT_EQ(StoreModel(models, -1, ValidInput()), std::nullopt);
    EXPECT_EQ(StoreModel(models, 2, ValidInput()), std::nullopt);
    EXPECT_EQ(models[0].KeyCount, 0);
    EXPECT_EQ(models[1].KeyCount, 0);
}

TEST(IsModelIDRepeated, ComparesWithEveryOtherRecord) {
    TMyModelRecords models(3);
    models[0].ModelID = 1;
    models[1].ModelID = 2;
    models[2].ModelID = 1;
    EXPECT_TRUE(IsModelIDRepeated(models, 0));
    EXPECT_FALSE(IsModelIDRepeated(models, 1));
    EXPECT_TRUE(IsModelIDRepeated(models, 2));
    EXPECT_FALSE(IsModelIDRepeated(models, 3));
    EXPECT_FALSE(IsModelIDRepeated(TMyModelRecords(1), 0));
}

TEST(StoreInputAsShown, StoringAValidModelUnchangedKeepsItsBytes) {
    TMyModelRecords models = TwoModels();
    ASSERT_EQ(StoreModel(models, 0, ValidInput(true)), std::nullopt);
    models[0].BtnInfo[1].Name.Chars[10] = 'z'; // not significant, kept
    models[0].BtnInfo[4].FollowSno = 255;
    models[0].Spare1 = 9;
    const TMyModelRecord before = models[0];
    ASSERT_EQ(StoreModel(models, 0, StoreInputAsShown(models[0])), std::nullopt);
    EXPECT_EQ(std::memcmp(&before.Fixed(), &models[0].Fixed(), sizeof(TModelFixedPart)), 0);
}

TEST(StoreInputAsShown, ReadsTheRecordAsTheControlsShowIt) {
    TMyModelRecord m;
    m.KeyCount = 10;
    m.HasShift = 1;
    m.PageCount = 0;
    m.OneInTwoCount = 150;
    m.CommType = 0;
    m.ChipKind = 255;
    m.BtnInfo[5].Name.Assign("Shift1");
    TStoreInput in = StoreInputAsShown(m);
    EXPECT_EQ(in.KeyCounts, 5);
    EXPECT_TRUE(in.HasShift);
    EXPECT_EQ(in.PageCounts, 1);
    EXPECT_TRUE(in.PageNames.empty());
    EXPECT_EQ(in.OneInTwoCount, 99);
    EXPECT_EQ(in.IrChip, 12);
    EXPECT_EQ(in.UsbChip, -1);
    ASSERT_EQ(in.Shift.size(), 5u);
    EXPECT_EQ(in.Shift[0].Name, "Shift1");
    EXPECT_FALSE(in.IgnoreKeyIdxRepeated);

    m.CommType = 7;
    m.ChipKind = 0;
    in = StoreInputAsShown(m);
    EXPECT_EQ(in.CommType, -1);
    EXPECT_EQ(in.UsbChip, 0);
    EXPECT_EQ(in.IrChip, -1);
    TMyModelRecords models = {m};
    for (uint8_t k = 0; k < 10; ++k) { // keys that pass the rules
        models[0].BtnInfo[k].KNo = k + 1;
        models[0].BtnInfo[k].KeyIdx = k + 1;
    }
    EXPECT_EQ(StoreModel(models, 0, StoreInputAsShown(models[0])), std::nullopt);
    EXPECT_EQ(models[0].CommType, 7);
    EXPECT_EQ(models[0].ChipKind, 0);
}

} // namespace
} // namespace mm
