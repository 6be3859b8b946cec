#include "ZuGUIElements/base/ZuRenderer.h"

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/host/HostQuery.h"
#include "ZuGUIElements/host/SharedRenderProxyIds.h"

namespace ZuGUI
{
namespace
{
// Registered on the renderer, so properties of the attached window while it is attached.
const CEGUI::ShareProSet s_rendererProperties{
    WidgetProperty<&ZuRenderer::isFrameEnabled, &ZuRenderer::setFrameEnabled>(
        "FrameEnabled",
        "Property to get/set the state of the frame enabled setting for the FalagardStatic "
        "widget.  Value is either \"True\" or \"False\".",
        "False"),
    WidgetProperty<&ZuRenderer::isBackgroundEnabled, &ZuRenderer::setBackgroundEnabled>(
        "BackgroundEnabled",
        "Property to get/set the state of the frame background setting for the FalagardStatic "
        "widget.  Value is either \"True\" or \"False\".",
        "False"),
    // Each renderer anchors the image where it suits its widget: that anchor is the default.
    WidgetProperty<&ZuRenderer::GetImageOffset, &ZuRenderer::SetImageOffsetVector, UVector2Text,
                   &ZuRenderer::GetOwnImageOffset>(
        "ImageOffset",
        "Property to get/set where the client's image is anchored in the window.  Value is a "
        "UVector2.",
        "{{0,0},{0,0}}"),
};
} // namespace

ZuRenderer::ZuRenderer(const CEGUI::String& type) : ModuleRenderer(type)
{
    RegisterProperties(s_rendererProperties);
}

void ZuRenderer::RegisterProperties(const CEGUI::ShareProSet& set)
{
    // CEGUI adds registered properties to the window on attach and removes them on detach.
    for (CEGUI::Property* property : set)
        registerProperty(property);
}

ZuWindow* ZuRenderer::GameWindow() const
{
    return dynamic_cast<ZuWindow*>(d_window);
}

void ZuRenderer::SetImageOffset(float xScale, float xOffset, float yScale, float yOffset)
{
    d_ownImageOffset = CEGUI::UVector2(CEGUI::UDim(xScale, xOffset), CEGUI::UDim(yScale, yOffset));
    d_image.SetBasePointOffset(xScale, xOffset, yScale, yOffset);
}

void ZuRenderer::SetImageOffsetVector(const CEGUI::UVector2& offset)
{
    d_image.SetBasePointOffset(offset.d_x.d_scale, offset.d_x.d_offset, offset.d_y.d_scale,
                               offset.d_y.d_offset);
}

void ZuRenderer::RenderProxyLayer()
{
    d_image.ClearTextures();
    RequestTextureParams();
    UpdateTextureParamsImp(d_image.GetTextureParams());
    PushSparkingRequest(d_image.GetTextureParams());
    d_image.UpdateTextures();
    if (ZuWindow* window = GameWindow())
        d_image.CacheSelf(*window, nullptr, nullptr);
}

void ZuRenderer::RenderFrameAndBackground(Background background) const
{
    const bool enabled = !d_window->isDisabled();
    if (isFrameEnabled())
        RenderStateImagery(enabled ? "EnabledFrame" : "DisabledFrame");
    if (!isBackgroundEnabled())
        return;
    if (isFrameEnabled() || background == Background::AlwaysFramed)
        RenderStateImagery(enabled ? "WithFrameEnabledBackground" : "WithFrameDisabledBackground");
    else
        RenderStateImagery(enabled ? "NoFrameEnabledBackground" : "NoFrameDisabledBackground");
}

void ZuRenderer::PushSparkingRequest(std::vector<tagTexture_Param>& params)
{
    const ZuWindow* window = GameWindow();
    if (!window || window->getSparkingState() == 0)
        return;
    params.push_back({SharedRenderProxyId(SharedRenderProxy::Sparkle),
                      static_cast<unsigned>(window->getSparkingState()), 0.0f, 0.0f});
}
} // namespace ZuGUI
