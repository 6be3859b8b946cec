#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/gamewidgets/SpellIcon.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ZuGUI::CSpellIcon;
using ZuTest::RecordingHost;

class SpellIconTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        m_host.ReplyWith("SpellProxyMgr", [](KeyValues& reply) { reply.SetInt("CellId", 3001); });
    }

    CSpellIcon& CreateSpellIcon()
    {
        auto& icon =
            static_cast<CSpellIcon&>(CreateChild("ZuGame/SpellIcon", "Spell", 10, 10, 40, 40));
        icon.setWindowRenderer("ZuGame/ItemIcon");
        return icon;
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

TEST_F(SpellIconTest, PlainSpellIconAsksTheSpellManagerForItsItem)
{
    m_host.ClearCalls();
    CSpellIcon& icon = CreateSpellIcon();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines("SubscribeProvider"),
                ElementsAre(HasSubstr(", \"SpellProxyMgr\")")));
    EXPECT_THAT(m_host.CallLines("Query")[0],
                "Query(SpellProxyMgr{ItemType=\"Item\" PackageName=\"\" PackageId=0 "
                "PackageIndex=-1})");
    EXPECT_EQ(3001u, icon.GetTargetId());
    EXPECT_EQ("Item", icon.getProperty("ItemType"));
}

TEST_F(SpellIconTest, EventsKeepTheItemIconNamespace)
{
    int itemIconEvents = 0;
    int spellIconEvents = 0;
    CEGUI::GlobalEventSet& global = CEGUI::GlobalEventSet::getSingleton();
    const CEGUI::Event::ScopedConnection itemIcon = global.subscribeEvent(
        "ItemIcon/TargetIdChanged", [&](const CEGUI::EventArgs&) { ++itemIconEvents; });
    const CEGUI::Event::ScopedConnection spellIcon = global.subscribeEvent(
        "SpellIcon/TargetIdChanged", [&](const CEGUI::EventArgs&) { ++spellIconEvents; });
    CreateSpellIcon();
    RenderFrame();
    EXPECT_EQ(1, itemIconEvents);
    EXPECT_EQ(0, spellIconEvents);
}

TEST_F(SpellIconTest, ItemIconRendererDrawsTheSpell)
{
    ZuTest::FakeRenderProxies proxies;
    CreateSpellIcon();
    RenderFrame();
    EXPECT_THAT(proxies.bindings, ElementsAre("3001/1"));
}
} // namespace
