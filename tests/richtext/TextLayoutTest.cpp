#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/layout/LayoutPass.h"

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using Line = std::vector<std::string>;

class TextLayoutTest : public ZuTest::RichTextTest
{
protected:
    ZuTest::TestPictures& pictures = view.testClient.pictures;
};

TEST_F(TextLayoutTest, LineFeedsEndLinesAfterTheCharactersBeforeThem)
{
    Format("a\nb");
    EXPECT_THAT(LineTexts(), ElementsAre(Line{"a\n"}, Line{"b"}));
    EXPECT_FLOAT_EQ(LineHeight(), Lines()[1]->GetArea().top());
    EXPECT_FLOAT_EQ(2 * LineHeight(), Doc().GetHeight());

    Format("a\n\n{T b\nc}");
    EXPECT_THAT(LineTexts(), ElementsAre(Line{"a\n"}, Line{"\n"}, Line{"b\n"}, Line{"c"}));
}

TEST_F(TextLayoutTest, BlocksAreMeasuredWithTheFontExtent)
{
    Format("ab\tc{T d}");
    ASSERT_EQ(2u, Blocks().size());
    EXPECT_FLOAT_EQ(Extent("ab") + Extent("\t") + Extent("c"), Blocks()[0]->GetArea().getWidth());
    EXPECT_FLOAT_EQ(Blocks()[0]->GetArea().right(), Blocks()[1]->GetArea().left());
    EXPECT_FLOAT_EQ(LineHeight(), Blocks()[1]->GetArea().getHeight());
}

TEST_F(TextLayoutTest, ATokenThatDoesNotFitMovesWholeToTheNextLine)
{
    // Tabs split tokens: "bbbb" is not broken by characters when the line already has text.
    const float width = Extent("aaaa") + Extent("\t") + Extent("bb");
    Format("aaaa\tbbbb", width);
    EXPECT_THAT(LineTexts(), ElementsAre(Line{"aaaa\t"}, Line{"bbbb"}));
}

TEST_F(TextLayoutTest, LongRunsAreBrokenByCharactersToTheRightEdge)
{
    const CEGUI::String run = "Thequickbrownfoxjumpsoverthelazydog0123456789";
    const float width = Extent(run) / 3.3f;
    Format(run, width);
    ASSERT_GE(Lines().size(), 4u);
    CEGUI::String rest = run;
    for (const ZuGUI::ITextBlock* block : Blocks())
    {
        const auto& text = dynamic_cast<const ZuGUI::TextBlocks::CPlainText&>(*block);
        // Each line takes what CEGUI says fits by advance, and is filled to the width.
        EXPECT_EQ(std::min(rest.length(), Font().getCharAtPixel(rest, width)), text.GetTextCount());
        if (rest.length() > text.GetTextCount())
        {
            EXPECT_FLOAT_EQ(width, text.GetArea().getWidth());
        }
        EXPECT_FLOAT_EQ(0.0f, text.GetArea().left());
        rest = rest.substr(text.GetTextCount());
    }
    EXPECT_EQ("", std::string(rest.c_str()));
    EXPECT_EQ(run, Doc().GetText(view));
}

TEST_F(TextLayoutTest, IndentsPlaceFirstAndFollowingLines)
{
    view.indent1stLine = 20;
    view.indentRestLines = 8;
    const CEGUI::String run = "abcdefghijklmnopqrstuvwxyz";
    const float width = 20.0f + Extent(run) / 2.0f;
    Format(run + "\nx", width);
    ASSERT_GE(Lines().size(), 3u);
    EXPECT_FLOAT_EQ(20.0f, Blocks()[0]->GetArea().left());
    EXPECT_FLOAT_EQ(width - 20.0f, Blocks()[0]->GetArea().getWidth());
    for (std::size_t i = 1; i < Lines().size(); ++i)
        EXPECT_FLOAT_EQ(8.0f, Lines()[i]->GetBlocks().front()->GetArea().left());
}

TEST_F(TextLayoutTest, LineGapSeparatesLines)
{
    view.text = "a\nb";
    doc->SetWidth(kWidth);
    doc->SetLineSpacing(5.0f);
    doc->SetParagraph(Parsers().Parse(view.text));
    doc->BeginParse(view);
    ZuGUI::Layout::LayoutPass(view, *doc).LayOut(doc->GetParagraph());
    doc->EndParse();
    EXPECT_FLOAT_EQ(LineHeight() + 5.0f, Lines()[1]->GetArea().top());
}

TEST_F(TextLayoutTest, ACharacterWiderThanTheLineDropsTheRestOfItsStretchOnly)
{
    const float width = Extent("i") * 2.5f;
    ASSERT_GT(Extent("W"), width);
    Format("{T iiWii}i{T W}", width);
    EXPECT_EQ("iii", std::string(Doc().GetText(view).c_str()));
}

TEST_F(TextLayoutTest, NoTextWithoutWidthButPicturesAreStillPlaced)
{
    pictures.Add(1, 1, 10, 10);
    Format("abc{P 1:1}", 0.0f);
    ASSERT_EQ(1u, Blocks().size());
    EXPECT_NO_THROW(PictureAt(0));
    Format("abc", -5.0f);
    EXPECT_TRUE(Blocks().empty());
}

TEST_F(TextLayoutTest, TallPictureAndTextShareTheLinesBottomEdge)
{
    const unsigned tallPixels = static_cast<unsigned>(2.0f * LineHeight());
    const float tall = static_cast<float>(tallPixels);
    pictures.Add(1, 1, 20, tallPixels);
    Format("ab{P 1:1}c");
    ASSERT_EQ(1u, Lines().size());
    for (const ZuGUI::ITextBlock* block : Blocks())
        EXPECT_FLOAT_EQ(tall, block->GetArea().bottom());
    EXPECT_FLOAT_EQ(tall - LineHeight(), Blocks()[0]->GetArea().top());
    EXPECT_FLOAT_EQ(LineHeight(), Blocks()[0]->GetArea().getHeight());
    EXPECT_FLOAT_EQ(tall, Doc().GetHeight());
}

TEST_F(TextLayoutTest, APictureThatDoesNotFitStartsANewLine)
{
    pictures.Add(1, 1, 40, 10);
    const float width = Extent("abc") + 30.0f;
    ASSERT_GT(width - 40.0f, Extent("d"));
    Format("abc{P 1:1}d", width);
    EXPECT_THAT(LineTexts(), ElementsAre(Line{"abc"}, Line{"", "d"}));
    EXPECT_FLOAT_EQ(0.0f, Blocks()[1]->GetArea().left());
    // A missing picture measures (0, 0).
    Format("abc{P 9:9}d", width);
    EXPECT_TRUE(Blocks()[1]->GetArea().getWidth() == 0.0f &&
                Blocks()[1]->GetArea().getHeight() == 0.0f);
}
} // namespace
