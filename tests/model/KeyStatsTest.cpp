#include "model/KeyStats.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

using Texts = std::vector<std::string>;

TEST(KeyStats, EqualValuesInTheOrderTheExchangeLeaves) {
    struct Case {
        Texts normal;
        Texts lines;
    };
    const Case cases[] = {
        {{"5", "3", "5"}, {"3    line2", "5    line1", "5    line3"}},
        // The exchange moves the first 5 behind the second: not a stable sort.
        {{"5", "5", "3"}, {"3    line3", "5    line2", "5    line1"}},
        {{"2", "1", "2", "1"}, {"1    line2", "1    line4", "2    line3", "2    line1"}},
        {{}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatLines(BuildStats(c.normal)), c.lines);
}

TEST(KeyStats, OnlyIntegerTextsCount) {
    const Texts normal = {" 7 ", "", "S5", "x", "$10", "-1", "\t4"};
    EXPECT_EQ(StatLines(BuildStats(normal)),
              (Texts{"-1    line6", "4    line7", "7    line1", "16    line5"}));
}

TEST(KeyStats, ShiftEntriesFollowAndAreMarked) {
    const TStatEntries entries = BuildStats({"44", "1"}, {"1", "44", "?"});
    EXPECT_EQ(entries, (TStatEntries{{1, 2, false}, {1, 1, true}, {44, 1, false}, {44, 2, true}}));
    EXPECT_EQ(StatLines(entries),
              (Texts{"1    line2", "1   S line1", "44    line1", "44   S line2"}));
}

TEST(KeyStats, SelectionPrefersTheRowOnItsGrid) {
    const TStatEntries entries = BuildStats({"9", "3"}, {"5"});
    // entries: 3 (row 2), 5 (SHIFT row 1), 9 (row 1)
    EXPECT_EQ(StatSelection(entries, 1, false, 1), 2);
    EXPECT_EQ(StatSelection(entries, 1, true, 0), 1);
    EXPECT_EQ(StatSelection(entries, 2, true, 0), 0);   // no SHIFT row 2: the remembered line
    EXPECT_EQ(StatSelection(entries, 7, false, 3), -1); // remembered line gone
    EXPECT_EQ(StatSelection(entries, 7, false, -1), -1);
    EXPECT_EQ(StatSelection({}, 1, false, 0), -1);
}

} // namespace
} // namespace mm
