// ZuImage: a list of render-proxy requests turned into textures of the GUI renderer and drawn
// anchored inside a window.
#pragma once

#include <CEGUI/Rect.h>
#include <CEGUI/UDim.h>

#include <vector>

namespace CEGUI
{
class ColourRect;
class GeometryBuffer;
class Texture;
} // namespace CEGUI

namespace ZuGUI
{
class ZuWindow;

// Asks for one texture rendered by the game client.
struct tagTexture_Param
{
    unsigned proxyId; // the client's render proxy, e.g. a game object's cell id
    unsigned param;   // a proxy-specific parameter, e.g. the sparkle state
    float offsetX;    // added to the anchor point, in pixels
    float offsetY;
};

class ZuImage
{
public:
    ZuImage() = default;
    ZuImage(const ZuImage&) = delete;
    ZuImage& operator=(const ZuImage&) = delete;
    ~ZuImage();

    void PushTextureIndex(const tagTexture_Param& request) { d_textureParams.push_back(request); }
    std::vector<tagTexture_Param>& GetTextureParams() { return d_textureParams; }

    void SetBasePointOffset(float xScale, float xOffset, float yScale, float yOffset);
    const CEGUI::UVector2& GetBasePointOffset() const { return d_basePointOffset; }

    // A clip that the multi-line text view applies when it caches its pictures; null clears it.
    void SetAddtionalClipper(const CEGUI::Rectf* clipper);
    const CEGUI::Rectf* GetAddtionalClipper() const;

    // Drops the requests and gives the textures back to the renderer that made them.
    void ClearTextures();
    // Makes one proxy texture per request, when the client's renderer is in use.
    void UpdateTextures();
    // Records the image once in the window's image cache, over the window's inner area cut to
    // `clip` (window coordinates) when given. `colours` is not used: proxies are drawn white.
    void CacheSelf(ZuWindow& window, const CEGUI::ColourRect* colours,
                   const CEGUI::Rectf* clip) const;
    // Appends each texture once to `buffer`, anchored inside `dest`, clipped to `clip`.
    void render(CEGUI::GeometryBuffer& buffer, const CEGUI::Rectf& dest,
                const CEGUI::Rectf* clip) const;

    std::size_t TextureCount() const { return d_textures.size(); }

private:
    struct ProxyTexture
    {
        CEGUI::Texture* texture;
        float offsetX;
        float offsetY;
    };

    CEGUI::Vector2f AnchorIn(const CEGUI::Rectf& dest, const ProxyTexture& entry) const;

    std::vector<tagTexture_Param> d_textureParams;
    std::vector<ProxyTexture> d_textures;
    CEGUI::UVector2 d_basePointOffset{CEGUI::UDim(0, 0), CEGUI::UDim(0, 0)};
    CEGUI::Rectf d_additionalClipper;
    bool d_hasAdditionalClipper = false;
};
} // namespace ZuGUI
