#include "StoreRules.h"

#include "ChipKind.h"
#include "platform/IntText.h"

#include <algorithm>
#include <utility>

namespace mm {

namespace {

constexpr int kMaxOneInTwo = 99;
constexpr int kSerialLimit = 112;
constexpr uint8_t kNoSerial = 255; // exempt from the limit and from the cross-page check

// The messages of one grid's row rules; each is followed directly by the row number.
struct TRowMessages {
    const char* SerialError;
    const char* SerialLimit;
    const char* KeyIdxError;
};

constexpr TRowMessages kNormalMessages{
    "S No is err at line :", "S No Can not more than 112 at line :", "KeyIdx is err at line :"};
constexpr TRowMessages kShiftMessages{
    "Shift S No is err at line :", "Shift S No Can not more than 112 at line :",
    "Shift Keyidx is err at line :"};

struct TRowRules {
    const TRowMessages& Messages;
    bool ShiftKey;
    bool Remap;    // chip kind 2 on IR
    bool Limit112; // every communication type but "USB for HID"
};

std::string At(const char* message, int row) {
    return message + std::to_string(row);
}

uint8_t Low8(int32_t value) {
    return static_cast<uint8_t>(static_cast<uint32_t>(value));
}
uint16_t Low16(int32_t value) {
    return static_cast<uint16_t>(static_cast<uint32_t>(value));
}

// One grid row into its entry, field by field, so a broken rule leaves the fields before it
// written.
std::optional<std::string> StoreRow(const TKeyRowTexts& row, int r, TBtnInfo& key,
                                    const TRowRules& rules) {
    key.Name.Assign(row.Name);
    key.CanotDefine = row.CanotDefine == "1" ? 1 : 0;
    key.FollowSno = row.FollowSno.empty() ? 0 : Low8(StrToInt(row.FollowSno));
    key.Learned = row.Learned == "1" ? 1 : 0;

    std::string_view serial = row.SNo;
    if (serial.empty())
        return At(rules.Messages.SerialError, r);
    if (serial.front() == 'S' || serial.front() == 's')
        serial.remove_prefix(1);
    const auto kno = TryStrToInt(serial);
    if (!kno)
        return At(rules.Messages.SerialError, r);
    key.KNo = Low8(*kno);
    if (rules.Remap)
        key.KNo = RemapChipKind2Serial(key.KNo, rules.ShiftKey);
    if (rules.Limit112 && key.KNo != kNoSerial && key.KNo > kSerialLimit)
        return At(rules.Messages.SerialLimit, r);

    const auto keyIdx = row.KeyIdx.empty() ? std::nullopt : TryStrToInt(row.KeyIdx);
    if (!keyIdx)
        return At(rules.Messages.KeyIdxError, r);
    key.KeyIdx = Low16(*keyIdx);
    return std::nullopt;
}

// Rows 1..n of a grid into entries first..first+n-1.
std::optional<std::string> StoreRows(const TKeyRows& rows, int n, TBtnInfo* entries,
                                     const TRowRules& rules) {
    static const TKeyRowTexts kEmptyRow;
    for (int r = 1; r <= n; ++r) {
        const size_t at = static_cast<size_t>(r - 1);
        const TKeyRowTexts& row = at < rows.size() ? rows[at] : kEmptyRow;
        if (auto message = StoreRow(row, r, entries[r - 1], rules))
            return message;
    }
    return std::nullopt;
}

// The first pair i < j of entries 0..count-1 for which same(i, j) holds.
template <typename Same>
std::optional<std::pair<int, int>> FirstPair(const TBtnInfo* keys, int count, Same same) {
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (same(keys[i], keys[j]))
                return std::pair{i, j};
    return std::nullopt;
}

bool BothDefinable(const TBtnInfo& a, const TBtnInfo& b) {
    return a.CanotDefine == 0 && b.CanotDefine == 0;
}

std::string Num(int value) {
    return std::to_string(value);
}

} // namespace

bool IsModelIDRepeated(const TMyModelRecords& models, int index) {
    if (index < 0 || static_cast<size_t>(index) >= models.size())
        return false;
    const uint16_t id = models[static_cast<size_t>(index)].ModelID;
    for (size_t i = 0; i < models.size(); ++i)
        if (static_cast<int>(i) != index && models[i].ModelID == id)
            return true;
    return false;
}

uint8_t RemapChipKind2Serial(uint8_t kno, bool shiftKey) {
    static constexpr uint8_t kFrom[] = {57, 58, 59, 60, 61};
    static constexpr uint8_t kTo[] = {5, 13, 16, 21, 29};
    const int offset = shiftKey ? 56 : 0;
    for (size_t i = 0; i < std::size(kFrom); ++i)
        if (kno == kFrom[i] + offset)
            return static_cast<uint8_t>(kTo[i] + offset);
    return kno;
}

uint8_t StoredChipKind(uint8_t commType, int irChip, int usbChip) {
    return ChipKindFromSelection(IrChipGroupVisible(commType) ? irChip : usbChip);
}

int StoredKeyCounts(const TStoreInput& input) {
    return std::clamp(input.KeyCounts, kMinKeyCounts, KeyCountsMaximum(input.HasShift));
}

std::optional<std::string> ValidateKeys(TMyModelRecords& models, int index,
                                        const TStoreInput& input) {
    if (index < 0 || static_cast<size_t>(index) >= models.size())
        return std::nullopt;
    if (IsModelIDRepeated(models, index))
        return kModelIdRepeated;

    TMyModelRecord& record = models[static_cast<size_t>(index)];
    TBtnInfo* keys = record.BtnInfo;
    const int n = StoredKeyCounts(input);
    const bool remap = record.CommType == 0 && record.ChipKind == 2;
    const bool limit112 = record.CommType != 1;

    if (auto message = StoreRows(input.Normal, n, keys, {kNormalMessages, false, remap, limit112}))
        return message;

    if (const auto p =
            FirstPair(keys, n, [](const TBtnInfo& a, const TBtnInfo& b) { return a.KNo == b.KNo; }))
        return "Sno " + Num(keys[p->first].KNo) + " is repeat :line " + Num(p->first + 1) +
               " with  line " + Num(p->second + 1);

    if (!input.IgnoreKeyIdxRepeated) {
        if (const auto p = FirstPair(keys, n, [](const TBtnInfo& a, const TBtnInfo& b) {
                return BothDefinable(a, b) && a.KeyIdx == b.KeyIdx && a.Learned == b.Learned;
            }))
            return "KeyIdx " + Num(keys[p->first].KeyIdx) + "is repeat : line " +
                   Num(p->first + 1) + " with line " + Num(p->second + 1);
    }

    if (!input.HasShift)
        return std::nullopt;

    if (auto message = StoreRows(input.Shift, n, keys + n, {kShiftMessages, true, remap, limit112}))
        return message;

    if (input.IgnoreKeyIdxRepeated)
        return std::nullopt;

    if (const auto p = FirstPair(keys, 2 * n, [](const TBtnInfo& a, const TBtnInfo& b) {
            return BothDefinable(a, b) && a.KeyIdx == b.KeyIdx;
        }))
        return "Shift KeyIdx " + Num(keys[p->first].KeyIdx) +
               " is repeat line=" + Num(p->first + 1) + " with line=" + Num(p->second + 1);

    if (const auto p = FirstPair(keys, 2 * n, [](const TBtnInfo& a, const TBtnInfo& b) {
            return a.KNo != kNoSerial && a.KNo == b.KNo;
        })) {
        // Each line counted on its own grid.
        const auto onGrid = [n](int entry) { return entry + 1 > n ? entry + 1 - n : entry + 1; };
        return "Shift S NO " + Num(keys[p->first].KNo) +
               " is repeat line=" + Num(onGrid(p->first)) + " with line=" + Num(onGrid(p->second));
    }
    return std::nullopt;
}

std::optional<std::string> StoreModel(TMyModelRecords& models, int index,
                                      const TStoreInput& input) {
    if (index < 0 || static_cast<size_t>(index) >= models.size())
        return std::nullopt;
    TMyModelRecord& record = models[static_cast<size_t>(index)];
    const int n = StoredKeyCounts(input);
    record.KeyCount = static_cast<uint8_t>(input.HasShift ? 2 * n : n);
    record.PageCount =
        static_cast<uint8_t>(std::clamp(input.PageCounts, kMinPageCounts, kMaxPages));
    const size_t pages = std::min(input.PageNames.size(), size_t{kMaxPages});
    for (size_t p = 0; p < pages; ++p)
        record.PageName[p].Assign(input.PageNames[p]);
    record.CommType = CommTypeFromSelection(input.CommType, record.CommType);
    record.HasShift = input.HasShift ? 1 : 0;
    record.OneInTwoCount = static_cast<uint8_t>(std::clamp(input.OneInTwoCount, 0, kMaxOneInTwo));
    record.ChipKind = StoredChipKind(record.CommType, input.IrChip, input.UsbChip);
    return ValidateKeys(models, index, input);
}

TStoreInput StoreInputAsShown(const TMyModelRecord& record) {
    TStoreInput input;
    input.KeyCounts = ShownKeyCounts(record);
    input.HasShift = ShowsShift(record);
    input.PageCounts = ShownPageCounts(record);
    input.PageNames = PageNameRows(record);
    input.CommType = CommTypeItemIndex(record.CommType);
    input.OneInTwoCount = std::min(int{record.OneInTwoCount}, kMaxOneInTwo);
    (IrChipGroupVisible(record.CommType) ? input.IrChip : input.UsbChip) =
        ChipGroupItemIndex(record.CommType, record.ChipKind);
    input.Normal = NormalRows(record, input.KeyCounts);
    input.Shift = ShiftRows(record, input.KeyCounts);
    return input;
}

} // namespace mm
