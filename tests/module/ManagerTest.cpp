#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/web/EmbeddedWebWindows.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ZuGUI::ZuGUIExtraFacoryManager;

ZuGUIExtraFacoryManager& Manager()
{
    return ZuGUIExtraFacoryManager::Instance();
}

TEST(ManagerTest, IsOneObject)
{
    EXPECT_EQ(&ZuGUIExtraFacoryManager::Instance(), &Manager());
}

TEST(ManagerTest, TranslatesEveryGameTypeToItsProvider)
{
    EXPECT_EQ("GamePackageManagerProxy", Manager().TranslateTypeToProviderName("ZuGame/ItemIcon"));
    EXPECT_EQ("GameCreatureProvider",
              Manager().TranslateTypeToProviderName("ZuGame/GameValueText"));
    EXPECT_EQ("GameCreatureProvider", Manager().TranslateTypeToProviderName("ZuGame/PercentBar"));
    EXPECT_EQ("GameCreatureProvider",
              Manager().TranslateTypeToProviderName("ZuGame/CreatureViewer"));
    EXPECT_EQ("SpellProxyMgr", Manager().TranslateTypeToProviderName("ZuGame/SpellIcon"));
    EXPECT_EQ("BuffMgr", Manager().TranslateTypeToProviderName("ZuGame/BuffIcon"));
}

TEST(ManagerTest, TypesWithoutProviderTranslateToOneSharedEmptyName)
{
    const std::string& editBox = Manager().TranslateTypeToProviderName("ZuGame/GameEditBox");
    const std::string& unknown = Manager().TranslateTypeToProviderName("");
    EXPECT_EQ("", editBox);
    EXPECT_EQ(&editBox, &unknown);
}

TEST(ManagerTest, SettingAHostHandsItTheScriptModule)
{
    ZuTest::RecordingHost host;
    Manager().SetIZuGUI(&host);
    EXPECT_EQ(&host, Manager().GetIZuGUI());
    EXPECT_THAT(host.CallLines(), ElementsAre("RegisterScriptModule(open)"));
    ASSERT_EQ(1u, host.ScriptModules().size());
    EXPECT_EQ(&ZuGUI::OpenScriptModule, host.ScriptModules()[0]);

    Manager().SetIZuGUI(nullptr);
    EXPECT_EQ(nullptr, Manager().GetIZuGUI());
    EXPECT_EQ(nullptr, ZuGUI::GetHost());
    EXPECT_EQ(1u, host.Calls().size());
}

TEST(ManagerTest, RendererFlagIsAPlainFlag)
{
    EXPECT_FALSE(Manager().IsUsingZuRenerer());
    Manager().SetUsingZuRenderer(true);
    EXPECT_TRUE(Manager().IsUsingZuRenerer());
    Manager().SetUsingZuRenderer(false);
    EXPECT_FALSE(Manager().IsUsingZuRenerer());
}

// A web window stand-in: a plain CEGUI window that counts its synchronisations and leaves the
// open set when it is destroyed, as the real web window does.
class FakeWebWindow : public CEGUI::Window, public ZuGUI::IEmbeddedWebWindow
{
public:
    static const CEGUI::String WidgetTypeName;

    FakeWebWindow(const CEGUI::String& type, const CEGUI::String& name) : CEGUI::Window(type, name)
    {
    }
    void onDestructionStarted(CEGUI::WindowEventArgs& args) override
    {
        ZuGUI::EmbeddedWebWindows::Remove(*this);
        CEGUI::Window::onDestructionStarted(args);
    }

    CEGUI::Window& HostWindow() override { return *this; }
    void SyncronizeWebCtrlRect() override { synchronisations.push_back(getName().c_str()); }

    static std::vector<std::string> synchronisations;
};
std::vector<std::string> FakeWebWindow::synchronisations;
const CEGUI::String FakeWebWindow::WidgetTypeName = "ZuTest/FakeWebWindow";

class WebWindowsTest : public ZuTest::CeguiTest
{
protected:
    FakeWebWindow& Open(const char* name)
    {
        auto& window =
            static_cast<FakeWebWindow&>(CreateChild(FakeWebWindow::WidgetTypeName, name));
        ZuGUI::EmbeddedWebWindows::Add(window);
        return window;
    }

    void SetUp() override
    {
        CeguiTest::SetUp();
        if (!CEGUI::WindowFactoryManager::getSingleton().isFactoryPresent(
                FakeWebWindow::WidgetTypeName))
            CEGUI::WindowFactoryManager::addWindowType<FakeWebWindow>();
        FakeWebWindow::synchronisations.clear();
    }
};

TEST_F(WebWindowsTest, HostKeepsOpenWindowsInPlaceInOpeningOrder)
{
    EXPECT_FALSE(Manager().IsHTMLWindowExist());
    Open("Shop");
    Open("News");
    EXPECT_TRUE(Manager().IsHTMLWindowExist());

    Manager().SyncronizeUI(1);
    EXPECT_TRUE(FakeWebWindow::synchronisations.empty());
    Manager().SyncronizeUI(0);
    EXPECT_THAT(FakeWebWindow::synchronisations, ElementsAre("Shop", "News"));
}

TEST_F(WebWindowsTest, OnlyOperationZeroClosesEveryWebWindow)
{
    Open("Shop");
    Open("News");
    Manager().ManipulateImbeddedIEWindow(1, 0, 0);
    EXPECT_TRUE(Manager().IsHTMLWindowExist());
    EXPECT_EQ(2u, Root().getChildCount());

    Manager().ManipulateImbeddedIEWindow(0, 7, 9);
    EXPECT_FALSE(Manager().IsHTMLWindowExist());
    CEGUI::WindowManager::getSingleton().cleanDeadPool();
    EXPECT_EQ(0u, Root().getChildCount());
}
} // namespace
