// The command line of zugui-demo.
#pragma once

#include <string>

namespace ZuDemo
{
struct DemoOptions
{
    // Run without showing the window (under Xvfb, or on a desktop for a quick check).
    bool hidden = false;
    // Frames to render before the screenshot; 0 runs until the window is closed.
    int frames = 10;
    std::string screenshot = "out/demo.png";
    // When set, only check that this PNG is not blank and exit.
    std::string checkScreenshot;
    bool help = false;
};

// Throws std::invalid_argument with a message naming the bad argument.
DemoOptions ParseDemoOptions(int argc, const char* const argv[]);

const char* DemoUsage();
} // namespace ZuDemo
