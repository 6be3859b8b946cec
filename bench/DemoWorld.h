// The demo's world without its window, for the benchmarks and the soak run: CEGUI on the
// NullRenderer with the demo's display size, the stock look, the module and the sample game
// client bound (scripts, render proxies, pictures, web pages), and the frame the demo draws.
#pragma once

#include "client/CeguiResources.h"
#include "client/SampleGameClient.h"
#include "client/SamplePictureSource.h"
#include "client/SampleRenderProxies.h"
#include "client/SampleScripts.h"
#include "client/SampleWebControl.h"
#include "demo/DemoScene.h"
#include "demo/GameModule.h"
#include "support/text/HeadlessCegui.h"

#include <CEGUI/CEGUI.h>

#include <chrono>
#include <iostream>
#include <memory>

namespace ZuBench
{
using Clock = std::chrono::steady_clock;

const CEGUI::Sizef kDisplaySize(1024.0f, 640.0f);
// The demo's fixed frame step while a scene plays up to its screenshot.
constexpr float kSceneFrameSeconds = 0.1f;

// CEGUI with the module loaded and the sample game client bound, as the demo runs them.
class DemoWorld
{
public:
    DemoWorld()
        : m_cegui(ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR), m_module(), m_proxies(m_client.Model()),
          m_pictures(m_client.Model()), m_webPages(Context()), m_host(m_client)
    {
        m_client.SetScripts(&m_scripts);
        m_scripts.RunFile("demo.lua", "skin");
    }

    static CEGUI::GUIContext& Context()
    {
        return CEGUI::System::getSingleton().getDefaultGUIContext();
    }
    ZuDemo::SampleGameClient& Client() { return m_client; }

private:
    // The display of the demo's window, its stock look and the module, before the client.
    struct LoadedModule
    {
        LoadedModule()
        {
            CEGUI::System::getSingleton().notifyDisplaySizeChanged(kDisplaySize);
            ZuDemo::LoadStockLook();
            ZuDemo::LoadGameModule();
        }
    };

    ZuTest::ScopedHeadlessCegui m_cegui;
    LoadedModule m_module;
    ZuDemo::SampleScripts m_scripts;
    ZuDemo::SampleGameClient m_client;
    ZuDemo::SampleRenderProxies m_proxies;
    ZuDemo::SamplePictureSource m_pictures;
    ZuDemo::SampleWebPages m_webPages;
    ZuDemo::ScopedHost m_host;
};

// The time of each pass of the frames of a benchmark, reported per frame.
struct FrameTimes
{
    Clock::duration update{};
    Clock::duration draw{};
};

inline void RenderFrame(float elapsed, FrameTimes& times)
{
    CEGUI::System& system = CEGUI::System::getSingleton();
    const Clock::time_point start = Clock::now();
    system.injectTimePulse(elapsed);
    DemoWorld::Context().injectTimePulse(elapsed);
    const Clock::time_point updated = Clock::now();
    system.renderAllGUIContexts();
    times.update += updated - start;
    times.draw += Clock::now() - updated;
}

// Plays `scene` up to its screenshot, as the demo's hidden run does; what the scene prints for
// the player (a refused address's message box) stays out of the benchmark's output.
inline void PlayToScreenshot(ZuDemo::DemoScene& scene, ZuDemo::SampleGameClient& client)
{
    const std::unique_ptr<std::streambuf, void (*)(std::streambuf*)> restoreOutput(
        std::cout.rdbuf(nullptr), [](std::streambuf* output) { std::cout.rdbuf(output); });
    FrameTimes ignored;
    float seconds = 0.0f;
    for (int frame = 1; frame <= scene.Frames(); ++frame)
    {
        scene.BeforeFrame(frame, seconds, client);
        seconds += kSceneFrameSeconds;
        client.AdvanceUITime(kSceneFrameSeconds);
        RenderFrame(kSceneFrameSeconds, ignored);
    }
}

} // namespace ZuBench
