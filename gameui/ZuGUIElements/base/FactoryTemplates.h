// Factories of the module's windows and window renderers. Each widget names its factory
// `<Class>Factory` and each renderer `<Renderer>WRFactory` as an alias of these templates; the
// module's tables (module/FactoryRegistry.h) hold them as rows built here.
#pragma once

#include "ZuGUIElements/host/ClientLink.h"
#include "ZuGUIElements/host/WindowRecords.h"

#include <CEGUI/WindowFactory.h>
#include <CEGUI/WindowRenderer.h>

#include <type_traits>
#include <utility>

namespace ZuGUI
{
// A row of a renderer-factory table: the renderer's type name and its factory. Tables are
// built from the renderer classes (RendererRow below) and end with a row whose
// factory is null.
struct RendererFactoryRow
{
    const CEGUI::String& (*typeName)();
    CEGUI::WindowRendererFactory& (*factory)();
};

// A row of the window-factory table (WindowRow below): the factory and the
// name of the client's provider that serves the window type, or null. The table ends with a
// row whose factory is null.
struct WindowFactoryRow
{
    CEGUI::WindowFactory& (*factory)();
    const char* providerName;
};

// Adds `factory` to CEGUI's window-renderer manager unless a factory of its type is present,
// in which case the skip is logged at the Informative level.
void SafeRegisterRendererFactory(CEGUI::WindowRendererFactory& factory);

// Adds `factory` to CEGUI's window factory manager unless a factory of its type is present,
// in which case the skip is logged at the Informative level.
void SafeRegisterWindowFactory(CEGUI::WindowFactory& factory);

// The client's provider of a window type: the class's ProviderName, inherited or its own, or
// null for a class that has none.
template <typename TWindow, typename = void>
constexpr const char* kProviderNameOf = nullptr;
template <typename TWindow>
constexpr const char* kProviderNameOf<TWindow, std::void_t<decltype(TWindow::ProviderName)>> =
    TWindow::ProviderName;

template <typename TWindow, typename = void>
constexpr bool kHasConstructionEnd = false;
template <typename TWindow>
constexpr bool kHasConstructionEnd<
    TWindow, std::void_t<decltype(std::declval<TWindow&>().onConstructionEnded())>> = true;

template <typename TWindow>
class ZuWindowFactory : public CEGUI::WindowFactory
{
public:
    ZuWindowFactory() : CEGUI::WindowFactory(TWindow::WidgetTypeName) {}

    CEGUI::Window* createWindow(const CEGUI::String& name) override
    {
        TrackWindowDestruction();
        // The window asks for its provider as it is constructed.
        RememberProviderName(d_type, kProviderNameOf<TWindow>);
        TWindow* window = new TWindow(d_type, name);
        // CEGUI 0.8 tells a window nothing when its construction has ended: a window class
        // that wants to know has the factory call it.
        if constexpr (kHasConstructionEnd<TWindow>)
            window->onConstructionEnded();
        return window;
    }
    void destroyWindow(CEGUI::Window* window) override { delete window; }
};

template <typename TRenderer>
class ZuWindowRendererFactory : public CEGUI::WindowRendererFactory
{
public:
    ZuWindowRendererFactory() : CEGUI::WindowRendererFactory(TRenderer::TypeName) {}

    CEGUI::WindowRenderer* create() override
    {
        TrackWindowDestruction();
        return new TRenderer(d_factoryName);
    }
    void destroy(CEGUI::WindowRenderer* renderer) override { delete renderer; }
};

// The one factory object of a type, built on first use so that it never depends on the
// order in which the module's static type names are initialised.
template <typename TFactory>
TFactory& FactoryInstance()
{
    static TFactory factory;
    return factory;
}

// The factory of a type as the factory tables hold it.
template <typename TFactory>
CEGUI::WindowFactory& WindowFactoryOf()
{
    return FactoryInstance<TFactory>();
}

template <typename TFactory>
CEGUI::WindowRendererFactory& RendererFactoryOf()
{
    return FactoryInstance<TFactory>();
}

template <typename TRenderer>
const CEGUI::String& RendererTypeNameOf()
{
    return TRenderer::TypeName;
}

// Table rows built from the classes, which carry their own names.
template <typename TWindow>
constexpr WindowFactoryRow WindowRow()
{
    return {&WindowFactoryOf<ZuWindowFactory<TWindow>>, kProviderNameOf<TWindow>};
}

template <typename TRenderer>
constexpr RendererFactoryRow RendererRow()
{
    return {&RendererTypeNameOf<TRenderer>, &RendererFactoryOf<ZuWindowRendererFactory<TRenderer>>};
}
} // namespace ZuGUI
