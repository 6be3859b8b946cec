#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"
#include "support/TestGameWindow.h"

#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <memory>
#include <sstream>

namespace
{
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ZuTest::RecordingHost;
using ZuTest::TestGameRenderer;
using ZuTest::TestGameWindow;

class ZuWindowTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::RegisterTestGameTypes();
    }

    TestGameWindow& CreateGameWindow(const char* name = "Game")
    {
        auto& window =
            static_cast<TestGameWindow&>(CreateChild(TestGameWindow::WidgetTypeName, name));
        window.setWindowRenderer(TestGameRenderer::TypeName);
        return window;
    }

    static TestGameRenderer& RendererOf(CEGUI::Window& window)
    {
        return static_cast<TestGameRenderer&>(*window.getWindowRenderer());
    }

    static int CountEvents(CEGUI::Window& window, const CEGUI::String& event, int& counter)
    {
        window.subscribeEvent(event, CEGUI::Event::Subscriber(
                                         [&counter](const CEGUI::EventArgs&)
                                         {
                                             ++counter;
                                             return true;
                                         }));
        return counter;
    }

    static std::string LayoutOf(CEGUI::Window& window)
    {
        std::ostringstream xml;
        CEGUI::WindowManager::getSingleton().writeLayoutToStream(window, xml);
        return xml.str();
    }
};

// No host is set: updates run all the same.
TEST_F(ZuWindowTest, BatchOfUpdateRequestsRunsOneUpdateAtTheNextDraw)
{
    TestGameWindow& window = CreateGameWindow();
    int updatedEvents = 0;
    CountEvents(window, "GameObjectUpdated", updatedEvents);
    EXPECT_EQ(0, window.updates);

    RenderFrame();
    EXPECT_EQ(1, window.updates);
    EXPECT_EQ(1, updatedEvents);

    window.requestUpdate();
    window.requestUpdate();
    window.requestUpdate();
    RenderFrame();
    RenderFrame();
    EXPECT_EQ(2, window.updates);
    EXPECT_EQ(2, updatedEvents);
    EXPECT_FALSE(window.IsUpdateRequested());
}

TEST_F(ZuWindowTest, HiddenWindowCatchesUpWhenShown)
{
    TestGameWindow& window = CreateGameWindow();
    RenderFrame();
    window.hide();
    window.requestUpdate();
    RenderFrame();
    EXPECT_EQ(1, window.updates);
    window.show();
    RenderFrame();
    EXPECT_EQ(2, window.updates);
}

TEST_F(ZuWindowTest, UpdateRunsBeforeTheRendererSoItsChangesAreDrawn)
{
    TestGameWindow& window = CreateGameWindow();
    RenderFrame();
    const int renders = RendererOf(window).renders;
    window.onUpdate = [](TestGameWindow& self) { self.setSparkingState(1); };
    window.requestUpdate();
    RenderFrame();
    EXPECT_EQ(renders + 1, RendererOf(window).renders);
    EXPECT_EQ(1, RendererOf(window).sparkleAtLastRender);
}

TEST_F(ZuWindowTest, UpdateRequestedWhileUpdatingRunsAtTheNextFrame)
{
    TestGameWindow& window = CreateGameWindow();
    bool askedAgain = false;
    window.subscribeEvent("GameObjectUpdated", CEGUI::Event::Subscriber(
                                                   [&](const CEGUI::EventArgs&)
                                                   {
                                                       if (!askedAgain)
                                                           window.requestUpdate();
                                                       askedAgain = true;
                                                       return true;
                                                   }));
    RenderFrame();
    EXPECT_TRUE(window.IsUpdateRequested());
    Context().injectTimePulse(0.02f);
    RenderFrame();
    EXPECT_EQ(2, window.updates);

    // A request from inside the update itself is kept the same way.
    window.onUpdate = [](TestGameWindow& self)
    {
        if (self.updates == 3)
            self.requestUpdate();
    };
    window.requestUpdate();
    RenderFrame();
    Context().injectTimePulse(0.02f);
    RenderFrame();
    Context().injectTimePulse(0.02f);
    RenderFrame();
    EXPECT_EQ(4, window.updates);
}

TEST_F(ZuWindowTest, HostBindingOrderWithHostFromTheStart)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    host.ClearCalls();
    {
        std::unique_ptr<TestGameWindow> window(new TestGameWindow("ZuGame/GameValueText", "Value"));
        EXPECT_EQ("GameCreatureProvider", window->GetProviderName());
    }
    EXPECT_THAT(host.CallLines(), ::testing::SizeIs(4));
    const auto& calls = host.Calls();
    EXPECT_EQ("RegisterWindow", calls[0].operation);
    EXPECT_EQ("SubscribeProvider", calls[1].operation);
    EXPECT_THAT(calls[1].arguments, HasSubstr("\"GameCreatureProvider\""));
    EXPECT_EQ("UnsubscribeProvider", calls[2].operation);
    EXPECT_THAT(calls[2].arguments, HasSubstr("\"GameCreatureProvider\""));
    EXPECT_EQ("UnregisterWindow", calls[3].operation);
    for (const auto& call : calls)
        EXPECT_EQ(calls[0].window, call.window);
}

TEST_F(ZuWindowTest, TypeWithoutProviderSubscribesWithEmptyName)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    host.ClearCalls();
    CreateGameWindow();
    EXPECT_THAT(host.CallLines("SubscribeProvider"), ElementsAre(HasSubstr(", \"\")")));
}

TEST_F(ZuWindowTest, WindowBuiltWithoutHostOnlyUnbindsWhenOneAppeared)
{
    TestGameWindow& early = CreateGameWindow("Early");
    EXPECT_EQ("", early.GetProviderName());
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    host.ClearCalls();
    CEGUI::WindowManager::getSingleton().destroyWindow(&early);
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    EXPECT_THAT(host.CallLines(),
                ElementsAre(HasSubstr("UnsubscribeProvider("), HasSubstr("UnregisterWindow(")));
}

TEST_F(ZuWindowTest, SparkleStateRedrawsOnlyOnChange)
{
    TestGameWindow& window = CreateGameWindow();
    RenderFrame();
    const int renders = RendererOf(window).renders;
    window.setSparkingState(3);
    RenderFrame();
    window.setSparkingState(3);
    RenderFrame();
    EXPECT_EQ(renders + 1, RendererOf(window).renders);
    window.setSparkingState(0);
    RenderFrame();
    EXPECT_EQ(renders + 2, RendererOf(window).renders);
}

TEST_F(ZuWindowTest, SharedPropertiesWorkThroughCeguiWithoutRedraw)
{
    TestGameWindow& window = CreateGameWindow();
    RenderFrame();
    const int renders = RendererOf(window).renders;
    window.setProperty("GameObjectCompareId", "42");
    EXPECT_EQ(42u, window.getCompareId());
    EXPECT_EQ("42", window.getProperty("GameObjectCompareId"));
    RenderFrame();
    EXPECT_EQ(renders, RendererOf(window).renders);

    window.setProperty("Sparking", "4294967295");
    EXPECT_EQ(-1, window.getSparkingState());
    EXPECT_EQ("4294967295", window.getProperty("Sparking"));
    EXPECT_EQ(ZuGUI::ZuWindow::s_SharePros.GetpProperty("GameObjectCompareId"),
              window.FindSharePros("GameObjectCompareId"));
    EXPECT_EQ(nullptr, window.FindSharePros("Text"));
}

TEST_F(ZuWindowTest, SharedPropertiesReachXmlOnceAndOnlyOffTheirDefaults)
{
    TestGameWindow& window = CreateGameWindow();
    std::string layout = LayoutOf(window);
    EXPECT_THAT(layout, Not(HasSubstr("GameObjectCompareId")));
    EXPECT_THAT(layout, Not(HasSubstr("\"Sparking\"")));

    window.setCompareId(5);
    layout = LayoutOf(window);
    EXPECT_THAT(layout, HasSubstr("name=\"GameObjectCompareId\" value=\"5\""));
    EXPECT_EQ(layout.find("GameObjectCompareId"), layout.rfind("GameObjectCompareId"));
    EXPECT_THAT(layout, Not(HasSubstr("\"Sparking\"")));

    window.banPropertyFromXML("GameObjectCompareId");
    EXPECT_THAT(LayoutOf(window), Not(HasSubstr("GameObjectCompareId")));
}

TEST_F(ZuWindowTest, LayoutRoundTripRestoresSharedProperties)
{
    auto& window =
        static_cast<TestGameWindow&>(CreateChild(TestGameWindow::WidgetTypeName, "Saved"));
    window.setCompareId(77);
    window.setSparkingState(2);
    const std::string layout = LayoutOf(window);
    CEGUI::Window* loaded = CEGUI::WindowManager::getSingleton().loadLayoutFromString(layout);
    auto& copy = static_cast<TestGameWindow&>(*loaded);
    EXPECT_EQ(77u, copy.getCompareId());
    EXPECT_EQ(2, copy.getSparkingState());
    CEGUI::WindowManager::getSingleton().destroyWindow(loaded);
}

class TooltipQueryTest : public ZuTest::CeguiTest
{
protected:
    RecordingHost m_host;
};

TEST_F(TooltipQueryTest, CompareIdIsZeroWithoutHostAnswerOrKey)
{
    EXPECT_EQ(0u, ZuGUI::QueryCompareId(7));
    ZuTest::ScopedHost scoped(&m_host);
    EXPECT_EQ(0u, ZuGUI::QueryCompareId(7));
    m_host.ReplyWith("GameObjectCompare", [](KeyValues&) {});
    EXPECT_EQ(0u, ZuGUI::QueryCompareId(7));
    m_host.ReplyWith("GameObjectCompare",
                     [](KeyValues& reply) { reply.SetInt("GameObjectCompareId", 12); });
    EXPECT_EQ(12u, ZuGUI::QueryCompareId(7));
    EXPECT_THAT(m_host.CallLines("Query"), ::testing::Each("Query(GameObjectCompare{ObjectId=7})"));
}

TEST_F(TooltipQueryTest, TooltipIsConvertedFromTheSystemCodePage)
{
    CEGUI::String text = "unchanged";
    EXPECT_FALSE(ZuGUI::QueryObjectTooltip(text, 3, false));
    ZuTest::ScopedHost scoped(&m_host);
    EXPECT_FALSE(ZuGUI::QueryObjectTooltip(text, 3, true));
    EXPECT_EQ("unchanged", text);

    SetSystemCodePage("CP1252");
    m_host.ReplyWith("GameObjectTooltip", [](KeyValues& reply)
                     { reply.SetString("GameObjectTooltipValue", "Caf\xE9 \x80"); });
    EXPECT_TRUE(ZuGUI::QueryObjectTooltip(text, 3, true));
    SetSystemCodePage(nullptr);
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>("Café €")), text);

    m_host.ReplyWith("GameObjectTooltip", [](KeyValues&) {});
    EXPECT_TRUE(ZuGUI::QueryObjectTooltip(text, 3, false));
    EXPECT_EQ("", text);
    EXPECT_THAT(m_host.CallLines("Query"),
                ElementsAre("Query(GameObjectTooltip{ObjectId=3 GameObjectNeedCmpTxt=1})",
                            "Query(GameObjectTooltip{ObjectId=3 GameObjectNeedCmpTxt=1})",
                            "Query(GameObjectTooltip{ObjectId=3})"));
}
} // namespace
