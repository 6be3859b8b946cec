// The command line of zugui-demo.
#pragma once

#include <string>

namespace ZuDemo
{
struct DemoOptions
{
    // Run without showing the window (under Xvfb, or on a desktop for a quick check).
    bool hidden = false;
    // Frames to render before each screenshot; kSceneFrames lets each scene choose, 0 runs
    // until the window is closed.
    static constexpr int kSceneFrames = -1;
    int frames = kSceneFrames;
    // The one scene to show; empty shows every scene in turn.
    std::string scene;
    // Where the screenshots go: one "demo-<scene>.png" per scene.
    std::string screenshotDir = "out";
    // When set, pictures of the module's window types as the scenes show them go there (see
    // WidgetPictures.h); a run of every scene fails when a type has none.
    std::string widgetPictureDir;
    // When set, only check that this PNG is not blank and exit.
    std::string checkScreenshot;
    bool help = false;
};

// Throws std::invalid_argument with a message naming the bad argument.
DemoOptions ParseDemoOptions(int argc, const char* const argv[]);

const char* DemoUsage();
} // namespace ZuDemo
