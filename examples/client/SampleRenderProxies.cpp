#include "client/SampleRenderProxies.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "client/IconPainter.h"

#include <CEGUI/Texture.h>

#include <algorithm>
#include <functional>
#include <string>

namespace ZuDemo
{
namespace
{
constexpr int kPictureSize = 64;
// Render operations of the item icons that ask for a darkened picture.
constexpr unsigned kRenderDarkIcon = 0x11;
constexpr unsigned kRenderForceDarkIcon = 0x21;

// The picture proxy's painting of the model's picture at (set, index).
RgbaPicture PaintPicture(const Picture& picture, std::uint16_t set, std::uint16_t index)
{
    const int width = static_cast<int>(picture.width);
    if (set == GameModel::kEmoteSet)
        return PaintEmote(index - GameModel::kFirstEmoteIndex, width);
    if (picture.name == "banner")
        return PaintBanner(width, static_cast<int>(picture.height));
    return PaintIcon(picture.name, width, false);
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

    const RgbaPicture& picture = PictureFor(proxyId, param);
    if (picture.pixels.empty())
        return; // nothing to show: the texture stays empty
    texture.loadFromMemory(
        picture.pixels.data(),
        CEGUI::Sizef(static_cast<float>(picture.width), static_cast<float>(picture.height)),
        CEGUI::Texture::PF_RGBA);
}

// Painting is the client's slow part: each picture is painted once and kept, under a key made
// of everything it is painted from.
const RgbaPicture& SampleRenderProxies::PictureFor(unsigned proxyId, unsigned param)
{
    static const RgbaPicture none;
    std::string key;
    std::function<RgbaPicture()> paint;
    if (proxyId == GameModel::kPictureProxyId)
    {
        const auto set = static_cast<std::uint16_t>(param >> 16);
        const auto index = static_cast<std::uint16_t>(param & 0xFFFF);
        const Picture* picture = m_model.FindPicture(set, index);
        if (!picture)
            return none;
        key = "picture/" + std::to_string(param) + "/" + picture->name + "/" +
              std::to_string(picture->width) + "x" + std::to_string(picture->height);
        paint = [picture, set, index] { return PaintPicture(*picture, set, index); };
    }
    else if (proxyId == GameModel::kSparkleProxyId)
    {
        key = "sparkle/" + std::to_string(param);
        paint = [param] { return PaintSparkle(kPictureSize, param); };
    }
    else if (const std::string* icon = m_model.IconOf(static_cast<int>(proxyId)))
    {
        const bool dark = param == kRenderDarkIcon || param == kRenderForceDarkIcon;
        key = "icon/" + *icon + (dark ? "/dark" : "");
        paint = [name = *icon, dark] { return PaintIcon(name, kPictureSize, dark); };
    }
    else
        return none;
    auto found = m_painted.find(key);
    if (found == m_painted.end())
        found = m_painted.emplace(std::move(key), paint()).first;
    return found->second;
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
