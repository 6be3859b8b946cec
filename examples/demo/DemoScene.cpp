#include "demo/DemoScene.h"

#include "demo/GameModule.h"

#include <CEGUI/CEGUI.h>

namespace ZuDemo
{
namespace
{
const char* const kTypeList = "MainFrame/TypesPanel/TypeList";
const char* const kHostLog = "GameFrame/LogPanel/HostLog";
const char* const kCastBar = "GameFrame/SkillsPanel/CastBar";
const char* const kBag = "GameFrame/BagPanel/";

CEGUI::String Utf8(const std::string& text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text.c_str()));
}
} // namespace

DemoScene::DemoScene(CEGUI::GUIContext& context) : m_context(context)
{
    m_root = CEGUI::WindowManager::getSingleton().loadLayoutFromFile("Demo.layout", "skin");
    m_context.setRootWindow(m_root);
    try
    {
        m_root->getChild(kTypeList)->setText(Utf8(DescribeRegisteredModuleTypes()));
        KeepCasting();
    }
    catch (...)
    {
        DestroyWindows();
        throw;
    }
}

DemoScene::~DemoScene()
{
    DestroyWindows();
}

void DemoScene::DestroyWindows()
{
    m_context.setRootWindow(nullptr);
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    windows.destroyWindow(m_root);
    windows.cleanDeadPool();
}

// A finished cast starts the next one, so that a long-running demo keeps the bar moving.
void DemoScene::KeepCasting()
{
    m_root->getChild(kCastBar)->subscribeEvent(
        "AdvancedToOne",
        CEGUI::Event::Subscriber(
            [](const CEGUI::EventArgs& args)
            {
                static_cast<const CEGUI::WindowEventArgs&>(args).window->setProperty("CurValue",
                                                                                     "0");
                return true;
            }));
}

void DemoScene::Click(const CEGUI::String& path, CEGUI::MouseButton button)
{
    const CEGUI::Rectf area = m_root->getChild(path)->getUnclippedOuterRect().get();
    const CEGUI::Vector2f centre =
        area.d_min + CEGUI::Vector2f(area.getWidth(), area.getHeight()) * 0.5f;
    m_context.injectMousePosition(centre.d_x, centre.d_y);
    m_context.injectMouseButtonDown(button);
    m_context.injectMouseButtonUp(button);
}

void DemoScene::PlayScriptedClicks()
{
    // The pointer of a hidden run has no screen to stay on: give it the whole display.
    const CEGUI::Rectf display(CEGUI::Vector2f(0, 0), m_root->getPixelSize());
    m_context.getMouseCursor().setConstraintArea(&display);
    Click(CEGUI::String(kBag) + "Slot0", CEGUI::LeftButton);
    Click(CEGUI::String(kBag) + "Slot1", CEGUI::RightButton);
    Click(CEGUI::String(kBag) + "Slot3", CEGUI::MiddleButton);
    Click(CEGUI::String(kBag) + "Equip0", CEGUI::LeftButton);
}

void DemoScene::ShowHostLog(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    m_root->getChild(kHostLog)->setText(Utf8(text.empty() ? "(nothing)" : text));
}
} // namespace ZuDemo
