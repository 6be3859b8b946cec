// The module's tables of window and window-renderer factories, and their registration, which
// CEGUI's scheme loader (window sets and window renderer sets), the plain exports and
// InitGameUIPlugins() share.
#pragma once

#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/String.h>

namespace CEGUI
{
class FactoryModule;
class WindowFactory;
class WindowRendererFactory;
} // namespace CEGUI

namespace ZuGUI
{
// Registration over a null-terminated table of renderer factories.
class RendererFactoryTable
{
public:
    explicit RendererFactoryTable(const RendererFactoryRow* rows) : m_rows(rows) {}

    // Registers the row named `type`; throws CEGUI::UnknownObjectException for an unknown name.
    void registerFactory(const CEGUI::String& type) const;
    // Registers every row in order; returns the number of rows visited.
    unsigned int registerAllFactories() const;

    const RendererFactoryRow* rows() const { return m_rows; }

private:
    const RendererFactoryRow* m_rows;
};

// The module's own tables.
const RendererFactoryTable& ModuleRendererFactories();
const WindowFactoryRow* ModuleWindowFactories();
// The number of rows of a table.
unsigned CountRows(const RendererFactoryRow* rows);
unsigned CountRows(const WindowFactoryRow* rows);
// Renderers outside the renderer table that the module's looks use (the striped list's
// entries); a scheme's WindowRendererSet registers them after the table.
const RendererFactoryRow* ModuleLookRendererFactories();

// Adds every window factory of the module's table to CEGUI, in table order, skipping (and
// logging) the types that are present.
void RegisterModuleWindowFactories();

// The module's renderer factories as a CEGUI 0.8 factory module (the form that a scheme's
// WindowRendererSet loads): the table's rows, registered as the plain exports do, then the
// looks' renderers.
CEGUI::FactoryModule& ModuleFactoryModule();
// The module's window factories as a CEGUI 0.8 factory module (what a scheme's WindowSet
// loads), in table order, through the same registration as InitGameUIPlugins().
CEGUI::FactoryModule& ModuleWindowFactoryModule();
} // namespace ZuGUI

// CEGUI's dynamic window-renderer and window module contracts, exported under plain names.
extern "C"
{
    void registerFactory(const CEGUI::String& type);
    unsigned int registerAllFactories();
    CEGUI::FactoryModule& getWindowRendererFactoryModule();
    CEGUI::FactoryModule& getWindowFactoryModule();
}
