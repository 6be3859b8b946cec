// A document without a window: parsed and resolved once, laid out at any width, painted into
// any geometry buffer, pressed and hovered through its client and host.
#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/document/TextDocument.h"

#include <gmock/gmock.h>

#include <memory>

namespace
{
using testing::ElementsAre;
using ZuGUI::RichText::CTextDocument;
using ZuGUI::RichText::TextLook;

class TextDocumentTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        client.pictures.Add(1, 2, 16, 16);
        view.client = &client;
        look = FontLook();
    }

    ZuTest::RecordingRichTextClient client;
    std::shared_ptr<const TextLook> look;
};

TEST_F(TextDocumentTest, IsParsedOnceAndLaidOutAtAnyWidthAsAViewLaysItOut)
{
    const CEGUI::String markup = "{N Alice}: found {I 7:[Sword of Dawn]} {P 1:2} in the ruins "
                                 "beneath the old keep, and more";
    CTextDocument document(markup, look, client);
    const std::vector<std::string> asked = client.lines;
    for (const float width : {300.0f, 90.0f, 140.0f})
    {
        document.LayOut(width);
        Format(markup, width);
        EXPECT_EQ(Doc().GetHeight(), document.GetHeight()) << width;
        EXPECT_EQ(Doc().GetText(view), document.GetText()) << width;
        EXPECT_TRUE(document.IsLaidOutAt(width));
    }
    // The fixture's view asked again for each format; the document only when it was made.
    EXPECT_THAT(asked, ElementsAre("colour 7"));
    EXPECT_EQ(4, client.pictureSizesAsked);
}

TEST_F(TextDocumentTest, PaintsOnlyIntoTheGivenBufferAndOnlyTheLinesInSight)
{
    CEGUI::String markup;
    for (int i = 0; i < 20; ++i)
        markup += "line of text\n";
    CTextDocument document(markup, look, client);
    document.LayOut(kWidth);
    ZuTest::RecordingGeometry all;
    ZuTest::RecordingGeometry firstLine;
    // A text area as tall as the document: nothing is cut by it.
    const CEGUI::Rectf area(0, 0, kWidth, document.GetHeight());
    document.Paint(all, area, area);
    document.Paint(firstLine, CEGUI::Rectf(0, 0, kWidth, LineHeight() / 2), area);
    EXPECT_GT(firstLine.Vertices().size(), 0u);
    EXPECT_EQ(all.Vertices().size(), 20 * firstLine.Vertices().size());
    EXPECT_TRUE(view.geometry.Vertices().empty());
}

TEST_F(TextDocumentTest, PressesAndItemReferencesGoToItsClient)
{
    client.tracksItemRefs = true;
    {
        CTextDocument document("{N Alice} {I 31:[x]}", look, client);
        document.LayOut(kWidth);
        const CEGUI::Vector2f onName(Extent("Alice") / 2, LineHeight() / 2);
        EXPECT_TRUE(document.OnMouseButton(onName, CEGUI::LeftButton, true));
        EXPECT_FALSE(document.OnMouseButton(CEGUI::Vector2f(kWidth - 1, LineHeight() / 2),
                                            CEGUI::LeftButton, true));
    }
    EXPECT_THAT(client.lines, ElementsAre("colour 31", "add 31", "press 1 'Alice' 'Alice' 0",
                                          "cursor", "release 31"));
}

TEST_F(TextDocumentTest, DocumentsShareALookAndLayOutAgainOnlyWhenItChanges)
{
    const CEGUI::String markup = "a text long enough to take two lines or more at this width";
    CTextDocument first(markup, look, client);
    CTextDocument second(markup, look, client);
    first.LayOut(150.0f);
    second.LayOut(150.0f);
    const auto secondLineLeft = [](const CTextDocument& document)
    {
        const auto& lines =
            static_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(document.GetDoc()).GetLines();
        return lines.at(1)->GetArea().left();
    };
    EXPECT_EQ(0.0f, secondLineLeft(first));

    second.SetLook(look);
    EXPECT_TRUE(second.IsLaidOutAt(150.0f));
    second.SetLook(FontLook(20));
    EXPECT_FALSE(second.IsLaidOutAt(150.0f));
    second.LayOut(150.0f);
    EXPECT_EQ(20.0f, secondLineLeft(second));
    EXPECT_EQ(0.0f, secondLineLeft(first));
}

TEST_F(TextDocumentTest, WithoutAFontOrALookNothingIsLaidOut)
{
    CTextDocument document("some text", nullptr, client);
    document.LayOut(kWidth);
    EXPECT_EQ(0.0f, document.GetHeight());
    EXPECT_EQ("", document.GetText());
}
} // namespace
