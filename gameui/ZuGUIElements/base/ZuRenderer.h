// ZuRenderer: the base window renderer of the game-data widgets. It adds the frame and
// background switches that subclasses use to choose their imagery, the image of textures that
// the game client renders for game objects (anchored by "ImageOffset"), and the sparkle layer
// drawn over the window while its sparkle state is not 0.
#pragma once

#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/ZuImage.h"

#include <CEGUI/WindowRenderer.h>

#include <vector>

namespace ZuGUI
{
class ZuWindow;

class ZuRenderer : public CEGUI::WindowRenderer
{
public:
    explicit ZuRenderer(const CEGUI::String& type);

    void render() override;
    // The window's proxy layer refers to this renderer's textures: it goes with the renderer.
    void onDetach() override;

    void setFrameEnabled(bool enabled);
    bool isFrameEnabled() const { return d_frameEnabled; }
    void setBackgroundEnabled(bool enabled);
    bool isBackgroundEnabled() const { return d_backgroundEnabled; }

    void SetImageOffset(float xScale, float xOffset, float yScale, float yOffset);
    void SetImageOffsetVector(const CEGUI::UVector2& offset);
    CEGUI::UVector2 GetImageOffset() const { return d_image.GetBasePointOffset(); }

    void PushTextureIndex(const tagTexture_Param& request) { d_image.PushTextureIndex(request); }
    // Appends the sparkle texture over the others while the window sparkles.
    void PushSparkingRequest(std::vector<tagTexture_Param>& params);

    const ZuImage& GetImage() const { return d_image; }
    // The sparkle proxy id that the client gave, shared by every renderer; 0 until asked.
    static unsigned GetSparkingRenderProxyId() { return s_SparkingRenderProxyId; }
    static void ResetSparkingRenderProxyId() { s_SparkingRenderProxyId = 0; }

protected:
    // The attached window as a game window, or null for any other window.
    ZuWindow* GameWindow() const;
    // Renders the look's state imagery `name` into the window's geometry; a window without a
    // look, or a look without that imagery, draws nothing for it.
    void RenderStateImagery(const CEGUI::String& name) const;

    // A subclass refreshes the state that its texture requests depend on.
    virtual void RequestTextureParams() = 0;
    // A subclass appends its texture requests.
    virtual void UpdateTextureParamsImp(std::vector<tagTexture_Param>& params) = 0;

private:
    void RequestSparkingRenderProxyId();
    void Invalidate();

    bool d_frameEnabled = false;
    bool d_backgroundEnabled = false;
    ZuImage d_image;

    static unsigned s_SparkingRenderProxyId;
};

struct FrameEnabled : WidgetProperty<ZuRenderer, BoolText, &ZuRenderer::isFrameEnabled,
                                     &ZuRenderer::setFrameEnabled>
{
    FrameEnabled();
};

struct BackgroundEnabled : WidgetProperty<ZuRenderer, BoolText, &ZuRenderer::isBackgroundEnabled,
                                          &ZuRenderer::setBackgroundEnabled>
{
    BackgroundEnabled();
};

struct ImageOffset : WidgetProperty<ZuRenderer, UVector2Text, &ZuRenderer::GetImageOffset,
                                    &ZuRenderer::SetImageOffsetVector>
{
    ImageOffset();
};

extern FrameEnabled d_frameEnabledProperty;
extern BackgroundEnabled d_backgroundEnabledProperty;
extern ImageOffset d_ImageOffsetProperty;
} // namespace ZuGUI
