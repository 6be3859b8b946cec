#include "ZuGUIElements/module/FactoryRegistry.h"

#include <CEGUI/Exceptions.h>
#include <CEGUI/FactoryModule.h>
#include <CEGUI/FactoryRegisterer.h>
#include <CEGUI/Logger.h>
#include <CEGUI/WindowFactoryManager.h>
#include <CEGUI/WindowRendererManager.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace ZuGUI
{
void RendererFactoryTable::registerFactory(const CEGUI::String& type) const
{
    for (const RendererFactoryRow* row = m_rows; row->factory; ++row)
    {
        if (type == row->typeName())
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
    for (const RendererFactoryRow* row = m_rows; row->factory; ++row, ++count)
        SafeRegisterRendererFactory(row->factory());
    return count;
}

namespace
{
template <typename Row>
unsigned CountTableRows(const Row* rows)
{
    unsigned count = 0;
    while (rows[count].factory)
        ++count;
    return count;
}
} // namespace

unsigned CountRows(const RendererFactoryRow* rows)
{
    return CountTableRows(rows);
}

unsigned CountRows(const WindowFactoryRow* rows)
{
    return CountTableRows(rows);
}

void RegisterModuleWindowFactories()
{
    for (const WindowFactoryRow* row = ModuleWindowFactories(); row->factory; ++row)
        SafeRegisterWindowFactory(row->factory());
}

namespace
{
// Registers one table row for CEGUI's FactoryModule. It always reports "not registered" so
// that CEGUI hands every request to the module's own safe registration, which checks,
// logs and skips with the module's own log line.
template <class Row, void (*Add)(const Row&), void (*Remove)(const CEGUI::String&)>
class TableRowRegisterer : public CEGUI::FactoryRegisterer
{
public:
    TableRowRegisterer(const CEGUI::String& type, const Row& row)
        : CEGUI::FactoryRegisterer(type), m_row(row)
    {
    }

    void unregisterFactory() const override { Remove(d_type); }

protected:
    void doFactoryAdd() const override { Add(m_row); }
    bool isAlreadyRegistered() const override { return false; }

private:
    const Row& m_row;
};

void AddRendererRow(const RendererFactoryRow& row)
{
    SafeRegisterRendererFactory(row.factory());
}
void RemoveRenderer(const CEGUI::String& type)
{
    CEGUI::WindowRendererManager::getSingleton().removeFactory(type);
}
void AddWindowRow(const WindowFactoryRow& row)
{
    SafeRegisterWindowFactory(row.factory());
}
void RemoveWindow(const CEGUI::String& type)
{
    CEGUI::WindowFactoryManager::getSingleton().removeFactory(type);
}

using RendererRowRegisterer =
    TableRowRegisterer<RendererFactoryRow, &AddRendererRow, &RemoveRenderer>;
using WindowRowRegisterer = TableRowRegisterer<WindowFactoryRow, &AddWindowRow, &RemoveWindow>;

// A factory module over registerers that it owns, registered in the order they were added.
class TableFactoryModule : public CEGUI::FactoryModule
{
protected:
    void Add(std::unique_ptr<CEGUI::FactoryRegisterer> registerer)
    {
        d_registry.push_back(registerer.get());
        m_registerers.push_back(std::move(registerer));
    }

private:
    std::vector<std::unique_ptr<CEGUI::FactoryRegisterer>> m_registerers;
};

class RendererFactoryModule : public TableFactoryModule
{
public:
    explicit RendererFactoryModule(std::initializer_list<const RendererFactoryRow*> tables)
    {
        for (const RendererFactoryRow* rows : tables)
            for (const RendererFactoryRow* row = rows; row->factory; ++row)
                Add(std::make_unique<RendererRowRegisterer>(row->typeName(), *row));
    }
};

class WindowFactoryModule : public TableFactoryModule
{
public:
    explicit WindowFactoryModule(const WindowFactoryRow* rows)
    {
        for (const WindowFactoryRow* row = rows; row->factory; ++row)
            Add(std::make_unique<WindowRowRegisterer>(row->factory().getTypeName(), *row));
    }
};
} // namespace

CEGUI::FactoryModule& ModuleFactoryModule()
{
    static RendererFactoryModule module(
        {ModuleRendererFactories().rows(), ModuleLookRendererFactories()});
    return module;
}

CEGUI::FactoryModule& ModuleWindowFactoryModule()
{
    static WindowFactoryModule module(ModuleWindowFactories());
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

CEGUI::FactoryModule& getWindowFactoryModule()
{
    return ZuGUI::ModuleWindowFactoryModule();
}
