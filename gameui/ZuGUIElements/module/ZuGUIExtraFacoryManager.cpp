#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/web/HTMLWindow.h"

namespace ZuGUI
{
ZuGUIExtraFacoryManager::ZuGUIExtraFacoryManager() : m_usingZuRenderer(false), m_host(nullptr)
{
    for (const WindowFactoryRow* row = ModuleWindowFactories(); row->factory; ++row)
        if (row->providerName)
            m_typeToProvider.emplace(row->factory().getTypeName(), row->providerName);
}

void ZuGUIExtraFacoryManager::InitGameUIPlugins()
{
    RegisterModuleWindowFactories();
}

void ZuGUIExtraFacoryManager::SetIZuGUI(IZuGUI* host)
{
    m_host = host;
    if (m_host)
        m_host->RegisterScriptModule(&OpenScriptModule);
}

const std::string& ZuGUIExtraFacoryManager::TranslateTypeToProviderName(CEGUI::String type) const
{
    static const std::string none;
    const auto found = m_typeToProvider.find(type);
    return found != m_typeToProvider.end() ? found->second : none;
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
