// ImageLayerWindow<Base>: a window with an image layer (ZuImageCache), the client's render-proxy
// textures and the imagery drawn over them. The layer is drawn over the window's own geometry,
// moves with the window's area on the screen, and goes with the renderer that recorded it (its
// textures are that renderer's).
#pragma once

#include "ZuGUIElements/base/ZuImageCache.h"

#include <CEGUI/Window.h>

namespace ZuGUI
{
template <typename Base>
class ImageLayerWindow : public Base
{
public:
    using Base::Base;

    ZuImageCache& GetZuImageCache() { return d_imageCache; }

protected:
    void drawSelf(const CEGUI::RenderingContext& context) override
    {
        d_imageCache.DrawWithWindow(*this, context);
    }

    void notifyScreenAreaChanged(bool recursive = true) override
    {
        Base::notifyScreenAreaChanged(recursive);
        d_imageCache.FollowWindow(*this);
    }

    void onWindowRendererDetached(CEGUI::WindowEventArgs& e) override
    {
        d_imageCache.ClearCache();
        Base::onWindowRendererDetached(e);
    }

private:
    ZuImageCache d_imageCache;
};
} // namespace ZuGUI
