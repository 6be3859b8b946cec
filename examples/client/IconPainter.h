// Paints the sample game's object pictures: small RGBA images drawn from a name ("sword",
// "potion"...), standing in for the models a real game client renders into its proxies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZuDemo
{
struct RgbaPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xAABBGGRR, row by row from the top
};

// The picture of an object; unknown names get a gem in a colour of their own.
RgbaPicture PaintIcon(const std::string& name, int size, bool dark);
// A translucent golden ring, brighter for higher states.
RgbaPicture PaintSparkle(int size, unsigned state);
} // namespace ZuDemo
