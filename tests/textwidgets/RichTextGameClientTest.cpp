// Rich text laid out for the module's game client: the colours, pictures, item references,
// presses and positions that the engine's questions and reports become for the host.
#include "support/HostRichTextFixture.h"
#include "support/RecordingHost.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <memory>
#include <set>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuTest::RecordingHost;
using namespace ZuGUI::TextBlocks;

class TextParserTest : public ZuTest::HostRichTextTest
{
protected:
    static constexpr CEGUI::argb_t kGreen = 0xFF00FF00; // the fixture's command colour
};

using RichTextDocTest = ZuTest::HostRichTextTest;
using RichTextRenderTest = ZuTest::HostRichTextTest;

TEST_F(TextParserTest, ItemLinksNeedAn32BitUnsignedIdAndAreColouredOncePerText)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    host.scriptInts["item_color"] = static_cast<int>(0xFFA335EEu);
    host.ClearCalls();

    const struct
    {
        const char* tag;
        bool link;
    } items[] = {{"{I 0x1F:Sword}", true},
                 {"{I 31:Sword}", true},
                 {"{I 4294967295:Max}", true},
                 {"{I 'A:Axe}", false},
                 {"{I -5:Bow}", false},
                 {"{I 12abc:Cap}", false},
                 {"{I 99999999999999999999:Big}", false},
                 {"{I Bare}", false},
                 {"{I :Empty}", false},
                 // A name that draws nothing makes no link; one mark is enough.
                 {"{I 8:\u200B}", false},
                 {"{I 8:\u200E\u2060\uFEFF}", false},
                 {"{I 8:   }", false},
                 {"{I 8:\u3164\uFE0F}", false},
                 {"{I 9:\u200Bx}", true}};
    CEGUI::String markup;
    for (const auto& item : items)
        markup += CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(item.tag));
    Format(markup, 2000.0f);
    ASSERT_EQ(std::size(items), Blocks().size());
    for (std::size_t i = 0; i < std::size(items); ++i)
    {
        auto* block = const_cast<ZuGUI::ITextBlock*>(Blocks()[i]);
        EXPECT_EQ(items[i].link, block->AsCmdText() != nullptr) << items[i].tag;
        if (!items[i].link)
        {
            EXPECT_EQ(0xFFFFFFFFu, PlainAt(i).GetColorPair().text) << items[i].tag;
        }
    }
    // Item 31 is written twice, yet the client is asked for its colour once.
    EXPECT_THAT(host.CallLines("CallScriptRetInt"),
                ElementsAre("CallScriptRetInt(\"item_color\", 31)",
                            "CallScriptRetInt(\"item_color\", -1)",
                            "CallScriptRetInt(\"item_color\", 9)"));
    EXPECT_EQ("0x1F", CommandOf(CommandAt(0)));
    EXPECT_EQ(0xFFA335EEu, CommandAt(0).GetColorPair().text);
    EXPECT_EQ(0xFF000000u, CommandAt(0).GetColorPair().second);
    EXPECT_EQ((std::set<int>{-1, 9, 31}), Doc().GetHeldItemRefs());

    // A colour of 0 leaves the click colours; a new text asks again.
    host.scriptInts["item_color"] = 0;
    Format("{I 7:Gem}");
    EXPECT_EQ(kGreen, CommandAt(0).GetColorPair().text);
}

TEST_F(RichTextDocTest, ItemReferencesAreCountedOncePerItemAcrossParses)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    Format("{I 9:y}{I 7:x}{I 7:x}");
    EXPECT_THAT(host.CallLines("CallScript"),
                ElementsAre("CallScript(\"gFn_chatItem_add_ref\", 7)",
                            "CallScript(\"gFn_chatItem_add_ref\", 9)"));
    host.ClearCalls();
    Format("{I 5:a}{I 5:b}{I 7:c}");
    EXPECT_THAT(host.CallLines("CallScript"),
                ElementsAre("CallScript(\"gFn_chatItem_add_ref\", 5)",
                            "CallScript(\"gFn_chatItem_release_ref\", 9)"));
    host.ClearCalls();
    Format("{I 5:a}{I 7:c}");
    EXPECT_THAT(host.CallLines("CallScript"), IsEmpty());
}

TEST_F(RichTextDocTest, AClientIsOnlyReleasedWhatItWasTold)
{
    Format("{I 1:a}");
    Format("{I 2:a}");
    EXPECT_EQ(std::set<int>{2}, Doc().GetItemRefs());
    EXPECT_THAT(Doc().GetHeldItemRefs(), IsEmpty());

    // A client set later was never told of item 2: destroying the document releases nothing.
    RecordingHost host;
    auto scoped = std::make_unique<ZuTest::ScopedHost>(&host);
    host.ClearCalls();
    doc.reset();
    EXPECT_THAT(host.CallLines(), IsEmpty());

    // An item the client was told of stays held while no client can be told otherwise, and is
    // settled by the next parse with a client.
    doc = ZuGUI::TextParser::MakeDoc(Parsers());
    Format("{I 3:a}");
    scoped.reset();
    Format("{I 2:a}");
    EXPECT_EQ(std::set<int>{3}, Doc().GetHeldItemRefs());
    scoped = std::make_unique<ZuTest::ScopedHost>(&host);
    host.ClearCalls();
    Format("{I 2:a}");
    EXPECT_THAT(host.CallLines("CallScript"),
                ElementsAre("CallScript(\"gFn_chatItem_add_ref\", 2)",
                            "CallScript(\"gFn_chatItem_release_ref\", 3)"));
}

TEST_F(RichTextDocTest, DestroyingADocumentReleasesItsItemsOnce)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    Format("{I 9:a}{I 3:b}");
    host.ClearCalls();
    doc.reset();
    EXPECT_THAT(host.CallLines(), ElementsAre("CallScript(\"gFn_chatItem_release_ref\", 3)",
                                              "CallScript(\"gFn_chatItem_release_ref\", 9)"));
}

TEST_F(RichTextDocTest, DestroyingADocumentMidParseReleasesOnlyWhatTheClientWasTold)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    Format("{I 4:a}");
    view.text = "{I 6:b}";
    doc->SetParagraph(Parsers().Parse(view.text));
    doc->BeginParse(view);
    doc->BeginParse(view); // a restarted layout keeps what the client was told
    host.ClearCalls();
    doc.reset();
    EXPECT_THAT(host.CallLines(), ElementsAre("CallScript(\"gFn_chatItem_release_ref\", 4)"));
}

TEST_F(RichTextRenderTest, PicturesGoToTheViewsRendererWithTheProxyIdAskedOnce)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    host.ReplyWith("GameCreatureProvider",
                   [](KeyValues& reply) { reply.SetInt("CreatureId", 77); });
    pictures.Add(1, 2, 16, 16);
    Format("ab{P 1:2}");
    host.ClearCalls();
    Render(CEGUI::Rectf(5, 0, 305, 200));
    Render(kAll);
    EXPECT_THAT(host.CallLines("Query"),
                ElementsAre("Query(GameCreatureProvider{WhichOne=\"Picture\"})"));
    ASSERT_EQ(2u, view.pictureSink.pictures.size());
    const ZuGUI::PictureRequest& picture = view.pictureSink.pictures[0];
    EXPECT_EQ(77u, picture.proxyId);
    EXPECT_EQ((1u << 16) | 2u, picture.param);
    EXPECT_FLOAT_EQ(kArea.left() + Extent("ab") - 5, picture.offsetX);
    EXPECT_FLOAT_EQ(kArea.top(), picture.offsetY);
    ASSERT_TRUE(view.pictureSink.clippers[0].has_value());
    EXPECT_EQ(kArea, *view.pictureSink.clippers[0]);
}

TEST_F(RichTextRenderTest, HoveredCommandTextIsHighlightedAndReportsItsCentre)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    view.hoverBrush = &CEGUI::ImageManager::getSingleton().get("TaharezLook/GenericBrush");
    Format("{C go:W}{C W}");
    const CEGUI::Rectf w = Blocks()[0]->GetArea();
    doc->OnMouseMove(view, CEGUI::Vector2f(w.left() + 1, w.top() + 1), CEGUI::NoButton, false);
    host.ClearCalls();
    Render(kAll);
    // The highlight first, then the text in the hover text colour; the unhovered command in
    // the command colour.
    EXPECT_THAT(DrawnColours(), ElementsAre(0x80FFFFFFu, 0xFFFFFF00u, 0xFF00FF00u));
    // Only the block with a command reports where it is.
    EXPECT_THAT(host.CallLines(),
                ElementsAre("ReportCmdTextPos(\"go\", \"TestView\", 0, " +
                            std::to_string(int(kArea.left() + w.getWidth() / 2)) + ", " +
                            std::to_string(int(kArea.top() + w.getHeight() / 2)) + ")"));
}
} // namespace
