#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/web/HTMLWindow.h"

namespace ZuGUI
{
ZuGUIExtraFacoryManager::ZuGUIExtraFacoryManager()
{
    // The manager answers for every type of the table, before any window is made.
    for (const WindowFactoryRow* row = ModuleWindowFactories(); row->factory; ++row)
        RememberProviderName(row->factory().getTypeName(), row->providerName);
}

void ZuGUIExtraFacoryManager::InitGameUIPlugins()
{
    RegisterModuleWindowFactories();
}

void ZuGUIExtraFacoryManager::SetIZuGUI(IZuGUI* host)
{
    SetHost(host);
    if (host)
        host->RegisterScriptModule(&OpenScriptModule);
}

void ZuGUIExtraFacoryManager::SyncronizeUI(int which)
{
    if (which == 0)
        CHTMLWindow::SyncronizeAll();
}

void ZuGUIExtraFacoryManager::ManipulateImbeddedIEWindow(int operation, int a, int b)
{
    CHTMLWindow::ManipulateImbeddedIEWindow(operation, a, b);
}

bool ZuGUIExtraFacoryManager::IsHTMLWindowExist() const
{
    return CHTMLWindow::IsHTMLWindowOpened();
}
} // namespace ZuGUI
