#pragma once
// The key grids of a model as plain texts, exactly as the cells hold them (GBK bytes), and the
// grid commands that work on those texts alone: filling from a record, inserting and deleting
// a row, and deriving SHIFT keys from the normal ones.
#include "ModelRecord.h"

#include <string>
#include <vector>

namespace mm {

// Columns 2 to 7 of one key grid row, then column 1 (the row number, display only, which
// moves with the row until the grid is filled again).
struct TKeyRowTexts {
    std::string Name;
    std::string SNo;
    std::string KeyIdx;
    std::string CanotDefine; // "1" or "0"
    std::string FollowSno;
    std::string Learned; // "1" or "0"
    std::string No;

    bool operator==(const TKeyRowTexts&) const = default;
};

using TKeyRows = std::vector<TKeyRowTexts>;

// "Key Counts" runs from 2 to 123, and to 62 while "Has Shift" is ticked, so that normal and
// SHIFT keys together never exceed the 124 entries of the table.
constexpr int kMinKeyCounts = 2;
constexpr int kMaxKeyCounts = 123;
constexpr int kMaxShiftKeyCounts = kMaxKeyEntries / 2;
int KeyCountsMaximum(bool hasShift);

// "Page Counts" runs from 1 to 8.
constexpr int kMinPageCounts = 1;

// What the window shows for a record: "Has Shift" ticked for any HasShift but 0, the SHIFT
// tab and SHIFT rows only for HasShift 1 (whose KeyCount holds both pages), "Key Counts" the
// record's NormalCount kept within the spin box's range, "Page Counts" kept within 1..8.
bool ShowsShift(const TModelFixedPart& record);
bool HasShiftPage(const TModelFixedPart& record);
int ShownKeyCounts(const TModelFixedPart& record);
int ShownPageCounts(const TModelFixedPart& record);

// The texts a key entry shows on grid row `row`.
TKeyRowTexts KeyRowTexts(const TBtnInfo& key, int row);

// The n rows of the Normal grid: entries 0..n-1.
TKeyRows NormalRows(const TModelFixedPart& record, int n);

// The n rows of the SHIFT grid: entries n..2n-1 when HasShift is 1, otherwise n empty rows.
// A row whose entry would lie beyond the table stays empty.
TKeyRows ShiftRows(const TModelFixedPart& record, int n);

// The page-name grid: one row per page up to PageCount, never more than the 8 names held.
std::vector<std::string> PageNameRows(const TModelFixedPart& record);

// One column of a grid, e.g. ColumnTexts(rows, &TKeyRowTexts::KeyIdx) for the statistics.
std::vector<std::string> ColumnTexts(const TKeyRows& rows, std::string TKeyRowTexts::*cell);

// The user ticked or cleared "Has Shift": every SHIFT row's "Follow SNo" becomes 255.
void ResetShiftFollowSno(TKeyRows& shift);

// "Copy Normal's KeyName": SHIFT name := "SHIFT " + Normal name, uncut.
void CopyNormalKeyNames(const TKeyRows& normal, TKeyRows& shift);

// "KeyIdx Inc 43 from Normal" and "Sno Inc 56 from Normal": a SHIFT cell becomes the Normal
// cell's number plus the step when the Normal text, spaces trimmed, is an integer text; it is
// left alone otherwise.
void KeyIdxIncFromNormal(const TKeyRows& normal, TKeyRows& shift);
void SnoIncFromNormal(const TKeyRows& normal, TKeyRows& shift);

// "Inser a button" at row p (1-based; 0, no current row, or beyond the grid means the last
// row): both grids gain a row and rows from p move down one, so rows p and p+1 are equal.
// With `maximum` rows already, or none at all, nothing changes. True when a row was added.
bool InsertKeyRow(TKeyRows& normal, TKeyRows& shift, int p, int maximum);

// "Delete a button" at row p (as above): rows after p move up one in both grids, and both
// grids lose their last row unless they already hold only kMinKeyCounts rows. Nothing
// happens when the Normal grid holds at most one row. True when anything changed.
bool DeleteKeyRow(TKeyRows& normal, TKeyRows& shift, int p);

} // namespace mm
