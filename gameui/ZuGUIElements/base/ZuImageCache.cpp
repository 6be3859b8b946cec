#include "ZuGUIElements/base/ZuImageCache.h"

#include "ZuGUIElements/base/ZuImage.h"

#include <CEGUI/GeometryBuffer.h>
#include <CEGUI/Renderer.h>
#include <CEGUI/RenderingContext.h>
#include <CEGUI/RenderingSurface.h>
#include <CEGUI/System.h>
#include <CEGUI/Window.h>

namespace ZuGUI
{
namespace
{
void DestroyBuffer(CEGUI::GeometryBuffer* buffer)
{
    if (buffer && CEGUI::System::getSingletonPtr())
        CEGUI::System::getSingleton().getRenderer()->destroyGeometryBuffer(*buffer);
}

// Reaches CEGUI::Window's protected drawing steps of any window.
struct WindowDrawing : CEGUI::Window
{
    static bool NeedsRedraw(const CEGUI::Window& window)
    {
        return window.*(&WindowDrawing::d_needsRedraw);
    }
    static void Draw(CEGUI::Window& window, const CEGUI::RenderingContext& context)
    {
        (window.*(&WindowDrawing::bufferGeometry))(context);
        (window.*(&WindowDrawing::queueGeometry))(context);
    }
};

// The translation and clipping that CEGUI gives a window's own geometry for `context`.
void PlaceLikeWindow(CEGUI::GeometryBuffer& buffer, const CEGUI::Window& window,
                     const CEGUI::RenderingContext& context)
{
    if (context.owner == &window && context.surface->isRenderingWindow())
    {
        buffer.setTranslation(CEGUI::Vector3f(0.0f, 0.0f, 0.0f));
        buffer.setClippingRegion(CEGUI::Rectf(CEGUI::Vector2f(0.0f, 0.0f), window.getPixelSize()));
        return;
    }
    const CEGUI::Rectf outer = window.getUnclippedOuterRect().get();
    buffer.setTranslation(
        CEGUI::Vector3f(outer.left() - context.offset.d_x, outer.top() - context.offset.d_y, 0.0f));
    CEGUI::Rectf clip = window.getOuterRectClipper();
    if (clip.getWidth() != 0.0f && clip.getHeight() != 0.0f)
        clip.offset(CEGUI::Vector2f(-context.offset.d_x, -context.offset.d_y));
    buffer.setClippingRegion(clip);
}
} // namespace

ZuImageCache::~ZuImageCache()
{
    DestroyBuffer(d_proxyGeometry);
    DestroyBuffer(d_imageryGeometry);
}

CEGUI::GeometryBuffer& ZuImageCache::Buffer(CEGUI::GeometryBuffer*& buffer)
{
    if (!buffer)
        buffer = &CEGUI::System::getSingleton().getRenderer()->createGeometryBuffer();
    return *buffer;
}

void ZuImageCache::CacheZuImage(const ZuImage& image, const CEGUI::Rectf& dest,
                                const CEGUI::Rectf* clip)
{
    d_records.push_back(Record{&image, dest, clip ? *clip : CEGUI::Rectf(), clip != nullptr});
    image.render(Buffer(d_proxyGeometry), dest, clip);
}

void ZuImageCache::ClearCache()
{
    d_records.clear();
    if (d_proxyGeometry)
        d_proxyGeometry->reset();
    if (d_imageryGeometry)
        d_imageryGeometry->reset();
}

CEGUI::GeometryBuffer& ZuImageCache::GetImageryBuffer()
{
    return Buffer(d_imageryGeometry);
}

void ZuImageCache::DrawWithWindow(CEGUI::Window& window, const CEGUI::RenderingContext& context)
{
    if (WindowDrawing::NeedsRedraw(window))
        ClearCache();
    WindowDrawing::Draw(window, context);
    Queue(window, context);
}

void ZuImageCache::FollowWindow(const CEGUI::Window& window)
{
    CEGUI::RenderingContext context;
    window.getRenderingContext(context);
    for (CEGUI::GeometryBuffer* buffer : {d_proxyGeometry, d_imageryGeometry})
    {
        if (buffer)
            PlaceLikeWindow(*buffer, window, context);
    }
}

void ZuImageCache::Queue(const CEGUI::Window& window, const CEGUI::RenderingContext& context)
{
    for (CEGUI::GeometryBuffer* buffer : {d_proxyGeometry, d_imageryGeometry})
    {
        if (!buffer || buffer->getVertexCount() == 0)
            continue;
        PlaceLikeWindow(*buffer, window, context);
        context.surface->addGeometryBuffer(context.queue, *buffer);
    }
}
} // namespace ZuGUI
