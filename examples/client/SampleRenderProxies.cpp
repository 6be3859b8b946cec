#include "client/SampleRenderProxies.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "client/IconPainter.h"

#include <CEGUI/Texture.h>

#include <algorithm>

namespace ZuDemo
{
namespace
{
constexpr int kPictureSize = 64;
// Render operations of the item icons that ask for a darkened picture.
constexpr unsigned kRenderDarkIcon = 0x11;
constexpr unsigned kRenderForceDarkIcon = 0x21;

// The picture that the picture proxy shows for `param` (set << 16 | index); empty when the
// model has none.
RgbaPicture PaintPicture(const GameModel& model, unsigned param)
{
    const auto set = static_cast<std::uint16_t>(param >> 16);
    const auto index = static_cast<std::uint16_t>(param & 0xFFFF);
    const Picture* picture = model.FindPicture(set, index);
    if (!picture)
        return RgbaPicture();
    const int width = static_cast<int>(picture->width);
    if (set == GameModel::kEmoteSet)
        return PaintEmote(index - GameModel::kFirstEmoteIndex, width);
    if (picture->name == "banner")
        return PaintBanner(width, static_cast<int>(picture->height));
    return PaintIcon(picture->name, width, false);
}
} // namespace

SampleRenderProxies::SampleRenderProxies(const GameModel& model) : m_model(model)
{
    ZuGUI::SetRenderProxyRenderer(this);
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetUsingZuRenderer(true);
}

SampleRenderProxies::~SampleRenderProxies()
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetUsingZuRenderer(false);
    ZuGUI::SetRenderProxyRenderer(nullptr);
}

void SampleRenderProxies::BindProxyTexture(CEGUI::Texture& texture, unsigned proxyId,
                                           unsigned param)
{
    // The module makes new textures for every redraw: an address may come back as another
    // kind of texture.
    const bool isPicture = proxyId == GameModel::kPictureProxyId;
    if (isPicture)
        m_pictureTextures.insert(&texture);
    else
        m_pictureTextures.erase(&texture);

    RgbaPicture picture;
    if (isPicture)
        picture = PaintPicture(m_model, param);
    else if (proxyId == GameModel::kSparkleProxyId)
        picture = PaintSparkle(kPictureSize, param);
    else if (const std::string* icon = m_model.IconOf(static_cast<int>(proxyId)))
        picture = PaintIcon(*icon, kPictureSize,
                            param == kRenderDarkIcon || param == kRenderForceDarkIcon);
    if (picture.pixels.empty())
        return; // nothing to show: the texture stays empty
    texture.loadFromMemory(
        picture.pixels.data(),
        CEGUI::Sizef(static_cast<float>(picture.width), static_cast<float>(picture.height)),
        CEGUI::Texture::PF_RGBA);
}

void SampleRenderProxies::DrawProxy(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                                    const CEGUI::Vector2f& anchor, const CEGUI::Sizef& size,
                                    const CEGUI::Rectf* clip)
{
    if (texture.getSize().d_width <= 0.0f)
        return;
    if (m_pictureTextures.count(&texture))
    {
        ZuGUI::AppendTexturedQuad(buffer, texture,
                                  CEGUI::Rectf(anchor, texture.getOriginalDataSize()), clip);
        return;
    }
    const float side = std::min(size.d_width, size.d_height);
    const CEGUI::Rectf area(anchor - CEGUI::Vector2f(side / 2, side / 2), CEGUI::Sizef(side, side));
    ZuGUI::AppendTexturedQuad(buffer, texture, area, clip);
}
} // namespace ZuDemo
