#include "public/CodePage.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace
{

// Restores the system code page and the C library's locale after each test.
class CodePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLocale = std::setlocale(LC_ALL, nullptr);
        SetSystemCodePage(nullptr);
    }
    void TearDown() override
    {
        SetSystemCodePage(nullptr);
        std::setlocale(LC_ALL, m_savedLocale.c_str());
    }

    static std::string Repeat(const std::string& text, int count)
    {
        std::string result;
        for (int i = 0; i < count; ++i)
            result += text;
        return result;
    }

    std::string m_savedLocale;
};

const std::string kEAcuteEuro = "\xC3\xA9\xE2\x82\xAC";  // "é€" in UTF-8
const std::string kChinese = "\xE4\xB8\xAD\xE6\x96\x87"; // "中文" in UTF-8

TEST_F(CodePageTest, Cp1252RoundTrip)
{
    SetSystemCodePage("CP1252");
    EXPECT_STREQ(Utf8ToAnsi(kEAcuteEuro.c_str(), nullptr), "\xE9\x80");
    EXPECT_EQ(LastConversionResult(), ConversionResult::Ok);
    EXPECT_EQ(AnsiToUtf8("\xE9\x80", nullptr), kEAcuteEuro);
    EXPECT_STREQ(ToMultiByte(u"\u00e9\u20ac", 1252), "\xE9\x80");
    EXPECT_EQ(std::u16string(ToWide("\xE9\x80", 1252)), u"\u00e9\u20ac");
}

TEST_F(CodePageTest, GbkUsesTwoBytesPerChineseCharacter)
{
    SetSystemCodePage("GBK");
    EXPECT_STREQ(Utf8ToAnsi(kChinese.c_str(), nullptr), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(AnsiToUtf8("\xD6\xD0\xCE\xC4", nullptr), kChinese);
    EXPECT_EQ(std::u16string(ToWide("\xD6\xD0\xCE\xC4", 936)), u"\u4e2d\u6587");
}

TEST_F(CodePageTest, Utf8AndCharactersOutsideTheBasicPlane)
{
    const std::string grin = "\xF0\x9F\x98\x80"; // U+1F600
    EXPECT_EQ(std::u16string(ToWide(("a" + grin).c_str(), CP_UTF8)), u"a\U0001F600");
    EXPECT_EQ(ToMultiByte(u"a\U0001F600", CP_UTF8), "a" + grin);
    SetSystemCodePage("UTF-8");
    EXPECT_EQ(Utf8ToAnsi((kChinese + grin).c_str(), nullptr), kChinese + grin);
    SetSystemCodePage("CP1252");
    EXPECT_STREQ(Utf8ToAnsi(("a" + grin + "b").c_str(), nullptr), "a?b"); // one '?' per pair
}

TEST_F(CodePageTest, InvalidSequencesBecomeReplacementCharacters)
{
    EXPECT_EQ(std::u16string(ToWide("a\xC3z", CP_UTF8)), u"a\uFFFDz");
    EXPECT_EQ(std::u16string(ToWide("\xFF\xFE", CP_UTF8)), u"\uFFFD\uFFFD");
    EXPECT_EQ(std::u16string(ToWide("ab\xE2\x82", CP_UTF8)), u"ab\uFFFD"); // cut at the end
    EXPECT_EQ(LastConversionResult(), ConversionResult::Ok);
    // Lone surrogates in wide text.
    EXPECT_STREQ(ToMultiByte(u"a\xD800z\xDC00", CP_UTF8), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_STREQ(ToMultiByte(u"a\xD800", 1252), "a?");

    SetSystemCodePage("CP1252");
    EXPECT_STREQ(Utf8ToAnsi("a\xFFz\xC3", nullptr), "a?z?");
    // 0x81 is unassigned in CP1252.
    EXPECT_STREQ(AnsiToUtf8("a\x81z", nullptr), "a\xEF\xBF\xBDz");
}

TEST_F(CodePageTest, UnrepresentableCharactersBecomeQuestionMarks)
{
    SetSystemCodePage("CP1252");
    EXPECT_STREQ(Utf8ToAnsi(("x" + kChinese + "\xC3\xA9").c_str(), nullptr), "x??\xE9");
    EXPECT_EQ(LastConversionResult(), ConversionResult::Ok);
}

TEST_F(CodePageTest, LongTextsKeepAPrefixOfWholeCharacters)
{
    const std::size_t capacity = kCodePageBufferUnits - 1;
    EXPECT_EQ(std::u16string(ToWide(std::string(capacity, 'a').c_str(), CP_UTF8)).size(), capacity);
    EXPECT_FALSE(LastConversionTruncated());

    const std::u16string wide = ToWide(std::string(capacity + 1, 'a').c_str(), CP_UTF8);
    EXPECT_EQ(wide.size(), capacity);
    EXPECT_TRUE(LastConversionTruncated());

    // Surrogate pairs are never split: 10239 units hold 5119 pairs.
    const std::u16string pairs = ToWide(Repeat("\xF0\x9F\x98\x80", 6000).c_str(), CP_UTF8);
    EXPECT_EQ(pairs.size(), 10238u);
    EXPECT_EQ(pairs.back(), 0xDE00);
    EXPECT_TRUE(LastConversionTruncated());

    // Two-byte characters: 10239 bytes hold 5119 of them.
    SetSystemCodePage("GBK");
    const std::string gbk = Utf8ToAnsi(Repeat(kChinese, 3000).c_str(), nullptr);
    EXPECT_EQ(gbk.size(), 10238u);
    EXPECT_EQ(gbk.substr(gbk.size() - 2), "\xD6\xD0"); // the 5119th character
    EXPECT_TRUE(LastConversionTruncated());

    SetSystemCodePage("CP1252");
    const std::string utf8 = AnsiToUtf8(std::string(6000, '\xE9').c_str(), nullptr);
    EXPECT_EQ(utf8.size(), 10238u);
    EXPECT_EQ(utf8.substr(utf8.size() - 2), "\xC3\xA9");
    EXPECT_TRUE(LastConversionTruncated());

    // A short result after a long one leaves nothing of the long one behind.
    const char* shortText = AnsiToUtf8("ab", nullptr);
    EXPECT_STREQ(shortText, "ab");
    EXPECT_EQ(shortText[3], '\0');
    EXPECT_EQ(shortText[capacity - 1], '\0');
    EXPECT_FALSE(LastConversionTruncated());
}

// The whole-text forms keep texts far past the helpers' buffers, with the same replacements.
TEST_F(CodePageTest, WholeTextFormsAreNeverCut)
{
    SetSystemCodePage("GBK");
    const struct
    {
        const char* name;
        std::string (*convert)(const char*);
        std::string input;
        std::string expected;
    } cases[] = {
        {"UTF-8 to GBK", Utf8ToAnsiText, Repeat(kChinese, 20000),
         Repeat("\xD6\xD0\xCE\xC4", 20000)},
        {"GBK to UTF-8", AnsiToUtf8Text, Repeat("\xD6\xD0\xCE\xC4", 20000),
         Repeat(kChinese, 20000)},
        {"pairs", ValidUtf8Text, Repeat("\xF0\x9F\x98\x80", 30000),
         Repeat("\xF0\x9F\x98\x80", 30000)},
        {"invalid bytes", ValidUtf8Text, Repeat("a\xFF", 20000) + "\xE2\x82",
         Repeat("a\xEF\xBF\xBD", 20000) + "\xEF\xBF\xBD"},
        {"unrepresentable", Utf8ToAnsiText, Repeat("\xF0\x9F\x98\x80", 12000),
         std::string(12000, '?')},
        {"empty", ValidUtf8Text, "", ""},
    };
    for (const auto& entry : cases)
    {
        EXPECT_EQ(entry.expected, entry.convert(entry.input.c_str())) << entry.name;
        EXPECT_EQ(LastConversionResult(), ConversionResult::Ok) << entry.name;
    }
    EXPECT_EQ("", ValidUtf8Text(nullptr));
    SetSystemCodePage("NO-SUCH-CODESET");
    EXPECT_EQ("", AnsiToUtf8Text("abc"));
    EXPECT_EQ(LastConversionResult(), ConversionResult::Failed);
}

TEST_F(CodePageTest, NullAndUnknownInputs)
{
    const char* fallback = "fallback";
    EXPECT_EQ(Utf8ToAnsi(nullptr, fallback), fallback);
    EXPECT_EQ(AnsiToUtf8(nullptr, fallback), fallback);
    EXPECT_EQ(Utf8ToAnsi(nullptr, nullptr), nullptr);
    EXPECT_STREQ(ToMultiByte(nullptr, CP_UTF8), "");
    EXPECT_EQ(ToWide(nullptr, CP_UTF8)[0], u'\0');
    EXPECT_EQ(LastConversionResult(), ConversionResult::Ok);

    EXPECT_EQ(ToWide("abc", 12345)[0], u'\0');
    EXPECT_EQ(LastConversionResult(), ConversionResult::Failed);
    SetSystemCodePage("NO-SUCH-CODESET");
    EXPECT_STREQ(Utf8ToAnsi("abc", fallback), "");
    EXPECT_EQ(LastConversionResult(), ConversionResult::Failed);
    EXPECT_STREQ(AnsiToUtf8("abc", fallback), "");
    EXPECT_EQ(LastConversionResult(), ConversionResult::Failed);
}

TEST_F(CodePageTest, EachHelperKeepsItsOwnBuffer)
{
    SetSystemCodePage("CP1252");
    const char* ansi = Utf8ToAnsi("\xC3\xA9", nullptr);
    const char* utf8 = AnsiToUtf8("\xE9", nullptr);
    const char* multiByte = ToMultiByte(u"x", CP_UTF8);
    ToWide("y", CP_UTF8);
    EXPECT_STREQ(ansi, "\xE9");
    EXPECT_STREQ(utf8, "\xC3\xA9");
    EXPECT_STREQ(multiByte, "x");
}

TEST_F(CodePageTest, FileNameDecodingKeepsUndecodableBytesAsLatin1AndIsNotCut)
{
    const struct
    {
        const char* text;
        bool valid;
    } utf8Checks[] = {{"", true},
                      {"caf\xC3\xA9", true},
                      {"\xF0\x9F\x98\x80", true},
                      {"caf\xE9", false},
                      {"cut \xC3", false},
                      {"\xC0\xAF", false},      // overlong '/'
                      {"\xED\xA0\x80", false}}; // encoded surrogate
    for (const auto& check : utf8Checks)
        EXPECT_EQ(check.valid, IsValidUtf8(check.text)) << check.text;

    const struct
    {
        const char* codePage;
        std::string text;
        std::string utf8;
    } decodings[] = {
        {"CP1252", "caf\xE9", "caf\xC3\xA9"},
        {"CP1252", "x\x81", "x\xC2\x81"}, // no character in CP1252
        {"UTF-8", "caf\xE9", "caf\xC3\xA9"},
        {"UTF-8", "caf\xE8\xC3\xA9", "caf\xC3\xA8\xC3\xA9"},
        {"UTF-8", "cut \xE2\x82", "cut \xC3\xA2\xC2\x82"},
        {"ANSI_X3.4-1968", "Caf\xC3\xA9", "Caf\xC3\x83\xC2\xA9"},
        {"GBK", "\xD6\xD0\xFF", "\xE4\xB8\xAD\xC3\xBF"},
        {"CP1252", Repeat("\x80", 12000), Repeat(kEAcuteEuro.substr(2), 12000)},
        {"NO-SUCH-CODESET", "abc", ""},
    };
    for (const auto& decoding : decodings)
    {
        SetSystemCodePage(decoding.codePage);
        EXPECT_EQ(decoding.utf8, ToUtf8WithLatin1Fallback(decoding.text.c_str(), CP_ACP))
            << decoding.codePage << " " << decoding.text.substr(0, 20);
    }
    EXPECT_EQ("", ToUtf8WithLatin1Fallback(nullptr, CP_UTF8));
}

TEST_F(CodePageTest, SystemCodePageFollowsTheSettingElseTheLocale)
{
    if (!std::setlocale(LC_ALL, "C.UTF-8"))
        GTEST_SKIP() << "no C.UTF-8 locale";
    EXPECT_STREQ(GetSystemCodePage(), "UTF-8");
    EXPECT_STREQ(Utf8ToAnsi("\xC3\xA9", nullptr), "\xC3\xA9");
    SetSystemCodePage("CP1252");
    EXPECT_STREQ(GetSystemCodePage(), "CP1252");
    EXPECT_STREQ(Utf8ToAnsi("\xC3\xA9", nullptr), "\xE9");
    SetSystemCodePage("");

    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    EXPECT_STREQ(GetSystemCodePage(), "ANSI_X3.4-1968");
    EXPECT_STREQ(Utf8ToAnsi("a\xC3\xA9", nullptr), "a?");
    EXPECT_EQ(ToWide("a\xE9", CP_ACP), std::u16string(u"a\uFFFD"));
}

} // namespace
