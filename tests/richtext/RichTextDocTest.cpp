#include "support/text/RichTextFixture.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <memory>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace ZuGUI::TextBlocks;
using ZuGUI::TextParser::CColorPropertyManager;

class RichTextDocTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        ZuGUI::TextParser::CColorPropertyManager::Instance().RegisterColorByString(
            "red", "FFFF0000", "FF000000");
    }

    // (set, index) of each line's background, (0, 0) for none.
    std::vector<std::pair<int, int>> Backgrounds() const
    {
        std::vector<std::pair<int, int>> backgrounds;
        for (const auto& line : Lines())
        {
            const CPictureBlock* picture = line->GetBackground();
            backgrounds.emplace_back(picture ? picture->set : 0, picture ? picture->index : 0);
        }
        return backgrounds;
    }

    ZuTest::TestPictures& pictures = view.testClient.pictures;
};

TEST_F(RichTextDocTest, EmptyDocumentHasNoSize)
{
    Format("", 120.0f);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(0.0f, Doc().GetHeight());
    EXPECT_EQ(0.0f, Doc().GetContentWidth());
    EXPECT_EQ(CEGUI::Rectf(0, 0, 120, 0), Doc().GetDocRect());
    EXPECT_EQ("", std::string(Doc().GetText(view).c_str()));
}

TEST_F(RichTextDocTest, ContentWidthIsTheWidestLine)
{
    Format("ab\nabcdef\nabc");
    EXPECT_FLOAT_EQ(Extent("abcdef"), Doc().GetContentWidth());
    EXPECT_FLOAT_EQ(3 * LineHeight(), Doc().GetDocRect().bottom());
}

TEST_F(RichTextDocTest, LineBackgroundsGoBehindTheCurrentAndLaterLines)
{
    Format("a{Bg 3:5}\nb\nc{Bg 0:0}\nd");
    using P = std::pair<int, int>;
    EXPECT_THAT(Backgrounds(), ElementsAre(P{3, 5}, P{3, 5}, P{3, 5}, P{0, 0}));

    // A set without an index is not put behind the current line, only behind new ones.
    Format("a{Bg 3:0}\nb");
    EXPECT_THAT(Backgrounds(), ElementsAre(P{0, 0}, P{3, 0}));

    // Clear forgets the background.
    Format("a\nb");
    EXPECT_THAT(Backgrounds(), ElementsAre(P{0, 0}, P{0, 0}));
}

TEST_F(RichTextDocTest, TallBackgroundMakesTheLineAsTallAsThePicture)
{
    pictures.Add(3, 5, 50, static_cast<unsigned>(LineHeight()) + 10);
    Format("{Bg 3:5}a\nb");
    const float tall = static_cast<float>(static_cast<unsigned>(LineHeight()) + 10);
    EXPECT_FLOAT_EQ(tall, Lines()[0]->GetArea().getHeight());
    EXPECT_EQ(Lines()[0]->GetArea(), Lines()[0]->GetBackground()->GetArea());
    EXPECT_FLOAT_EQ(tall, Lines()[1]->GetArea().top());
    EXPECT_FLOAT_EQ(2 * tall, Doc().GetHeight());
}

TEST_F(RichTextDocTest, GetTextLeavesOutMarkupAndPicturesButKeepsLineFeeds)
{
    Format("{T red:ab}c{P 1:2}\n{C go:d}");
    EXPECT_EQ("abc\nd", std::string(Doc().GetText(view).c_str()));
    // Blocks read the view's current text; a shorter text cuts them instead of failing.
    view.text = "{T red:a";
    EXPECT_EQ("a", std::string(Doc().GetText(view).c_str()));
}

TEST_F(RichTextDocTest, PressesHitBlocksStrictlyInside)
{
    Format("ab{T red:cd}\nef");
    const CEGUI::Rectf cd = Blocks()[1]->GetArea();
    const float midY = (cd.top() + cd.bottom()) / 2;
    const auto press = [&](float x, float y)
    { return doc->OnMouseButton(view, CEGUI::Vector2f(x, y), CEGUI::LeftButton, true); };

    EXPECT_TRUE(press(cd.left() + 1, midY));
    EXPECT_TRUE(Blocks()[1]->IsPressed());
    EXPECT_FALSE(press(cd.left() + 1, cd.top()));             // top edge
    EXPECT_FALSE(press(Blocks()[0]->GetArea().left(), midY)); // left edge of the line
    EXPECT_FALSE(press(cd.right() + 5, midY));                // right of every block
    EXPECT_TRUE(press(1, LineHeight() + midY));               // second line
    doc->OnMouseButton(view, CEGUI::Vector2f(cd.left() + 1, midY), CEGUI::LeftButton, false);
    EXPECT_FALSE(Blocks()[1]->IsPressed());
}

TEST_F(RichTextDocTest, ARunOfLineFeedsTakesOneLineYetLaysOutAsALinePerLineFeed)
{
    struct Case
    {
        const char* name;
        const char* markup;
        int indent1stLine;
        std::size_t lines; // in the document
        // What each line of the page shows: text, a line feed only, or nothing.
        const char* rows;
        const char* text;
    };
    const Case cases[] = {
        {"a run between words", "a\n\n\n\nb", 0, 3, "TLLLT", "a\n\n\n\nb"},
        {"only line feeds", "\n\n\n", 0, 2, "LLL", "\n\n\n"},
        {"in another colour a run of its own", "a\n\n{T red:\n\n}b", 0, 4, "TLLLT", "a\n\n\n\nb"},
        {"command text keeps a line each", "{C go:\n\n\n}x", 0, 4, "LLLT", "\n\n\nx"},
        {"lines with a background keep a line each", "{Bg 3:5}\n\n\nx", 0, 4, "LLLT", "\n\n\nx"},
        {"the first line's indent apart", "\n\n\nx", 5, 3, "LLLT", "\n\n\nx"},
        {"single line feeds", "a\nb\n\nc", 0, 4, "TTLT", "a\nb\n\nc"},
    };
    // Cases are laid out one after another into the same document, reusing its lines.
    for (const Case& test : cases)
    {
        view.indent1stLine = test.indent1stLine;
        Format(test.markup);
        EXPECT_EQ(test.lines, Lines().size()) << test.name;
        const std::string rows = test.rows;
        EXPECT_FLOAT_EQ(rows.size() * LineHeight(), Doc().GetHeight()) << test.name;
        EXPECT_EQ(test.text, std::string(Doc().GetText(view).c_str())) << test.name;
        // A press just inside each line's start hits what that line shows there.
        for (std::size_t row = 0; row < rows.size(); ++row)
        {
            const float x = (row == 0 ? test.indent1stLine : 0) + 1.0f;
            const bool shown = rows[row] == 'T' || (rows[row] == 'L' && Extent("\n") > 1.0f);
            const CEGUI::Vector2f point(x, (row + 0.5f) * LineHeight());
            EXPECT_EQ(shown, doc->OnMouseButton(view, point, CEGUI::LeftButton, true))
                << test.name << ", line " << row;
        }
    }
}

TEST_F(RichTextDocTest, HoverFollowsThePointerWhileTheViewContainsTheMouse)
{
    Format("ab{C go:cd}");
    const CEGUI::Rectf cd = Blocks()[1]->GetArea();
    const CEGUI::Vector2f inside(cd.left() + 2, (cd.top() + cd.bottom()) / 2);
    doc->OnMouseMove(view, inside, CEGUI::NoButton, false);
    EXPECT_TRUE(Blocks()[1]->IsHovered());
    EXPECT_FALSE(Blocks()[0]->IsHovered());
    doc->OnMouseMove(view, inside + CEGUI::Vector2f(1, 0), CEGUI::NoButton, false);
    EXPECT_EQ(1, view.redraws);
    EXPECT_EQ(0xFFFFFF00u, CommandAt(1).GetColour());

    view.containsMouse = false;
    doc->OnMouseMove(view, inside, CEGUI::NoButton, false);
    EXPECT_FALSE(Blocks()[1]->IsHovered());
    EXPECT_EQ(2, view.redraws);
    EXPECT_EQ(0xFF00FF00u, CommandAt(1).GetColour());
}

TEST_F(RichTextDocTest, ALayoutAfterAnotherStartsFromFreshLines)
{
    Format("{Bg 3:5}ab{C go:cd}\nx\ny");
    const CEGUI::Rectf cd = Blocks()[1]->GetArea();
    doc->OnMouseButton(view, CEGUI::Vector2f(cd.left() + 2, cd.top() + 2), CEGUI::LeftButton, true);
    ASSERT_TRUE(Lines()[0]->IsPressed());

    Format("z");
    ASSERT_EQ(1u, Lines().size());
    EXPECT_FALSE(Lines()[0]->IsPressed());
    EXPECT_EQ(nullptr, Lines()[0]->GetBackground());
    EXPECT_EQ(CEGUI::Rectf(0, 0, Extent("z"), LineHeight()), Lines()[0]->GetArea());
    EXPECT_THAT(LineTexts(), ElementsAre(std::vector<std::string>{"z"}));
}

using RichTextRenderTest = RichTextDocTest;

TEST_F(RichTextRenderTest, TextIsDrawnInItsColourAtItsPlaceInTheTextArea)
{
    Format("{T red:W}");
    Render(kAll);
    ASSERT_FALSE(view.geometry.Vertices().empty());
    EXPECT_THAT(DrawnColours(), ElementsAre(0xFFFF0000u));
    float left = 1e9f;
    for (const CEGUI::Vertex& vertex : view.geometry.Vertices())
        left = std::min(left, vertex.position.d_x);
    EXPECT_NEAR(kArea.left(), left, 2.0f);

    // Scrolled so that the line lies outside: nothing is drawn.
    view.geometry.reset();
    Render(CEGUI::Rectf(0, LineHeight() + 1, 300, 200));
    EXPECT_TRUE(view.geometry.Vertices().empty());
}

TEST_F(RichTextRenderTest, OnlyTheLinesThatMeetTheVisiblePartAreDrawn)
{
    // Ten lines, each in a colour of its own: the colours drawn tell the lines drawn.
    CColorPropertyManager& colours = CColorPropertyManager::Instance();
    CEGUI::String markup;
    for (int i = 0; i < 10; ++i)
    {
        const std::string name = "line" + std::to_string(i);
        colours.RegisterColorByString(name.c_str(), ("FF0000" + std::to_string(10 + i)).c_str(),
                                      "FF000000");
        markup += "{T " + name + ":text}\n";
    }
    Format(markup);
    const float h = LineHeight();
    const auto topOf = [this](int line) { return Lines()[line]->GetArea().top(); };
    const struct
    {
        float top;
        float bottom;
        std::vector<int> lines;
    } cases[] = {
        {0, h * 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {topOf(3) + 1, topOf(5) - 1, {3, 4}},
        // The line that ends where the visible part starts lies outside the text area; the one
        // that starts where it ends is drawn below it, inside the area.
        {topOf(3), topOf(4), {3, 4}},
        {topOf(9) + 1, h * 20, {9}},
        {h * 11, h * 20, {}},
        {-h * 5, -1, {}},
    };
    for (const auto& check : cases)
    {
        view.geometry.reset();
        Render(CEGUI::Rectf(0, check.top, 300, check.bottom));
        std::vector<CEGUI::argb_t> expected;
        for (const int line : check.lines)
            expected.push_back(0xFF000000u + std::stoul(std::to_string(10 + line), nullptr, 16));
        EXPECT_EQ(expected, DrawnColours()) << check.top << " to " << check.bottom;
    }
}

TEST_F(RichTextRenderTest, AViewThatCannotShowPicturesStillShowsItsText)
{
    pictures.Add(1, 2, 16, 16);
    view.showsPictures = false;
    Format("{P 1:2}ab");
    Render(kAll);
    EXPECT_FALSE(view.geometry.Vertices().empty());
}

TEST_F(RichTextRenderTest, LineBackgroundIsCentredOnATallerAreaAfterTheBlocks)
{
    const float tall = kArea.getHeight() + 40;
    pictures.Add(3, 5, 50, static_cast<unsigned>(tall));
    pictures.Add(1, 2, 16, 16);
    Format("{Bg 3:5}{P 1:2}");
    Render(kAll);
    ASSERT_EQ(2u, view.pictureSink.pictures.size());
    EXPECT_EQ((1u << 16) | 2u, view.pictureSink.pictures[0].param);
    EXPECT_EQ((3u << 16) | 5u, view.pictureSink.pictures[1].param);
    EXPECT_FLOAT_EQ(kArea.top() - 20, view.pictureSink.pictures[1].offsetY);
    EXPECT_EQ(1u, view.pictureSink.clippers.size()); // the background sets no clipper
}

TEST_F(RichTextRenderTest, WithoutCommandFontCommandTextIsInvisibleYetHighlighted)
{
    view.cmdFont = nullptr;
    view.hoverBrush = &CEGUI::ImageManager::getSingleton().get("TaharezLook/GenericBrush");
    Format("{C go:W}");
    Render(kAll);
    EXPECT_TRUE(view.geometry.Vertices().empty());
    const CEGUI::Rectf w = Blocks()[0]->GetArea();
    doc->OnMouseMove(view, CEGUI::Vector2f(w.left() + 1, w.top() + 1), CEGUI::NoButton, false);
    Render(kAll);
    EXPECT_THAT(DrawnColours(), ElementsAre(0x80FFFFFFu));
    EXPECT_TRUE(doc->OnMouseButton(view, CEGUI::Vector2f(w.left() + 1, w.top() + 1),
                                   CEGUI::LeftButton, true));
}
} // namespace
