// ZuImageCache: a window's second layer of imagery, drawn over the window's own geometry. It
// holds the render-proxy images that the window's renderer records, and CEGUI imagery (text,
// images) drawn over them. Its geometry follows the window's position and clipping, and it is
// drawn whenever it holds any: imagery without a proxy image shows too.
#pragma once

#include <CEGUI/Rect.h>

#include <vector>

namespace CEGUI
{
class GeometryBuffer;
class Window;
struct RenderingContext;
} // namespace CEGUI

namespace ZuGUI
{
class ZuImage;

class ZuImageCache
{
public:
    // One recorded image, in window coordinates.
    struct Record
    {
        const ZuImage* image; // not owned; the geometry is built when the image is recorded
        CEGUI::Rectf dest;
        CEGUI::Rectf clip;
        bool hasClip;
    };

    ZuImageCache() = default;
    ZuImageCache(const ZuImageCache&) = delete;
    ZuImageCache& operator=(const ZuImageCache&) = delete;
    ~ZuImageCache();

    // Records `image` over `dest`, cut to `clip` when given, and appends its proxy geometry.
    void CacheZuImage(const ZuImage& image, const CEGUI::Rectf& dest, const CEGUI::Rectf* clip);
    // Drops every record and all imagery.
    void ClearCache();
    // True when at least one image is recorded; imagery alone does not count.
    bool hasCachedImagery() const { return !d_records.empty(); }
    const std::vector<Record>& GetRecords() const { return d_records; }

    // Where CEGUI imagery (text, images) is drawn, in window coordinates, over the proxies.
    CEGUI::GeometryBuffer& GetImageryBuffer();
    // The proxy geometry, for inspection.
    const CEGUI::GeometryBuffer* GetProxyBuffer() const { return d_proxyGeometry; }

    // Draws `window` as CEGUI does, then queues this cache over it. The cache is emptied first
    // whenever the window's geometry is about to be rebuilt, so that the renderer records it
    // again with the rest.
    void DrawWithWindow(CEGUI::Window& window, const CEGUI::RenderingContext& context);
    // Places and clips the cache as the window's geometry is now; the window calls it when its
    // area on the screen changes (it moved, or an ancestor did), which CEGUI does not redraw.
    void FollowWindow(const CEGUI::Window& window);
    // Queues the cache's geometry for drawing after the window's own, placed and clipped as the
    // window's geometry is for the same rendering context.
    void Queue(const CEGUI::Window& window, const CEGUI::RenderingContext& context);

private:
    static CEGUI::GeometryBuffer& Buffer(CEGUI::GeometryBuffer*& buffer);

    std::vector<Record> d_records;
    CEGUI::GeometryBuffer* d_proxyGeometry = nullptr;
    CEGUI::GeometryBuffer* d_imageryGeometry = nullptr;
};
} // namespace ZuGUI
