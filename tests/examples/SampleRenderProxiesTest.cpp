#include "client/SampleRenderProxies.h"

#include "support/CeguiFixture.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "client/IconPainter.h"

#include <CEGUI/CEGUI.h>

namespace
{
using ZuDemo::GameModel;
using ZuDemo::SampleRenderProxies;

class SampleRenderProxiesTest : public ZuTest::CeguiTest
{
protected:
    CEGUI::Texture& NewTexture(const char* name)
    {
        CEGUI::Texture& texture = Renderer().createTexture(name);
        m_textures.push_back(&texture);
        return texture;
    }
    void TearDown() override
    {
        for (CEGUI::Texture* texture : m_textures)
            Renderer().destroyTexture(*texture);
        CeguiTest::TearDown();
    }
    static CEGUI::Renderer& Renderer() { return *CEGUI::System::getSingleton().getRenderer(); }

    GameModel m_model = GameModel::MakeSample();
    std::vector<CEGUI::Texture*> m_textures;
};

TEST_F(SampleRenderProxiesTest, InstallsItselfForItsLifetime)
{
    {
        SampleRenderProxies proxies(m_model);
        EXPECT_EQ(&proxies, ZuGUI::GetRenderProxyRenderer());
        EXPECT_TRUE(ZuGUI::ZuGUIExtraFacoryManager::Instance().IsUsingZuRenerer());
    }
    EXPECT_EQ(nullptr, ZuGUI::GetRenderProxyRenderer());
    EXPECT_FALSE(ZuGUI::ZuGUIExtraFacoryManager::Instance().IsUsingZuRenerer());
}

TEST_F(SampleRenderProxiesTest, PaintsKnownObjectsAndTheSparkleOnly)
{
    SampleRenderProxies proxies(m_model);
    CEGUI::Texture& item = NewTexture("item");
    CEGUI::Texture& sparkle = NewTexture("sparkle");
    CEGUI::Texture& unknown = NewTexture("unknown");
    proxies.BindProxyTexture(item, 1001, 1);
    proxies.BindProxyTexture(sparkle, GameModel::kSparkleProxyId, 2);
    proxies.BindProxyTexture(unknown, 4242, 0);
    EXPECT_EQ(CEGUI::Sizef(64, 64), item.getSize());
    EXPECT_EQ(CEGUI::Sizef(64, 64), sparkle.getSize());
    EXPECT_EQ(CEGUI::Sizef(0, 0), unknown.getSize());
}

TEST_F(SampleRenderProxiesTest, DrawsASquareCentredOnTheAnchorAndNothingForAnEmptyTexture)
{
    SampleRenderProxies proxies(m_model);
    CEGUI::Texture& item = NewTexture("item");
    CEGUI::Texture& empty = NewTexture("empty");
    proxies.BindProxyTexture(item, 1001, 1);
    CEGUI::GeometryBuffer& buffer = Renderer().createGeometryBuffer();
    proxies.DrawProxy(buffer, empty, {50, 30}, {100, 60}, nullptr);
    EXPECT_EQ(0u, buffer.getVertexCount());
    const CEGUI::Rectf clip(0, 0, 40, 100);
    proxies.DrawProxy(buffer, item, {50, 30}, {100, 60}, &clip);
    EXPECT_EQ(6u, buffer.getVertexCount());
    // The square is 60 wide from x 20; the clip keeps x 20..40, and nothing when it misses.
    const CEGUI::Rectf miss(0, 0, 10, 10);
    proxies.DrawProxy(buffer, item, {50, 30}, {100, 60}, &miss);
    EXPECT_EQ(6u, buffer.getVertexCount());
    Renderer().destroyGeometryBuffer(buffer);
}

TEST(IconPainter, DarkIconsAreDarkerAndGroundIsTransparent)
{
    const ZuDemo::RgbaPicture lit = ZuDemo::PaintIcon("potion", 32, false);
    const ZuDemo::RgbaPicture dark = ZuDemo::PaintIcon("potion", 32, true);
    ASSERT_EQ(32u * 32u, lit.pixels.size());
    EXPECT_EQ(0u, lit.pixels[0] >> 24);
    const std::uint32_t centre = lit.pixels[20 * 32 + 16];
    const std::uint32_t darkCentre = dark.pixels[20 * 32 + 16];
    auto brightness = [](std::uint32_t pixel)
    { return (pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF); };
    EXPECT_EQ(255u, centre >> 24);
    EXPECT_LT(brightness(darkCentre), brightness(centre));
}
} // namespace
