#include "demo/DemoOptions.h"

#include "demo/DemoScene.h"

#include <algorithm>

#include <stdexcept>

namespace ZuDemo
{
namespace
{
int ParseFrameCount(const std::string& text)
{
    std::size_t used = 0;
    int frames = -1;
    try
    {
        frames = std::stoi(text, &used);
    }
    catch (const std::exception&)
    {
        used = 0;
    }
    if (used != text.size() || frames < 0)
        throw std::invalid_argument("--frames needs a whole number of frames, 0 or more, not '" +
                                    text + "'");
    return frames;
}
} // namespace

DemoOptions ParseDemoOptions(int argc, const char* const argv[])
{
    DemoOptions options;
    for (int index = 1; index < argc; ++index)
    {
        const std::string argument = argv[index];
        const auto value = [&]() -> std::string
        {
            if (index + 1 >= argc)
                throw std::invalid_argument(argument + " needs a value");
            return argv[++index];
        };
        if (argument == "--hidden")
            options.hidden = true;
        else if (argument == "--frames")
            options.frames = ParseFrameCount(value());
        else if (argument == "--scene")
            options.scene = value();
        else if (argument == "--screenshots")
            options.screenshotDir = value();
        else if (argument == "--widget-pictures")
            options.widgetPictureDir = value();
        else if (argument == "--check-screenshot")
            options.checkScreenshot = value();
        else if (argument == "--help" || argument == "-h")
            options.help = true;
        else
            throw std::invalid_argument("unknown argument '" + argument + "'");
    }
    if (options.screenshotDir.empty())
        throw std::invalid_argument("--screenshots needs a folder");
    const std::vector<std::string> scenes = DemoSceneNames();
    if (!options.scene.empty() &&
        std::find(scenes.begin(), scenes.end(), options.scene) == scenes.end())
        throw std::invalid_argument("--scene: no scene '" + options.scene + "'");
    if (options.hidden && options.frames == 0)
        throw std::invalid_argument("--frames 0 runs until the window is closed, which a hidden "
                                    "window never is");
    return options;
}

const char* DemoUsage()
{
    return "usage: zugui-demo [--hidden] [--scene NAME] [--frames N] [--screenshots DIR]\n"
           "                  [--widget-pictures DIR]\n"
           "       zugui-demo --check-screenshot FILE\n"
           "  --hidden            render without showing the window\n"
           "  --scene NAME        show one scene: hud, chat or windows (default: each)\n"
           "  --frames N          frames to render before each screenshot (default: the\n"
           "                      scene's own); 0 runs until the window is closed\n"
           "  --screenshots DIR   where to write demo-<scene>.png (default out)\n"
           "  --widget-pictures DIR  also cut a picture of each of the module's window types\n"
           "                      of the sample skin from the first screenshot that shows\n"
           "                      it, into DIR/<Look>-<Type>.png\n"
           "  --check-screenshot  exit 0 when FILE is a PNG of more than one colour\n";
}
} // namespace ZuDemo
