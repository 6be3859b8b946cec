// The stages between markup and lines: a parse makes a paragraph that needs no view, no font
// and no client, parses run at once, and a document lays its paragraph out again at a new
// width as a fresh formatting would, without asking the client again.
#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"
#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <gmock/gmock.h>

#include <thread>

namespace
{
using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using ZuGUI::Text::Paragraph;
using ZuGUI::TextParser::LineBreakMode;

class TextStagesTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        client.itemColours[7] = 0xFF3366FF;
        client.pictures.Add(1, 2, 16, 16);
        client.pictures.Add(2, 5, 300, 12);
        view.client = &client;
    }

    // Each piece of `paragraph` as one line: "text [first,end) <kind> new|more" (the first run of
    // a stretch, or one more), "picture
    // set/index", "pen x,y", "background set/index".
    static std::vector<std::string> Describe(const Paragraph& paragraph)
    {
        std::vector<std::string> lines;
        for (const ZuGUI::Text::Piece& piece : paragraph.Pieces())
            lines.push_back(std::visit(Describer{paragraph}, piece));
        return lines;
    }

    // Every block's text and area, line by line.
    std::vector<std::string> LaidOut() const
    {
        std::vector<std::string> blocks;
        for (const ZuGUI::ITextBlock* block : Blocks())
        {
            const CEGUI::Rectf& area = block->GetArea();
            blocks.push_back(TextOf(*block) + " @" + std::to_string(area.left()) + "," +
                             std::to_string(area.top()) + " " + std::to_string(area.getWidth()));
        }
        return blocks;
    }

    ZuTest::RecordingRichTextClient client;

private:
    struct Describer
    {
        const Paragraph& paragraph;

        std::string operator()(const ZuGUI::Text::TextRun& run) const
        {
            static const char* const kKinds[] = {"plain", "command", "name", "item"};
            return "text [" + std::to_string(run.first) + "," + std::to_string(run.end) + ") " +
                   kKinds[static_cast<int>(paragraph.StyleOf(run).kind)] +
                   (run.startsStretch ? " new" : " more");
        }
        std::string operator()(const ZuGUI::Text::Picture& picture) const
        {
            return std::string(picture.emote ? "emote " : "picture ") +
                   std::to_string(picture.set) + "/" + std::to_string(picture.index);
        }
        std::string operator()(const ZuGUI::Text::PenMove& move) const
        {
            return "pen " + (move.x ? std::to_string(int(*move.x)) : "-") + "," +
                   (move.y ? std::to_string(int(*move.y)) : "-");
        }
        std::string operator()(const ZuGUI::Text::LineBackground& background) const
        {
            return "background " + std::to_string(background.set) + "/" +
                   std::to_string(background.index);
        }
    };
};

TEST_F(TextStagesTest, AParagraphHoldsWhatTheMarkupShowsInOrder)
{
    const struct
    {
        const char* markup;
        std::vector<std::string> pieces;
    } cases[] = {
        {"{N Alice}: hi", {"text [3,8) name new", "text [9,13) plain new"}},
        // A doubled brace cuts a tag's content into runs of one stretch.
        {"{T a{{b}c", {"text [3,5) plain new", "text [6,7) plain more", "text [8,9) plain new"}},
        {"{I 7:[Sword]}{I 7: }{I x:y}",
         {"text [5,12) item new", "text [18,19) plain new", "text [25,26) plain new"}},
        {"{P 1:2}{E 300}{Ak 5,-1}{Bg 2:5}",
         {"picture 1/2", "emote 4/14699", "pen 5,-", "background 2/5"}},
        {"", {}},
    };
    for (const auto& check : cases)
    {
        const CEGUI::String text(check.markup);
        EXPECT_THAT(Describe(Parsers().Parse(text)), ElementsAreArray(check.pieces))
            << check.markup;
    }
}

TEST_F(TextStagesTest, ParsesRunAtOnceAndGiveWhatOneParseAloneGives)
{
    const CEGUI::String texts[] = {"{N Alice}: {I 7:[Sword]} for {T gold:5 gold}{{ok}}",
                                   "{C /join 3:here}{P 1:2}{Ak 5,6} and {H www.example:site}"};
    const std::vector<std::string> alone[] = {Describe(Parsers().Parse(texts[0])),
                                              Describe(Parsers().Parse(texts[1]))};
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < mismatches.size(); ++t)
    {
        threads.emplace_back(
            [&, t]
            {
                for (int i = 0; i < 200; ++i)
                    mismatches[t] += Describe(Parsers().Parse(texts[t % 2])) != alone[t % 2];
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_THAT(mismatches, ElementsAreArray({0, 0, 0, 0}));
}

TEST_F(TextStagesTest, ANewWidthLaysOutAsAFreshFormattingWithoutAskingTheClient)
{
    const char* const markups[] = {
        "{N Alice}: has found {I 7:[Sword of the Morning Dawn]} in the ruins{P 1:2} beneath "
        "the old keep, and will trade it for gold",
        "{Bg 2:5}first line\nsecond {Ak 40,-1}moved\n{E 3} emote and a "
        "verylongwordthatbreaksbycharacters",
    };
    const float widths[] = {300.0f, 120.0f, 61.5f};
    for (const LineBreakMode mode : {LineBreakMode::Character, LineBreakMode::Word})
    {
        view.lineBreak = mode;
        for (const char* markup : markups)
        {
            Format(markup, 500.0f);
            for (const float width : widths)
            {
                client.lines.clear();
                client.pictureSizesAsked = 0;
                ZuGUI::TextParser::LayOutDocument(*doc, view, width);
                EXPECT_THAT(client.lines, IsEmpty()) << markup;
                EXPECT_EQ(0, client.pictureSizesAsked) << markup;
                const std::vector<std::string> again = LaidOut();
                Format(markup, width);
                EXPECT_EQ(LaidOut(), again) << markup << " at " << width;
            }
        }
    }
    // The item link keeps the colour that the client gave when the text was parsed.
    Format(markups[0], 500.0f);
    ZuGUI::TextParser::LayOutDocument(*doc, view, 200.0f);
    std::vector<CEGUI::argb_t> linkColours;
    for (const ZuGUI::ITextBlock* block : Blocks())
    {
        auto* command = const_cast<ZuGUI::ITextBlock*>(block)->AsCmdText();
        if (command && command->GetCommandKind() == ZuGUI::TextBlocks::kItemName)
            linkColours.push_back(command->GetColorPair().text);
    }
    EXPECT_THAT(linkColours, Each(0xFF3366FFu));
    EXPECT_THAT(linkColours, Not(IsEmpty()));
}

// Broken between words, a text is laid out without its line break opportunities as far as
// its lines fit, and the result is the one that finding them first gives.
TEST_F(TextStagesTest, LineBreaksAreFoundOnlyForTextThatNeedsThemAndChangeNothing)
{
    const struct
    {
        const char* markup;
        float width;
        bool needsBreaks;
    } cases[] = {
        {"{N Alice}: a short line", 300.0f, false},
        {"{N Alice}: {T gold:has found something rare in the ruins}", 120.0f, true},
        {"line one\nline two\n{P 1:2} and more", 300.0f, false},
        {"a link {I 7:[Sword]}{{?}} with glued text after it", 90.0f, true},
        {"{N Alice}{{?}} fits", 300.0f, false},
        {"averyveryverylongwordthatdoesnotfit and more", 60.0f, true},
        {"x\u0301x\u0301x\u0301x\u0301x\u0301x\u0301x\u0301x\u0301", 25.0f, true},
    };
    view.lineBreak = LineBreakMode::Word;
    for (const auto& check : cases)
    {
        SCOPED_TRACE(check.markup);
        const CEGUI::String markup(reinterpret_cast<const CEGUI::utf8*>(check.markup));
        Format(markup, check.width);
        EXPECT_EQ(check.needsBreaks, Doc().HasShownBreakFlags(ZuGUI::Breaks::kLineBreakBefore));
        const std::vector<std::string> onlyIfNeeded = LaidOut();
        Doc().ShownBreakFlags(view.text,
                              ZuGUI::Breaks::kLineBreakBefore | ZuGUI::Breaks::kClusterStart);
        ZuGUI::TextParser::LayOutDocument(*doc, view, check.width);
        EXPECT_EQ(LaidOut(), onlyIfNeeded);
    }
}
} // namespace
