#include "WorkingModel.h"

#include "model/ChipKind.h"
#include "model/CodePages.h"

#include <algorithm>

namespace mm {

namespace {
constexpr int kMaxPageCounts = 8;
constexpr int kMaxOneInTwoCount = 99;

std::string* KeyCell(TKeyRowTexts& row, int col) {
    switch (col) {
    case 1:
        return &row.No;
    case 2:
        return &row.Name;
    case 3:
        return &row.SNo;
    case 4:
        return &row.KeyIdx;
    case 5:
        return &row.CanotDefine;
    case 6:
        return &row.FollowSno;
    case 7:
        return &row.Learned;
    default:
        return nullptr;
    }
}
} // namespace

TWorkingModel WorkingModelOf(const TMyModelRecord& record, const TWorkingModel& shownBefore) {
    TWorkingModel model;
    model.Input = StoreInputAsShown(record);
    bool selectionChanged = false;
    if (IrChipGroupVisible(record.CommType)) {
        model.Input.UsbChip = shownBefore.Input.UsbChip;
        selectionChanged = model.Input.IrChip != shownBefore.Input.IrChip;
    } else {
        model.Input.IrChip = shownBefore.Input.IrChip;
        selectionChanged = model.Input.UsbChip != shownBefore.Input.UsbChip;
    }
    model.CodeTabsShown = selectionChanged ? CodeTabsVisibleForIrSelection(model.Input.IrChip)
                                           : CodeTabsVisibleForKind(record.ChipKind);
    const TCodePages pages = CodePagesFromRecord(record, model.CodeTabsShown);
    model.Memo1 = pages.Memo1;
    model.Memo2 = pages.Memo2;
    model.BrandButtonShown = pages.BrandTableVisible;
    model.ShiftTabShown = HasShiftPage(record);
    model.KindShown = record.ChipKind;
    return model;
}

void SetKeyCounts(TWorkingModel& model, int keys) {
    TStoreInput& input = model.Input;
    input.KeyCounts = std::clamp(keys, kMinKeyCounts, KeyCountsMaximum(input.HasShift));
    input.Normal.resize(static_cast<size_t>(input.KeyCounts));
    input.Shift.resize(static_cast<size_t>(input.KeyCounts));
}

void SetPageCounts(TWorkingModel& model, int pages) {
    model.Input.PageCounts = std::clamp(pages, kMinPageCounts, kMaxPageCounts);
    model.Input.PageNames.resize(static_cast<size_t>(model.Input.PageCounts));
}

void SetOneInTwoCount(TWorkingModel& model, int count) {
    model.Input.OneInTwoCount = std::clamp(count, 0, kMaxOneInTwoCount);
}

void SetHasShift(TWorkingModel& model, bool ticked) {
    model.Input.HasShift = ticked;
    model.ShiftTabShown = ticked;
    SetKeyCounts(model, model.Input.KeyCounts);
    ResetShiftFollowSno(model.Input.Shift);
}

void SetCommType(TWorkingModel& model, int item) {
    model.Input.CommType = item;
}

void SetChip(TWorkingModel& model, bool usbGroup, int item) {
    (usbGroup ? model.Input.UsbChip : model.Input.IrChip) = item;
    model.CodeTabsShown = CodeTabsVisibleForIrSelection(model.Input.IrChip);
}

void SetKeyCell(TWorkingModel& model, bool shift, int col, int row, std::string text) {
    TKeyRows& rows = shift ? model.Input.Shift : model.Input.Normal;
    if (row < 1 || row > static_cast<int>(rows.size()))
        return;
    if (std::string* cell = KeyCell(rows[static_cast<size_t>(row - 1)], col))
        *cell = std::move(text);
}

void SetPageName(TWorkingModel& model, int row, std::string text) {
    std::vector<std::string>& names = model.Input.PageNames;
    if (row >= 1 && row <= static_cast<int>(names.size()))
        names[static_cast<size_t>(row - 1)] = std::move(text);
}

void FollowKeyRows(TWorkingModel& model) {
    model.Input.KeyCounts = static_cast<int>(model.Input.Normal.size());
}

} // namespace mm
