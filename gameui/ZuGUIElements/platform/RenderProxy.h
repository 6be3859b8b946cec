// Render proxies: textures into which the game client renders game objects (item models,
// creatures, the sparkle effect). The client's renderer installs this interface; without it
// no proxy texture is made and nothing is drawn for a proxy.
#pragma once

#include <CEGUI/Rect.h>
#include <CEGUI/Size.h>
#include <CEGUI/Vector.h>

namespace CEGUI
{
class GeometryBuffer;
class Texture;
} // namespace CEGUI

namespace ZuGUI
{
class IRenderProxyRenderer
{
public:
    // Binds `texture` to the client's proxy (proxyId, param); the client renders into it.
    virtual void BindProxyTexture(CEGUI::Texture& texture, unsigned proxyId, unsigned param) = 0;
    // Appends to `buffer` the geometry that shows `texture` anchored at `anchor` with `size`,
    // clipped to `clip` when one is given. Coordinates are those of the buffer.
    virtual void DrawProxy(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                           const CEGUI::Vector2f& anchor, const CEGUI::Sizef& size,
                           const CEGUI::Rectf* clip) = 0;

protected:
    ~IRenderProxyRenderer() = default;
};

// The installed proxy renderer, or null.
IRenderProxyRenderer* GetRenderProxyRenderer();
void SetRenderProxyRenderer(IRenderProxyRenderer* renderer);

// Appends one quad of `texture` (its whole area) covering `area`, cut to `clip` when given,
// with texture coordinates cut to match. Nothing is appended when nothing is left.
void AppendTexturedQuad(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                        const CEGUI::Rectf& area, const CEGUI::Rectf* clip);
} // namespace ZuGUI
