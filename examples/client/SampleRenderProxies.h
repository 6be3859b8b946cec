// The sample client's render proxies: it paints the picture of the game object behind a proxy
// id into the module's texture, and draws it as a square centred on the anchor. Rich text
// pictures (the picture proxy, with the picture's set and index as parameter) are drawn at
// their own size with the anchor as their top-left corner. Constructing it installs it in the
// module and turns the client renderer path on; destroying it undoes both.
#pragma once

#include "ZuGUIElements/platform/RenderProxy.h"
#include "client/GameModel.h"
#include "client/IconPainter.h"

#include <map>
#include <set>
#include <string>

namespace ZuDemo
{
class SampleRenderProxies : public ZuGUI::IRenderProxyRenderer
{
public:
    explicit SampleRenderProxies(const GameModel& model);
    ~SampleRenderProxies();
    SampleRenderProxies(const SampleRenderProxies&) = delete;
    SampleRenderProxies& operator=(const SampleRenderProxies&) = delete;

    void BindProxyTexture(CEGUI::Texture& texture, unsigned proxyId, unsigned param) override;
    void DrawProxy(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                   const CEGUI::Vector2f& anchor, const CEGUI::Sizef& size,
                   const CEGUI::Rectf* clip) override;

private:
    // The picture behind `proxyId` for `param`; empty when the model has none.
    const RgbaPicture& PictureFor(unsigned proxyId, unsigned param);

    const GameModel& m_model;
    std::map<std::string, RgbaPicture> m_painted;
    // The textures bound to rich text pictures.
    std::set<const CEGUI::Texture*> m_pictureTextures;
};
} // namespace ZuDemo
