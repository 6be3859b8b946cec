// Right-to-left text laid out and drawn: lines in display order, right-to-left paragraphs
// aligned right, Arabic joined, brackets mirrored; presses, selection and copies on the visual
// pieces; direction controls kept inside their paragraph and out of clickable text.
#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/TextSelection.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAreArray;
using ZuGUI::ITextBlock;
using ZuGUI::Bidi::Direction;
using ZuGUI::TextBlocks::CTextLine;

CEGUI::String Text(const std::u32string& text)
{
    CEGUI::String out;
    for (const char32_t c : text)
        out += static_cast<CEGUI::utf32>(c);
    return out;
}

std::u32string U32(const CEGUI::String& text)
{
    return std::u32string(text.ptr(), text.ptr() + text.length());
}

class BidiLayoutTest : public ZuTest::RichTextTest
{
protected:
    void Format(const std::u32string& markup, Direction direction = Direction::Auto,
                float width = kWidth)
    {
        view.direction = direction;
        RichTextTest::Format(Text(markup), width);
    }

    // The line's text blocks from left to right.
    static std::vector<ITextBlock*> LeftToRight(const CTextLine& line)
    {
        std::vector<ITextBlock*> blocks;
        for (const std::unique_ptr<ITextBlock>& block : line.GetBlocks())
            blocks.push_back(block.get());
        std::stable_sort(blocks.begin(), blocks.end(),
                         [](ITextBlock* a, ITextBlock* b)
                         { return a->GetArea().left() < b->GetArea().left(); });
        return blocks;
    }

    // What each line draws, left to right, line feeds left out.
    std::vector<std::u32string> DrawnLines() const
    {
        std::vector<std::u32string> lines;
        for (const auto& line : Lines())
        {
            std::u32string drawn;
            for (ITextBlock* block : LeftToRight(*line))
            {
                if (auto* text = block->AsPlainText())
                    drawn += U32(text->GetDrawnText(view));
            }
            drawn.erase(std::remove(drawn.begin(), drawn.end(), U'\n'), drawn.end());
            lines.push_back(drawn);
        }
        return lines;
    }

    // The right edge of the line's rightmost block.
    static float RightEdge(const CTextLine& line)
    {
        float right = 0.0f;
        for (const std::unique_ptr<ITextBlock>& block : line.GetBlocks())
            right = std::max(right, block->GetArea().right());
        return right;
    }

    // The first command block that presses `command`.
    const ZuGUI::TextBlocks::CCmdText* CommandBlock(const std::string& command) const
    {
        for (const ITextBlock* block : Blocks())
        {
            const auto* text = const_cast<ITextBlock*>(block)->AsCmdText();
            if (text && CommandOf(*text) == command)
                return text;
        }
        return nullptr;
    }
};

TEST_F(BidiLayoutTest, LinesShowInDisplayOrderAndRightToLeftParagraphsAlignRight)
{
    struct Case
    {
        const char* name;
        std::u32string markup;
        Direction direction;
        std::vector<std::u32string> drawn;
        std::vector<bool> alignedRight;
    };
    const Case cases[] = {
        {"Hebrew reads right to left", U"שלום עולם", Direction::Auto, {U"םלוע םולש"}, {true}},
        {"a Latin name, then Hebrew with a number",
         U"Alice: שלום 42",
         Direction::Auto,
         {U"Alice: 42 םולש"},
         {false}},
        {"brackets mirror where they show right to left",
         U"שלום (42)",
         Direction::Auto,
         {U"(42) םולש"},
         {true}},
        {"Arabic letters join, the lam and alef in one ligature",
         U"سلام",
         Direction::Auto,
         {U"\uFEE1\uFEFC\uFEB3"},
         {true}},
        {"each paragraph finds its own direction",
         U"abc\nשלום",
         Direction::Auto,
         {U"abc", U"םולש"},
         {false, true}},
        {"a given left-to-right direction", U"שלום", Direction::LeftToRight, {U"םולש"}, {false}},
        {"a given right-to-left direction", U"abc", Direction::RightToLeft, {U"abc"}, {true}},
        {"Latin alone is left as it is", U"abc (d)", Direction::Auto, {U"abc (d)"}, {false}},
    };
    for (const Case& c : cases)
    {
        Format(c.markup, c.direction);
        EXPECT_THAT(DrawnLines(), ElementsAreArray(c.drawn)) << c.name;
        ASSERT_EQ(c.alignedRight.size(), Lines().size()) << c.name;
        for (std::size_t i = 0; i < Lines().size(); ++i)
        {
            const bool atRight = RightEdge(*Lines()[i]) == kWidth;
            EXPECT_EQ(c.alignedRight[i], atRight) << c.name << ", line " << i;
        }
    }
}

TEST_F(BidiLayoutTest, JoinedLettersAreMeasuredAsTheyAreDrawn)
{
    Format(U"سلام");
    const CEGUI::String drawn = Blocks()[0]->GetText(view);
    EXPECT_FLOAT_EQ(Extent(Text(U"\uFEB3\uFEFC\uFEE1")), Blocks()[0]->GetArea().getWidth());
    EXPECT_NE(Extent(drawn), Blocks()[0]->GetArea().getWidth());
}

TEST_F(BidiLayoutTest, PressesAndHoverFollowTheVisualPieces)
{
    Format(U"שלום {N Alice} עולם");
    const auto* alice = CommandBlock("Alice");
    ASSERT_NE(nullptr, alice);
    // The name shows between the two words, the first of them at the right.
    const std::vector<ITextBlock*> shown = LeftToRight(*Lines()[0]);
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ(alice, shown[1]);
    const CEGUI::Rectf area = alice->GetArea();
    const CEGUI::Vector2f centre((area.left() + area.right()) / 2, area.getHeight() / 2);
    doc->OnMouseMove(view, centre, CEGUI::NoButton, false);
    EXPECT_TRUE(alice->IsHovered());
    EXPECT_TRUE(doc->OnMouseButton(view, centre, CEGUI::LeftButton, true));
    EXPECT_THAT(view.testClient.lines, ::testing::Contains("press 1 'Alice' 'Alice' 0"));
}

TEST_F(BidiLayoutTest, ControlsReorderNeitherClickableTextNorOtherParagraphs)
{
    struct Case
    {
        const char* name;
        std::u32string markup;
        std::u32string drawnName;
    };
    const std::u32string deepEmbeddings(200, U'\u202B');
    const Case cases[] = {
        {"an override before a name", U"\u202Eabc {N Alice} def", U"Alice"},
        {"an override inside a name does nothing", U"{N Al\u202Eice}", U"Alice"},
        {"an isolate inside a name does nothing", U"{N Al\u2067ice}", U"Alice"},
        {"embeddings nested past the limit", deepEmbeddings + U"\u202E{N Alice}", U"Alice"},
    };
    for (const Case& c : cases)
    {
        Format(c.markup);
        const ITextBlock* name = nullptr;
        for (const ITextBlock* block : Blocks())
        {
            if (const_cast<ITextBlock*>(block)->AsCmdText())
                name = block;
        }
        ASSERT_NE(nullptr, name) << c.name;
        EXPECT_EQ(c.drawnName,
                  U32(const_cast<ITextBlock*>(name)->AsPlainText()->GetDrawnText(view)))
            << c.name;
    }
    // An override ends with its paragraph.
    Format(U"\u202Eabc\ndef");
    EXPECT_THAT(DrawnLines(), ElementsAreArray({std::u32string(U"cba"), std::u32string(U"def")}));
}

TEST_F(BidiLayoutTest, SelectionIsLogicalAndDrawnOverTheVisualPieces)
{
    namespace Selection = ZuGUI::TextSelection;
    const std::u32string text = U"שלום abc";
    Format(text);
    // The first word is at the right edge, the Latin word at the left.
    const Selection::Range firstWord{0, 4};
    std::vector<CEGUI::Rectf> rects;
    Selection::AppendSelectedRects(view, Doc(), firstWord, kAll, rects);
    ASSERT_EQ(1u, rects.size());
    EXPECT_FLOAT_EQ(kWidth, rects[0].right());
    EXPECT_FLOAT_EQ(kWidth - Extent(Text(U"שלום")), rects[0].left());

    // A point just inside the right edge is the start of the text, just inside the left edge
    // of the Latin word is its start.
    const float middle = LineHeight() / 2;
    EXPECT_EQ(0u, Selection::IndexAt(view, Doc(), CEGUI::Vector2f(kWidth - 1, middle)));
    const float latinLeft = kWidth - Extent(Text(text));
    EXPECT_EQ(5u, Selection::IndexAt(view, Doc(), CEGUI::Vector2f(latinLeft + 1, middle)));
    // Beyond the left end of the line: the boundary shown there, the Latin word's start.
    EXPECT_EQ(5u, Selection::IndexAt(view, Doc(), CEGUI::Vector2f(1, middle)));

    // A selection across both words is a rectangle on each (the unselected "c" between them),
    // and copies in the order of the text.
    rects.clear();
    Selection::AppendSelectedRects(view, Doc(), Selection::Range{2, 7}, kAll, rects);
    EXPECT_EQ(2u, rects.size());
    std::vector<CEGUI::utf32> copied;
    std::vector<Selection::CopiedLink> links;
    Selection::AppendSelectedText(view, Doc(), Selection::Range{2, 7}, copied, links);
    EXPECT_EQ(text.substr(2, 5), std::u32string(copied.begin(), copied.end()));
}

TEST_F(BidiLayoutTest, BeyondARightToLeftLineIsItsStartAtTheRightAndItsEndAtTheLeft)
{
    const std::u32string text = U"שלום עולם";
    Format(text);
    const float middle = LineHeight() / 2;
    EXPECT_EQ(0u, ZuGUI::TextSelection::IndexAt(view, Doc(), CEGUI::Vector2f(kWidth + 5, middle)));
    EXPECT_EQ(text.size(), ZuGUI::TextSelection::IndexAt(view, Doc(), CEGUI::Vector2f(1, middle)));
}

TEST_F(BidiLayoutTest, RightToLeftLineFeedsFoldAsLeftToRightOnesDo)
{
    Format(std::u32string(1000, U'\n'), Direction::RightToLeft);
    EXPECT_LT(Lines().size(), 4u);
}
} // namespace

namespace
{
// A document out of sight (a chat message scrolled away) keeps no display forms; its next
// layout finds them again.
TEST_F(BidiLayoutTest, AReleasedLayoutLetsItsDisplayFormsGo)
{
    Format(U"שלום עולם");
    ASSERT_NE(nullptr, Doc().GetDisplayForms());
    doc->ReleaseLayout();
    EXPECT_EQ(nullptr, Doc().GetDisplayForms());
    ZuGUI::TextParser::LayOutDocument(*doc, view, kWidth);
    EXPECT_THAT(DrawnLines(), ElementsAreArray({std::u32string(U"םלוע םולש")}));
}
} // namespace
