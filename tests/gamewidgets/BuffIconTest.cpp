#include "SampleLook.h"

#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/gamewidgets/BuffIcon.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuGUI::CBuffIcon;
using ZuTest::RecordingHost;
using ZuTest::WatchLine;

class BuffIconTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        // Buff n of the list is object 100 + n; each object's tool tip names it.
        m_host.SetReply("BuffMgr",
                        [](KeyValues& request, KeyValues& reply)
                        {
                            reply.SetInt("CellId", 100 + request.GetInt("BuffIndex"));
                            return true;
                        });
        m_host.SetReply("GameObjectTooltip",
                        [](KeyValues& request, KeyValues& reply)
                        {
                            const int id = request.GetInt("ObjectId");
                            reply.SetString("GameObjectTooltipValue",
                                            ("Buff " + std::to_string(id)).c_str());
                            return id != 0;
                        });
    }

    CBuffIcon& CreateBuffIcon()
    {
        auto& icon =
            static_cast<CBuffIcon&>(CreateChild("ZuGame/BuffIcon", "Buff", 10, 10, 32, 32));
        icon.setWindowRenderer("ZuGame/BuffIcon");
        return icon;
    }

    // A drawn icon bound to buff 0 (object 100), with the calls so far cleared.
    CBuffIcon& CreateBoundBuffIcon()
    {
        CBuffIcon& icon = CreateBuffIcon();
        RenderFrame();
        m_host.ClearCalls();
        return icon;
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

TEST_F(BuffIconTest, FirstDrawResolvesTheBuffByIndexFromTheBuffManager)
{
    m_host.ClearCalls();
    CBuffIcon& icon = CreateBuffIcon();
    EXPECT_EQ("BuffMgr", icon.GetProviderName());
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre(::testing::HasSubstr("RegisterWindow"),
                            ::testing::HasSubstr("SubscribeProvider"),
                            "Query(BuffMgr{BuffIndex=0})", WatchLine("WatchObject", icon, 100),
                            "Query(GameObjectTooltip{ObjectId=100})"));
    EXPECT_EQ(100u, icon.GetTargetId());
    EXPECT_EQ("Buff 100", icon.getTooltipText());
}

TEST_F(BuffIconTest, ChangingTheIndexResolvesAtOnceAndOnlyOnChange)
{
    CBuffIcon& icon = CreateBoundBuffIcon();
    icon.setProperty("BuffIndex", "2");
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(BuffMgr{BuffIndex=2})", WatchLine("UnwatchObject", icon, 100),
                            WatchLine("WatchObject", icon, 102),
                            "Query(GameObjectTooltip{ObjectId=102})"));
    EXPECT_EQ("2", icon.getProperty("BuffIndex"));

    m_host.ClearCalls();
    icon.setProperty("BuffIndex", "2");
    EXPECT_THAT(m_host.Calls(), IsEmpty());
}

TEST_F(BuffIconTest, DirectIdBindsWithoutRequestUntilItIsWithdrawn)
{
    CBuffIcon& icon = CreateBoundBuffIcon();
    EXPECT_EQ("4294967295", icon.getProperty("CellId"));

    icon.setProperty("CellId", "0");
    EXPECT_THAT(m_host.CallLines(), ElementsAre(WatchLine("UnwatchObject", icon, 100),
                                                "Query(GameObjectTooltip{ObjectId=0})"));
    EXPECT_EQ(0u, icon.GetTargetId());
    EXPECT_EQ("", icon.getTooltipText()) << "an unanswered tool tip clears it";

    m_host.ClearCalls();
    icon.setProperty("CellId", "4294967295");
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(BuffMgr{BuffIndex=0})", WatchLine("WatchObject", icon, 100),
                            "Query(GameObjectTooltip{ObjectId=100})"));
}

TEST_F(BuffIconTest, UnansweredBuffRequestReleasesTheWatchedBuff)
{
    CBuffIcon& icon = CreateBoundBuffIcon();
    m_host.SetReply("BuffMgr", [](KeyValues&, KeyValues&) { return false; });
    icon.setProperty("BuffIndex", "1");
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(BuffMgr{BuffIndex=1})", WatchLine("UnwatchObject", icon, 100),
                            "Query(GameObjectTooltip{ObjectId=0})"));
    EXPECT_EQ(0u, icon.GetTargetId());
    EXPECT_EQ("", icon.getTooltipText());

    // Nothing is watched now, so a second failure releases nothing.
    m_host.ClearCalls();
    icon.setProperty("BuffIndex", "2");
    EXPECT_THAT(m_host.CallLines("UnwatchObject"), IsEmpty());
}

TEST_F(BuffIconTest, ReplyWithoutCellIdChangesNothing)
{
    CBuffIcon& icon = CreateBoundBuffIcon();
    m_host.ReplyWith("BuffMgr", [](KeyValues&) {});
    icon.setProperty("BuffIndex", "1");
    EXPECT_THAT(m_host.CallLines(), ElementsAre("Query(BuffMgr{BuffIndex=1})"));
    EXPECT_EQ(100u, icon.GetTargetId());
    EXPECT_EQ("Buff 100", icon.getTooltipText());
}

TEST_F(BuffIconTest, WithoutHostTheIconKeepsItsState)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    CBuffIcon& icon = CreateBuffIcon();
    icon.setTooltipText("layout tip");
    icon.setProperty("CellId", "7");
    RenderFrame();
    EXPECT_EQ(0u, icon.GetTargetId());
    EXPECT_EQ("layout tip", icon.getTooltipText());
    EXPECT_EQ(7u, icon.GetDirectId());
}

TEST_F(BuffIconTest, RendererAsksForTheBuffsIconAtTheCentre)
{
    ZuTest::FakeRenderProxies proxies;
    CBuffIcon& icon = CreateBuffIcon();
    icon.setProperty("BuffIndex", "1");
    RenderFrame();
    EXPECT_THAT(proxies.bindings, ElementsAre("101/1"));
    ASSERT_EQ(1u, proxies.draws.size());
    EXPECT_FLOAT_EQ(16, proxies.draws[0].anchor.d_x);
    EXPECT_FLOAT_EQ(16, proxies.draws[0].anchor.d_y);
}

TEST_F(BuffIconTest, SampleLookCentresTheBuffsIcon)
{
    ZuTest::SampleLook("ZuLook.BuffIcon.looknfeel", "ZuLook/BuffIcon");
    ZuTest::FakeRenderProxies proxies;
    CBuffIcon& icon = CreateBuffIcon();
    icon.setLookNFeel("ZuLook/BuffIcon");
    RenderFrame();
    EXPECT_EQ(CEGUI::Sizef(32, 32), icon.getPixelSize());
    ASSERT_EQ(1u, proxies.draws.size());
    EXPECT_EQ(CEGUI::Vector2f(16, 16), proxies.draws[0].anchor);
}

} // namespace
