#include "demo/WindowsScene.h"

#include "client/SampleGameClient.h"

#include <CEGUI/CEGUI.h>

#include <string>

namespace ZuDemo
{
namespace
{
const char* const kSword = "GameFrame/BagPanel/Slot0";
const char* const kMapNote = "GameFrame/DragPanel/MapNote";
const char* const kThinker = "GameFrame/DragPanel/Thinker";
const char* const kThoughts = "GameFrame/DragPanel/Thinker/Thoughts";
const CEGUI::Vector2f kDragBy(160.0f, 60.0f);
constexpr int kDragSteps = 8;
} // namespace

WindowsScene::WindowsScene(CEGUI::GUIContext& context)
    : DemoScene(context, "windows", "DemoWindows.layout")
{
    Context().setDefaultTooltipType("ZuLook/Tooltip");
    CountThoughts();
}

WindowsScene::~WindowsScene()
{
    // The context's tool tip lives in the scene's root while it shows: it goes first.
    Context().setDefaultTooltipType("");
}

void WindowsScene::CountThoughts()
{
    Child(kThinker).subscribeEvent(
        "Think", CEGUI::Event::Subscriber(
                     [this](const CEGUI::EventArgs& args)
                     {
                         ++m_thoughts;
                         Child(kThoughts).setText("Think events: " + std::to_string(m_thoughts));
                         // A script thinks once per cycle by setting the cycle again.
                         static_cast<const CEGUI::WindowEventArgs&>(args).window->setProperty(
                             "ThinkingCycle", "0.5");
                         return true;
                     }));
}

void WindowsScene::BeforeFrame(int frame, float, SampleGameClient& client)
{
    if (frame == 2)
    {
        const std::size_t before = client.Calls().size();
        FreePointer();
        Click("GameFrame/ButtonPanel/Buy", CEGUI::LeftButton);
        Click("GameFrame/ButtonPanel/Quiet", CEGUI::LeftButton);
        DragMapNote();
        RestOnSword();
        ShowHostLogSince(before, client);
    }
    if (frame == Frames())
        AddToReport("think events: " + std::to_string(m_thoughts));
}

void WindowsScene::DragMapNote()
{
    CEGUI::Window& note = Child(kMapNote);
    const CEGUI::Rectf area = note.getUnclippedOuterRect().get();
    // Below the note's label: on the window itself, not on a child.
    CEGUI::Vector2f point(area.left() + 100.0f, area.top() + 60.0f);
    Context().injectMousePosition(point.d_x, point.d_y);
    Context().injectMouseButtonDown(CEGUI::LeftButton);
    for (int step = 0; step < kDragSteps; ++step)
    {
        point += kDragBy * (1.0f / kDragSteps);
        Context().injectMousePosition(point.d_x, point.d_y);
    }
    Context().injectMouseButtonUp(CEGUI::LeftButton);
    const CEGUI::Vector2f moved = note.getUnclippedOuterRect().get().d_min - area.d_min;
    AddToReport("map note dragged by " + std::to_string(static_cast<int>(moved.d_x)) + ", " +
                std::to_string(static_cast<int>(moved.d_y)));
}

void WindowsScene::RestOnSword()
{
    const CEGUI::Rectf sword = Child(kSword).getUnclippedOuterRect().get();
    Context().injectMousePosition(sword.left() + 24.0f, sword.top() + 24.0f);
}
} // namespace ZuDemo
