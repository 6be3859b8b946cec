#include "ZuGUIElements/platform/RenderProxy.h"

#include <CEGUI/GeometryBuffer.h>
#include <CEGUI/Texture.h>
#include <CEGUI/Vertex.h>

namespace ZuGUI
{
namespace
{
IRenderProxyRenderer* g_renderProxyRenderer = nullptr;

CEGUI::Vertex MakeVertex(float x, float y, float u, float v)
{
    CEGUI::Vertex vertex;
    vertex.position = CEGUI::Vector3f(x, y, 0.0f);
    vertex.tex_coords = CEGUI::Vector2f(u, v);
    vertex.colour_val = CEGUI::Colour(1.0f, 1.0f, 1.0f, 1.0f);
    return vertex;
}
} // namespace

IRenderProxyRenderer* GetRenderProxyRenderer()
{
    return g_renderProxyRenderer;
}

void SetRenderProxyRenderer(IRenderProxyRenderer* renderer)
{
    g_renderProxyRenderer = renderer;
}

void AppendTexturedQuad(CEGUI::GeometryBuffer& buffer, CEGUI::Texture& texture,
                        const CEGUI::Rectf& area, const CEGUI::Rectf* clip)
{
    const CEGUI::Rectf shown = clip ? area.getIntersection(*clip) : area;
    if (shown.getWidth() <= 0.0f || shown.getHeight() <= 0.0f)
        return;

    // Texture coordinates of the part of the area that is shown.
    const float uPerPixel = 1.0f / area.getWidth();
    const float vPerPixel = 1.0f / area.getHeight();
    const float u0 = (shown.left() - area.left()) * uPerPixel;
    const float u1 = (shown.right() - area.left()) * uPerPixel;
    const float v0 = (shown.top() - area.top()) * vPerPixel;
    const float v1 = (shown.bottom() - area.top()) * vPerPixel;

    const CEGUI::Vertex quad[6] = {
        MakeVertex(shown.left(), shown.top(), u0, v0),
        MakeVertex(shown.left(), shown.bottom(), u0, v1),
        MakeVertex(shown.right(), shown.bottom(), u1, v1),
        MakeVertex(shown.right(), shown.top(), u1, v0),
        MakeVertex(shown.left(), shown.top(), u0, v0),
        MakeVertex(shown.right(), shown.bottom(), u1, v1),
    };
    buffer.setActiveTexture(&texture);
    buffer.appendGeometry(quad, 6);
}
} // namespace ZuGUI
