#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "public/MarkupText.h"

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ZuGUI::TextParser::CColorPropertyManager;
using namespace ZuGUI::TextBlocks;

class TextParserTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        CColorPropertyManager::Instance().RegisterColorByString("red", "FFFF0000", "FF000000");
        view.defaultTextColour = CEGUI::Colour(0xFF112233);
    }

    // The shown text of every block, in order.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (const ZuGUI::ITextBlock* block : Blocks())
            texts.push_back(TextOf(*block));
        return texts;
    }

    std::size_t CommandCount() const
    {
        std::size_t count = 0;
        for (const ZuGUI::ITextBlock* block : Blocks())
            count += const_cast<ZuGUI::ITextBlock*>(block)->AsCmdText() != nullptr;
        return count;
    }

    static constexpr CEGUI::argb_t kRed = 0xFFFF0000;
    static constexpr CEGUI::argb_t kGreen = 0xFF00FF00; // the fixture's command colour
    static constexpr CEGUI::argb_t kHalfWhite = 0x80FFFFFF;
};

TEST_F(TextParserTest, TextOutsideTagsIsInTheViewsDefaultColour)
{
    Format("abc");
    EXPECT_THAT(Shown(), ElementsAre("abc"));
    EXPECT_EQ(0xFF112233u, PlainAt(0).GetColorPair().text);
    EXPECT_EQ(0xFF000000u, PlainAt(0).GetColorPair().second);
}

TEST_F(TextParserTest, ColourTagsUseTheNamedPairOrTheDefaultPair)
{
    Format("{T red:hi}{T hi}{T Red:x}");
    EXPECT_THAT(Shown(), ElementsAre("hi", "hi", "x"));
    EXPECT_EQ(kRed, PlainAt(0).GetColorPair().text);
    EXPECT_EQ(0xFFFFFFFFu, PlainAt(1).GetColorPair().text);
    EXPECT_EQ(0xFFFFFFFFu, PlainAt(2).GetColorPair().text);
}

TEST_F(TextParserTest, SeparatorCountsOnlyBeforeTheLastCharacterOfTheContent)
{
    Format("{T red:}");
    EXPECT_THAT(Shown(), ElementsAre("red:"));
    EXPECT_EQ(0xFFFFFFFFu, PlainAt(0).GetColorPair().text);

    // The first separator splits, later ones are content.
    Format("{T Note: read: this}");
    EXPECT_THAT(Shown(), ElementsAre(" read: this"));
}

TEST_F(TextParserTest, MalformedTagsShowAsText)
{
    const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
        {"{Zz hello}", {"Zz hello}"}}, // unknown tag: only the "{" is dropped
        {"{t red:x}", {"t red:x}"}},   // tags are case sensitive
        {"{x", {"x"}},                 // no space after the "{"
        {"ab{", {"ab"}},
        {"{ x}", {" x}"}},              // empty tag name
        {"{T }", {"}"}},                // empty content: the "}" is text
        {"{T red:abc", {"abc"}},        // no "}": the tag runs to the end
        {"{T red:a{b}c", {"a{b", "c"}}, // no nesting: the first "}" closes
        {"{Tlongname x}", {"Tlongname x}"}},
    };
    for (const auto& [markup, shown] : cases)
    {
        Format(markup);
        EXPECT_EQ(shown, Shown()) << markup;
    }
    Format("{T red:abc");
    EXPECT_EQ(kRed, PlainAt(0).GetColorPair().text);
}

TEST_F(TextParserTest, DisabledTagIsReadAsText)
{
    ZuGUI::TextParser::IParser& parser = *Parsers().FindParser("T");
    parser.SetEnabled(false);
    Format("{T red:x}");
    parser.SetEnabled(true);
    EXPECT_THAT(Shown(), ElementsAre("T red:x}"));
}

TEST_F(TextParserTest, CommandTagsGiveTheirKindAndCommand)
{
    struct Case
    {
        const char* tag;
        int kind;
        const char* command; // the command of "{<tag> <parameter>:Shown}"
        const char* parameter = "go";
    };
    const Case cases[] = {{"C", 0, "go"},   {"N", 1, "Shown"},  {"CN", 2, "Shown"},
                          {"Npc", 3, "go"}, {"I", 4, "7", "7"}, {"M", 5, "go"},
                          {"H", 6, "go"},   {"XZC", 8, "go"},   {"Cl", 9, "go"}};
    for (const Case& c : cases)
    {
        Format(CEGUI::String("{") + c.tag + " " + c.parameter + ":Shown}");
        ASSERT_EQ(1u, Blocks().size()) << c.tag;
        const CCmdText& block = CommandAt(0);
        EXPECT_EQ("Shown", TextOf(block)) << c.tag;
        EXPECT_EQ(c.kind, block.GetCommandKind()) << c.tag;
        EXPECT_EQ(c.command, CommandOf(block)) << c.tag;
        EXPECT_EQ(kGreen, block.GetColorPair().text) << c.tag;
        EXPECT_EQ(kHalfWhite, block.GetColorPair().second) << c.tag;
    }
}

TEST_F(TextParserTest, CommandTagWithoutParameterCarriesNoCommandYetLooksClickable)
{
    // Before any command tag with a parameter, and again after the click colours change:
    // the pair is always the current click colours, never left over from an earlier tag.
    Format("{C here}");
    EXPECT_FALSE(CommandAt(0).HasCommand());
    EXPECT_EQ("", CommandOf(CommandAt(0)));
    EXPECT_EQ(kGreen, CommandAt(0).GetColorPair().text);

    CColorPropertyManager::Instance().SetClickColorByString("FF0000FF", "80FFFFFF", "FFFFFF00");
    Format("{C go:there}{C here}");
    EXPECT_EQ(0xFF0000FFu, CommandAt(1).GetColorPair().text);
    EXPECT_FALSE(CommandAt(1).HasCommand());

    // An explicit empty parameter is an empty command.
    Format("{C :here}");
    EXPECT_TRUE(CommandAt(0).HasCommand());
    EXPECT_EQ("", CommandOf(CommandAt(0)));
}

TEST_F(TextParserTest, WrappedCommandPiecesShareTheCommandButNamesAreTheirOwn)
{
    const CEGUI::String words = "Lorem ipsum dolor sit amet consectetur";
    const float width = Extent(words) / 2.5f;
    Format("{C /go:" + words + "}{N " + words + "}", width);
    std::vector<std::string> commands;
    for (const ZuGUI::ITextBlock* block : Blocks())
    {
        const auto& command = dynamic_cast<const CCmdText&>(*block);
        commands.push_back(CommandOf(command));
        EXPECT_EQ(command.GetCommandKind() == kName ? TextOf(command) : "/go", CommandOf(command));
    }
    EXPECT_GT(commands.size(), 4u);
}

TEST_F(TextParserTest, ItemLinksWithoutClientKeepClickColoursAndAreStillRecorded)
{
    Format("{I 31:Sword}");
    EXPECT_EQ(kGreen, CommandAt(0).GetColorPair().text);
    EXPECT_EQ(std::set<int>{31}, Doc().GetItemRefs());
}

TEST_F(TextParserTest, PicturesReadSetAndIndexWithoutHistory)
{
    Format("{P 1:2}{P 70000:3}{P 7}{P a:b}");
    ASSERT_EQ(4u, Blocks().size());
    EXPECT_EQ(1, PictureAt(0).set);
    EXPECT_EQ(2, PictureAt(0).index);
    EXPECT_EQ(70000 & 0xFFFF, PictureAt(1).set);
    // No parameter: set 0, not the set of the tag before.
    EXPECT_EQ(0, PictureAt(2).set);
    EXPECT_EQ(7, PictureAt(2).index);
    EXPECT_EQ(0, PictureAt(3).set);
    EXPECT_EQ(0, PictureAt(3).index);
    EXPECT_EQ("", TextOf(PictureAt(0)));
}

TEST_F(TextParserTest, EmoteNumbersAreClampedToTheEmoteRange)
{
    Format("{E 12}{E 250}{E -3}{E x:5}{E 4294967295}");
    std::vector<int> indices;
    for (std::size_t i = 0; i < Blocks().size(); ++i)
    {
        const auto& emote = dynamic_cast<const CEmoteBlock&>(PictureAt(i));
        EXPECT_EQ(4, emote.set);
        indices.push_back(emote.index);
    }
    EXPECT_THAT(indices, ElementsAre(14512, 14699, 14500, 14505, 14500));
}

TEST_F(TextParserTest, AnchorsMoveThePenOnlyForwardWithinTheLine)
{
    const float ab = Extent("ab");
    const float top = CRichTextDoc::kMaxPenDrop;
    const struct
    {
        const char* markup;
        float left; // of the block after the anchor
        float top;
    } cases[] = {
        {"ab{Ak 30,-1}c", 30.0f, 0.0f},
        {"ab{Ak -1,25}c", ab, 25.0f},
        // Without a separator the content is y, and x is 0: not back over "ab".
        {"ab{Ak 40}c", ab, 40.0f},
        {"ab{Ak x,y}c", ab, 0.0f},
        // Never past the layout's edge, never further down than a bounded drop.
        {"ab{Ak -1,2147483647}c", ab, top},
        {"ab{Ak 2147483647,-1}c", 0.0f, LineHeight()},
    };
    for (const auto& c : cases)
    {
        Format(c.markup);
        ASSERT_EQ(2u, Blocks().size()) << c.markup;
        EXPECT_FLOAT_EQ(c.left, Blocks()[1]->GetArea().left()) << c.markup;
        EXPECT_FLOAT_EQ(c.top, Blocks()[1]->GetArea().top()) << c.markup;
        EXPECT_LE(Doc().GetHeight(), top + 2 * LineHeight()) << c.markup;
    }

    // Not above the current line's top either: the line before keeps its room.
    Format("a\nb{Ak -1,0}c");
    EXPECT_FLOAT_EQ(LineHeight(), Blocks().back()->GetArea().top());
}

TEST_F(TextParserTest, DoubledBracesShowOneBraceInAndOutsideTags)
{
    const struct
    {
        const char* markup;
        std::vector<std::string> shown;
    } cases[] = {
        {"a{{b", {"a{", "b"}},
        {"a}}b", {"a}", "b"}},
        {"{{T red:x}", {"{", "T red:x}"}},
        {"}}}", {"}", "}"}},
        {"{T red:x}}y}z", {"x}", "y", "z"}},
        {"{T red:{{}}}", {"{", "}"}},
        {"{N a}}b}", {"a}", "b"}},
    };
    for (const auto& c : cases)
    {
        Format(c.markup);
        EXPECT_EQ(c.shown, Shown()) << c.markup;
    }
    // A command's doubled braces are single in what a click sends.
    Format("{C /say {{hi}}:go}");
    EXPECT_EQ("/say {hi}", CommandOf(CommandAt(0)));
    EXPECT_EQ("go", TextOf(CommandAt(0)));
}

TEST_F(TextParserTest, DoubledBraceRightAfterATagIsTextForEveryTag)
{
    // A player's "{M ...}" escaped after a kept tag, and typed text after a pushed link.
    const CEGUI::String forged = MarkupText::Escape(CEGUI::String("{M /kick Alice:click here}"));
    const char* const tags[] = {"{T red:a}", "{C c:a}", "{XZC c:a}", "{P 1:2}",    "{Bg 1:2}",
                                "{N a}",     "{CN a}",  "{Npc c:a}", "{I 1001:a}", "{M c:a}",
                                "{H c:a}",   "{E 3}",   "{Ak 1,2}",  "{Cl c:a}",   "{T }"};
    for (const char* tag : tags)
    {
        Format(tag);
        const std::size_t tagCommands = CommandCount();
        Format(tag + forged);
        EXPECT_EQ(tagCommands, CommandCount()) << tag;
        const std::string shown = Doc().GetText(view).c_str();
        EXPECT_EQ("{M /kick Alice:click here}",
                  shown.substr(shown.size() - std::min<std::size_t>(shown.size(), 26)))
            << tag;
    }
}

TEST_F(TextParserTest, EscapedTextShowsExactlyAsWrittenInBothLineBreakModes)
{
    const char* const texts[] = {
        "{I 1001:[Legendary Blade]} {M /kick Bob:click}",
        "{C /evil:            }{Ak 0,-1}{N Alice}: trade?",
        "}}{{ {T red:a}} {{{{ x}",
        "a long line with {braces} that wraps {over} several {lines} of the view {ok}",
    };
    for (const ZuGUI::TextParser::LineBreakMode mode :
         {ZuGUI::TextParser::LineBreakMode::Character, ZuGUI::TextParser::LineBreakMode::Word})
    {
        view.lineBreak = mode;
        for (const char* text : texts)
        {
            Format(MarkupText::Escape(CEGUI::String(text)), 120.0f);
            EXPECT_EQ(text, std::string(Doc().GetText(view).c_str())) << text;
            for (const ZuGUI::ITextBlock* block : Blocks())
                EXPECT_EQ(nullptr, const_cast<ZuGUI::ITextBlock*>(block)->AsCmdText()) << text;
        }
    }
}
} // namespace
