#include "support/CeguiFixture.h"
#include "support/QuadGeometry.h"
#include "support/RecordingHost.h"
#include "support/TestClipboard.h"

#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/ChatEditBox.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <functional>
#include <optional>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuGUI::CGameChatBox;
using ZuGUI::CGameMultiLine;
using ZuTest::RecordingHost;

const char* const kTrade = "{N Alice}: selling {I 31:[Iron Sword]} for 40 gold";

class TextSelectionTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameMultiLineTest");
        ZuTest::LoadTestScheme("GameChatBoxTest");
        ZuTest::LoadTestScheme("EditBoxTest");
        // Presses in a row are single clicks unless a test asks for a double click.
        Context().setMouseClickEventGenerationEnabled(false);
        m_host.scriptStrings["gFn_make_chat_item_text:31"] = "{I 31:[Iron Sword]}";
        MoveTo(CEGUI::Vector2f(0, 0));
        m_desktop.emplace();
    }

    void TearDown() override
    {
        m_desktop.reset();
        CeguiTest::TearDown();
    }

    ZuTest::TestClipboard& Desktop() { return *m_desktop; }

    CGameMultiLine& CreateView(const char* text)
    {
        auto& view = static_cast<CGameMultiLine&>(
            CreateChild("ZuTest/GameMultiLine", "View", 100, 100, 300, 200));
        view.setProperty("CmdFont", ZuTest::kDefaultFont);
        view.setProperty("TextSelectable", "True");
        view.setText(text);
        return view;
    }

    CGameChatBox& CreateBox(std::initializer_list<const char*> messages)
    {
        auto& box =
            static_cast<CGameChatBox&>(CreateChild("ZuTest/GameChatBox", "Chat", 10, 10, 300, 300));
        box.setProperty("ChatCapacity", "8");
        box.setProperty("TextSelectable", "True");
        for (const char* message : messages)
            box.PushChatText(message);
        return box;
    }

    // The screen point `dx` pixels right of the left edge of line `line`, at its middle.
    static CEGUI::Vector2f LinePoint(const CGameMultiLine& view, std::size_t line, float dx)
    {
        const auto& doc = dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
        const CEGUI::Rectf area = doc.GetLines().at(line)->GetArea();
        return view.DocumentToScreen(CEGUI::Vector2f(dx, area.top() + area.getHeight() / 2));
    }

    void MoveTo(const CEGUI::Vector2f& point)
    {
        Context().injectMousePosition(point.d_x, point.d_y);
    }

    // Presses at `from`, moves to `to` and releases there; returns the host's click commands.
    std::vector<std::string> Drag(const CEGUI::Vector2f& from, const CEGUI::Vector2f& to)
    {
        MoveTo(from);
        m_host.ClearCalls();
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        MoveTo(to);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
        return m_host.CallLines("SendCommand");
    }

    std::vector<std::string> Click(const CEGUI::Vector2f& at) { return Drag(at, at); }

    void PressKey(CEGUI::Key::Scan key, bool control = true)
    {
        if (control)
            Context().injectKeyDown(CEGUI::Key::LeftControl);
        Context().injectKeyDown(key);
        Context().injectKeyUp(key);
        if (control)
            Context().injectKeyUp(CEGUI::Key::LeftControl);
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
    std::optional<ZuTest::TestClipboard> m_desktop;
};

TEST_F(TextSelectionTest, ADragSelectsTheShownTextAcrossLinesInEitherDirection)
{
    CGameMultiLine& view = CreateView("alpha beta\ngamma {N delta}\nepsilon");
    const struct
    {
        CEGUI::Vector2f from, to;
        const char* selected;
    } cases[] = {
        {LinePoint(view, 0, 1), LinePoint(view, 1, 290), "alpha beta\ngamma delta"},
        {LinePoint(view, 1, 290), LinePoint(view, 0, 1), "alpha beta\ngamma delta"},
        {LinePoint(view, 1, 1), CEGUI::Vector2f(150, 400), "gamma delta\nepsilon"},
        {LinePoint(view, 2, 1), CEGUI::Vector2f(150, 50), "alpha beta\ngamma delta\n"},
    };
    for (const auto& check : cases)
    {
        EXPECT_THAT(Drag(check.from, check.to), IsEmpty()) << check.selected;
        EXPECT_EQ(check.selected, view.getSelectedText());
    }
}

TEST_F(TextSelectionTest, AClickStillSendsItsCommandAndClearsWhileADragOnACommandSendsNone)
{
    CGameMultiLine& view = CreateView("say {N delta} now");
    const auto& doc = dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
    const CEGUI::Rectf name = doc.GetLines()[0]->GetBlocks()[1]->GetArea();
    const CEGUI::Vector2f onName =
        view.DocumentToScreen(name.getPosition() + CEGUI::Vector2f(2, 4));

    EXPECT_EQ(1u, Drag(onName, onName + CEGUI::Vector2f(3, 3)).size()) << "within the slop";
    EXPECT_THAT(Drag(onName, onName + CEGUI::Vector2f(40, 0)), IsEmpty());
    EXPECT_FALSE(view.getSelectedText().empty());
    EXPECT_EQ(1u, Click(onName).size());
    EXPECT_EQ("", view.getSelectedText()) << "a click clears";

    view.setProperty("TextSelectable", "False");
    MoveTo(onName);
    m_host.ClearCalls();
    Context().injectMouseButtonDown(CEGUI::LeftButton);
    EXPECT_EQ(1u, m_host.CallLines("SendCommand").size()) << "sent at the press, as before";
    Context().injectMouseButtonUp(CEGUI::LeftButton);
}

TEST_F(TextSelectionTest, WordsShiftExtensionAndSelectAll)
{
    CGameMultiLine& view = CreateView("alpha beta\ngamma");
    Context().setMouseClickEventGenerationEnabled(true);
    Context().setMouseButtonMultiClickTimeout(10.0f);
    const CEGUI::Vector2f inBeta = LinePoint(view, 0, 50);
    Click(inBeta);
    Click(inBeta);
    EXPECT_EQ("beta", view.getSelectedText()) << "a double click";
    Context().setMouseClickEventGenerationEnabled(false);

    Context().injectKeyDown(CEGUI::Key::LeftShift);
    Click(LinePoint(view, 1, 290));
    Context().injectKeyUp(CEGUI::Key::LeftShift);
    EXPECT_EQ("beta\ngamma", view.getSelectedText()) << "Shift+press extends";

    Click(LinePoint(view, 1, 1));
    view.activate();
    PressKey(CEGUI::Key::A);
    EXPECT_EQ("alpha beta\ngamma", view.getSelectedText());
}

TEST_F(TextSelectionTest, CopyPutsTheShownTextOnTheClipboardAndRemembersTheItemLinks)
{
    CGameMultiLine& view = CreateView(kTrade);
    view.activate();
    PressKey(CEGUI::Key::A);
    for (const bool byRequest : {false, true})
    {
        Desktop().bytes.clear();
        if (byRequest)
            EXPECT_TRUE(Context().injectCopyRequest());
        else
            PressKey(CEGUI::Key::C);
        EXPECT_EQ("Alice: selling [Iron Sword] for 40 gold", Desktop().bytes);
        EXPECT_EQ("text/plain", Desktop().mime);
    }
    const ZuGUI::CopiedText* copy = ZuGUI::FindOwnCopy("Alice: selling [Iron Sword] for 40 gold");
    ASSERT_NE(nullptr, copy);
    EXPECT_THAT(copy->links, ElementsAre(ZuGUI::TextSelection::CopiedLink{31, 15, 12}));
    EXPECT_EQ("Alice: selling {I 31:[Iron Sword]} for 40 gold", copy->Markup());
    EXPECT_EQ(nullptr, ZuGUI::FindOwnCopy("Alice: selling [Iron Sword] for 41 gold"));
}

TEST_F(TextSelectionTest, PastingTheCopyIntoTheChatInputPushesItsItemLinksAndNothingElse)
{
    CGameMultiLine& view = CreateView("{C /kick Bob:hello} {{I 7:x}}\n{I 31:[Iron Sword]}");
    view.activate();
    PressKey(CEGUI::Key::A);
    PressKey(CEGUI::Key::C);
    const std::string copied = Desktop().bytes;
    ASSERT_EQ("hello {I 7:x}\n[Iron Sword]", copied);

    auto& input =
        static_cast<ZuGUI::CChatEditBox&>(CreateChild("ZuTest/ChatEditBox", "Input", 10, 320));
    const struct
    {
        std::string clipboard;
        const char* encoded;
    } cases[] = {
        {copied, "hello {{I 7:x}} {I 31:[Iron Sword]}"},
        {"{I 31:[Iron Sword]} [Iron Sword]", "{{I 31:[Iron Sword]}} [Iron Sword]"},
    };
    for (const auto& check : cases)
    {
        input.setText("");
        input.activate();
        Desktop().Hold(check.clipboard);
        EXPECT_TRUE(Context().injectPasteRequest());
        EXPECT_EQ(check.encoded, input.getProperty("EncodedText")) << check.clipboard;
    }
}

TEST_F(TextSelectionTest, AWrappedLinkPastesAsOneLinkOnOneLine)
{
    // The name wraps over several lines of the view and holds a line feed of its own.
    CGameMultiLine& view = CreateView(
        "wts {I 31:[Iron Sword of the Long Night, forged\nin the old keep by the smiths]} cheap");
    view.setWidth(CEGUI::UDim(0, 150));
    ASSERT_GT(
        dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc()).GetLines().size(),
        3u);
    view.activate();
    PressKey(CEGUI::Key::A);
    PressKey(CEGUI::Key::C);
    auto& input =
        static_cast<ZuGUI::CChatEditBox&>(CreateChild("ZuTest/ChatEditBox", "Input", 10, 320));
    input.activate();
    EXPECT_TRUE(Context().injectPasteRequest());
    EXPECT_EQ("wts [Iron Sword of the Long Night, forged in the old keep by the smiths] cheap",
              input.getText());
    EXPECT_EQ("wts {I 31:[Iron Sword]} cheap", input.getProperty("EncodedText"));
}

TEST_F(TextSelectionTest, AChatBoxSelectsAcrossMessagesAndKeepsTheSelectionWhileMessagesComeAndGo)
{
    CGameChatBox& box = CreateBox({"{N Bob}: hi", kTrade, "{N Carol}: wts"});
    std::vector<ZuGUI::TextSelectionGroup::ShownMessage> shown = box.ShownMessages();
    ASSERT_EQ(3u, shown.size());
    EXPECT_THAT(Drag(LinePoint(*shown[0].view, 0, 1), LinePoint(*shown[1].view, 0, 290)),
                IsEmpty());
    EXPECT_EQ("Bob: hi\nAlice: selling [Iron Sword] for 40 gold", box.getSelectedText());
    EXPECT_EQ(box.getSelectedText(), shown[2].view->getSelectedText());
    EXPECT_TRUE(shown[2].view->GetShownSelection().IsEmpty());

    EXPECT_TRUE(Context().injectCopyRequest()) << "the pressed view is the active window";
    EXPECT_EQ("Bob: hi\nAlice: selling [Iron Sword] for 40 gold", Desktop().bytes);

    box.PushChatText("{N Dave}: new");
    box.getVertScrollbar()->setScrollPosition(0.0f);
    EXPECT_EQ("Bob: hi\nAlice: selling [Iron Sword] for 40 gold", box.getSelectedText());

    box.setProperty("MsgLife", "1");
    Context().injectTimePulse(1.5f);
    EXPECT_EQ("Alice: selling [Iron Sword] for 40 gold", box.getSelectedText())
        << "the expired message drops its part";
    EXPECT_TRUE(box.performCopy(*CEGUI::System::getSingleton().getClipboard()));
    EXPECT_EQ("Alice: selling [Iron Sword] for 40 gold", Desktop().bytes);
}

TEST_F(TextSelectionTest, AViewThatOutlivesItsChatBoxSelectsOnItsOwn)
{
    CGameChatBox& box = CreateBox({"{N Bob}: hi"});
    CGameMultiLine& view = *box.ShownMessages().front().view;
    view.getParent()->removeChild(&view);
    Root().addChild(&view);
    CEGUI::WindowManager::getSingleton().destroyWindow(&box);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    view.setPosition(CEGUI::UVector2(CEGUI::UDim(0, 100), CEGUI::UDim(0, 100)));
    Drag(LinePoint(view, 0, 1), LinePoint(view, 0, 290));
    EXPECT_EQ("Bob: hi", view.getSelectedText());
}

TEST_F(TextSelectionTest, TheSelectionIsDrawnBehindTheTextWithoutLayingItOutAgain)
{
    CGameMultiLine& view = CreateView("alpha {I 31:[Iron Sword]}");
    RenderFrame();
    const std::vector<ZuTest::Quad> plain = ZuTest::WindowQuads(view);
    Drag(LinePoint(view, 0, 1), LinePoint(view, 0, 290));
    RenderFrame();
    const std::vector<ZuTest::Quad> quads = ZuTest::WindowQuads(view);
    const auto selection =
        std::find_if(quads.begin(), quads.end(),
                     [](const ZuTest::Quad& quad) { return quad.colour.getARGB() == 0x803C78D7u; });
    ASSERT_NE(quads.end(), selection) << "the look has no colour: the default";
    ASSERT_EQ(plain.size() + 1, quads.size()) << "one rectangle per line";
    // Before it the frame, after it the text, each as without a selection.
    const std::size_t at = static_cast<std::size_t>(selection - quads.begin());
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(plain[i].colour, quads[i < at ? i : i + 1].colour) << i;
    EXPECT_THAT(m_host.CallLines("CallScriptRetInt"), IsEmpty()) << "no item colour asked again";
}
TEST_F(TextSelectionTest, ScriptsCanEndASelectionWithoutLeavingThePointerCaptured)
{
    CGameMultiLine& view = CreateView("alpha beta gamma");
    CEGUI::Window& elsewhere = CreateChild("DefaultWindow", "Elsewhere", 500, 500, 50, 50);
    MoveTo(LinePoint(view, 0, 2));
    Context().injectMouseButtonDown(CEGUI::LeftButton);
    EXPECT_EQ(&view, Context().getInputCaptureWindow());
    view.setProperty("TextSelectable", "False"); // combat starts
    EXPECT_EQ(nullptr, Context().getInputCaptureWindow());
    MoveTo(LinePoint(view, 0, 60));
    Context().injectMouseButtonUp(CEGUI::LeftButton);
    EXPECT_EQ("", view.getSelectedText());
    MoveTo(CEGUI::Vector2f(510, 510));
    EXPECT_EQ(&elsewhere, Context().getWindowContainingMouse());
}

TEST_F(TextSelectionTest, TheSameTextWrittenAgainKeepsTheSelection)
{
    CGameMultiLine& view = CreateView("Quest: slay 3 of 10 wolves");
    Drag(LinePoint(view, 0, 1), LinePoint(view, 0, 290));
    ASSERT_EQ("Quest: slay 3 of 10 wolves", view.getSelectedText());
    view.setText("Quest: slay 3 of 10 wolves");
    EXPECT_EQ("Quest: slay 3 of 10 wolves", view.getSelectedText());
    view.setText("Quest: slay 4 of 10 wolves");
    EXPECT_EQ("", view.getSelectedText());
    view.setText("Quest: slay 3 of 10 wolves");
    EXPECT_EQ("", view.getSelectedText()) << "a selection gone stays gone";
}

TEST_F(TextSelectionTest, ShiftPressAfterAClearedBoxStartsAtThePress)
{
    CGameChatBox& box = CreateBox({"{N Bob}: hi", kTrade});
    std::vector<ZuGUI::TextSelectionGroup::ShownMessage> shown = box.ShownMessages();
    Drag(LinePoint(*shown[0].view, 0, 1), LinePoint(*shown[1].view, 0, 60));
    ASSERT_NE("", box.getSelectedText());
    box.setProperty("Clear", "");
    EXPECT_EQ("", box.getSelectedText());
    box.PushChatText("one two three");
    box.PushChatText("four five six");
    shown = box.ShownMessages();
    Context().injectKeyDown(CEGUI::Key::LeftShift);
    Click(LinePoint(*shown[1].view, 0, 200));
    EXPECT_EQ("", box.getSelectedText()) << "nothing before the press is selected";
    Click(LinePoint(*shown[0].view, 0, 1));
    Context().injectKeyUp(CEGUI::Key::LeftShift);
    EXPECT_EQ("one two three\nfour five six", box.getSelectedText());
}

TEST_F(TextSelectionTest, ADragPastTheEdgeSelectsWhatIsInSightAndScrollsToTheRest)
{
    std::string lines;
    for (int i = 0; i < 40; ++i)
        lines += "line " + std::to_string(i) + "\n";
    CGameMultiLine& view = CreateView(lines.c_str());
    CGameChatBox& box = CreateBox({});
    box.setPosition(CEGUI::UVector2(CEGUI::UDim(0, 600), CEGUI::UDim(0, 10)));
    box.setProperty("ChatCapacity", "40");
    for (int i = 0; i < 40; ++i)
        box.PushChatText(("message " + std::to_string(i)).c_str());
    box.getVertScrollbar()->setScrollPosition(0.0f);
    struct Case
    {
        const char* name;
        CEGUI::Vector2f from;
        CEGUI::Rectf area;
        std::function<CEGUI::String()> selected;
        const char* last;
    };
    const Case cases[] = {
        {"a view", LinePoint(view, 0, 1), view.getUnclippedOuterRect().get(),
         [&view] { return view.getSelectedText(); }, "line 39"},
        {"a chat box", LinePoint(*box.ShownMessages().front().view, 0, 1),
         box.getUnclippedOuterRect().get(), [&box] { return box.getSelectedText(); }, "message 39"},
    };
    for (const Case& check : cases)
    {
        SCOPED_TRACE(check.name);
        MoveTo(check.from);
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        MoveTo(CEGUI::Vector2f(check.from.d_x + 20, check.area.bottom() + 40));
        const CEGUI::String inSight = check.selected();
        EXPECT_EQ(CEGUI::String::npos, inSight.find(check.last));
        EXPECT_GT(inSight.length(), 20u);
        // Held there, the text scrolls and the selection follows it to the end.
        for (int frame = 0; frame < 40; ++frame)
            Context().injectTimePulse(0.1f);
        const CEGUI::String all = check.selected();
        Context().injectMouseButtonUp(CEGUI::LeftButton);
        EXPECT_NE(CEGUI::String::npos, all.find(check.last));
        EXPECT_GT(all.length(), inSight.length());
    }
}
TEST_F(TextSelectionTest, TextGivenOutIsUtf8EvenWhenCegUIDecodedNonsense)
{
    // CEGUI decodes f7 be 95 89 from a script's setText into 0x1FE549 and writes it back as
    // those bytes; a lone surrogate is no character either.
    CEGUI::String text = "a";
    text += CEGUI::utf32(0x1FE549);
    text += "b";
    text += CEGUI::utf32(0xD800);
    const std::string shown = "a\xEF\xBF\xBD"
                              "b\xEF\xBF\xBD";
    CGameMultiLine& view = CreateView("");
    view.setText(text);
    view.activate();
    PressKey(CEGUI::Key::A);
    PressKey(CEGUI::Key::C);
    auto& input =
        static_cast<ZuGUI::CChatEditBox&>(CreateChild("ZuTest/ChatEditBox", "Input", 10, 320));
    input.setText(text);
    const struct
    {
        const char* what;
        std::string given;
        std::string expected;
    } outputs[] = {
        {"selected", view.getSelectedText().c_str(), shown},
        {"plain", view.getPlainText().c_str(), shown},
        // The tests' system code page is ASCII, where U+FFFD has no character.
        {"clipboard", Desktop().bytes, "a?b?"},
        {"encoded", input.getProperty("EncodedText").c_str(), shown},
    };
    for (const auto& output : outputs)
        EXPECT_EQ(output.expected, output.given) << output.what;
}
} // namespace
