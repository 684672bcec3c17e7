#include "platform/Strings.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(Strings, TrimDropsBlanksAndControlCharacters) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(TrimSpaces(" \ta "), "\ta");
}

TEST(Strings, SplitStringKeepsTrimmedNonEmptyPieces) {
    EXPECT_EQ(SplitString("  5 = 12 ", '='), (TStrArray{"5", "12"}));
    EXPECT_EQ(SplitString("5==12", '='), (TStrArray{"5", "12"}));
    EXPECT_EQ(SplitString("=5=", '='), (TStrArray{"5"}));
    EXPECT_EQ(SplitString("   ", '='), TStrArray{});
    EXPECT_EQ(SplitString("", '='), TStrArray{});
    EXPECT_EQ(SplitString("abc", '='), (TStrArray{"abc"}));
    EXPECT_EQ(SplitString("1=2=3", '='), (TStrArray{"1", "2", "3"}));
}

TEST(Strings, SameTextIgnoresOnlyTheCaseOfAsciiLetters) {
    EXPECT_TRUE(SameText("NomalColo", "nOMALcOLO"));
    EXPECT_TRUE(SameText("", ""));
    EXPECT_FALSE(SameText("NomalColo", "NomalColor"));
    EXPECT_FALSE(SameText("\xC4", "\xE4")); // not ASCII letters: bytes must match
    EXPECT_FALSE(SameText("[", "{"));
}

TEST(Strings, Hex4ShowsLowSixteenBitsInUpperCase) {
    EXPECT_EQ(Hex4(0x1a), "001A");
    EXPECT_EQ(Hex4(0x12345), "2345");
    EXPECT_EQ(Hex4(0), "0000");
}

} // namespace
} // namespace mm
