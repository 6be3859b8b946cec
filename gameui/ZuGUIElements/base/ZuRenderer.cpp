#include "ZuGUIElements/base/ZuRenderer.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"

namespace ZuGUI
{
FrameEnabled::FrameEnabled()
    : WidgetProperty("FrameEnabled",
                     "Property to get/set the state of the frame enabled setting for the "
                     "FalagardStatic widget.  Value is either \"True\" or \"False\".",
                     "True")
{
}

BackgroundEnabled::BackgroundEnabled()
    : WidgetProperty("BackgroundEnabled",
                     "Property to get/set the state of the frame background setting for the "
                     "FalagardStatic widget.  Value is either \"True\" or \"False\".",
                     "True")
{
}

ImageOffset::ImageOffset()
    : WidgetProperty("ImageOffset", "Property to get/set the image offset in X direction.",
                     "{{0.5,0},{0.5,0}}")
{
}

FrameEnabled d_frameEnabledProperty;
BackgroundEnabled d_backgroundEnabledProperty;
ImageOffset d_ImageOffsetProperty;

unsigned ZuRenderer::s_SparkingRenderProxyId = 0;

ZuRenderer::ZuRenderer(const CEGUI::String& type) : CEGUI::WindowRenderer(type)
{
    // CEGUI adds registered properties to the window on attach and removes them on detach.
    registerProperty(&d_frameEnabledProperty);
    registerProperty(&d_backgroundEnabledProperty);
    registerProperty(&d_ImageOffsetProperty);
}

ZuWindow* ZuRenderer::GameWindow() const
{
    return dynamic_cast<ZuWindow*>(d_window);
}

void ZuRenderer::RenderStateImagery(const CEGUI::String& name) const
{
    if (d_window)
        LookImagery::RenderStateImagery(*d_window, name);
}

void ZuRenderer::Invalidate()
{
    if (d_window)
        d_window->invalidate();
}

void ZuRenderer::setFrameEnabled(bool enabled)
{
    if (enabled == d_frameEnabled)
        return;
    d_frameEnabled = enabled;
    Invalidate();
}

void ZuRenderer::setBackgroundEnabled(bool enabled)
{
    if (enabled == d_backgroundEnabled)
        return;
    d_backgroundEnabled = enabled;
    Invalidate();
}

void ZuRenderer::SetImageOffset(float xScale, float xOffset, float yScale, float yOffset)
{
    d_image.SetBasePointOffset(xScale, xOffset, yScale, yOffset);
}

void ZuRenderer::SetImageOffsetVector(const CEGUI::UVector2& offset)
{
    SetImageOffset(offset.d_x.d_scale, offset.d_x.d_offset, offset.d_y.d_scale,
                   offset.d_y.d_offset);
}

void ZuRenderer::onDetach()
{
    if (ZuWindow* window = GameWindow())
        window->GetZuImageCache().ClearCache();
    CEGUI::WindowRenderer::onDetach();
}

void ZuRenderer::render()
{
    d_image.ClearTextures();
    RequestTextureParams();
    UpdateTextureParamsImp(d_image.GetTextureParams());
    PushSparkingRequest(d_image.GetTextureParams());
    d_image.UpdateTextures();
    if (ZuWindow* window = GameWindow())
        d_image.CacheSelf(*window, nullptr, nullptr);
}

void ZuRenderer::PushSparkingRequest(std::vector<tagTexture_Param>& params)
{
    const ZuWindow* window = GameWindow();
    if (!window || window->getSparkingState() == 0)
        return;
    if (s_SparkingRenderProxyId == 0)
        RequestSparkingRenderProxyId();
    params.push_back(
        {s_SparkingRenderProxyId, static_cast<unsigned>(window->getSparkingState()), 0.0f, 0.0f});
}

void ZuRenderer::RequestSparkingRenderProxyId()
{
    QueryHost(
        HostTrees::kGameCreatureProvider,
        [](KeyValues& request)
        { request.SetString(HostTrees::kWhichOne, HostTrees::kWhichOneSparking); },
        [](KeyValues& reply)
        {
            s_SparkingRenderProxyId =
                static_cast<unsigned>(reply.GetInt(HostTrees::kCreatureId, HostTrees::kNoChangeId));
        });
}
} // namespace ZuGUI
