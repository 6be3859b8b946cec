// Screenshots of the demo: reading the GL framebuffer, writing and reading PNG files, and the
// blank-image check of the smoke test. Failures throw std::runtime_error with the file name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ZuDemo
{
// 8-bit RGBA pixels, rows top to bottom.
struct RgbaImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The current GL read buffer's pixels in the given size, turned so that the first row is the
// top of the window (GL's rows start at the bottom).
RgbaImage CaptureFramebuffer(int width, int height);

// Writes `image` as a PNG file, creating the missing directories of `path`. The file appears
// complete or not at all: it is written next to `path` and renamed.
void WritePng(const std::string& path, const RgbaImage& image);

RgbaImage ReadPng(const std::string& path);

// The number of distinct RGBA colours; a blank image has one.
std::size_t CountDistinctColours(const RgbaImage& image);
} // namespace ZuDemo
