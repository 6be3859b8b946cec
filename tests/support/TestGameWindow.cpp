#include "support/TestGameWindow.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/WindowFactoryManager.h>
#include <CEGUI/WindowRendererManager.h>

namespace ZuTest
{
const CEGUI::String TestGameWindow::WidgetTypeName("ZuTest/GameWindow");
const CEGUI::String TestGameRenderer::TypeName("ZuTest/GameRenderer");

void RegisterTestGameTypes()
{
    CEGUI::WindowFactoryManager& windows = CEGUI::WindowFactoryManager::getSingleton();
    if (!windows.isFactoryPresent(TestGameWindow::WidgetTypeName))
        windows.addFactory(&ZuGUI::FactoryInstance<ZuGUI::ZuWindowFactory<TestGameWindow>>());
    ZuGUI::SafeRegisterRendererFactory(
        ZuGUI::FactoryInstance<ZuGUI::ZuWindowRendererFactory<TestGameRenderer>>());
}
} // namespace ZuTest
