// Reads back the quads that a window's imagery put into its geometry on the NullRenderer:
// every six vertices form one quad, described by its bounds (window pixels) and the colour of
// its first vertex. Also where a buffer is placed.
#pragma once

#include <CEGUI/RendererModules/Null/GeometryBuffer.h>
#include <CEGUI/Window.h>

#include <algorithm>
#include <vector>

namespace ZuTest
{
struct Quad
{
    CEGUI::Rectf rect;
    CEGUI::Colour colour;
};

namespace detail
{
// Reaches the NullRenderer's protected vertex list of any of its buffers.
struct NullGeometryAccess : CEGUI::NullGeometryBuffer
{
    static const auto& Vertices(const CEGUI::NullGeometryBuffer& buffer)
    {
        return buffer.*(&NullGeometryAccess::d_vertices);
    }
    static const CEGUI::Vector3f& Translation(const CEGUI::NullGeometryBuffer& buffer)
    {
        return buffer.*(&NullGeometryAccess::d_translation);
    }
    static const CEGUI::Rectf& Clip(const CEGUI::NullGeometryBuffer& buffer)
    {
        return buffer.*(&NullGeometryAccess::d_clipRect);
    }
};
} // namespace detail

// Where a buffer of the NullRenderer is drawn: its translation and clipping region.
struct Placement
{
    CEGUI::Vector3f translation;
    CEGUI::Rectf clip;
};

inline Placement PlacementOf(const CEGUI::GeometryBuffer& buffer)
{
    const auto& null = static_cast<const CEGUI::NullGeometryBuffer&>(buffer);
    return {detail::NullGeometryAccess::Translation(null), detail::NullGeometryAccess::Clip(null)};
}

inline std::vector<Quad> WindowQuads(CEGUI::Window& window)
{
    const auto& vertices = detail::NullGeometryAccess::Vertices(
        static_cast<const CEGUI::NullGeometryBuffer&>(window.getGeometryBuffer()));
    std::vector<Quad> quads;
    for (std::size_t first = 0; first + 6 <= vertices.size(); first += 6)
    {
        Quad quad{CEGUI::Rectf(vertices[first].position.d_x, vertices[first].position.d_y,
                               vertices[first].position.d_x, vertices[first].position.d_y),
                  vertices[first].colour_val};
        for (std::size_t i = first; i < first + 6; ++i)
        {
            const CEGUI::Vector3f& p = vertices[i].position;
            quad.rect.left(std::min(quad.rect.left(), p.d_x));
            quad.rect.top(std::min(quad.rect.top(), p.d_y));
            quad.rect.right(std::max(quad.rect.right(), p.d_x));
            quad.rect.bottom(std::max(quad.rect.bottom(), p.d_y));
        }
        quads.push_back(quad);
    }
    return quads;
}
} // namespace ZuTest
