// The break stage on the cases that the layout and the selection rely on: clusters that a line
// never splits, breaks between words and none before closing punctuation, text past the Basic
// Multilingual Plane, and values that are not characters.
#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace ZuGUI
{
namespace Breaks
{
void PrintTo(const Span& span, std::ostream* out)
{
    *out << "[" << span.start << ", " << span.end << ")";
}
} // namespace Breaks
} // namespace ZuGUI

namespace
{
using ::testing::ElementsAreArray;
using ZuGUI::Breaks::CodePoint;
using ZuGUI::Breaks::Span;
using Positions = std::vector<std::size_t>;

// Values that are not Unicode scalar values.
constexpr CodePoint kNotCharacters[] = {0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0x110000, 0xFFFFFFFF};
constexpr CodePoint kReplacement = 0xFFFD;

std::vector<CodePoint> Text(const char32_t* text)
{
    return std::vector<CodePoint>(text, text + std::char_traits<char32_t>::length(text));
}

// Both kinds of flags of `text`, found into one vector that held something else before; each
// function must keep the other's bit.
std::vector<std::uint8_t> BothFlags(const std::vector<CodePoint>& text)
{
    std::vector<std::uint8_t> flags(text.size() + 3, 0xFF);
    ZuGUI::Breaks::FindClusterStarts(text.data(), text.size(), flags);
    ZuGUI::Breaks::FindLineBreaks(text.data(), text.size(), flags);
    return flags;
}

Positions WithFlag(const std::vector<std::uint8_t>& flags, ZuGUI::Breaks::BreakFlag flag)
{
    Positions positions;
    for (std::size_t i = 0; i < flags.size(); ++i)
    {
        if (flags[i] & flag)
            positions.push_back(i);
    }
    return positions;
}

TEST(UnicodeBreaksTest, ClustersAndLineBreaks)
{
    const struct
    {
        const char* name;
        const char32_t* text;
        Positions clusterStarts;
        Positions lineBreaks;
    } cases[] = {
        {"a letter and its combining mark", U"e\u0301 x", {0, 2, 3}, {3}},
        {"a flag", U"\U0001F1EB\U0001F1F7", {0}, {}},
        {"two flags: pairs of regional indicators",
         U"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA",
         {0, 2},
         {2}},
        {"a family joined by ZWJ", U"\U0001F469\u200D\U0001F469\u200D\U0001F467", {0}, {}},
        {"a Hangul syllable in jamo", U"\u1100\u1161\u11A8", {0}, {}},
        {"CR LF, then a line", U"a\r\nb", {0, 1, 3}, {3}},
        {"CR LF before a combining mark", U"\r\n\u0301", {0, 2}, {2}},
        {"a line feed alone", U"a\nb", {0, 1, 2}, {2}},
        {"words", U"open the gate", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {5, 9}},
        {"closing punctuation after a link", U"[Sword]?", {0, 1, 2, 3, 4, 5, 6, 7}, {}},
        {"past the Basic Multilingual Plane",
         U"\U0001F600 \U00010400\U00010401 b",
         {0, 1, 2, 3, 4, 5},
         {2, 5}},
        {"an emoji after Latin text", U"ok \U0001F642", {0, 1, 2, 3}, {3}},
        {"a sign that ZWJ joins to the sign before it", U"a\u00A9\u200D\u00A9b", {0, 1, 4}, {}},
        {"a flag between words", U"go \U0001F1EB\U0001F1F7 now", {0, 1, 2, 3, 5, 6, 7, 8}, {3, 6}},
        {"marks on either side of CR LF", U"e\u0301\r\n\u0301x", {0, 2, 4, 5}, {4}},
        {"marks far apart",
         U"e\u0301 then more\u0301",
         {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {3, 8}},
        {"ideographs", U"\u4E1C\u4EAC\u3002x", {0, 1, 2, 3}, {1, 3}},
    };
    for (const auto& check : cases)
    {
        const std::vector<std::uint8_t> flags = BothFlags(Text(check.text));
        EXPECT_THAT(WithFlag(flags, ZuGUI::Breaks::kClusterStart),
                    ElementsAreArray(check.clusterStarts))
            << check.name;
        EXPECT_THAT(WithFlag(flags, ZuGUI::Breaks::kLineBreakBefore),
                    ElementsAreArray(check.lineBreaks))
            << check.name;
    }
}

TEST(UnicodeBreaksTest, EmptyTextHasNoFlags)
{
    std::vector<std::uint8_t> flags(4, 0xFF);
    ZuGUI::Breaks::FindLineBreaks(nullptr, 0, flags);
    EXPECT_TRUE(flags.empty());
    flags.assign(4, 0xFF);
    ZuGUI::Breaks::FindClusterStarts(nullptr, 0, flags);
    EXPECT_TRUE(flags.empty());
    EXPECT_EQ((Span{0, 0}), ZuGUI::Breaks::WordAround(nullptr, 0, 0));
}

// A combining mark joins U+FFFD, where it would not join a lone surrogate.
TEST(UnicodeBreaksTest, ValuesThatAreNotCharactersCountAsTheReplacementCharacter)
{
    for (const CodePoint bad : kNotCharacters)
    {
        const std::vector<CodePoint> text = {'a', bad, 0x0301, ' ', bad, 'b', bad};
        std::vector<CodePoint> replaced = text;
        std::replace(replaced.begin(), replaced.end(), bad, kReplacement);
        EXPECT_EQ(BothFlags(replaced), BothFlags(text)) << std::hex << bad;
        EXPECT_THAT(WithFlag(BothFlags(text), ZuGUI::Breaks::kClusterStart),
                    ElementsAreArray(Positions{0, 1, 3, 4, 5, 6}))
            << std::hex << bad;
        for (std::size_t index = 0; index < text.size(); ++index)
            EXPECT_EQ(ZuGUI::Breaks::WordAround(replaced.data(), replaced.size(), index),
                      ZuGUI::Breaks::WordAround(text.data(), text.size(), index))
                << std::hex << bad << " at " << index;
    }
}

TEST(UnicodeBreaksTest, WordAroundACodePoint)
{
    const struct
    {
        const char* name;
        const char32_t* text;
        std::size_t index;
        Span word;
    } cases[] = {
        {"a word's first letter", U"naïve café, ok", 0, {0, 5}},
        {"a word's last letter", U"naïve café, ok", 9, {6, 10}},
        {"the comma after it", U"naïve café, ok", 10, {10, 11}},
        {"an apostrophe within a word", U"it's here", 2, {0, 4}},
        {"a decimal number", U"pay 3.50 now", 5, {4, 8}},
        {"a run of spaces", U"a   b", 2, {1, 4}},
        {"letters past the Basic Multilingual Plane",
         U"\U0001F600 \U00010400\U00010401 b",
         3,
         {2, 4}},
        {"after them", U"\U0001F600 \U00010400\U00010401 b", 5, {5, 6}},
        {"an ideographic word from the dictionary", U"\u4E1C\u4EAC\u30BF\u30EF\u30FC", 1, {0, 2}},
        {"past the end", U"ab", 2, {2, 2}},
    };
    for (const auto& check : cases)
    {
        const std::vector<CodePoint> text = Text(check.text);
        EXPECT_EQ(check.word, ZuGUI::Breaks::WordAround(text.data(), text.size(), check.index))
            << check.name;
    }
}
} // namespace
