// A whole frame of each demo scene on the NullRenderer, with the sample game client bound as in
// the demo and the scene played up to its screenshot, beside a scene of stock TaharezLook
// windows built from it: every module window becomes a static text with the text it shows (a
// rich text view's plain text) or a static image, every other window is copied, at the same
// place in the same tree. "Steady" draws a frame in which nothing changed; "Update" first asks
// every game window to update, so that each one queries the game client and redraws. The
// counters split a frame into CEGUI's update pass and its draw pass and count the game
// client's calls.
#include "DemoWorld.h"

#include "demo/DemoScene.h"
#include "support/WindowTree.h"

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <vector>

namespace
{
using namespace ZuBench;
const CEGUI::String kModuleTypePrefix = "ZuGame/";
const CEGUI::String kStockImage = "ZuLookIcons/Folder";

using ZuTest::ForEachWindow;

bool IsModuleWindow(const CEGUI::Window& window)
{
    const CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
    CEGUI::String type = window.getType();
    if (factories.isFalagardMappedType(type))
        type = factories.getFalagardMappingForType(type).d_baseType;
    return type.compare(0, kModuleTypePrefix.length(), kModuleTypePrefix) == 0;
}

// The stock window that stands for `window`.
CEGUI::Window* MakeStockCounterpart(const CEGUI::Window& window)
{
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    if (!IsModuleWindow(window))
    {
        CEGUI::Window* copy = windows.createWindow(window.getType());
        copy->setText(window.getText());
        return copy;
    }
    const auto* view = dynamic_cast<const ZuGUI::CGameMultiLine*>(&window);
    const CEGUI::String text = view ? view->getPlainText() : window.getText();
    if (text.empty())
    {
        CEGUI::Window* image = windows.createWindow("TaharezLook/StaticImage");
        image->setProperty("Image", kStockImage);
        return image;
    }
    CEGUI::Window* label = windows.createWindow("TaharezLook/StaticText");
    label->setProperty("HorzFormatting", "WordWrapLeftAligned");
    label->setText(text);
    return label;
}

// Mirrors the windows under `source` into `copy`: each window that is not an automatic part of
// its parent gets a counterpart at the same screen rectangle under the counterpart of its
// nearest mirrored ancestor; the parts of a stock counterpart come with it.
void MirrorChildren(const CEGUI::Window& source, CEGUI::Window& copy)
{
    for (std::size_t i = 0; i < source.getChildCount(); ++i)
    {
        const CEGUI::Window& child = *source.getChildAtIdx(i);
        if (child.isAutoWindow())
        {
            MirrorChildren(child, copy);
            continue;
        }
        CEGUI::Window* counterpart = MakeStockCounterpart(child);
        copy.addChild(counterpart);
        const CEGUI::Rectf rect = child.getUnclippedOuterRect().get();
        counterpart->setNonClient(child.isNonClient());
        const CEGUI::Rectf& parentArea = child.isNonClient() ? copy.getUnclippedOuterRect().get()
                                                             : copy.getUnclippedInnerRect().get();
        const CEGUI::Vector2f origin = parentArea.getPosition();
        counterpart->setPosition(CEGUI::UVector2(CEGUI::UDim(0, rect.left() - origin.d_x),
                                                 CEGUI::UDim(0, rect.top() - origin.d_y)));
        counterpart->setSize(
            CEGUI::USize(CEGUI::UDim(0, rect.getWidth()), CEGUI::UDim(0, rect.getHeight())));
        counterpart->setVisible(child.isVisible());
        MirrorChildren(child, *counterpart);
    }
}

// A demo scene at its screenshot and its stock mirror; either can be the GUI context's root.
class SceneFrames
{
public:
    SceneFrames(DemoWorld& world, const std::string& name)
        : m_scene(ZuDemo::MakeDemoScene(name, DemoWorld::Context()))
    {
        PlayToScreenshot(*m_scene, world.Client());
        m_sceneRoot = DemoWorld::Context().getRootWindow();
        m_stockRoot = CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow");
        m_stockRoot->setArea(m_sceneRoot->getArea());
        MirrorChildren(*m_sceneRoot, *m_stockRoot);
        ForEachWindow(*m_sceneRoot,
                      [this](CEGUI::Window& window)
                      {
                          if (auto* game = dynamic_cast<ZuGUI::ZuWindow*>(&window))
                              m_gameWindows.push_back(game);
                      });
    }
    ~SceneFrames()
    {
        ShowScene();
        CEGUI::WindowManager::getSingleton().destroyWindow(m_stockRoot);
        m_scene.reset();
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
    }
    SceneFrames(const SceneFrames&) = delete;
    SceneFrames& operator=(const SceneFrames&) = delete;

    void ShowScene() { Show(*m_sceneRoot); }
    void ShowStock() { Show(*m_stockRoot); }
    void RequestEveryUpdate()
    {
        for (ZuGUI::ZuWindow* window : m_gameWindows)
            window->requestUpdate();
    }
    std::size_t GameWindows() const { return m_gameWindows.size(); }
    // Windows of the scene or of its mirror, not counting the automatic parts of a window.
    std::size_t Windows(bool stock) const
    {
        return Count(stock, [](const CEGUI::Window& window) { return !window.isAutoWindow(); });
    }
    // Windows that CEGUI updates at every frame: all that are shown, automatic parts included.
    std::size_t ShownWindows(bool stock) const
    {
        return Count(stock,
                     [](const CEGUI::Window& window) { return window.isEffectiveVisible(); });
    }

private:
    template <class Predicate>
    std::size_t Count(bool stock, const Predicate& counts) const
    {
        std::size_t count = 0;
        ForEachWindow(stock ? *m_stockRoot : *m_sceneRoot,
                      [&](const CEGUI::Window& window) { count += counts(window); });
        return count;
    }

    void Show(CEGUI::Window& root)
    {
        DemoWorld::Context().setRootWindow(&root);
        root.invalidate(true);
        FrameTimes ignored;
        RenderFrame(0.0f, ignored);
    }

    std::unique_ptr<ZuDemo::DemoScene> m_scene;
    CEGUI::Window* m_sceneRoot = nullptr;
    CEGUI::Window* m_stockRoot = nullptr;
    std::vector<ZuGUI::ZuWindow*> m_gameWindows;
};

enum class Frame
{
    Steady,
    Update,
    Redraw,
    Stock,
    StockRedraw,
};

void BM_DemoSceneFrame(benchmark::State& state, const std::string& name, Frame frame)
{
    DemoWorld world;
    SceneFrames scene(world, name);
    const bool stock = frame == Frame::Stock || frame == Frame::StockRedraw;
    const bool redraw = frame == Frame::Redraw || frame == Frame::StockRedraw;
    stock ? scene.ShowStock() : scene.ShowScene();
    world.Client().ClearLog();
    std::size_t hostCalls = 0;
    FrameTimes times;
    for (auto _ : state)
    {
        if (frame == Frame::Update)
            scene.RequestEveryUpdate();
        if (redraw)
            DemoWorld::Context().getRootWindow()->invalidate(true);
        RenderFrame(0.0f, times);
        hostCalls += world.Client().Calls().size();
        world.Client().ClearLog();
    }
    const auto perFrame = [&state](Clock::duration total)
    {
        return benchmark::Counter(std::chrono::duration<double, std::micro>(total).count() /
                                  static_cast<double>(state.iterations()));
    };
    state.counters["update_us"] = perFrame(times.update);
    state.counters["draw_us"] = perFrame(times.draw);
    state.counters["host_calls"] =
        benchmark::Counter(static_cast<double>(hostCalls), benchmark::Counter::kAvgIterations);
    state.counters["windows"] = static_cast<double>(scene.Windows(stock));
    state.counters["shown"] = static_cast<double>(scene.ShownWindows(stock));
    state.counters["game_windows"] = static_cast<double>(stock ? 0 : scene.GameWindows());
}

// One benchmark per scene and kind of frame, named like "BM_DemoSceneFrame/hud/Steady".
const bool kRegistered = []
{
    const std::pair<Frame, const char*> frames[] = {{Frame::Steady, "Steady"},
                                                    {Frame::Update, "Update"},
                                                    {Frame::Redraw, "Redraw"},
                                                    {Frame::Stock, "Stock"},
                                                    {Frame::StockRedraw, "StockRedraw"}};
    for (const std::string& name : ZuDemo::DemoSceneNames())
        for (const auto& [frame, label] : frames)
            benchmark::RegisterBenchmark(("BM_DemoSceneFrame/" + name + "/" + label).c_str(),
                                         BM_DemoSceneFrame, name, frame)
                ->Unit(benchmark::kMicrosecond);
    return true;
}();
} // namespace
