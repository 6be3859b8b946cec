// Factories of the module's windows and window renderers. Each widget names its factory
// `<Class>Factory` and each renderer `<Renderer>WRFactory` as an alias of these templates.
#pragma once

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/WindowRecords.h"

#include <CEGUI/WindowFactory.h>
#include <CEGUI/WindowRenderer.h>

#include <type_traits>
#include <utility>

namespace ZuGUI
{
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

// The client's provider of a window type: the class's ProviderName, inherited or its own, or
// null for a class that has none.
template <typename TWindow, typename = void>
constexpr const char* kProviderNameOf = nullptr;
template <typename TWindow>
constexpr const char* kProviderNameOf<TWindow, std::void_t<decltype(TWindow::ProviderName)>> =
    TWindow::ProviderName;

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
