// Paints the sample game's object pictures: small RGBA images drawn from a name ("sword",
// "potion"...), standing in for the models a real game client renders into its proxies, and
// the emotes and line backgrounds of its rich text.
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
// A round face: smiling, laughing or sad by the emote's number.
RgbaPicture PaintEmote(int number, int size);
// A translucent golden band that fades out to the right, laid behind a line of text.
RgbaPicture PaintBanner(int width, int height);
} // namespace ZuDemo
