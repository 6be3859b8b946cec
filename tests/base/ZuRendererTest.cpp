#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/QuadGeometry.h"
#include "support/RecordingHost.h"
#include "support/TestGameWindow.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <memory>
#include <sstream>

namespace
{
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ZuGUI::tagTexture_Param;
using ZuTest::FakeRenderProxies;
using ZuTest::RecordingHost;
using ZuTest::TestGameRenderer;
using ZuTest::TestGameWindow;

class ZuRendererTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::RegisterTestGameTypes();
        TestGameRenderer::ResetSparkingRenderProxyId();
    }

    // A 100×60 game window at (200, 100) asking for the given textures.
    TestGameWindow& CreateGameWindow(std::vector<tagTexture_Param> textures = {},
                                     const char* name = "Game")
    {
        auto& window = static_cast<TestGameWindow&>(
            CreateChild(TestGameWindow::WidgetTypeName, name, 200, 100, 100, 60));
        window.setWindowRenderer(TestGameRenderer::TypeName);
        Renderer(window).textures = std::move(textures);
        return window;
    }

    static TestGameRenderer& Renderer(CEGUI::Window& window)
    {
        return static_cast<TestGameRenderer&>(*window.getWindowRenderer());
    }

    static unsigned ProxyVertices(TestGameWindow& window)
    {
        const CEGUI::GeometryBuffer* buffer = window.GetZuImageCache().GetProxyBuffer();
        return buffer ? buffer->getVertexCount() : 0;
    }
};

TEST_F(ZuRendererTest, SwitchesAreRendererPropertiesOfTheAttachedWindow)
{
    TestGameWindow& window = CreateGameWindow();
    EXPECT_EQ("False", window.getProperty("FrameEnabled"));
    EXPECT_EQ("False", window.getProperty("BackgroundEnabled"));
    window.setProperty("FrameEnabled", "True");
    EXPECT_TRUE(Renderer(window).isFrameEnabled());

    window.setWindowRenderer("Core/Default");
    EXPECT_FALSE(window.isPropertyPresent("FrameEnabled"));
    EXPECT_FALSE(window.isPropertyPresent("ImageOffset"));
}

TEST_F(ZuRendererTest, SwitchRedrawsOnlyOnChange)
{
    TestGameWindow& window = CreateGameWindow();
    RenderFrame();
    const int renders = Renderer(window).renders;
    Renderer(window).setFrameEnabled(true);
    RenderFrame();
    Renderer(window).setFrameEnabled(true);
    Renderer(window).setBackgroundEnabled(false);
    RenderFrame();
    EXPECT_EQ(renders + 1, Renderer(window).renders);
}

TEST_F(ZuRendererTest, WithoutProxyRendererRequestsMakeNoTexturesAndNoRecords)
{
    TestGameWindow& window = CreateGameWindow({{7, 1, 0, 0}, {8, 1, 0, 0}});
    RenderFrame();
    EXPECT_EQ(1, Renderer(window).textureParamRequests);
    EXPECT_EQ(0u, Renderer(window).GetImage().TextureCount());
    EXPECT_FALSE(window.GetZuImageCache().hasCachedImagery());
}

TEST_F(ZuRendererTest, WithoutTheClientRendererFlagNoTextureIsMade)
{
    FakeRenderProxies proxies;
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetUsingZuRenderer(false);
    TestGameWindow& window = CreateGameWindow({{7, 1, 0, 0}});
    RenderFrame();
    EXPECT_TRUE(proxies.bindings.empty());
    EXPECT_FALSE(window.GetZuImageCache().hasCachedImagery());
}

TEST_F(ZuRendererTest, ImageIsRecordedOnceAndDrawsEachTextureOnce)
{
    FakeRenderProxies proxies;
    TestGameWindow& window = CreateGameWindow({{7, 1, 0, 0}, {8, 2, 0, 0}, {9, 3, 0, 0}});
    RenderFrame();
    EXPECT_THAT(proxies.bindings, ElementsAre("7/1", "8/2", "9/3"));
    EXPECT_EQ(1u, window.GetZuImageCache().GetRecords().size());
    EXPECT_EQ(3u, proxies.draws.size());
    EXPECT_EQ(3u * 6u, ProxyVertices(window));

    // A redraw replaces the layer instead of adding to it.
    window.invalidate();
    RenderFrame();
    EXPECT_EQ(1u, window.GetZuImageCache().GetRecords().size());
    EXPECT_EQ(3u * 6u, ProxyVertices(window));
}

TEST_F(ZuRendererTest, DetachingTheRendererDropsTheLayerOfItsTextures)
{
    FakeRenderProxies proxies;
    TestGameWindow& window = CreateGameWindow({{7, 1, 0, 0}});
    RenderFrame();
    ASSERT_TRUE(window.GetZuImageCache().hasCachedImagery());
    window.setWindowRenderer("Core/Default");
    EXPECT_FALSE(window.GetZuImageCache().hasCachedImagery());
    EXPECT_EQ(0u, ProxyVertices(window));
}

TEST_F(ZuRendererTest, AnchorFollowsImageOffsetAndTextureOffsets)
{
    FakeRenderProxies proxies;
    TestGameWindow& window = CreateGameWindow({{7, 0, 3, 4}});
    window.setProperty("ImageOffset", "{{0.5,-24},{1,-16}}");
    RenderFrame();
    ASSERT_EQ(1u, proxies.draws.size());
    // Window coordinates: centre minus 24 plus 3, bottom minus 16 plus 4.
    EXPECT_FLOAT_EQ(50 - 24 + 3, proxies.draws[0].anchor.d_x);
    EXPECT_FLOAT_EQ(60 - 16 + 4, proxies.draws[0].anchor.d_y);
    EXPECT_FLOAT_EQ(100, proxies.draws[0].size.d_width);
    EXPECT_FLOAT_EQ(60, proxies.draws[0].size.d_height);
    EXPECT_EQ("{{0.5,-24},{1,-16}}", window.getProperty("ImageOffset"));
}

TEST_F(ZuRendererTest, ImageOffsetDefaultsToTheRenderersOwnAnchorWhichALayoutLeavesOut)
{
    TestGameWindow& window = CreateGameWindow();
    const auto layout = [&]
    {
        std::ostringstream xml;
        CEGUI::WindowManager::getSingleton().writeLayoutToStream(window, xml);
        return xml.str();
    };
    // The renderer anchors the image itself (as the icons and the creature viewer do).
    Renderer(window).SetImageOffset(0.5f, 0.0f, 1.0f, -2.0f);
    EXPECT_EQ("{{0.5,0},{1,-2}}", window.getPropertyDefault("ImageOffset"));
    EXPECT_THAT(layout(), Not(HasSubstr("\"ImageOffset\"")));

    window.setProperty("ImageOffset", "{{0,4},{0,4}}");
    EXPECT_EQ("{{0.5,0},{1,-2}}", window.getPropertyDefault("ImageOffset"));
    EXPECT_THAT(layout(), HasSubstr("name=\"ImageOffset\" value=\"{{0,4},{0,4}}\""));
}

TEST_F(ZuRendererTest, RecordsAreClippedToTheirIntersectionWithTheWindow)
{
    FakeRenderProxies proxies;
    TestGameWindow& window = CreateGameWindow({{7, 0, 0, 0}});
    RenderFrame();
    ASSERT_EQ(1u, proxies.draws.size());
    EXPECT_TRUE(proxies.draws[0].clipped);
    EXPECT_EQ(CEGUI::Rectf(0, 0, 100, 60), proxies.draws[0].clip);

    ZuGUI::ZuImage image;
    image.PushTextureIndex({5, 0, 0, 0});
    image.UpdateTextures();
    window.GetZuImageCache().ClearCache();
    const CEGUI::Rectf clip(50, -10, 300, 30);
    image.CacheSelf(window, nullptr, &clip);
    EXPECT_EQ(CEGUI::Rectf(50, 0, 100, 30), window.GetZuImageCache().GetRecords()[0].clip);
    EXPECT_EQ(CEGUI::Rectf(50, 0, 100, 30), proxies.draws.back().clip);
}

TEST_F(ZuRendererTest, ImageCacheIsQueuedWithTheWindowsPlacement)
{
    FakeRenderProxies proxies;
    TestGameWindow& window = CreateGameWindow({{7, 0, 0, 0}});
    RenderFrame();
    const CEGUI::GeometryBuffer& layer = *window.GetZuImageCache().GetProxyBuffer();
    EXPECT_EQ(CEGUI::Vector3f(200, 100, 0), ZuTest::PlacementOf(layer).translation);
    EXPECT_EQ(CEGUI::Rectf(200, 100, 300, 160), ZuTest::PlacementOf(layer).clip);

    // Moving the window keeps the recorded layer; it is queued at the new place, clipped by
    // the parent like the window's own geometry.
    window.setPosition(CEGUI::UVector2(CEGUI::UDim(0, 980), CEGUI::UDim(0, 10)));
    RenderFrame();
    EXPECT_EQ(1u, window.GetZuImageCache().GetRecords().size());
    EXPECT_EQ(CEGUI::Vector3f(980, 10, 0), ZuTest::PlacementOf(layer).translation);
    EXPECT_EQ(CEGUI::Rectf(980, 10, 1024, 70), ZuTest::PlacementOf(layer).clip);
    EXPECT_EQ(ZuTest::PlacementOf(window.getGeometryBuffer()).clip,
              ZuTest::PlacementOf(layer).clip);
}

TEST_F(ZuRendererTest, SparkleIdIsAskedOnceAndItsTextureDrawnLast)
{
    FakeRenderProxies proxies;
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    host.ReplyWith("GameCreatureProvider",
                   [](KeyValues& reply) { reply.SetInt("CreatureId", 900); });

    TestGameWindow& plain = CreateGameWindow({{7, 0, 0, 0}}, "Plain");
    RenderFrame();
    EXPECT_TRUE(host.CallLines("Query").empty());

    TestGameWindow& first = CreateGameWindow({{7, 0, 0, 0}}, "First");
    TestGameWindow& second = CreateGameWindow({}, "Second");
    first.setSparkingState(2);
    second.setSparkingState(5);
    plain.invalidate();
    proxies.bindings.clear();
    RenderFrame();
    EXPECT_THAT(host.CallLines("Query"),
                ElementsAre("Query(GameCreatureProvider{WhichOne=\"Sparking\"})"));
    EXPECT_EQ(900u, TestGameRenderer::GetSparkingRenderProxyId());
    EXPECT_THAT(proxies.bindings, ElementsAre("7/0", "7/0", "900/2", "900/5"));
}

TEST_F(ZuRendererTest, UnansweredSparkleIdIsAskedAgainButMinusOneIsKept)
{
    RecordingHost host;
    ZuTest::ScopedHost scoped(&host);
    TestGameWindow& window = CreateGameWindow();
    window.setSparkingState(1);
    RenderFrame();
    window.invalidate();
    RenderFrame();
    EXPECT_EQ(2u, host.CallLines("Query").size());
    EXPECT_EQ(0u, TestGameRenderer::GetSparkingRenderProxyId());

    host.ReplyWith("GameCreatureProvider", [](KeyValues&) {});
    window.invalidate();
    RenderFrame();
    window.invalidate();
    RenderFrame();
    EXPECT_EQ(3u, host.CallLines("Query").size());
    EXPECT_EQ(0xFFFFFFFFu, TestGameRenderer::GetSparkingRenderProxyId());
}

TEST_F(ZuRendererTest, RendererOnAPlainWindowDrawsNoProxyLayer)
{
    FakeRenderProxies proxies;
    CEGUI::Window& plain = CreateChild("DefaultWindow", "Plain");
    plain.setWindowRenderer(TestGameRenderer::TypeName);
    Renderer(plain).textures = {{7, 0, 0, 0}};
    RenderFrame();
    EXPECT_EQ(1, Renderer(plain).renders);
    EXPECT_TRUE(proxies.draws.empty());
}
} // namespace
