#include "demo/DemoScene.h"

#include "demo/GameModule.h"

#include <CEGUI/CEGUI.h>

namespace ZuDemo
{
DemoScene::DemoScene(CEGUI::GUIContext& context) : m_context(context)
{
    m_root = CEGUI::WindowManager::getSingleton().loadLayoutFromFile("Demo.layout", "skin");
    m_context.setRootWindow(m_root);
    try
    {
        const std::string types = DescribeRegisteredModuleTypes();
        m_root->getChild("MainFrame/TypesPanel/TypeList")
            ->setText(reinterpret_cast<const CEGUI::utf8*>(types.c_str()));
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
} // namespace ZuDemo
