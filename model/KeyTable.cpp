#include "KeyTable.h"

#include "platform/IntText.h"
#include "platform/Strings.h"

#include <algorithm>

namespace mm {

namespace {

const char* Flag(uint8_t value) {
    return value != 0 ? "1" : "0";
}

// Row p as the grid commands use it: no current row, or one past the grid, means the last.
size_t RowIndex(const TKeyRows& rows, int p) {
    if (p < 1 || static_cast<size_t>(p) > rows.size())
        return rows.size() - 1;
    return static_cast<size_t>(p) - 1;
}

template <typename Cell>
void IncFromNormal(const TKeyRows& normal, TKeyRows& shift, Cell cell, int step) {
    const size_t n = std::min(normal.size(), shift.size());
    for (size_t r = 0; r < n; ++r) {
        if (const auto value = TryStrToInt(TrimSpaces(normal[r].*cell)))
            // Summed in 64 bits: a sum past the 32-bit range stays a true number, which the
            // store then refuses instead of wrapping round to a negative one.
            shift[r].*cell = std::to_string(int64_t{*value} + step);
    }
}

} // namespace

int KeyCountsMaximum(bool hasShift) {
    return hasShift ? kMaxShiftKeyCounts : kMaxKeyCounts;
}

bool ShowsShift(const TModelFixedPart& record) {
    return record.HasShift != 0;
}

bool HasShiftPage(const TModelFixedPart& record) {
    return record.HasShift == 1;
}

int ShownKeyCounts(const TModelFixedPart& record) {
    return std::clamp(NormalCount(record), kMinKeyCounts, KeyCountsMaximum(ShowsShift(record)));
}

int ShownPageCounts(const TModelFixedPart& record) {
    return std::clamp(int{record.PageCount}, kMinPageCounts, kMaxPages);
}

TKeyRowTexts KeyRowTexts(const TBtnInfo& key, int row) {
    return {key.Name.Str(),        std::to_string(key.KNo),       std::to_string(key.KeyIdx),
            Flag(key.CanotDefine), std::to_string(key.FollowSno), Flag(key.Learned),
            std::to_string(row)};
}

TKeyRows NormalRows(const TModelFixedPart& record, int n) {
    TKeyRows rows;
    for (int r = 1; r <= n; ++r)
        rows.push_back(r <= kMaxKeyEntries ? KeyRowTexts(record.BtnInfo[r - 1], r)
                                           : TKeyRowTexts{});
    return rows;
}

TKeyRows ShiftRows(const TModelFixedPart& record, int n) {
    TKeyRows rows(static_cast<size_t>(std::max(n, 0)));
    if (!HasShiftPage(record))
        return rows;
    for (int r = 1; r <= n; ++r) {
        const int entry = n + r - 1;
        if (entry < kMaxKeyEntries)
            rows[static_cast<size_t>(r - 1)] = KeyRowTexts(record.BtnInfo[entry], r);
    }
    return rows;
}

std::vector<std::string> PageNameRows(const TModelFixedPart& record) {
    std::vector<std::string> rows;
    for (int p = 0; p < std::min(int{record.PageCount}, kMaxPages); ++p)
        rows.push_back(record.PageName[p].Str());
    return rows;
}

std::vector<std::string> ColumnTexts(const TKeyRows& rows, std::string TKeyRowTexts::*cell) {
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (const TKeyRowTexts& row : rows)
        texts.push_back(row.*cell);
    return texts;
}

void ResetShiftFollowSno(TKeyRows& shift) {
    for (TKeyRowTexts& row : shift)
        row.FollowSno = "255";
}

void CopyNormalKeyNames(const TKeyRows& normal, TKeyRows& shift) {
    const size_t n = std::min(normal.size(), shift.size());
    for (size_t r = 0; r < n; ++r)
        shift[r].Name = "SHIFT " + normal[r].Name;
}

void KeyIdxIncFromNormal(const TKeyRows& normal, TKeyRows& shift) {
    IncFromNormal(normal, shift, &TKeyRowTexts::KeyIdx, 43);
}

void SnoIncFromNormal(const TKeyRows& normal, TKeyRows& shift) {
    IncFromNormal(normal, shift, &TKeyRowTexts::SNo, 56);
}

bool InsertKeyRow(TKeyRows& normal, TKeyRows& shift, int p, int maximum) {
    if (normal.empty() || normal.size() >= static_cast<size_t>(maximum))
        return false;
    const size_t at = RowIndex(normal, p);
    const size_t count = normal.size() + 1;
    for (TKeyRows* grid : {&normal, &shift}) {
        grid->resize(count);
        for (size_t r = count - 1; r > at; --r)
            (*grid)[r] = (*grid)[r - 1];
    }
    return true;
}

bool DeleteKeyRow(TKeyRows& normal, TKeyRows& shift, int p) {
    if (normal.size() <= 1)
        return false;
    const size_t at = RowIndex(normal, p);
    const size_t count = std::max(normal.size() - 1, size_t{kMinKeyCounts});
    for (TKeyRows* grid : {&normal, &shift}) {
        for (size_t r = at; r + 1 < grid->size(); ++r)
            (*grid)[r] = (*grid)[r + 1];
        grid->resize(count);
    }
    return true;
}

} // namespace mm
