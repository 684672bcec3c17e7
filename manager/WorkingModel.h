#pragma once
// The model under edit as the user sees it, without a widget: the key tables, the pages, the
// counts, SHIFT, the communication type, both chip groups and the code pages. Every gesture is
// one of the edits below; a store takes the working copy into the record by the rules of
// model/. Name, ID, remark and picture are edited on the record itself (the model list and the
// picture always show the record).
#include "model/StoreRules.h"
#include "platform/Strings.h"

#include <cstdint>
#include <string>

namespace mm {

struct TWorkingModel {
    // What a store reads; its IgnoreKeyIdxRepeated stays false (a window option, not the model's).
    TStoreInput Input;
    TStrArray Memo1; // the first code page's lines
    TStrArray Memo2; // the second code page's lines
    bool ShiftTabShown = false;
    bool CodeTabsShown = false;
    // Shown as the record was opened, until it is opened again.
    bool BrandButtonShown = false;
    uint8_t KindShown = 0; // names the first code tab

    bool operator==(const TWorkingModel&) const = default;
};

// The working copy of a record as the window opens it. The chip group the record does not use
// keeps its selection from the model shown before (a group's selection changed by the opening
// makes the IR group's selection decide the code tabs, as a click would).
TWorkingModel WorkingModelOf(const TMyModelRecord& record, const TWorkingModel& shownBefore);

// "Key Counts": kept within its range (2..123, 2..62 with SHIFT); both tables keep their first
// rows and gain empty ones.
void SetKeyCounts(TWorkingModel& model, int keys);
// "Page Counts": kept within 1..8; the page names follow.
void SetPageCounts(TWorkingModel& model, int pages);
void SetOneInTwoCount(TWorkingModel& model, int count);
// "Has Shift" clicked: the SHIFT tab follows, the keys are cut to what SHIFT leaves room for,
// and every SHIFT key's "Follow Sno" becomes 255.
void SetHasShift(TWorkingModel& model, bool ticked);
// The drop-down's item; -1 for none.
void SetCommType(TWorkingModel& model, int item);
// A chip group's item chosen; the IR group's selection decides the code tabs.
void SetChip(TWorkingModel& model, bool usbGroup, int item);
// A cell of a key table typed: col 1 to 7 as the grid numbers them, row from 1; nothing outside.
void SetKeyCell(TWorkingModel& model, bool shift, int col, int row, std::string text);
// A page name typed, row from 1; nothing outside.
void SetPageName(TWorkingModel& model, int row, std::string text);

// What merges into one command: typing in one cell or code page, stepping one count.
enum TWorkingMergeKey : int {
    kNoMerge = 0,
    kMergeKeyCounts,
    kMergePageCounts,
    kMergeOneInTwoCount,
    kMergeCodePage1,
    kMergeCodePage2,
    kMergePageName = 1000,   // + the page's row
    kMergeKeyCell = 1 << 16, // and above: one per cell of a key table (KeyCellMergeKey)
};
inline int KeyCellMergeKey(bool shift, int col, int row) {
    return kMergeKeyCell + (shift ? 1 << 24 : 0) + (col << 12) + row;
}

// Keeps the row count in step with the normal table after a command on the key rows.
void FollowKeyRows(TWorkingModel& model);

} // namespace mm
