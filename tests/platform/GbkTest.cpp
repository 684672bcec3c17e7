#include "platform/Gbk.h"
#include "platform/ui/QtText.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(Gbk, ChineseTextDecodesAndEncodesBack) {
    const std::string brand = "\xC6\xB7\xC5\xC6"; // 品牌
    EXPECT_EQ(QStringFromGbk(brand), QString::fromUtf8("品牌"));
    EXPECT_EQ(GbkFromQString(QString::fromUtf8("备注 ab")), "\xB1\xB8\xD7\xA2 ab");
    EXPECT_EQ(Utf8FromGbk(brand + "x"), "品牌x");
}

TEST(Gbk, AnyByteSequenceSurvivesARoundTrip) {
    std::string every;
    for (int i = 0; i < 256; ++i)
        every.push_back(static_cast<char>(i));
    every += "\x81";             // a lead byte at the very end
    every += "\xFF\xFF\x80\xC6"; // never GBK
    EXPECT_EQ(GbkFromQString(QStringFromGbk(every)), every);
    for (int lead = 0x81; lead <= 0xFE; lead += 7)
        for (int trail = 0x30; trail <= 0xFF; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(GbkFromQString(QStringFromGbk(pair)), pair) << lead << " " << trail;
        }
}

TEST(Gbk, UndecodableBytesReadAsReplacementInOutput) {
    EXPECT_EQ(Utf8FromGbk("a\xFF"), "a\xEF\xBF\xBD");
}

TEST(Gbk, CharactersOutsideGbkBecomeQuestionMarks) {
    EXPECT_EQ(GbkFromQString(QString::fromUtf8("a😀")), "a??");
}

TEST(Gbk, TextsAreCutAtWholeCharacters) {
    const std::string zhong = "\xD6\xD0"; // 中
    struct Case {
        std::string text;
        size_t capacity;
        size_t kept;
    } cases[] = {
        {"abc", 5, 3},                 // short enough: whole
        {"abcdef", 4, 4},              // single bytes: the capacity
        {"a" + zhong + zhong, 4, 3},   // the second character would be cut in half
        {zhong + zhong + zhong, 5, 4}, // odd capacity after double-byte characters
        {"\xFF\xFFxyz", 3, 3},         // bytes that are not GBK count one each
        {"ab\x81", 3, 3},              // a lead byte with nothing after it stands alone
        {"a\x81\x7F"
         "b",
         2, 2}, // \x81 \x7F is no character: one byte each
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkCutLength(c.text, c.capacity), c.kept) << c.text << " " << c.capacity;

    // Twelve Chinese characters in a 19-byte field keep nine whole ones.
    std::string name;
    for (int i = 0; i < 12; ++i)
        name += zhong;
    EXPECT_EQ(GbkCutLength(name, 19), 18u);
}

TEST(Colours, BgrRoundTrip) {
    EXPECT_EQ(QColorFromBgr(0x00332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(BgrFromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211);
}

} // namespace
} // namespace mm
