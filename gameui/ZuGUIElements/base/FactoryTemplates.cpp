#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/Logger.h>
#include <CEGUI/WindowFactoryManager.h>
#include <CEGUI/WindowRendererManager.h>

namespace ZuGUI
{
namespace
{
// Adds `factory` to `manager` unless a factory of `type` is present, in which case the skip
// is logged at the Informative level under `kind`.
template <class Manager, class Factory>
void AddUnlessPresent(Manager& manager, Factory& factory, const CEGUI::String& type,
                      const char* kind)
{
    if (manager.isFactoryPresent(type))
    {
        CEGUI::Logger::getSingleton().logEvent(CEGUI::String(kind) + " '" + type +
                                                   "' appears to be already registered, skipping.",
                                               CEGUI::Informative);
        return;
    }
    manager.addFactory(&factory);
}
} // namespace

void SafeRegisterRendererFactory(CEGUI::WindowRendererFactory& factory)
{
    AddUnlessPresent(CEGUI::WindowRendererManager::getSingleton(), factory, factory.getName(),
                     "WindowRenderer factory");
}

void SafeRegisterWindowFactory(CEGUI::WindowFactory& factory)
{
    AddUnlessPresent(CEGUI::WindowFactoryManager::getSingleton(), factory, factory.getTypeName(),
                     "Window factory");
}

} // namespace ZuGUI
