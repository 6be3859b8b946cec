#include "ZuGUIElements/module/FactoryRegistry.h"

#include <CEGUI/Exceptions.h>
#include <CEGUI/FactoryModule.h>
#include <CEGUI/FactoryRegisterer.h>
#include <CEGUI/Logger.h>
#include <CEGUI/WindowFactoryManager.h>
#include <CEGUI/WindowRendererManager.h>

#include <memory>
#include <vector>

namespace ZuGUI
{
void SafeRegisterRendererFactory(CEGUI::WindowRendererFactory& factory)
{
    CEGUI::WindowRendererManager& manager = CEGUI::WindowRendererManager::getSingleton();
    const CEGUI::String& type = factory.getName();
    if (manager.isFactoryPresent(type))
    {
        CEGUI::Logger::getSingleton().logEvent("WindowRenderer factory '" + type +
                                                   "' appears to be already registered, skipping.",
                                               CEGUI::Informative);
        return;
    }
    manager.addFactory(&factory);
}

void RendererFactoryTable::registerFactory(const CEGUI::String& type) const
{
    for (const RendererFactoryRow* row = m_rows; row->typeName; ++row)
    {
        if (type == row->typeName)
        {
            SafeRegisterRendererFactory(row->factory());
            return;
        }
    }
    CEGUI_THROW(
        CEGUI::UnknownObjectException("::registerFactory - The window renderer factory for type '" +
                                      type + "' is not known in this module."));
}

unsigned int RendererFactoryTable::registerAllFactories() const
{
    unsigned int count = 0;
    for (const RendererFactoryRow* row = m_rows; row->typeName; ++row, ++count)
        SafeRegisterRendererFactory(row->factory());
    return count;
}

void RegisterModuleWindowFactories()
{
    CEGUI::WindowFactoryManager& manager = CEGUI::WindowFactoryManager::getSingleton();
    for (const WindowFactoryRow* row = ModuleWindowFactories(); row->factory; ++row)
        manager.addFactory(&row->factory());
}

namespace
{
// Registers one table row for CEGUI's FactoryModule. It always reports "not registered" so
// that CEGUI hands every request to the module's own safe registration, which checks,
// logs and skips with the module's own log line.
class TableRowRegisterer : public CEGUI::FactoryRegisterer
{
public:
    explicit TableRowRegisterer(const RendererFactoryRow& row)
        : CEGUI::FactoryRegisterer(row.typeName), m_row(row)
    {
    }

    void unregisterFactory() const override
    {
        CEGUI::WindowRendererManager::getSingleton().removeFactory(d_type);
    }

protected:
    void doFactoryAdd() const override { SafeRegisterRendererFactory(m_row.factory()); }
    bool isAlreadyRegistered() const override { return false; }

private:
    const RendererFactoryRow& m_row;
};

class TableFactoryModule : public CEGUI::FactoryModule
{
public:
    explicit TableFactoryModule(const RendererFactoryTable& table)
    {
        for (const RendererFactoryRow* row = table.rows(); row->typeName; ++row)
        {
            m_registerers.push_back(std::make_unique<TableRowRegisterer>(*row));
            d_registry.push_back(m_registerers.back().get());
        }
    }

private:
    std::vector<std::unique_ptr<TableRowRegisterer>> m_registerers;
};
} // namespace

CEGUI::FactoryModule& ModuleFactoryModule()
{
    static TableFactoryModule module(ModuleRendererFactories());
    return module;
}
} // namespace ZuGUI

void registerFactory(const CEGUI::String& type)
{
    ZuGUI::ModuleRendererFactories().registerFactory(type);
}

unsigned int registerAllFactories()
{
    return ZuGUI::ModuleRendererFactories().registerAllFactories();
}

CEGUI::FactoryModule& getWindowRendererFactoryModule()
{
    return ZuGUI::ModuleFactoryModule();
}
