// Breaking lines between words: where a pass that does not fit its line ends, with the
// character break left for words wider than a whole line.
#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <CEGUI/FontManager.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ZuGUI::TextParser::LineBreakMode;
using Line = std::vector<std::string>;

CEGUI::String Utf8(const char* text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text));
}

class LineBreakTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        view.lineBreak = LineBreakMode::Word;
    }

    // The line texts, each line's blocks joined.
    std::vector<std::string> JoinedLines() const
    {
        std::vector<std::string> joined;
        for (const Line& line : LineTexts())
        {
            std::string text;
            for (const std::string& block : line)
                text += block;
            joined.push_back(text);
        }
        return joined;
    }
};

TEST_F(LineBreakTest, PassesEndAtTheLastBreakThatFits)
{
    struct Case
    {
        const char* name;
        const char* markup;
        const char* fits; // what the line is as wide as, plus one pixel
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"words stay whole",
         "the keep gate is open",
         "the keep gate is op",
         {"the keep gate is ", "open"}},
        {"spaces hang past the edge", "gate   open", "gate", {"gate   ", "open"}},
        {"punctuation stays with its word", "wait, what?", "wait, what", {"wait, ", "what?"}},
        {"a word of the next tag moves whole", "go {T gold:the}", "go th", {"go ", "the"}},
        {"an opening bracket keeps the word after its spaces",
         "go (  now",
         "go (  n",
         {"go ", "(  now"}},
        {"punctuation after a tag moves down with its word",
         "who has a {T gold:pelt}?",
         "who has a pelt",
         {"who has a ", "pelt?"}},
        {"no break inside a word across tags", "wo{T gold:rds}", "wor", {"wor", "ds"}},
        {"everything that fits stays on the line",
         "short\nline",
         "short line",
         {"short\n", "line"}},
    };
    for (const Case& test : cases)
    {
        Format(test.markup, Extent(test.fits) + 1.0f);
        EXPECT_THAT(JoinedLines(), ElementsAreArray(test.lines)) << test.name;
    }
}

TEST_F(LineBreakTest, CharactersThatTheBreakLibraryCannotTakeStillBreakBetweenWords)
{
    // A flag (U+1F1E9 U+1F1EA, two regional indicators) and U+FFFF, which the font has no
    // glyphs for, between two words.
    for (const CEGUI::String& odd :
         {Utf8("\xf0\x9f\x87\xa9\xf0\x9f\x87\xaa"), CEGUI::String(1, 0xFFFF)})
    {
        Format("x " + odd + " yyyy", Extent("yyyy") + 1.0f);
        EXPECT_THAT(JoinedLines(), ElementsAre(std::string(("x " + odd + " ").c_str()), "yyyy"));
    }
}

TEST_F(LineBreakTest, AWordWiderThanALineIsBrokenByCharacters)
{
    const CEGUI::String word = "Supercalifragilisticexpialidocious";
    const float width = Extent(word) / 2.5f;
    Format("a " + word, width);
    std::vector<std::string> lines = JoinedLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ("a ", lines[0]);
    // The word fills the following lines to the edge, as the character break does.
    CEGUI::String rest = word;
    for (std::size_t i = 1; i < lines.size(); ++i)
    {
        const std::size_t fits = std::min(rest.length(), Font().getCharAtPixel(rest, width));
        EXPECT_EQ(std::string(rest.substr(0, fits).c_str()), lines[i]) << i;
        rest = rest.substr(fits);
    }
    EXPECT_TRUE(rest.empty());
}

TEST_F(LineBreakTest, ACommandWrapsAtAWordAndStaysOneCommand)
{
    Format("{C /go:Click me now}", Extent("Click me n") + 1.0f);
    EXPECT_THAT(LineTexts(), ElementsAre(Line{"Click me "}, Line{"now"}));
    for (std::size_t i = 0; i < 2; ++i)
    {
        EXPECT_EQ(CommandAt(0).GetCommandStart(), CommandAt(i).GetCommandStart()) << i;
        EXPECT_EQ(3u, CommandAt(i).GetCommandCount()) << i;
    }
}

TEST_F(LineBreakTest, PicturesAllowABreakOnEitherSide)
{
    ZuTest::TestPictures& pictures = view.testClient.pictures;
    pictures.Add(1, 2, 10, 10);
    Format("ab{P 1:2}cd", Extent("ab") + 10.0f + Extent("c"));
    EXPECT_THAT(JoinedLines(), ElementsAre("ab", "cd"));
}

TEST_F(LineBreakTest, CjkTextBreaksBetweenIdeographsAndKeepsClosingPunctuation)
{
    if (!CEGUI::FontManager::getSingleton().isDefined("WenQuanYiMicroHei-11"))
        CEGUI::FontManager::getSingleton().createFromFile("WenQuanYiMicroHei-11.font", "skin");
    view.font = &CEGUI::FontManager::getSingleton().get("WenQuanYiMicroHei-11");
    // "城门已开快来" and a full-width comma.
    const CEGUI::String ideographs =
        Utf8("\xe5\x9f\x8e\xe9\x97\xa8\xe5\xb7\xb2\xe5\xbc\x80\xe5\xbf\xab\xe6\x9d\xa5");
    const CEGUI::String comma = Utf8("\xef\xbc\x8c");
    ASSERT_GT(Extent(ideographs.substr(0, 1)), 0.0f) << "the font has CJK glyphs";
    Format(ideographs, Extent(ideographs.substr(0, 4)) + 1.0f);
    EXPECT_THAT(LineTexts(), ElementsAre(Line{"\xe5\x9f\x8e\xe9\x97\xa8\xe5\xb7\xb2\xe5\xbc\x80"},
                                         Line{"\xe5\xbf\xab\xe6\x9d\xa5"}));

    // A full-width comma never starts a line: its ideograph goes with it.
    const CEGUI::String withComma = ideographs.substr(0, 3) + comma + ideographs.substr(3);
    Format(withComma, Extent(ideographs.substr(0, 3)) + 1.0f);
    EXPECT_EQ("\xe5\x9f\x8e\xe9\x97\xa8", JoinedLines().front());
    EXPECT_EQ(withComma, Doc().GetText(view));
}

TEST_F(LineBreakTest, BreakingByCharactersNeverSplitsAGraphemeCluster)
{
    if (!CEGUI::FontManager::getSingleton().isDefined("WenQuanYiMicroHei-11"))
        CEGUI::FontManager::getSingleton().createFromFile("WenQuanYiMicroHei-11.font", "skin");
    view.font = &CEGUI::FontManager::getSingleton().get("WenQuanYiMicroHei-11");
    // "ka" and the combining voiced sound mark, which the font draws with a width of its own:
    // the two are one cluster (a decomposed "ga").
    const CEGUI::String ka = Utf8("\xe3\x81\x8b");
    const CEGUI::String mark = Utf8("\xe3\x82\x99");
    ASSERT_GT(Extent(mark), 0.0f) << "the mark has a width of its own";
    CEGUI::String text;
    for (int i = 0; i < 7; ++i)
        text += ka + mark;
    // Room for two clusters and the base of a third, on every line.
    const float width = Extent(ka + mark + ka + mark + ka) + 0.5f;
    for (const LineBreakMode mode : {LineBreakMode::Character, LineBreakMode::Word})
    {
        view.lineBreak = mode;
        Format(text, width);
        const std::string two((ka + mark + ka + mark).c_str());
        const std::string one((ka + mark).c_str());
        EXPECT_THAT(JoinedLines(), ElementsAre(two, two, two, one)) << int(mode);
        EXPECT_EQ(text, Doc().GetText(view));
    }
}

TEST_F(LineBreakTest, TextWithoutABreakOverManyLinesBreaksAsCharacterModeDoes)
{
    struct Case
    {
        const char* name;
        CEGUI::String markup;
    };
    const Case cases[] = {
        {"a run of spaces before punctuation", "a" + CEGUI::String(60, ' ') + "!!"},
        {"one long word", CEGUI::String(80, 'x')},
        {"an opening bracket before a run of spaces", "(" + CEGUI::String(60, ' ') + "x"},
    };
    const float width = Extent("xxxx") + 1.0f;
    for (const Case& test : cases)
    {
        view.lineBreak = LineBreakMode::Character;
        Format(test.markup, width);
        const std::vector<std::string> byCharacters = JoinedLines();
        view.lineBreak = LineBreakMode::Word;
        Format(test.markup, width);
        EXPECT_GE(byCharacters.size(), 4u) << test.name;
        EXPECT_EQ(byCharacters, JoinedLines()) << test.name;
    }
}

TEST_F(LineBreakTest, CharacterModeFillsTheLineWhereWordModeBreaksBetweenWords)
{
    const char* markup = "the keep gate is open";
    const float width = Extent("the keep gate is op") + 1.0f;
    view.lineBreak = LineBreakMode::Character;
    Format(markup, width);
    EXPECT_THAT(JoinedLines(), ElementsAre("the keep gate is op", "en"));
    view.lineBreak = LineBreakMode::Word;
    Format(markup, width);
    EXPECT_THAT(JoinedLines(), ElementsAre("the keep gate is ", "open"));
}
} // namespace
