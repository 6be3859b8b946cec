#include "SampleLook.h"
#include "support/QuadGeometry.h"

#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/gamewidgets/CreatureViewer.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <map>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuGUI::CCreatureViewer;
using ZuTest::RecordingHost;
using ZuTest::WatchLine;

// The state imageries of the test look; the n-th draws one quad at x = 10 × n.
const std::vector<std::string> kImageryByPlace = {
    "EnabledFrame",
    "DisabledFrame",
    "WithFrameEnabledBackground",
    "WithFrameDisabledBackground",
    "NoFrameEnabledBackground",
    "NoFrameDisabledBackground",
    "Picked",
};

class CreatureViewerTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("CreatureViewerTest");
        m_host.SetReply("GameCreatureProvider",
                        [this](KeyValues& request, KeyValues& reply)
                        {
                            const auto found = m_roles.find(request.GetString("WhichOne"));
                            if (found == m_roles.end())
                                return false;
                            reply.SetInt("CreatureId", found->second);
                            return true;
                        });
    }

    CCreatureViewer& CreateViewer(const char* whichOne = "Target")
    {
        auto& viewer = static_cast<CCreatureViewer&>(
            CreateChild("ZuTest/CreatureViewer", "Viewer", 10, 10, 120, 160));
        viewer.setProperty("WhichOne", whichOne);
        return viewer;
    }

    // A drawn viewer watching the target (creature 2), with the calls so far cleared.
    CCreatureViewer& CreateWatchingViewer()
    {
        CCreatureViewer& viewer = CreateViewer();
        RenderFrame();
        m_host.ClearCalls();
        return viewer;
    }

    // The state imageries that the last draw rendered, told apart by where they drew.
    static std::vector<std::string> DrawnImagery(CEGUI::Window& window)
    {
        std::vector<std::string> drawn;
        for (const ZuTest::Quad& quad : ZuTest::WindowQuads(window))
            drawn.push_back(kImageryByPlace.at(static_cast<std::size_t>(quad.rect.left()) / 10));
        return drawn;
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
    std::map<std::string, int> m_roles{{"Player", 1}, {"Target", 2}};
};

TEST_F(CreatureViewerTest, ResolvesTheRoleWordThroughTheCreatureProviderAndWatches)
{
    CCreatureViewer& viewer = CreateViewer();
    m_host.ClearCalls();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(), ElementsAre("Query(GameCreatureProvider{WhichOne=\"Target\"})",
                                                WatchLine("WatchObject", viewer, 2)));
    EXPECT_EQ(2u, viewer.GetTargetId());
}

TEST_F(CreatureViewerTest, RoleWordAloneWaitsForTheNextUpdate)
{
    CCreatureViewer& viewer = CreateWatchingViewer();
    viewer.setProperty("WhichOne", "Player");
    RenderFrame();
    EXPECT_THAT(m_host.Calls(), IsEmpty());

    viewer.requestUpdate();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(), ElementsAre("Query(GameCreatureProvider{WhichOne=\"Player\"})",
                                                WatchLine("UnwatchObject", viewer, 2),
                                                WatchLine("WatchObject", viewer, 1)));
}

TEST_F(CreatureViewerTest, DirectIdReplacesTheRequest)
{
    CCreatureViewer& viewer = CreateWatchingViewer();
    EXPECT_EQ("4294967295", viewer.getProperty("CellId"));
    viewer.setProperty("CellId", "0");
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(), ElementsAre(WatchLine("UnwatchObject", viewer, 2)));
    EXPECT_EQ(0u, viewer.GetTargetId());

    m_host.ClearCalls();
    viewer.setProperty("CellId", "7");
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(), ElementsAre(WatchLine("WatchObject", viewer, 7)));
}

TEST_F(CreatureViewerTest, FailedResolutionKeepsTheWatchedCreature)
{
    CCreatureViewer& viewer = CreateWatchingViewer();

    viewer.setProperty("WhichOne", "Nobody"); // the host has no answer
    viewer.requestUpdate();
    RenderFrame();
    m_host.ReplyWith("GameCreatureProvider", [](KeyValues&) {}); // no "CreatureId"
    viewer.requestUpdate();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines("Query"), ::testing::SizeIs(2));
    EXPECT_THAT(m_host.CallLines("UnwatchObject"), IsEmpty());
    EXPECT_EQ(2u, viewer.GetTargetId());

    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    viewer.setProperty("CellId", "9");
    RenderFrame();
    EXPECT_EQ(2u, viewer.GetTargetId());
}

TEST_F(CreatureViewerTest, RenderOperationNamesTheImageAndAnchorsIt)
{
    ZuTest::FakeRenderProxies proxies;
    CCreatureViewer& viewer = CreateViewer();
    EXPECT_EQ("RenderMap", viewer.getProperty("RenderOper"));
    EXPECT_EQ("{{0.5,-24},{1,-16}}", viewer.getProperty("ImageOffset"));

    viewer.setProperty("RenderOper", "RenderIcon");
    RenderFrame();
    EXPECT_THAT(proxies.bindings, ElementsAre("2/1"));
    EXPECT_EQ("{{0.5,0},{1,-2}}", viewer.getProperty("ImageOffset"));
    ASSERT_EQ(1u, proxies.draws.size());
    EXPECT_FLOAT_EQ(60, proxies.draws[0].anchor.d_x);
    EXPECT_FLOAT_EQ(158, proxies.draws[0].anchor.d_y);

    // The large and small icons keep the anchor they find.
    viewer.setProperty("RenderOper", "RenderLargeIcon");
    EXPECT_EQ("RenderLargeIcon", viewer.getProperty("RenderOper"));
    EXPECT_EQ("{{0.5,0},{1,-2}}", viewer.getProperty("ImageOffset"));

    // Names the viewer does not know, the dark icons among them, are the map image.
    viewer.setProperty("RenderOper", "RenderDarkIcon");
    EXPECT_EQ("RenderMap", viewer.getProperty("RenderOper"));
    EXPECT_EQ("{{0.5,-24},{1,-16}}", viewer.getProperty("ImageOffset"));

    // A renderer attached later anchors for the operation the viewer already has.
    auto& late =
        static_cast<CCreatureViewer&>(CreateChild(CCreatureViewer::WidgetTypeName, "Late"));
    late.setProperty("RenderOper", "RenderIcon");
    late.setWindowRenderer(CEGUI::CCreatureViewerRenderer::TypeName);
    EXPECT_EQ("{{0.5,0},{1,-2}}", late.getProperty("ImageOffset"));
}

TEST_F(CreatureViewerTest, SwitchesEnabledStateAndPickChooseTheImagery)
{
    CCreatureViewer& viewer = CreateViewer();
    RenderFrame();
    EXPECT_THAT(DrawnImagery(viewer), IsEmpty());

    // Back to front: later geometry is drawn over earlier geometry.
    viewer.setProperty("FrameEnabled", "True");
    viewer.setProperty("BackgroundEnabled", "True");
    RenderFrame();
    EXPECT_THAT(DrawnImagery(viewer), ElementsAre("EnabledFrame", "WithFrameEnabledBackground"));

    viewer.disable();
    RenderFrame();
    EXPECT_THAT(DrawnImagery(viewer), ElementsAre("DisabledFrame", "WithFrameDisabledBackground"));

    viewer.setProperty("FrameEnabled", "False");
    RenderFrame();
    EXPECT_THAT(DrawnImagery(viewer), ElementsAre("NoFrameDisabledBackground"));

    viewer.enable();
    m_host.ClearCalls();
    viewer.setProperty("Picked", "True");
    RenderFrame();
    EXPECT_THAT(DrawnImagery(viewer), ElementsAre("NoFrameEnabledBackground", "Picked"));
    EXPECT_THAT(m_host.CallLines(), ElementsAre(::testing::HasSubstr("GameCreatureProvider")))
        << "picking re-resolves the creature";
}

TEST_F(CreatureViewerTest, SampleLookHasEveryImageryAndFramesTheCreatureByDefault)
{
    const CEGUI::WidgetLookFeel& look =
        ZuTest::SampleLook("ZuLook.CreatureViewer.looknfeel", "ZuLook/CreatureViewer");
    EXPECT_THAT(ZuTest::MissingStateImagery(look, kImageryByPlace), IsEmpty());

    CCreatureViewer& viewer = CreateViewer();
    viewer.setLookNFeel("ZuLook/CreatureViewer");
    EXPECT_EQ("True", viewer.getProperty("FrameEnabled"));
    EXPECT_EQ("True", viewer.getProperty("BackgroundEnabled"));
    RenderFrame();
    const std::size_t framed = ZuTest::WindowQuads(viewer).size();
    EXPECT_GT(framed, 0u);
    viewer.setProperty("Picked", "True");
    RenderFrame();
    EXPECT_GT(ZuTest::WindowQuads(viewer).size(), framed);
}

} // namespace
