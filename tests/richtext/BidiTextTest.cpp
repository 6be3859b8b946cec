// The bidirectional stage on the texts a chat shows: what it reorders, what it leaves alone, and
// code points that are not characters.
#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <gmock/gmock.h>
#include <unicode/uchar.h>

#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAreArray;
using ZuGUI::Bidi::CodePoint;
using ZuGUI::Bidi::Direction;

std::vector<CodePoint> Text(const std::u32string& text)
{
    return std::vector<CodePoint>(text.begin(), text.end());
}

TEST(BidiTextTest, LinesShowInTheOrderTheirDirectionsGive)
{
    struct Case
    {
        const char* name;
        std::u32string text;
        Direction direction;
        std::size_t lineStart;
        std::size_t lineEnd;
        int baseLevel;
        std::vector<std::size_t> order;
    };
    const Case cases[] = {
        {"Latin stays as it is", U"ab (c)", Direction::Auto, 0, 6, 0, {0, 1, 2, 3, 4, 5}},
        // What the algorithm removes shows in no line, turned around or not.
        {"a soft hyphen and a joiner in Latin",
         U"a\u00ADb\u200Dc",
         Direction::Auto,
         0,
         5,
         0,
         {0, 2, 4}},
        {"Hebrew turns around", U"\u05D0\u05D1 \u05D2", Direction::Auto, 0, 4, 1, {3, 2, 1, 0}},
        // A left-to-right name, then a Hebrew message with a number: the number reads left to
        // right inside the right-to-left run.
        {"name, message, number",
         U"Al: \u05D0\u05D1 12",
         Direction::Auto,
         0,
         9,
         0,
         {0, 1, 2, 3, 7, 8, 6, 5, 4}},
        {"a forced right-to-left paragraph", U"ab", Direction::RightToLeft, 0, 2, 1, {0, 1}},
        {"a line inside the paragraph",
         U"\u05D0\u05D1 \u05D2\u05D3",
         Direction::Auto,
         3,
         5,
         1,
         {4, 3}},
        // U+202E turns the rest around; the control itself does not show.
        {"an override control", U"ab\u202Ecd", Direction::Auto, 0, 5, 0, {0, 1, 4, 3}},
        // A character outside the BMP keeps its one index.
        {"a character outside the BMP",
         U"\u05D0\U0001F600\u05D1",
         Direction::Auto,
         0,
         3,
         1,
         {2, 1, 0}},
        // Not characters: shown as U+FFFD would be.
        {"surrogates and values past U+10FFFF",
         std::u32string{0x05D0, 0xD800, 0x110000, 0x05D1},
         Direction::Auto,
         0,
         4,
         1,
         {3, 2, 1, 0}},
        {"an empty line", U"\u05D0", Direction::Auto, 1, 1, 1, {}},
        {"a line past the end", U"ab", Direction::Auto, 1, 9, 0, {1}},
    };
    ZuGUI::Bidi::Paragraph paragraph;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::vector<CodePoint> text = Text(c.text);
        paragraph.Analyse(text.data(), text.size(), c.direction);
        EXPECT_EQ(c.baseLevel, paragraph.BaseLevel());
        std::vector<std::size_t> order;
        paragraph.LineOrder(c.lineStart, c.lineEnd, order);
        EXPECT_THAT(order, ElementsAreArray(c.order));
    }
}

TEST(BidiTextTest, OnlyTextThatCanTurnIsAnalysedAndBracketsMirrorRightToLeft)
{
    const std::vector<CodePoint> latin = Text(U"plain (text) 123");
    EXPECT_FALSE(ZuGUI::Bidi::NeedsAnalysis(latin.data(), latin.size()));
    ZuGUI::Bidi::Paragraph paragraph;
    paragraph.Analyse(latin.data(), latin.size(), Direction::Auto);
    EXPECT_TRUE(paragraph.IsPlainLeftToRight());

    for (const std::u32string& turns : {std::u32string(U"a\u05D0"), std::u32string(U"\u0661"),
                                        std::u32string(U"a\u2067b"), std::u32string(U"\u202Eab")})
    {
        const std::vector<CodePoint> text = Text(turns);
        EXPECT_TRUE(ZuGUI::Bidi::NeedsAnalysis(text.data(), text.size()));
    }

    EXPECT_EQ(CodePoint(')'), ZuGUI::Bidi::Shown('(', 1));
    EXPECT_EQ(CodePoint('('), ZuGUI::Bidi::Shown('(', 2));
    EXPECT_EQ(CodePoint(']'), ZuGUI::Bidi::Shown('[', 3));
    EXPECT_EQ(CodePoint('a'), ZuGUI::Bidi::Shown('a', 1));
    EXPECT_EQ(CodePoint(0xFFFD), ZuGUI::Bidi::Shown(0x110000, 1));
}

TEST(BidiTextTest, JoiningLeavesEverythingButArabicLettersAsItIs)
{
    const std::vector<CodePoint> text = {'a', 0x05D0, 0x1F600, 0xD800, 0x110000, 0x0644};
    std::vector<CodePoint> joined;
    ZuGUI::Bidi::JoinArabicLetters(text.data(), text.size(), joined);
    ASSERT_EQ(text.size(), joined.size());
    EXPECT_EQ(std::vector<CodePoint>(text.begin(), text.end() - 1),
              std::vector<CodePoint>(joined.begin(), joined.end() - 1));
    EXPECT_EQ(CodePoint(0xFEDD), joined.back()); // a lone lam, isolated
    ZuGUI::Bidi::JoinArabicLetters(nullptr, 0, joined);
    EXPECT_TRUE(joined.empty());
}
} // namespace

namespace
{
// The mirror images that are known without asking ICU are the ones ICU gives.
TEST(BidiTextTest, MirrorImagesBelowU2000AreIcusOwn)
{
    for (CodePoint c = 0; c < 0x2000; ++c)
    {
        EXPECT_EQ(static_cast<CodePoint>(u_charMirror(static_cast<UChar32>(c))),
                  ZuGUI::Bidi::Shown(c, 1))
            << std::hex << c;
        EXPECT_EQ(c, ZuGUI::Bidi::Shown(c, 2)) << std::hex << c;
    }
}
} // namespace

namespace
{
// Code points that ICU's joining takes for its own marks (a zero, U+FFFF) or that are not
// characters join nothing and shift nothing: the letters after them join in their places.
TEST(BidiTextTest, JoiningAroundCodePointsIcuMarksWithKeepsEveryLetterInItsPlace)
{
    for (const CodePoint between : {CodePoint(0), CodePoint(0xFFFF), CodePoint(0xFFFFF),
                                    CodePoint(0xD800), CodePoint(0x110000)})
    {
        std::vector<CodePoint> text = Text(U"a\u0633\u0644 \u0633\u0644B");
        text[3] = between;
        std::vector<CodePoint> joined;
        ZuGUI::Bidi::JoinArabicLetters(text.data(), text.size(), joined);
        EXPECT_THAT(joined,
                    ElementsAreArray({CodePoint('a'), CodePoint(0xFEB3), CodePoint(0xFEDE), between,
                                      CodePoint(0xFEB3), CodePoint(0xFEDE), CodePoint('B')}))
            << std::hex << between;
    }
}
} // namespace
