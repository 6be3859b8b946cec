#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/platform/NativeWindow.h"
#include "ZuGUIElements/web/HTMLWindow.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <climits>
#include <memory>
#include <stdexcept>

namespace
{
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ZuGUI::CHTMLWindow;
using ZuGUI::CWebCallBack;

// What the host, the controls and the native window hooks were told, in order.
std::vector<std::string> g_journal;
const ZuGUI::HWND kMainWindow = reinterpret_cast<ZuGUI::HWND>(std::uintptr_t{0x1234});

std::string HandleText(ZuGUI::HWND window)
{
    return window == kMainWindow ? "main" : window ? "other" : "null";
}

// A web control that records its calls; it throws from every call once `failing` is set.
class TestWebCtrl : public ZuGUI::IWebCtrl
{
public:
    explicit TestWebCtrl(int number) : m_name("ctrl" + std::to_string(number)) {}

    void AddRef() override { Note("AddRef"); }
    void Release() override
    {
        released = true;
        Note("Release");
    }
    void Create(std::uint32_t style, int[4], ZuGUI::HWND parent, unsigned long threadId) override
    {
        char styleText[16];
        std::snprintf(styleText, sizeof styleText, "%08X", style);
        Note("Create " + std::string(styleText) + " " + HandleText(parent) + " " +
             std::to_string(threadId));
    }
    void Show(bool show) override { Note(show ? "Show true" : "Show false"); }
    void Refresh() override { Note("Refresh"); }
    void SetRect(const std::int32_t rect[4], bool visible) override
    {
        Note("SetRect " + std::to_string(rect[0]) + " " + std::to_string(rect[1]) + " " +
             std::to_string(rect[2]) + " " + std::to_string(rect[3]) +
             (visible ? " visible" : " hidden"));
    }
    void SetCallBack(ZuGUI::IWebCallBack* callBack) override
    {
        Note(callBack == &CWebCallBack::Instance() ? "SetCallBack module" : "SetCallBack other");
    }
    void Navigate(const char* address, int flags) override
    {
        Note("Navigate " + std::string(address) + " " + std::to_string(flags));
    }

    bool released = false;
    bool failing = false;

private:
    void Note(const std::string& call)
    {
        g_journal.push_back(m_name + "." + call);
        if (failing)
            throw std::runtime_error("control broke");
    }

    std::string m_name;
};

std::vector<std::unique_ptr<TestWebCtrl>> g_controls;
bool g_failingControls = false;

void* MakeWebCtrl(const char* name, int* returnCode)
{
    g_journal.push_back(std::string("factory ") + name + (returnCode ? " code" : " null"));
    g_controls.push_back(std::make_unique<TestWebCtrl>(static_cast<int>(g_controls.size())));
    g_controls.back()->failing = g_failingControls;
    return static_cast<ZuGUI::IWebCtrl*>(g_controls.back().get());
}

// The client's native windows, recorded in the journal.
class JournalledWindows final : public ZuGUI::INativeWindowServices
{
public:
    unsigned long GetWindowThreadProcessId(ZuGUI::HWND window, unsigned long*) const override
    {
        g_journal.push_back("GetWindowThreadProcessId " + HandleText(window));
        return 42;
    }
    ZuGUI::HWND SetFocus(ZuGUI::HWND window) override
    {
        g_journal.push_back("SetFocus " + HandleText(window));
        return nullptr;
    }
    int MessageBox(ZuGUI::HWND owner, const char* text, const char* caption, unsigned type) override
    {
        g_journal.push_back("MessageBox " + HandleText(owner) + " [" + text + "] [" + caption +
                            "] " + std::to_string(type));
        return 1;
    }
};

JournalledWindows g_journalledWindows;

class HTMLWindowTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        g_journal.clear();
        g_failingControls = false;
        ZuGUI::SetNativeWindowServices(&g_journalledWindows);
        m_host.mainWindow = kMainWindow;
        m_host.interfaceFactory = &MakeWebCtrl;
        m_host.localizedTexts = {{"sys_error_dangerous_url1", "Refused "},
                                 {"sys_error_dangerous_url2", ": not ours."},
                                 {"error", "Error"}};
        m_host.onCall = [](const ZuTest::HostCall& call)
        {
            if (call.operation != "RegisterWindow" && call.operation != "SubscribeProvider" &&
                call.operation != "UnsubscribeProvider" && call.operation != "UnregisterWindow")
                g_journal.push_back(call.ToString());
        };
    }
    void TearDown() override
    {
        CeguiTest::TearDown();
        ZuGUI::SetNativeWindowServices(nullptr);
        g_controls.clear();
    }

    CHTMLWindow& OpenWeb(const char* name, float x = 10, float y = 20)
    {
        return static_cast<CHTMLWindow&>(
            CreateChild(CHTMLWindow::WidgetTypeName, name, x, y, 200, 100));
    }
    static TestWebCtrl& Control(int index) { return *g_controls.at(index); }
    // The journal from `first` on, and cleared.
    static std::vector<std::string> TakeJournal()
    {
        std::vector<std::string> journal;
        journal.swap(g_journal);
        return journal;
    }

    ZuTest::RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

TEST_F(HTMLWindowTest, MakingAWindowMakesItsControlThenPlacesIt)
{
    CHTMLWindow& web = OpenWeb("Shop");
    EXPECT_THAT(TakeJournal(),
                ElementsAre("GetInterfaceFactory(0)", "factory IWEBCTRL_INTERFACE2 null",
                            "GetMainWindowHandle()", "GetWindowThreadProcessId main",
                            "ctrl0.Create 80000000 main 42", "ctrl0.SetCallBack module",
                            "SetEmbeddedBrowserActive(true)", "SetFocus main",
                            // CreateChild's area: the position, then the size.
                            "AdjustWebRect(10 20 10 20, 0)", "ctrl0.SetRect 10 20 0 0 visible",
                            "AdjustWebRect(10 20 210 120, 0)",
                            "ctrl0.SetRect 10 20 200 100 visible"));
    EXPECT_EQ(&Control(0), web.GetWebCtrl());
    EXPECT_EQ(&Control(0), CWebCallBack::Instance().GetCurrentCtrl());
    EXPECT_TRUE(ZuGUI::ZuGUIExtraFacoryManager::Instance().IsHTMLWindowExist());
    ASSERT_EQ(1u, CHTMLWindow::s_all.size());
    EXPECT_EQ("Shop", CHTMLWindow::s_all.begin()->first);
}

TEST_F(HTMLWindowTest, WithoutAHostOrAFactoryThereIsNoControlAndNothingIsCalled)
{
    m_host.interfaceFactory = nullptr;
    CHTMLWindow& noFactory = OpenWeb("NoFactory");
    EXPECT_EQ(nullptr, noFactory.GetWebCtrl());
    EXPECT_THAT(TakeJournal(),
                ElementsAre("GetInterfaceFactory(0)", "AdjustWebRect(10 20 10 20, 0)",
                            "AdjustWebRect(10 20 210 120, 0)"));

    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    m_host.interfaceFactory = &MakeWebCtrl;
    CHTMLWindow& web = OpenWeb("NoHost");
    web.setProperty("URL", "http://www.portal.example/");
    web.setSize(CEGUI::USize(CEGUI::UDim(0, 50), CEGUI::UDim(0, 50)));
    web.hide();
    web.show();
    RenderFrame();
    CEGUI::WindowManager::getSingleton().destroyWindow(&web);
    EXPECT_EQ(nullptr, web.GetWebCtrl());
    EXPECT_THAT(g_journal, IsEmpty());
    EXPECT_THAT(g_controls, IsEmpty());
    EXPECT_FALSE(CHTMLWindow::IsHTMLWindowOpened());
}

TEST_F(HTMLWindowTest, AnAddressIsLoadedOnceUntilItChanges)
{
    CHTMLWindow& web = OpenWeb("Shop");
    TakeJournal();
    web.setProperty("URL", "http://www.portal.example/shop");
    web.setProperty("URL", "http://www.portal.example/shop");
    web.SetUrl("about:blank");
    EXPECT_THAT(TakeJournal(), ElementsAre("ctrl0.Navigate http://www.portal.example/shop 0",
                                           "ctrl0.Navigate about:blank 0"));
    EXPECT_EQ("about:blank", web.getProperty("URL"));
}

TEST_F(HTMLWindowTest, TheControlFollowsTheWindowAsTheClientAdjustsIt)
{
    CEGUI::Window& frame = CreateChild("DefaultWindow", "Frame", 100, 100, 400, 300);
    auto& web = *static_cast<CHTMLWindow*>(
        CEGUI::WindowManager::getSingleton().createWindow(CHTMLWindow::WidgetTypeName, "Page"));
    frame.addChild(&web);
    web.setArea(CEGUI::URect(CEGUI::UDim(0, 5.9f), CEGUI::UDim(0, 6), CEGUI::UDim(0, 105.5f),
                             CEGUI::UDim(0, 56)));
    RenderFrame();
    TakeJournal();

    // The parent moves: no notice reaches the window, its next draw follows.
    frame.setPosition(CEGUI::UVector2(CEGUI::UDim(0, 300), CEGUI::UDim(0, 200)));
    EXPECT_THAT(g_journal, IsEmpty());
    RenderFrame();
    EXPECT_THAT(TakeJournal(), ElementsAre("AdjustWebRect(306 206 406 256, 0)",
                                           "ctrl0.SetRect 306 206 100 50 visible"));
    RenderFrame();
    EXPECT_THAT(TakeJournal(), IsEmpty());

    // The client keeps the control inside its window and may hide it.
    m_host.adjustWebRect = [](ZuGUI::RECT& rect)
    {
        rect.right = 380;
        return false;
    };
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SyncronizeUI(0);
    EXPECT_THAT(TakeJournal(), ElementsAre("AdjustWebRect(306 206 406 256, 0)",
                                           "ctrl0.SetRect 306 206 74 50 hidden"));
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SyncronizeUI(1);
    EXPECT_THAT(g_journal, IsEmpty());
}

TEST_F(HTMLWindowTest, ClientEdgesOutOfTheControlsRangeAreHeldAtTheRange)
{
    constexpr long kMax = 2147483647L;
    constexpr long kMin = -kMax - 1;
    const struct
    {
        ZuGUI::RECT adjusted;
        const char* placed;
    } cases[] = {
        {{10, 20, 110, 70}, "ctrl0.SetRect 10 20 100 50 visible"},
        {{LONG_MIN, 0, LONG_MAX, 0}, "ctrl0.SetRect -2147483648 0 2147483647 0 visible"},
        {{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN},
         "ctrl0.SetRect 2147483647 2147483647 -2147483648 -2147483648 visible"},
        {{0, 0, 1L << 40, kMin}, "ctrl0.SetRect 0 0 2147483647 -2147483648 visible"},
        {{kMax + 1, kMin - 1, kMax + 101, kMin + 49},
         "ctrl0.SetRect 2147483647 -2147483648 0 49 visible"},
        {{-5, -5, -10, -10}, "ctrl0.SetRect -5 -5 -5 -5 visible"},
    };
    OpenWeb("Shop");
    for (const auto& test : cases)
    {
        m_host.adjustWebRect = [&](ZuGUI::RECT& rect)
        {
            rect = test.adjusted;
            return true;
        };
        TakeJournal();
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SyncronizeUI(0);
        EXPECT_THAT(TakeJournal(), ElementsAre("AdjustWebRect(10 20 210 120, 0)", test.placed))
            << test.placed;
    }
}

TEST_F(HTMLWindowTest, TheControlShowsAndHidesWithTheWindow)
{
    CHTMLWindow& web = OpenWeb("Shop");
    TakeJournal();
    web.hide();
    web.show();
    EXPECT_THAT(TakeJournal(), ElementsAre("ctrl0.Show false", "ctrl0.Show true"));
}

TEST_F(HTMLWindowTest, DestroyingAWindowReleasesItsControl)
{
    CHTMLWindow& news = OpenWeb("News");
    CHTMLWindow& shop = OpenWeb("Shop");
    TakeJournal();

    // The client's browser stays active while the other window is open.
    CEGUI::WindowManager::getSingleton().destroyWindow(&news);
    EXPECT_THAT(TakeJournal(),
                ElementsAre("ctrl0.Release", "GetMainWindowHandle()", "SetFocus main"));
    EXPECT_TRUE(Control(0).released);
    EXPECT_EQ(nullptr, CWebCallBack::Instance().GetCurrentCtrl());
    EXPECT_TRUE(CHTMLWindow::IsHTMLWindowOpened());

    CEGUI::WindowManager::getSingleton().destroyWindow(&shop);
    EXPECT_THAT(TakeJournal(), ElementsAre("ctrl1.Release", "SetEmbeddedBrowserActive(false)",
                                           "GetMainWindowHandle()", "SetFocus main"));
    EXPECT_FALSE(CHTMLWindow::IsHTMLWindowOpened());
}

TEST_F(HTMLWindowTest, OnlyOperationZeroClosesEveryWebWindowInNameOrder)
{
    CHTMLWindow& shop = OpenWeb("Shop");
    // A web window inside another goes with it.
    auto& inner = *static_cast<CHTMLWindow*>(
        CEGUI::WindowManager::getSingleton().createWindow(CHTMLWindow::WidgetTypeName, "Inner"));
    shop.addChild(&inner);
    OpenWeb("News");
    TakeJournal();

    ZuGUI::ZuGUIExtraFacoryManager::Instance().SyncronizeUI(0);
    std::vector<std::string> placed;
    for (const std::string& line : TakeJournal())
        if (line.find(".SetRect") != std::string::npos)
            placed.push_back(line.substr(0, 5));
    EXPECT_THAT(placed, ElementsAre("ctrl1", "ctrl2", "ctrl0")); // Inner, News, Shop

    auto& manager = ZuGUI::ZuGUIExtraFacoryManager::Instance();
    manager.ManipulateImbeddedIEWindow(1, 0, 0);
    EXPECT_EQ(3u, CHTMLWindow::s_all.size());
    manager.ManipulateImbeddedIEWindow(0, 7, 9);
    EXPECT_FALSE(manager.IsHTMLWindowExist());
    for (const auto& control : g_controls)
        EXPECT_TRUE(control->released);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    EXPECT_EQ(0u, Root().getChildCount());
}

TEST_F(HTMLWindowTest, WhatAControlThrowsStaysInTheWindow)
{
    g_failingControls = true;
    ZuTest::TestLogger::Get().Clear();
    CHTMLWindow* web = &OpenWeb("Broken");
    EXPECT_NO_THROW({
        web->SetUrl("http://www.portal.example/");
        web->hide();
        web->show();
        web->setPosition(CEGUI::UVector2(CEGUI::UDim(0, 40), CEGUI::UDim(0, 40)));
        RenderFrame();
        CEGUI::WindowManager::getSingleton().destroyWindow(web);
    });
    EXPECT_TRUE(Control(0).released);
    EXPECT_FALSE(CHTMLWindow::IsHTMLWindowOpened());
    EXPECT_THAT(ZuTest::TestLogger::Get().Lines(),
                Contains(HasSubstr("IWebCtrl::Navigate failed: control broke")));
}

TEST_F(HTMLWindowTest, NavigationsAreCheckedAndRefusalsExplained)
{
    OpenWeb("Shop");
    TakeJournal();
    CWebCallBack& callBack = CWebCallBack::Instance();

    EXPECT_TRUE(callBack.OnBeforeNavigate("https://www.portal.example/news", 0));
    EXPECT_FALSE(callBack.OnBeforeNavigate("http://www.portal.example@evil.net/", 0));
    callBack.OnMessage("Saved.");
    EXPECT_THAT(TakeJournal(),
                ElementsAre("ctrl0.Show true", "GetLocalizedText(\"sys_error_dangerous_url1\")",
                            "GetLocalizedText(\"sys_error_dangerous_url2\")",
                            "GetLocalizedText(\"error\")",
                            "MessageBox null [Refused http://www.portal.example@evil.net/: not "
                            "ours.] [Error] 0",
                            "MessageBox null [Saved.] [] 0"));

    // Without a client the address is refused in silence; the default message box logs.
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    EXPECT_FALSE(callBack.OnBeforeNavigate("http://evil.net/", 0));
    EXPECT_FALSE(callBack.OnBeforeNavigate(nullptr, 0));
    EXPECT_THAT(g_journal, IsEmpty());
    ZuGUI::SetNativeWindowServices(nullptr);
    ZuTest::TestLogger::Get().Clear();
    callBack.OnMessage("caf\xE9");
    EXPECT_THAT(ZuTest::TestLogger::Get().Lines(), Contains(HasSubstr("Message box \"\"")));
}
} // namespace
