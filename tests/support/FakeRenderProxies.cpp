#include "support/FakeRenderProxies.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

namespace ZuTest
{
FakeRenderProxies::FakeRenderProxies()
{
    ZuGUI::SetRenderProxyRenderer(this);
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetUsingZuRenderer(true);
}

FakeRenderProxies::~FakeRenderProxies()
{
    ZuGUI::SetRenderProxyRenderer(nullptr);
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetUsingZuRenderer(false);
}

void FakeRenderProxies::BindProxyTexture(CEGUI::Texture&, unsigned proxyId, unsigned param)
{
    bindings.push_back(std::to_string(proxyId) + "/" + std::to_string(param));
}

void FakeRenderProxies::DrawProxy(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                                  const CEGUI::Vector2f& anchor, const CEGUI::Sizef& size,
                                  const CEGUI::Rectf* clip)
{
    draws.push_back(Draw{anchor, size, clip != nullptr, clip ? *clip : CEGUI::Rectf()});
    const CEGUI::Rectf area(anchor - CEGUI::Vector2f(size.d_width / 2, size.d_height / 2), size);
    ZuGUI::AppendTexturedQuad(buffer, texture, area, clip);
}
} // namespace ZuTest
