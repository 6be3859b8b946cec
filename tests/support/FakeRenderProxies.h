// A render-proxy renderer for tests: records what the module binds and draws, and draws each
// proxy as one textured quad of the given size centred on its anchor.
#pragma once

#include "ZuGUIElements/platform/RenderProxy.h"

#include <string>
#include <vector>

namespace ZuTest
{
class FakeRenderProxies : public ZuGUI::IRenderProxyRenderer
{
public:
    struct Draw
    {
        CEGUI::Vector2f anchor;
        CEGUI::Sizef size;
        bool clipped;
        CEGUI::Rectf clip;
    };

    FakeRenderProxies();
    ~FakeRenderProxies();
    FakeRenderProxies(const FakeRenderProxies&) = delete;
    FakeRenderProxies& operator=(const FakeRenderProxies&) = delete;

    void BindProxyTexture(CEGUI::Texture& texture, unsigned proxyId, unsigned param) override;
    void DrawProxy(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                   const CEGUI::Vector2f& anchor, const CEGUI::Sizef& size,
                   const CEGUI::Rectf* clip) override;

    // "proxyId/param" per binding, in order.
    std::vector<std::string> bindings;
    std::vector<Draw> draws;
};
} // namespace ZuTest
