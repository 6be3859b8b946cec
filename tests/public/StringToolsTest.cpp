#include "public/StringTools.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>

namespace
{

TEST(SafeFormatTest, FormatsAndTruncates)
{
    char buf[8];
    EXPECT_EQ(SafeFormat(buf, sizeof buf, "%d-%s", 12, "ab"), 5);
    EXPECT_STREQ(buf, "12-ab");

    EXPECT_EQ(SafeFormat(buf, sizeof buf, "%s", "0123456789"), 8);
    EXPECT_STREQ(buf, "0123456");
    EXPECT_EQ(SafeFormat(buf, sizeof buf, "%s", "0123456"), 7); // exactly fits
    EXPECT_EQ(SafeFormat(buf, sizeof buf, "%s", "01234567"), 8);

    buf[0] = 'z';
    EXPECT_EQ(SafeFormat(buf, 0, "%d", 1), 0);
    EXPECT_EQ(SafeFormat(buf, -5, "%d", 1), 0);
    EXPECT_EQ(buf[0], 'z');
    EXPECT_EQ(SafeFormat(nullptr, 8, "%d", 1), 0);
    EXPECT_EQ(SafeFormat(buf, 1, "%d", 123), 1);
    EXPECT_STREQ(buf, "");
}

TEST(ParseIntTest, ReadsEveryForm)
{
    const struct
    {
        const char* text;
        int value;
    } cases[] = {{"123", 123},
                 {"-45xyz", -45},
                 {"0x1F", 31},
                 {"0XfF", 255},
                 {"-0x10", -16},
                 {"'A", 65},
                 {"-'A", -65},
                 {"'\xE9", 0xE9},
                 {"'", 0},
                 {"", 0},
                 {"abc", 0},
                 {" 12", 0},
                 {"+12", 0},
                 {"0x", 0},
                 {"12.9", 12},
                 {"2147483647", INT_MAX},
                 {"-2147483648", INT_MIN},
                 // Beyond 32 bits the value wraps around.
                 {"2147483648", INT_MIN},
                 {"4294967297", 1},
                 {"0x1FFFFFFFF", -1},
                 {"99999999999999999999999", -159383553},
                 {"-99999999999999999999999", 159383553}};
    for (const auto& entry : cases)
        EXPECT_EQ(ParseInt(entry.text), entry.value) << entry.text;
    EXPECT_EQ(ParseInt(nullptr), 0);
}

TEST(ParseSaturatingIntegerTest, SaturatesInsteadOfWrapping)
{
    const struct
    {
        const char* text;
        long long value;
    } cases[] = {{"500", 500},
                 {"-3", -3},
                 {"0x10", 16},
                 {"0", 0},
                 {"12ab", 12},
                 {"'A", 0},
                 {"", 0},
                 {"4294967296", 4294967296LL},
                 {"9223372036854775807", LLONG_MAX},
                 {"9223372036854775808", LLONG_MAX},
                 {"99999999999999999999999", LLONG_MAX},
                 {"0xFFFFFFFFFFFFFFFFFF", LLONG_MAX},
                 {"-99999999999999999999999", -LLONG_MAX}};
    for (const auto& entry : cases)
        EXPECT_EQ(ParseSaturatingInteger(entry.text), entry.value) << entry.text;
    EXPECT_EQ(ParseSaturatingInteger(nullptr), 0);
}

TEST(ParseUnsigned32Test, AcceptsOnlyWholeDecimalOrHexadecimalNumbersBelow2To32)
{
    const struct
    {
        const char* text;
        bool parsed;
        std::uint32_t value;
    } cases[] = {{"1001", true, 1001},
                 {"0x1F", true, 31},
                 {"0XfF", true, 255},
                 {"4294967295", true, 4294967295u},
                 {"0xFFFFFFFF", true, 0xFFFFFFFFu},
                 {"4294967296", false, 0},
                 {"99999999999999999999", false, 0},
                 {"0x100000000", false, 0},
                 {"-5", false, 0},
                 {"+5", false, 0},
                 {"12ab", false, 0},
                 {" 5", false, 0},
                 {"0x", false, 0},
                 {"'A", false, 0},
                 {"", false, 0}};
    for (const auto& entry : cases)
    {
        std::uint32_t value = 7;
        EXPECT_EQ(entry.parsed, ParseUnsigned32(entry.text, value)) << entry.text;
        EXPECT_EQ(entry.parsed ? entry.value : 7u, value) << entry.text;
    }
    std::uint32_t value = 0;
    EXPECT_FALSE(ParseUnsigned32(nullptr, value));
}

TEST(ParseFloatTest, DigitsBeforeTheLastDotFormTheIntegerPart)
{
    const struct
    {
        const char* text;
        float value;
    } cases[] = {{"-12.50", -12.5f},
                 {"1.2.3", 12.3f},
                 {"0.5", 0.5f},
                 {"3", 3.0f},
                 {".25", 0.25f},
                 {"7.", 7.0f},
                 {"1e3", 1.0f},
                 {"0x1F", 31.0f},
                 {"-0x10", -16.0f},
                 {"'A", 65.0f},
                 {"abc", 0.0f},
                 {"", 0.0f},
                 {"0xFFFFFFFF", 4294967295.0f}};
    for (const auto& entry : cases)
        EXPECT_FLOAT_EQ(ParseFloat(entry.text), entry.value) << entry.text;
    EXPECT_EQ(ParseFloat(nullptr), 0.0f);
}

TEST(ParseFloatTest, LongTextsStayDefined)
{
    // A long fraction keeps its value, a long integer saturates, a tiny value is zero.
    EXPECT_FLOAT_EQ(ParseFloat(("0." + std::string(400, '3')).c_str()), 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(ParseFloat(("1" + std::string(30, '0')).c_str()), 1e30f);
    EXPECT_EQ(ParseFloat(("1" + std::string(60, '0')).c_str()), FLT_MAX);
    EXPECT_EQ(ParseFloat(("-" + std::string(5000, '9')).c_str()), -FLT_MAX);
    EXPECT_EQ(ParseFloat(("0." + std::string(500, '0') + "1").c_str()), 0.0f);
    EXPECT_EQ(ParseFloat(("0x" + std::string(300, 'F')).c_str()), FLT_MAX);
}

} // namespace
