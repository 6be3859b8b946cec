#include "client/IconPainter.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace ZuDemo
{
namespace
{
struct Colour
{
    float r, g, b, a;
};

std::uint32_t Pack(const Colour& c)
{
    auto byte = [](float v)
    { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    return byte(c.r) | byte(c.g) << 8 | byte(c.b) << 16 | byte(c.a) << 24;
}

Colour HueColour(std::size_t seed)
{
    const float hue = static_cast<float>(seed % 360) / 60.0f;
    const float x = 1.0f - std::fabs(std::fmod(hue, 2.0f) - 1.0f);
    const Colour table[6] = {{1, x, 0, 1}, {x, 1, 0, 1}, {0, 1, x, 1},
                             {0, x, 1, 1}, {x, 0, 1, 1}, {1, 0, x, 1}};
    return table[static_cast<int>(hue) % 6];
}

// Shapes in unit coordinates (0..1 across the picture): true inside.
using Shape = std::function<bool(float x, float y)>;

Shape ShapeFor(const std::string& name)
{
    if (name == "sword")
        return [](float x, float y)
        {
            const float along = (x + (1 - y)) / 2, across = std::fabs(x - (1 - y));
            return (across < 0.09f && along > 0.3f) ||
                   (std::fabs(along - 0.32f) < 0.04f && across < 0.3f);
        };
    if (name == "potion")
        return [](float x, float y)
        {
            const float dx = x - 0.5f, dy = y - 0.62f;
            return dx * dx + dy * dy < 0.09f || (std::fabs(dx) < 0.08f && y > 0.12f && y < 0.4f);
        };
    if (name == "cap")
        return [](float x, float y)
        {
            const float dx = x - 0.5f, dy = y - 0.68f;
            return (dx * dx + dy * dy < 0.13f && y < 0.68f) ||
                   (std::fabs(dx) < 0.42f && std::fabs(dy) < 0.05f);
        };
    if (name == "pelt")
        return [](float x, float y)
        {
            const float dx = (x - 0.5f) * 1.2f, dy = y - 0.5f;
            return dx * dx + dy * dy + 0.05f * std::sin(x * 25) < 0.12f;
        };
    if (name == "shield")
        return [](float x, float y)
        {
            const float dx = std::fabs(x - 0.5f);
            return y > 0.15f && dx < 0.36f - std::max(0.0f, y - 0.5f) * 0.9f;
        };
    if (name == "flame")
        return [](float x, float y)
        {
            const float dx = x - 0.5f, dy = y - 0.62f;
            return (dx * dx + dy * dy < 0.07f) ||
                   (y > 0.12f && y < 0.62f && std::fabs(dx) < (y - 0.12f) * 0.5f);
        };
    if (name == "bolt")
        return [](float x, float y)
        {
            const float centre = y < 0.5f ? 0.62f - y * 0.5f : 0.38f + (y - 0.5f) * 0.5f;
            return y > 0.1f && y < 0.9f &&
                   std::fabs(x - centre + (y < 0.5f ? 0.08f : -0.08f)) < 0.1f;
        };
    if (name == "leaf")
        return [](float x, float y)
        {
            const float u = (x - y) * 0.7071f, v = (x + y - 1.0f) * 0.7071f;
            return u * u / 0.02f + v * v / 0.12f < 1.0f;
        };
    if (name == "hero" || name == "wolf")
        return [name](float x, float y)
        {
            const float dx = x - 0.5f, dy = y - 0.45f;
            const bool head = dx * dx + dy * dy < 0.09f;
            const bool ears = name == "wolf" && y > 0.1f && y < 0.3f &&
                              std::fabs(std::fabs(dx) - 0.2f) < (y - 0.1f) * 0.5f;
            const bool body = name == "hero" && y > 0.7f && std::fabs(dx) < 0.35f;
            return head || ears || body;
        };
    return [](float x, float y) { return std::fabs(x - 0.5f) + std::fabs(y - 0.5f) < 0.38f; };
}

RgbaPicture Blank(int width, int height)
{
    RgbaPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width) * height, 0u);
    return picture;
}

RgbaPicture Blank(int size)
{
    return Blank(size, size);
}

// The face of emote `number` at unit coordinates: skin, eyes and a mouth, or nothing.
std::optional<Colour> EmoteAt(int number, float x, float y)
{
    const float dx = x - 0.5f, dy = y - 0.5f;
    const float radius = std::sqrt(dx * dx + dy * dy);
    if (radius > 0.47f)
        return std::nullopt;
    const Colour ink{0.25f, 0.15f, 0.05f, 1.0f};
    if (radius > 0.42f)
        return ink;
    const bool eye = std::fabs(std::fabs(dx) - 0.16f) < 0.06f && std::fabs(dy + 0.12f) < 0.09f;
    // The mouth's corners rise for a smile and a laugh (open) and sink for a sad face.
    const float curve = dx * dx * 2.5f;
    bool mouth = false;
    if (std::fabs(dx) < 0.22f)
    {
        switch (number % 3)
        {
        case 0:
            mouth = std::fabs(dy - (0.2f - curve)) < 0.04f;
            break;
        case 1:
            mouth = dy > 0.06f && dy < 0.24f - curve;
            break;
        default:
            mouth = std::fabs(dy - (0.14f + curve)) < 0.04f;
            break;
        }
    }
    if (eye || mouth)
        return ink;
    return Colour{1.0f, 0.85f - radius * 0.4f, 0.2f, 1.0f};
}
} // namespace

RgbaPicture PaintIcon(const std::string& name, int size, bool dark)
{
    RgbaPicture picture = Blank(size);
    const Shape inside = ShapeFor(name);
    const Colour base = HueColour(std::hash<std::string>{}(name));
    const float shade = dark ? 0.35f : 1.0f;
    for (int row = 0; row < size; ++row)
    {
        for (int column = 0; column < size; ++column)
        {
            const float x = (column + 0.5f) / size, y = (row + 0.5f) / size;
            // The object lit from the top left on a transparent ground, so that the slot's
            // own imagery shows around it.
            Colour c{0.0f, 0.0f, 0.0f, 0.0f};
            if (inside(x, y))
            {
                const float light = 1.15f - 0.6f * (x + y) / 2;
                c = {base.r * light, base.g * light, base.b * light, 1.0f};
            }
            c.r *= shade, c.g *= shade, c.b *= shade;
            picture.pixels[static_cast<std::size_t>(row) * size + column] = Pack(c);
        }
    }
    return picture;
}

RgbaPicture PaintEmote(int number, int size)
{
    RgbaPicture picture = Blank(size);
    for (int row = 0; row < size; ++row)
    {
        for (int column = 0; column < size; ++column)
        {
            const std::optional<Colour> c =
                EmoteAt(number, (column + 0.5f) / size, (row + 0.5f) / size);
            if (c)
                picture.pixels[static_cast<std::size_t>(row) * size + column] = Pack(*c);
        }
    }
    return picture;
}

RgbaPicture PaintBanner(int width, int height)
{
    RgbaPicture picture = Blank(width, height);
    for (int row = 0; row < height; ++row)
    {
        const float edge = std::min(row + 0.5f, height - row - 0.5f) / (height / 2.0f);
        for (int column = 0; column < width; ++column)
        {
            const float fade = 1.0f - static_cast<float>(column) / width;
            picture.pixels[static_cast<std::size_t>(row) * width + column] =
                Pack({1.0f, 0.75f, 0.25f, 0.4f * fade * std::min(1.0f, edge * 3.0f)});
        }
    }
    return picture;
}

RgbaPicture PaintSparkle(int size, unsigned state)
{
    RgbaPicture picture = Blank(size);
    const float strength = std::min(1.0f, 0.35f + 0.2f * static_cast<float>(state));
    for (int row = 0; row < size; ++row)
    {
        for (int column = 0; column < size; ++column)
        {
            const float dx = (column + 0.5f) / size - 0.5f, dy = (row + 0.5f) / size - 0.5f;
            const float ring = 1.0f - std::fabs(std::sqrt(dx * dx + dy * dy) - 0.42f) / 0.08f;
            if (ring > 0)
                picture.pixels[static_cast<std::size_t>(row) * size + column] =
                    Pack({1.0f, 0.85f, 0.3f, ring * strength});
        }
    }
    return picture;
}
} // namespace ZuDemo
