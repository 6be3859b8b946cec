// A player's session in the demo's chat layout with the sample game client, driven through
// CEGUI's input injection: what reaches the game's hot keys, whether every shown message is
// whole and whether messages stay in arrival order.
#include "client/SampleGameClient.h"
#include "client/SampleScripts.h"

#include "support/CeguiFixture.h"
#include "support/TestClipboard.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace
{
const char* const kChatBox = "ChatPanel/ChatTabs/All/ChatBox";
const char* const kChatInput = "ChatPanel/ChatInput";
const char* const kChatTabs = "ChatPanel/ChatTabs";
const char* const kNoteBox = "ChatPanel/ChatTabs/Notes/NoteBox";
const char* const kBagSlot = "TradePanel/Slot0";
const char* const kLargerFont = "DejaVuSans-14-NoScale";

class ChatSessionTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        m_desktop.emplace();
        m_scripts.emplace();
        m_client.emplace();
        if (!CEGUI::SchemeManager::getSingleton().isDefined("ZuLook"))
            CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
        SetSystemCodePage("UTF-8");
        m_client->RegisterScriptModule(&ZuGUI::OpenScriptModule);
        m_client->SetScripts(&*m_scripts);
        m_scripts->RunFile("demo.lua", "skin");
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(&*m_client);
        m_layout =
            CEGUI::WindowManager::getSingleton().loadLayoutFromFile("DemoChat.layout", "skin");
        Root().addChild(m_layout);
        m_client->SetChatLinkTarget(&Child(kChatInput));
        m_hotKeys = Root().subscribeEvent(CEGUI::Window::EventKeyDown,
                                          [this](const CEGUI::EventArgs&)
                                          {
                                              ++m_keysReachingTheGame;
                                              return true;
                                          });
        Child(kChatInput)
            .subscribeEvent(CEGUI::Editbox::EventTextAccepted,
                            [this](const CEGUI::EventArgs&)
                            {
                                Send();
                                return true;
                            });
    }

    void TearDown() override
    {
        if (m_hotKeys.isValid())
            m_hotKeys->disconnect();
        m_client->SetChatLinkTarget(nullptr);
        if (m_layout)
            CEGUI::WindowManager::getSingleton().destroyWindow(m_layout);
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
        SetSystemCodePage(nullptr);
        m_client.reset();
        m_scripts.reset();
        m_desktop.reset();
        CeguiTest::TearDown();
    }

    CEGUI::Window& Child(const CEGUI::String& path) const { return *m_layout->getChild(path); }
    ZuGUI::CGameChatBox& Box() const { return static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox)); }

    // A key as the desktop delivers it: down, its character when it has one, up.
    void Press(CEGUI::Key::Scan key, CEGUI::utf32 character = 0)
    {
        Context().injectKeyDown(key);
        if (character)
            Context().injectChar(character);
        Context().injectKeyUp(key);
    }

    // Letters: the key's scan code does not matter to a box, its character does.
    void TypeWord(const std::string& word)
    {
        for (const char c : word)
            Press(CEGUI::Key::A, CEGUI::utf32(c));
    }

    void Click(const CEGUI::String& path)
    {
        const CEGUI::Rectf area = Child(path).getUnclippedOuterRect().get();
        const CEGUI::Vector2f centre =
            area.d_min + CEGUI::Vector2f(area.getWidth(), area.getHeight()) * 0.5f;
        Context().injectMousePosition(centre.d_x, centre.d_y);
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
    }

    // The game's own line from what the player sent, as the demo's chat scene assembles it.
    void Send()
    {
        CEGUI::Window& input = Child(kChatInput);
        const std::string message = input.getProperty("EncodedText").c_str();
        ASSERT_TRUE(Box().PushChatText(CEGUI::String(
            reinterpret_cast<const CEGUI::utf8*>(("{N Aldric}: " + message).c_str()))));
        m_arrived.push_back(message);
        input.setText("");
    }

    void LetLinesArrive(float until)
    {
        for (; m_seconds <= until; m_seconds += 0.1f)
        {
            for (const std::string& line :
                 m_scripts->Call("demo_push_chat", {&Box(), double(m_seconds)}))
                m_arrived.push_back(line);
            Context().injectTimePulse(0.1f);
        }
    }

    // The shown messages, top to bottom.
    std::vector<const ZuGUI::CGameMultiLine*> Shown() const
    {
        std::vector<const ZuGUI::CGameMultiLine*> shown;
        for (unsigned i = 0; i < Box().GetCurChatSize(); ++i)
        {
            auto* view = dynamic_cast<ZuGUI::CGameMultiLine*>(Box().GetChatWindowByIndex(i));
            if (view && view->isVisible())
                shown.push_back(view);
        }
        std::sort(shown.begin(), shown.end(),
                  [](auto* a, auto* b)
                  { return a->getYPosition().d_offset < b->getYPosition().d_offset; });
        return shown;
    }

    // Every shown message is as tall as its text, and they come in the order they arrived.
    void ExpectWholeMessagesInArrivalOrder(const char* when) const
    {
        std::size_t next = 0;
        const auto shown = Shown();
        EXPECT_FALSE(shown.empty()) << when;
        for (const ZuGUI::CGameMultiLine* view : shown)
        {
            EXPECT_GE(view->getPixelSize().d_height, view->QueryDoc()->GetHeight()) << when;
            const std::string text = view->getText().c_str();
            const auto found = std::find_if(m_arrived.begin() + next, m_arrived.end(),
                                            [&](const std::string& line)
                                            { return text.find(line) != std::string::npos; });
            EXPECT_NE(m_arrived.end(), found) << when << ": " << text;
            next = found == m_arrived.end() ? next : std::size_t(found - m_arrived.begin()) + 1;
        }
    }

    // Made once CEGUI runs.
    std::optional<ZuDemo::SampleScripts> m_scripts;
    std::optional<ZuDemo::SampleGameClient> m_client;
    std::optional<ZuTest::TestClipboard> m_desktop;
    CEGUI::Window* m_layout = nullptr;
    CEGUI::Event::Connection m_hotKeys;
    int m_keysReachingTheGame = 0;
    std::vector<std::string> m_arrived;
    float m_seconds = 0.0f;
};

TEST_F(ChatSessionTest, APlayerTypesLinksPastesAndReadsWithoutKeysLeakingOrLinesCut)
{
    LetLinesArrive(0.5f);

    // Typing, with an F-key and Escape on the way, reaches the game not once.
    Child(kChatInput).activate();
    TypeWord("selling");
    Press(CEGUI::Key::Space, ' ');
    Press(CEGUI::Key::F5);
    Press(CEGUI::Key::Escape);
    Context().injectKeyDown(CEGUI::Key::LeftShift);
    Click(kBagSlot);
    Context().injectKeyUp(CEGUI::Key::LeftShift);
    Child(kChatInput).activate();
    Press(CEGUI::Key::Space, ' ');
    TypeWord("cheap");
    EXPECT_EQ("selling [Iron Sword] cheap", Child(kChatInput).getText());

    // Two lines pasted into the note box stay two lines.
    static_cast<CEGUI::TabControl&>(Child(kChatTabs)).setSelectedTab("Notes");
    auto& notes = static_cast<CEGUI::MultiLineEditbox&>(Child(kNoteBox));
    notes.activate();
    notes.setSelection(0, notes.getText().length());
    m_desktop->Hold("first line\r\nsecond line");
    Context().injectKeyDown(CEGUI::Key::LeftControl);
    Context().injectChar(0x16);
    Context().injectKeyUp(CEGUI::Key::LeftControl);
    EXPECT_EQ("first line\nsecond line\n", notes.getText());
    static_cast<CEGUI::TabControl&>(Child(kChatTabs)).setSelectedTab("All");

    Child(kChatInput).activate();
    Press(CEGUI::Key::Return);
    EXPECT_EQ(0, m_keysReachingTheGame);
    ExpectWholeMessagesInArrivalOrder("after sending");

    // Scrolled up while lines arrive, with a larger font and a narrower box.
    Box().getVertScrollbar()->setScrollPosition(0.0f);
    LetLinesArrive(1.5f);
    ExpectWholeMessagesInArrivalOrder("scrolled up");
    CEGUI::FontManager& fonts = CEGUI::FontManager::getSingleton();
    if (!fonts.isDefined(kLargerFont))
        fonts.createFromFile(CEGUI::String(kLargerFont) + ".font");
    Box().setFont(kLargerFont);
    ExpectWholeMessagesInArrivalOrder("with a larger font");
    Box().setWidth(Box().getWidth() - CEGUI::UDim(0.0f, 80.0f));
    LetLinesArrive(2.5f);
    ExpectWholeMessagesInArrivalOrder("in a narrower box");

    Box().setProperty("Clear", "");
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(0, m_keysReachingTheGame);
}
} // namespace
