#include "client/SampleGameClient.h"
#include "client/SamplePictureSource.h"
#include "client/SampleRenderProxies.h"

#include "support/CeguiFixture.h"
#include "support/QuadGeometry.h"

#include "public/KeyValues.h"

#include <CEGUI/CEGUI.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using ZuDemo::GameModel;

constexpr unsigned kEmote = GameModel::kFirstEmoteIndex;

unsigned PackedPicture(unsigned set, unsigned index)
{
    return set << 16 | index;
}

TEST(SampleRichText, ItemColourScriptAnswersTheQualityColourOfKnownItemsOnly)
{
    ZuDemo::SampleGameClient client;
    const ZuDemo::Item& sword = *client.Model().FindItem(1001);
    ASSERT_NE(0u, sword.nameColour);
    EXPECT_EQ(static_cast<int>(sword.nameColour), client.CallScriptRetInt("item_color", 1001));
    EXPECT_EQ(0, client.CallScriptRetInt("item_color", 4242));
    EXPECT_EQ(0, client.CallScriptRetInt("other_script", 1001));
    EXPECT_EQ(0, client.CallScriptRetInt(nullptr, 1001));
}

TEST(SampleRichText, PictureProxyIsAnsweredAndCommandTreesAreKept)
{
    ZuDemo::SampleGameClient client;
    const KeyValuesPtr request = MakeKeyValues("GameCreatureProvider");
    const KeyValuesPtr reply = MakeKeyValues("");
    request->SetString("WhichOne", "Picture");
    ASSERT_TRUE(client.Query(request.get(), reply.get()));
    EXPECT_EQ(GameModel::kPictureProxyId, reply->GetInt("CreatureId"));

    KeyValues* click = new KeyValues("_KeyVal_Cmd_Click");
    click->SetInt("_KeyVal_Cmd_Opcode", 7);
    client.SendCommand(click);
    EXPECT_EQ(std::vector<std::string>{"_KeyVal_Cmd_Click{_KeyVal_Cmd_Opcode=7}"},
              client.CommandLog());
}

TEST(SampleRichText, ModelHasItsPicturesAndEveryEmote)
{
    GameModel model = GameModel::MakeSample();
    ASSERT_NE(nullptr, model.FindPicture(2, 1));
    EXPECT_EQ("banner", model.FindPicture(2, 1)->name);
    ASSERT_NE(nullptr, model.FindPicture(GameModel::kEmoteSet, kEmote + 199));
    EXPECT_EQ(nullptr, model.FindPicture(GameModel::kEmoteSet, kEmote + 200));
    EXPECT_EQ(nullptr, model.FindPicture(GameModel::kEmoteSet, kEmote - 1));
    EXPECT_EQ(nullptr, model.FindPicture(9, 9));
    EXPECT_THROW(model.AddPicture(0, 1, {"potion", 8, 8}), std::invalid_argument);
    EXPECT_THROW(model.AddPicture(GameModel::kEmoteSet, kEmote, {"potion", 8, 8}),
                 std::invalid_argument);
}

TEST(SampleRichText, PictureSourceMeasuresModelPicturesWhileInstalled)
{
    const GameModel model = GameModel::MakeSample();
    {
        const ZuDemo::SamplePictureSource pictures(model);
        EXPECT_EQ(&pictures, ZuGUI::GetPictureSource());
        EXPECT_EQ(CEGUI::Sizef(24, 24), ZuGUI::GetPictureSize(1, 3));
        EXPECT_EQ(CEGUI::Sizef(18, 18), ZuGUI::GetPictureSize(GameModel::kEmoteSet, kEmote + 5));
        EXPECT_EQ(CEGUI::Sizef(0, 0), ZuGUI::GetPictureSize(1, 99));
    }
    EXPECT_EQ(nullptr, ZuGUI::GetPictureSource());
}

class SamplePictureProxiesTest : public ZuTest::CeguiTest
{
protected:
    void TearDown() override
    {
        for (CEGUI::Texture* texture : m_textures)
            Renderer().destroyTexture(*texture);
        if (m_buffer)
            Renderer().destroyGeometryBuffer(*m_buffer);
        CeguiTest::TearDown();
    }

    static CEGUI::Renderer& Renderer() { return *CEGUI::System::getSingleton().getRenderer(); }

    CEGUI::Texture& NewTexture(const char* name)
    {
        m_textures.push_back(&Renderer().createTexture(name));
        return *m_textures.back();
    }

    // The bounds of what one DrawProxy call appends for an area of 300 x 200.
    CEGUI::Rectf DrawnArea(CEGUI::Texture& texture, const CEGUI::Vector2f& anchor)
    {
        if (!m_buffer)
            m_buffer = &Renderer().createGeometryBuffer();
        m_buffer->reset();
        m_proxies.DrawProxy(*m_buffer, texture, anchor, CEGUI::Sizef(300, 200), nullptr);
        const auto& vertices = ZuTest::detail::NullGeometryAccess::Vertices(
            static_cast<const CEGUI::NullGeometryBuffer&>(*m_buffer));
        CEGUI::Rectf bounds(1e9f, 1e9f, -1e9f, -1e9f);
        for (const CEGUI::Vertex& vertex : vertices)
        {
            bounds.left(std::min(bounds.left(), vertex.position.d_x));
            bounds.top(std::min(bounds.top(), vertex.position.d_y));
            bounds.right(std::max(bounds.right(), vertex.position.d_x));
            bounds.bottom(std::max(bounds.bottom(), vertex.position.d_y));
        }
        return bounds;
    }

    GameModel m_model = GameModel::MakeSample();
    ZuDemo::SampleRenderProxies m_proxies{m_model};
    std::vector<CEGUI::Texture*> m_textures;
    CEGUI::GeometryBuffer* m_buffer = nullptr;
};

TEST_F(SamplePictureProxiesTest, PicturesArePaintedAtTheirOwnSize)
{
    CEGUI::Texture& flame = NewTexture("flame");
    CEGUI::Texture& emote = NewTexture("emote");
    CEGUI::Texture& banner = NewTexture("banner");
    CEGUI::Texture& missing = NewTexture("missing");
    m_proxies.BindProxyTexture(flame, GameModel::kPictureProxyId, PackedPicture(1, 3));
    m_proxies.BindProxyTexture(emote, GameModel::kPictureProxyId,
                               PackedPicture(GameModel::kEmoteSet, kEmote + 2));
    m_proxies.BindProxyTexture(banner, GameModel::kPictureProxyId, PackedPicture(2, 1));
    m_proxies.BindProxyTexture(missing, GameModel::kPictureProxyId, PackedPicture(1, 99));
    EXPECT_EQ(CEGUI::Sizef(24, 24), flame.getOriginalDataSize());
    EXPECT_EQ(CEGUI::Sizef(18, 18), emote.getOriginalDataSize());
    EXPECT_EQ(CEGUI::Sizef(480, 18), banner.getOriginalDataSize());
    EXPECT_EQ(CEGUI::Sizef(0, 0), missing.getSize());
}

TEST_F(SamplePictureProxiesTest, PicturesHangFromTheAnchorWhileIconsAreCentredOnIt)
{
    CEGUI::Texture& texture = NewTexture("reused");
    m_proxies.BindProxyTexture(texture, GameModel::kPictureProxyId, PackedPicture(1, 3));
    EXPECT_EQ(CEGUI::Rectf(40, 10, 64, 34), DrawnArea(texture, {40, 10}));
    // The same texture bound again to an item is an icon: a square of the smaller side.
    m_proxies.BindProxyTexture(texture, 1001, 1);
    EXPECT_EQ(CEGUI::Rectf(50, 10, 250, 210), DrawnArea(texture, {150, 110}));
}
} // namespace
