#include "platform/IntText.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

struct IntCase {
    const char* text;
    std::optional<int32_t> value;
};

class IntTextTest : public testing::TestWithParam<IntCase> {};

TEST_P(IntTextTest, ConvertsOrRefuses) {
    const IntCase& c = GetParam();
    EXPECT_EQ(TryStrToInt(c.text), c.value) << "text: [" << c.text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, IntTextTest,
    testing::Values(IntCase{"0", 0}, IntCase{"42", 42}, IntCase{"  7", 7}, IntCase{"7 ", {}},
                    IntCase{" 7 ", {}}, IntCase{"+5", 5}, IntCase{"-5", -5}, IntCase{"- 5", {}},
                    IntCase{"", {}}, IntCase{"   ", {}}, IntCase{"-", {}}, IntCase{"$1A", 26},
                    IntCase{"$1a", 26}, IntCase{"x10", 16}, IntCase{"X10", 16}, IntCase{"0x10", 16},
                    IntCase{"0X10", 16}, IntCase{"-$10", -16}, IntCase{"$", {}}, IntCase{"0x", {}},
                    IntCase{"$FFFFFFFF", -1}, IntCase{"$80000000", INT32_MIN},
                    IntCase{"$100000000", {}}, IntCase{"2147483647", INT32_MAX},
                    IntCase{"2147483648", {}}, IntCase{"-2147483648", INT32_MIN},
                    IntCase{"-2147483649", {}}, IntCase{"12a", {}}, IntCase{"S5", {}},
                    IntCase{"1.5", {}}, IntCase{"99999999999999999999", {}}, IntCase{"\t5", {}}));

TEST(StrToInt, RaisesTheStandardConversionText) {
    EXPECT_EQ(StrToInt("$ff"), 255);
    try {
        StrToInt("$1g");
        FAIL() << "no error";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'$1g' is not a valid integer value");
    }
}

} // namespace
} // namespace mm
