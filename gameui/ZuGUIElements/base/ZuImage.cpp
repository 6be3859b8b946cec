#include "ZuGUIElements/base/ZuImage.h"

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/host/ClientLink.h"
#include "ZuGUIElements/platform/RenderProxy.h"

#include <CEGUI/PropertyHelper.h>
#include <CEGUI/Renderer.h>
#include <CEGUI/System.h>
#include <CEGUI/Texture.h>

namespace ZuGUI
{
namespace
{
// Texture names must be unique within the renderer.
CEGUI::String NextProxyTextureName()
{
    static unsigned serial = 0;
    return "ZuGUI/ProxyTexture/" + CEGUI::PropertyHelper<CEGUI::uint>::toString(++serial);
}
} // namespace

ZuImage::~ZuImage()
{
    ClearTextures();
}

void ZuImage::SetBasePointOffset(float xScale, float xOffset, float yScale, float yOffset)
{
    d_basePointOffset = CEGUI::UVector2(CEGUI::UDim(xScale, xOffset), CEGUI::UDim(yScale, yOffset));
}

void ZuImage::SetAddtionalClipper(const CEGUI::Rectf* clipper)
{
    d_hasAdditionalClipper = clipper != nullptr;
    if (clipper)
        d_additionalClipper = *clipper;
}

const CEGUI::Rectf* ZuImage::GetAddtionalClipper() const
{
    return d_hasAdditionalClipper ? &d_additionalClipper : nullptr;
}

void ZuImage::ClearTextures()
{
    d_textureParams.clear();
    for (const ProxyTexture& entry : d_textures)
    {
        if (entry.texture && CEGUI::System::getSingletonPtr())
            CEGUI::System::getSingleton().getRenderer()->destroyTexture(*entry.texture);
    }
    d_textures.clear();
}

void ZuImage::UpdateTextures()
{
    IRenderProxyRenderer* proxies = GetRenderProxyRenderer();
    if (!proxies || !IsUsingZuRenderer())
        return;
    CEGUI::Renderer& renderer = *CEGUI::System::getSingleton().getRenderer();
    for (const tagTexture_Param& request : d_textureParams)
    {
        CEGUI::Texture& texture = renderer.createTexture(NextProxyTextureName());
        proxies->BindProxyTexture(texture, request.proxyId, request.param);
        d_textures.push_back({&texture, request.offsetX, request.offsetY});
    }
}

void ZuImage::CacheSelf(ZuWindow& window, const CEGUI::ColourRect*, const CEGUI::Rectf* clip) const
{
    if (d_textures.empty())
        return;
    const CEGUI::Rectf dest(CEGUI::Vector2f(0.0f, 0.0f),
                            window.getUnclippedInnerRect().get().getSize());
    const CEGUI::Rectf clipRect = clip ? clip->getIntersection(dest) : dest;
    window.GetZuImageCache().CacheZuImage(*this, dest, &clipRect);
}

CEGUI::Vector2f ZuImage::AnchorIn(const CEGUI::Rectf& dest, const ProxyTexture& entry) const
{
    return CEGUI::Vector2f(dest.left() + dest.getWidth() * d_basePointOffset.d_x.d_scale +
                               d_basePointOffset.d_x.d_offset + entry.offsetX,
                           dest.top() + dest.getHeight() * d_basePointOffset.d_y.d_scale +
                               d_basePointOffset.d_y.d_offset + entry.offsetY);
}

void ZuImage::render(CEGUI::GeometryBuffer& buffer, const CEGUI::Rectf& dest,
                     const CEGUI::Rectf* clip) const
{
    IRenderProxyRenderer* proxies = GetRenderProxyRenderer();
    if (!proxies)
        return;
    for (const ProxyTexture& entry : d_textures)
    {
        if (entry.texture)
            proxies->DrawProxy(buffer, *entry.texture, AnchorIn(dest, entry), dest.getSize(), clip);
    }
}
} // namespace ZuGUI
