#include "demo/Screenshot.h"

#include <GL/gl.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <unordered_set>

namespace ZuDemo
{
namespace
{
constexpr std::size_t kBytesPerPixel = 4;
// Larger images are refused when read back: a screenshot of the demo is far smaller.
constexpr std::size_t kMaxPixels = std::size_t(1) << 26;

// Owns libpng's simplified-API state for one read or write.
class PngImage
{
public:
    PngImage()
    {
        std::memset(&m_image, 0, sizeof m_image);
        m_image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&m_image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image* operator->() { return &m_image; }
    png_image* get() { return &m_image; }

    [[noreturn]] void Fail(const char* what, const std::string& path) const
    {
        throw std::runtime_error(std::string(what) + " '" + path + "': " + m_image.message);
    }

private:
    png_image m_image;
};

std::size_t RowBytes(int width)
{
    return static_cast<std::size_t>(width) * kBytesPerPixel;
}

void CheckShape(const RgbaImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != RowBytes(image.width) * static_cast<std::size_t>(image.height))
        throw std::invalid_argument("an RGBA image needs width * height * 4 bytes of pixels");
}

void FlipRows(RgbaImage& image)
{
    const std::size_t rowBytes = RowBytes(image.width);
    for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(image.pixels.begin() + top * rowBytes,
                         image.pixels.begin() + (top + 1) * rowBytes,
                         image.pixels.begin() + bottom * rowBytes);
}

void CreateParentDirectories(const std::filesystem::path& path)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
}
} // namespace

RgbaImage CaptureFramebuffer(int width, int height)
{
    RgbaImage image{width, height, {}};
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("cannot capture an empty framebuffer");
    image.pixels.resize(RowBytes(width) * static_cast<std::size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    if (const GLenum error = glGetError(); error != GL_NO_ERROR)
        throw std::runtime_error("glReadPixels failed with GL error " + std::to_string(error));
    FlipRows(image);
    return image;
}

void WritePng(const std::string& path, const RgbaImage& image)
{
    CheckShape(image);
    CreateParentDirectories(path);
    const std::string partial = path + ".tmp";
    PngImage png;
    png->width = static_cast<png_uint_32>(image.width);
    png->height = static_cast<png_uint_32>(image.height);
    png->format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(png.get(), partial.c_str(), 0, image.pixels.data(), 0, nullptr))
    {
        std::filesystem::remove(partial);
        png.Fail("cannot write PNG", partial);
    }
    std::filesystem::rename(partial, path);
}

RgbaImage ReadPng(const std::string& path)
{
    PngImage png;
    if (!png_image_begin_read_from_file(png.get(), path.c_str()))
        png.Fail("cannot read PNG", path);
    png->format = PNG_FORMAT_RGBA;
    const std::size_t pixelCount = std::size_t(png->width) * png->height;
    if (pixelCount == 0 || pixelCount > kMaxPixels)
        throw std::runtime_error("PNG '" + path + "' has an unsupported size");

    RgbaImage image{static_cast<int>(png->width), static_cast<int>(png->height), {}};
    image.pixels.resize(PNG_IMAGE_SIZE(*png.get()));
    if (!png_image_finish_read(png.get(), nullptr, image.pixels.data(), 0, nullptr))
        png.Fail("cannot decode PNG", path);
    return image;
}

std::size_t CountDistinctColours(const RgbaImage& image)
{
    CheckShape(image);
    std::unordered_set<std::uint32_t> colours;
    for (std::size_t offset = 0; offset < image.pixels.size(); offset += kBytesPerPixel)
    {
        std::uint32_t colour;
        std::memcpy(&colour, &image.pixels[offset], sizeof colour);
        colours.insert(colour);
    }
    return colours.size();
}
} // namespace ZuDemo
