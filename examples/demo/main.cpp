// zugui-demo: the ZuGUIElements module in a real CEGUI application. It opens an OpenGL
// window, loads the sample skin (and with it the module), binds the sample game client as
// the module's host, shows each demo scene for a number of frames and writes its screenshot,
// and prints what each scene did and every call the host received.
#include "client/DesktopClipboard.h"
#include "client/SampleGameClient.h"
#include "client/SamplePictureSource.h"
#include "client/SampleRenderProxies.h"
#include "client/SampleScripts.h"
#include "client/SampleWebControl.h"
#include "demo/CeguiSession.h"
#include "demo/DemoOptions.h"
#include "demo/DemoScene.h"
#include "demo/DemoWindow.h"
#include "demo/GameModule.h"
#include "demo/Screenshot.h"
#include "demo/WidgetPictures.h"

#include <CEGUI/CEGUI.h>

#include <chrono>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace
{
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 640;
// A hidden run advances time in fixed steps so that its screenshots are reproducible.
constexpr float kFixedFrameSeconds = 0.1f;

using ZuDemo::DemoOptions;

// Seconds since the previous call: fixed steps for a hidden run, wall time otherwise.
class FrameClock
{
public:
    explicit FrameClock(bool fixedSteps) : m_fixedSteps(fixedSteps) {}

    float Tick()
    {
        const auto now = std::chrono::steady_clock::now();
        const std::chrono::duration<float> elapsed = now - m_last;
        m_last = now;
        return m_fixedSteps ? kFixedFrameSeconds : elapsed.count();
    }

private:
    bool m_fixedSteps;
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
};

// Hands the desktop pointer's moves and button changes to CEGUI.
class PointerForwarder
{
public:
    void Forward(const ZuDemo::DemoWindow::PointerState& pointer, CEGUI::GUIContext& context)
    {
        if (pointer.x != m_last.x || pointer.y != m_last.y)
            context.injectMousePosition(pointer.x, pointer.y);
        ForwardButton(m_last.leftDown, pointer.leftDown, CEGUI::LeftButton, context);
        ForwardButton(m_last.rightDown, pointer.rightDown, CEGUI::RightButton, context);
        m_last = pointer;
    }

private:
    static void ForwardButton(bool wasDown, bool isDown, CEGUI::MouseButton button,
                              CEGUI::GUIContext& context)
    {
        if (isDown && !wasDown)
            context.injectMouseButtonDown(button);
        else if (wasDown && !isDown)
            context.injectMouseButtonUp(button);
    }

    ZuDemo::DemoWindow::PointerState m_last;
};

bool IsLastFrame(int frames, int framesDrawn, const ZuDemo::DemoWindow& window)
{
    return frames > 0 ? framesDrawn >= frames : window.CloseRequested();
}

// Draws the scene's frames until the last one, and returns that frame's pixels.
ZuDemo::RgbaImage RenderFrames(const DemoOptions& options, ZuDemo::DemoWindow& window,
                               ZuDemo::CeguiSession& cegui, ZuDemo::DemoScene& scene,
                               ZuDemo::SampleGameClient& client)
{
    const int frames =
        options.frames == DemoOptions::kSceneFrames ? scene.Frames() : options.frames;
    FrameClock clock(options.hidden);
    PointerForwarder pointer;
    float seconds = 0.0f;
    for (int framesDrawn = 1;; ++framesDrawn)
    {
        scene.BeforeFrame(framesDrawn, seconds, client);
        if (!options.hidden)
            pointer.Forward(window.Pointer(), cegui.Context());
        const float elapsed = clock.Tick();
        seconds += elapsed;
        client.AdvanceUITime(elapsed);
        cegui.RenderFrame(elapsed);
        // The back buffer is read before it is presented, when it still holds the frame.
        if (IsLastFrame(frames, framesDrawn, window))
        {
            ZuDemo::RgbaImage frame =
                ZuDemo::CaptureFramebuffer(window.FramebufferWidth(), window.FramebufferHeight());
            window.EndFrame();
            return frame;
        }
        window.EndFrame();
    }
}

void PrintHostLog(const ZuDemo::SampleGameClient& client)
{
    std::cout << "The game client received " << client.Calls().size() << " calls:\n";
    for (const std::string& line : client.Log())
        std::cout << "  " << line << '\n';
    std::cout << "Of them, " << client.CommandLog().size() << " command trees:\n";
    for (const std::string& command : client.CommandLog())
        std::cout << "  " << command << '\n';
}

std::string CeguiLogPath(const std::string& directory)
{
    std::filesystem::create_directories(directory);
    return (std::filesystem::path(directory) / "zugui-demo-cegui.log").string();
}

std::vector<std::string> ScenesToShow(const DemoOptions& options)
{
    // A window that runs until it is closed shows one scene.
    if (!options.scene.empty() || options.frames == 0)
        return {options.scene.empty() ? ZuDemo::DemoSceneNames().front() : options.scene};
    return ZuDemo::DemoSceneNames();
}

// Shows each window that `pictures` finds out of sight in the scene (on a tab that is not
// chosen) over the scene where it is laid out, a frame each, and takes its picture. The scene
// is not shown again: its windows go with it.
void PictureWindowsOutOfSight(ZuDemo::WidgetPictures& pictures, ZuDemo::DemoWindow& window,
                              ZuDemo::CeguiSession& cegui)
{
    CEGUI::Window& root = *cegui.Context().getRootWindow();
    for (CEGUI::Window* hidden : pictures.OutOfSight(root))
    {
        const CEGUI::Rectf area = hidden->getUnclippedOuterRect().get();
        hidden->getParent()->removeChild(hidden);
        root.addChild(hidden);
        hidden->setArea(
            CEGUI::UVector2(CEGUI::UDim(0, area.left()), CEGUI::UDim(0, area.top())),
            CEGUI::USize(CEGUI::UDim(0, area.getWidth()), CEGUI::UDim(0, area.getHeight())));
        hidden->setVisible(true);
        hidden->setAlwaysOnTop(true);
        cegui.RenderFrame(0.0f);
        const ZuDemo::RgbaImage frame =
            ZuDemo::CaptureFramebuffer(window.FramebufferWidth(), window.FramebufferHeight());
        window.EndFrame();
        for (const std::string& picture : pictures.Take(frame, root))
            std::cout << "Widget picture: " << picture << '\n';
    }
}

// Shows one scene and writes its screenshot, and the pictures of the module's window types
// that it is the first to show when `pictures` is given; returns the screenshot's path.
std::string ShowScene(const std::string& name, const DemoOptions& options,
                      ZuDemo::DemoWindow& window, ZuDemo::CeguiSession& cegui,
                      ZuDemo::SampleGameClient& client, ZuDemo::WidgetPictures* pictures)
{
    const std::unique_ptr<ZuDemo::DemoScene> scene = ZuDemo::MakeDemoScene(name, cegui.Context());
    const std::string screenshot =
        (std::filesystem::path(options.screenshotDir) / ("demo-" + name + ".png")).string();
    const ZuDemo::RgbaImage frame = RenderFrames(options, window, cegui, *scene, client);
    ZuDemo::WritePng(screenshot, frame);
    if (pictures)
    {
        for (const std::string& picture : pictures->Take(frame, *cegui.Context().getRootWindow()))
            std::cout << "Widget picture: " << picture << '\n';
        PictureWindowsOutOfSight(*pictures, window, cegui);
    }
    std::cout << "Scene " << name << ":\n";
    for (const std::string& line : scene->Report())
        std::cout << "  " << line << '\n';
    return screenshot;
}

int RunDemo(const DemoOptions& options)
{
    const std::string ceguiLog = CeguiLogPath(options.screenshotDir);
    std::vector<std::string> screenshots;
    try
    {
        ZuDemo::DemoWindow window(kWindowWidth, kWindowHeight, "ZuGUIElements demo",
                                  !options.hidden);
        ZuDemo::CeguiSession cegui(window.FramebufferWidth(), window.FramebufferHeight(), ceguiLog);
        if (!options.hidden)
            cegui.ShowPointer();
        ZuDemo::LoadGameModule();
        ZuDemo::SampleScripts scripts;
        ZuDemo::SampleGameClient client;
        client.SetScripts(&scripts);
        {
            const ZuDemo::SampleRenderProxies proxies(client.Model());
            const ZuDemo::SamplePictureSource pictures(client.Model());
            ZuDemo::DesktopClipboard desktop([&window](const std::string& text)
                                             { window.SetClipboardText(text.c_str()); },
                                             [&window] { return window.ClipboardText(); });
            const ZuDemo::ScopedDesktopClipboard clipboard(desktop);
            const ZuDemo::SampleWebPages webPages(cegui.Context());
            const ZuDemo::ScopedHost host(client);
            // Binding the client opened the module's binding on the scripts' state.
            scripts.RunFile("demo.lua", "skin");
            std::optional<ZuDemo::WidgetPictures> widgetPictures;
            if (!options.widgetPictureDir.empty())
                widgetPictures.emplace(options.widgetPictureDir);
            const std::vector<std::string> scenes = ScenesToShow(options);
            for (const std::string& name : scenes)
                screenshots.push_back(ShowScene(name, options, window, cegui, client,
                                                widgetPictures ? &*widgetPictures : nullptr));
            if (widgetPictures && scenes == ZuDemo::DemoSceneNames() &&
                !widgetPictures->Missing().empty())
            {
                std::string missing;
                for (const std::string& type : widgetPictures->Missing())
                    missing += " " + type;
                throw std::runtime_error("no scene shows these window types of the module, so "
                                         "they have no picture:" +
                                         missing);
            }
        }
        PrintHostLog(client);
    }
    catch (const std::exception& error)
    {
        std::cerr << "zugui-demo: " << error.what() << "\n(CEGUI's log: " << ceguiLog << ")\n";
        return 1;
    }
    for (const std::string& screenshot : screenshots)
        std::cout << "Screenshot: " << screenshot << '\n';
    return 0;
}

int CheckScreenshot(const std::string& path)
{
    const std::size_t colours = ZuDemo::CountDistinctColours(ZuDemo::ReadPng(path));
    std::cout << path << ": " << colours << " distinct colours\n";
    if (colours > 1)
        return 0;
    std::cerr << "zugui-demo: " << path << " is blank\n";
    return 1;
}
} // namespace

int main(int argc, char* argv[])
{
    try
    {
        const DemoOptions options = ZuDemo::ParseDemoOptions(argc, argv);
        if (options.help)
        {
            std::cout << ZuDemo::DemoUsage();
            return 0;
        }
        if (!options.checkScreenshot.empty())
            return CheckScreenshot(options.checkScreenshot);
        return RunDemo(options);
    }
    catch (const std::invalid_argument& error)
    {
        std::cerr << "zugui-demo: " << error.what() << '\n' << ZuDemo::DemoUsage();
        return 2;
    }
    catch (const std::exception& error)
    {
        std::cerr << "zugui-demo: " << error.what() << '\n';
        return 1;
    }
}
