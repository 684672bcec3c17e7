#include "model/KeyTable.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

// A row whose every cell names the row, so moved rows are recognised.
TKeyRowTexts Marked(const std::string& mark) {
    return {mark, mark, mark, mark, mark, mark, mark};
}

TKeyRows MarkedRows(const std::string& prefix, int n) {
    TKeyRows rows;
    for (int r = 1; r <= n; ++r)
        rows.push_back(Marked(prefix + std::to_string(r)));
    return rows;
}

std::vector<std::string> Names(const TKeyRows& rows) {
    return ColumnTexts(rows, &TKeyRowTexts::Name);
}

using Texts = std::vector<std::string>;

TEST(KeyRows, FilledFromTheRecordEntries) {
    TMyModelRecord m;
    m.KeyCount = 10;
    m.HasShift = 1;
    TBtnInfo& key = m.BtnInfo[0];
    key.Name.Assign("Power");
    key.Name.Chars[5] = 'X'; // after the text, not shown
    key.KNo = 7;
    key.KeyIdx = 300;
    key.CanotDefine = 2;
    key.FollowSno = 255;
    key.Learned = 1;
    m.BtnInfo[5].Name.Assign("Shift one");
    m.BtnInfo[9].KeyIdx = 65535;

    const int n = ShownKeyCounts(m);
    ASSERT_EQ(n, 5);
    const TKeyRows normal = NormalRows(m, n);
    ASSERT_EQ(normal.size(), 5u);
    EXPECT_EQ(normal[0], (TKeyRowTexts{"Power", "7", "300", "1", "255", "1", "1"}));
    EXPECT_EQ(normal[4], (TKeyRowTexts{"", "0", "0", "0", "0", "0", "5"}));

    const TKeyRows shift = ShiftRows(m, n);
    ASSERT_EQ(shift.size(), 5u);
    EXPECT_EQ(shift[0].Name, "Shift one");
    EXPECT_EQ(shift[0].No, "1");
    EXPECT_EQ(shift[4].KeyIdx, "65535");
}

TEST(KeyRows, ShiftGridEmptyWithoutShiftKeys) {
    TMyModelRecord m;
    m.KeyCount = 4;
    m.BtnInfo[4].Name.Assign("Hidden");
    const TKeyRows shift = ShiftRows(m, ShownKeyCounts(m));
    ASSERT_EQ(shift.size(), 4u);
    for (const TKeyRowTexts& row : shift)
        EXPECT_EQ(row, TKeyRowTexts{});
}

TEST(KeyRows, RowsBeyondTheTableStayEmpty) {
    TMyModelRecord m;
    m.HasShift = 1;
    m.BtnInfo[123].Name.Assign("Last");
    const TKeyRows shift = ShiftRows(m, 100);
    EXPECT_EQ(shift[23].Name, "Last");
    EXPECT_EQ(shift[24], TKeyRowTexts{});
    EXPECT_EQ(shift[99], TKeyRowTexts{});
    EXPECT_EQ(NormalRows(m, 125)[124], TKeyRowTexts{});
}

TEST(KeyRows, ShownCountsStayWithinTheSpinRanges) {
    struct Case {
        uint8_t keyCount, hasShift, pageCount;
        int keyCounts, pageCounts;
        bool showsShift;
    };
    const Case cases[] = {
        {0, 0, 0, 2, 1, false},
        {10, 1, 3, 5, 3, true},
        {10, 0, 8, 10, 8, false},
        {11, 1, 9, 5, 8, true},
        {255, 0, 255, 123, 8, false},
        {255, 1, 1, 62, 1, true},
        // Any other value ticks "Has Shift", whose maximum applies, but only 1 holds SHIFT keys.
        {10, 2, 1, 10, 1, true},
        {100, 2, 1, 62, 1, true},
    };
    for (const Case& c : cases) {
        TMyModelRecord m;
        m.KeyCount = c.keyCount;
        m.HasShift = c.hasShift;
        m.PageCount = c.pageCount;
        EXPECT_EQ(ShownKeyCounts(m), c.keyCounts) << int{c.keyCount} << "/" << int{c.hasShift};
        EXPECT_EQ(ShownPageCounts(m), c.pageCounts) << int{c.pageCount};
        EXPECT_EQ(ShowsShift(m), c.showsShift);
        EXPECT_EQ(HasShiftPage(m), c.hasShift == 1);
    }
    EXPECT_EQ(KeyCountsMaximum(true), 62);
    EXPECT_EQ(KeyCountsMaximum(false), 123);
}

TEST(PageNameRows, OneRowPerPageAtMostEight) {
    TMyModelRecord m;
    m.PageName[0].Assign("Main");
    m.PageName[7].Assign("Eighth");
    m.PageCount = 2;
    EXPECT_EQ(PageNameRows(m), (Texts{"Main", ""}));
    m.PageCount = 0;
    EXPECT_TRUE(PageNameRows(m).empty());
    m.PageCount = 200;
    const Texts rows = PageNameRows(m);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[7], "Eighth");
}

TEST(ShiftCommands, CopyNormalKeyNames) {
    TKeyRows normal = {Marked("a"), Marked("")};
    normal[0].Name = "Volume Up Long!";
    TKeyRows shift = {Marked("s1"), Marked("s2")};
    CopyNormalKeyNames(normal, shift);
    EXPECT_EQ(Names(shift), (Texts{"SHIFT Volume Up Long!", "SHIFT "}));
    EXPECT_EQ(shift[0].SNo, "s1");
}

TEST(ShiftCommands, IncrementFromNormalOnlyForIntegerTexts) {
    const Texts normalTexts = {" 7 ", "x", "", "S5", "$10", "-50", "2147483647"};
    const Texts keyIdxAfter = {"50", "old", "old", "old", "59", "-7", "2147483690"};
    const Texts snoAfter = {"63", "old", "old", "old", "72", "6", "2147483703"};
    TKeyRows normal, shift;
    for (const std::string& text : normalTexts) {
        normal.push_back({"n", text, text, "0", "0", "0", "1"});
        shift.push_back({"s", "old", "old", "0", "0", "0", "1"});
    }
    TKeyRows keyIdx = shift;
    KeyIdxIncFromNormal(normal, keyIdx);
    EXPECT_EQ(ColumnTexts(keyIdx, &TKeyRowTexts::KeyIdx), keyIdxAfter);
    EXPECT_EQ(ColumnTexts(keyIdx, &TKeyRowTexts::SNo), Texts(normalTexts.size(), "old"));

    TKeyRows sno = shift;
    SnoIncFromNormal(normal, sno);
    EXPECT_EQ(ColumnTexts(sno, &TKeyRowTexts::SNo), snoAfter);
    EXPECT_EQ(ColumnTexts(sno, &TKeyRowTexts::KeyIdx), Texts(normalTexts.size(), "old"));
}

TEST(ShiftCommands, HasShiftClickSetsFollowSno) {
    TKeyRows shift(3);
    ResetShiftFollowSno(shift);
    EXPECT_EQ(ColumnTexts(shift, &TKeyRowTexts::FollowSno), Texts(3, "255"));
    EXPECT_EQ(shift[0].Name, "");
}

struct RowEditCase {
    const char* name;
    int rows;
    int p;
    bool insert;
    int maximum;
    bool changed;
    Texts after; // names of both grids' rows, "n" and "s" prefixes dropped
};

void PrintTo(const RowEditCase& c, std::ostream* os) {
    *os << c.name;
}

class RowEdit : public testing::TestWithParam<RowEditCase> {};

TEST_P(RowEdit, BothGridsMoveTogether) {
    const RowEditCase& c = GetParam();
    TKeyRows normal = MarkedRows("n", c.rows);
    TKeyRows shift = MarkedRows("s", c.rows);
    const bool changed =
        c.insert ? InsertKeyRow(normal, shift, c.p, c.maximum) : DeleteKeyRow(normal, shift, c.p);
    EXPECT_EQ(changed, c.changed);
    Texts expectedNormal, expectedShift;
    for (const std::string& mark : c.after) {
        expectedNormal.push_back(mark.empty() ? "" : "n" + mark);
        expectedShift.push_back(mark.empty() ? "" : "s" + mark);
    }
    EXPECT_EQ(Names(normal), expectedNormal);
    EXPECT_EQ(Names(shift), expectedShift);
    // Every column moves with the row, the row number too.
    for (size_t r = 0; r < normal.size(); ++r)
        EXPECT_EQ(normal[r], Marked(expectedNormal[r]));
}

const RowEditCase kRowEditCases[] = {
    {"InsertInTheMiddle", 5, 3, true, 123, true, {"1", "2", "3", "3", "4", "5"}},
    {"InsertAtTheFirstRow", 2, 1, true, 123, true, {"1", "1", "2"}},
    {"InsertAtTheLastRow", 3, 3, true, 123, true, {"1", "2", "3", "3"}},
    {"InsertWithoutCurrentRowUsesTheLast", 3, 0, true, 123, true, {"1", "2", "3", "3"}},
    {"InsertAtTheMaximumDoesNothing", 3, 1, true, 3, false, {"1", "2", "3"}},
    {"InsertIntoEmptyGridsDoesNothing", 0, 0, true, 123, false, {}},
    {"DeleteFirstOfTwoKeepsTwoRows", 2, 1, false, 0, true, {"2", "2"}},
    {"DeleteInTheMiddle", 4, 2, false, 0, true, {"1", "3", "4"}},
    {"DeleteTheLastRow", 4, 4, false, 0, true, {"1", "2", "3"}},
    {"DeleteWithoutCurrentRowUsesTheLast", 4, 0, false, 0, true, {"1", "2", "3"}},
    {"DeleteFromOneRowDoesNothing", 1, 1, false, 0, false, {"1"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, RowEdit, testing::ValuesIn(kRowEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RowEdit, InsertStopsAtTheShiftMaximum) {
    TKeyRows normal = MarkedRows("n", 62);
    TKeyRows shift = MarkedRows("s", 62);
    EXPECT_FALSE(InsertKeyRow(normal, shift, 1, KeyCountsMaximum(true)));
    EXPECT_EQ(normal.size(), 62u);
    EXPECT_TRUE(InsertKeyRow(normal, shift, 1, KeyCountsMaximum(false)));
    EXPECT_EQ(shift.size(), 63u);
    EXPECT_EQ(shift[62].Name, "s62");
}

} // namespace
} // namespace mm
