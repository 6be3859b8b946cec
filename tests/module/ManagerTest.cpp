#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/script/ScriptModule.h"

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
} // namespace
