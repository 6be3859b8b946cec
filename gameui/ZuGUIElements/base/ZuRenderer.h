// ZuRenderer: the base window renderer of the game-data widgets. It adds the frame and
// background switches that subclasses use to choose their imagery, the image of textures that
// the game client renders for game objects (anchored by "ImageOffset"), and the sparkle layer
// drawn over the window while its sparkle state is not 0. GameRenderer<Widget> is the base of
// the renderer of one widget class.
#pragma once

#include "ZuGUIElements/base/ModuleRenderer.h"
#include "ZuGUIElements/base/ShareProSet.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/ZuImage.h"
#include "ZuGUIElements/host/SharedRenderProxyIds.h"

#include <CEGUI/WindowRenderer.h>

#include <vector>

namespace ZuGUI
{
class ZuWindow;

class ZuRenderer : public ModuleRenderer<CEGUI::WindowRenderer>
{
public:
    explicit ZuRenderer(const CEGUI::String& type);

    void setFrameEnabled(bool enabled) { RedrawOnChange(d_window, d_frameEnabled, enabled); }
    bool isFrameEnabled() const { return d_frameEnabled; }
    void setBackgroundEnabled(bool enabled)
    {
        RedrawOnChange(d_window, d_backgroundEnabled, enabled);
    }
    bool isBackgroundEnabled() const { return d_backgroundEnabled; }

    // The renderer's own anchor of the client's image (in window scale and pixels): where it
    // puts the image until a layout or script says otherwise, and the default of
    // "ImageOffset".
    void SetImageOffset(float xScale, float xOffset, float yScale, float yOffset);
    CEGUI::UVector2 GetOwnImageOffset() const { return d_ownImageOffset; }
    // The anchor that "ImageOffset" sets; the renderer's own stays.
    void SetImageOffsetVector(const CEGUI::UVector2& offset);
    CEGUI::UVector2 GetImageOffset() const { return d_image.GetBasePointOffset(); }

    void PushTextureIndex(const tagTexture_Param& request) { d_image.PushTextureIndex(request); }
    // Appends the sparkle texture over the others while the window sparkles.
    void PushSparkingRequest(std::vector<tagTexture_Param>& params);

    const ZuImage& GetImage() const { return d_image; }
    // The sparkle proxy id that the client gave, shared by every renderer; 0 until asked.
    static unsigned GetSparkingRenderProxyId()
    {
        return KnownSharedRenderProxyId(SharedRenderProxy::Sparkle);
    }
    static void ResetSparkingRenderProxyId() { ForgetSharedRenderProxyIds(); }

protected:
    // Which background goes with the frame switch off.
    enum class Background
    {
        FollowsFrame, // "NoFrame..." without the frame, "WithFrame..." with it
        AlwaysFramed, // always "WithFrame..."
    };

    // The attached window as a game window, or null for any other window.
    ZuWindow* GameWindow() const;
    // Makes the properties of `set` properties of the attached window.
    void RegisterProperties(const CEGUI::ShareProSet& set);

    // By default the renderer draws the proxy layer alone.
    void RenderImagery() override { RenderProxyLayer(); }
    // The client's images: collects the texture requests (the subclass's, then the sparkle),
    // makes the textures and records them in the window's image cache.
    void RenderProxyLayer();
    // "EnabledFrame"/"DisabledFrame" while the frame switch is on, then the background of the
    // enabled state while the background switch is on.
    void RenderFrameAndBackground(Background background) const;

    // A subclass refreshes the state that its texture requests depend on.
    virtual void RequestTextureParams() {}
    // A subclass appends its texture requests.
    virtual void UpdateTextureParamsImp(std::vector<tagTexture_Param>& params) {}

private:
    bool d_frameEnabled = false;
    bool d_backgroundEnabled = false;
    CEGUI::UVector2 d_ownImageOffset{CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)};
    ZuImage d_image;
};

// The renderer of `Widget` windows.
template <typename Widget>
class GameRenderer : public ZuRenderer
{
public:
    using ZuRenderer::ZuRenderer;

    void onAttach() override
    {
        ZuRenderer::onAttach();
        d_widget = dynamic_cast<Widget*>(d_window);
    }
    void onDetach() override
    {
        d_widget = nullptr;
        ZuRenderer::onDetach();
    }

protected:
    // The attached window as the widget, or null for a window of another class.
    Widget* GameWidget() const { return d_widget; }

    // Asks for the client's image of the widget's target in the widget's render operation.
    void PushTargetImage(std::vector<tagTexture_Param>& params) const
    {
        if (d_widget)
            params.push_back({d_widget->GetTargetId(),
                              static_cast<unsigned>(d_widget->GetRenderOper()), 0.0f, 0.0f});
    }

private:
    Widget* d_widget = nullptr;
};
} // namespace ZuGUI
