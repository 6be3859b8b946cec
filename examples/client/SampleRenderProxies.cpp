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
    RgbaPicture picture;
    if (proxyId == GameModel::kSparkleProxyId)
        picture = PaintSparkle(kPictureSize, param);
    else if (const std::string* icon = m_model.IconOf(static_cast<int>(proxyId)))
        picture = PaintIcon(*icon, kPictureSize,
                            param == kRenderDarkIcon || param == kRenderForceDarkIcon);
    else
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
    const float side = std::min(size.d_width, size.d_height);
    const CEGUI::Rectf area(anchor - CEGUI::Vector2f(side / 2, side / 2), CEGUI::Sizef(side, side));
    ZuGUI::AppendTexturedQuad(buffer, texture, area, clip);
}
} // namespace ZuDemo
