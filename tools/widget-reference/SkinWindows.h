// The sample skin's window types that show the module: each mapping of the skin whose target is
// one of the module's window types or whose renderer is one of the module's renderers, and the
// windows made through them. Needs CEGUI running with the skin's scheme loaded.
#pragma once

#include <CEGUI/String.h>

#include <string>
#include <vector>

namespace CEGUI
{
class Window;
}

namespace ZuReference
{
struct SkinMapping
{
    std::string windowType;
    std::string targetType;
    std::string renderer;
    std::string look;
};

// The window types of the module's window-factory table, in registration order.
std::vector<std::string> ModuleWindowTypes();
// The renderers the module registers: its renderer table, then the renderers of its looks.
std::vector<std::string> ModuleRenderers();
bool IsModuleRenderer(const std::string& renderer);

// The skin's mappings, sorted by mapped window type (CEGUI's map order is not).
std::vector<SkinMapping> SkinMappings();
// Those that target a module window type or use a module renderer.
std::vector<SkinMapping> ModuleSkinMappings();

// A window that is destroyed with the scope.
class ScopedWindow
{
public:
    explicit ScopedWindow(const CEGUI::String& type);
    ~ScopedWindow();
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;

    CEGUI::Window& operator*() const { return *m_window; }
    CEGUI::Window* operator->() const { return m_window; }

private:
    CEGUI::Window* m_window;
};

// A window of the mapping's target type with the mapping's renderer attached and no look: the
// window as the module and the renderer make it, before a look sets any value. Some CEGUI
// windows (a scrollable pane) can be destroyed only once their look has made their parts: the
// renderer and the look are set when it goes.
class FreshWindow
{
public:
    enum class Renderer
    {
        Attached,
        OnlyToDestroy, // the window as its factory makes it
    };

    FreshWindow(const std::string& targetType, const std::string& renderer, const std::string& look,
                Renderer attach = Renderer::Attached);
    explicit FreshWindow(const SkinMapping& mapping, Renderer attach = Renderer::Attached);
    ~FreshWindow();
    FreshWindow(const FreshWindow&) = delete;
    FreshWindow& operator=(const FreshWindow&) = delete;

    CEGUI::Window& operator*() const { return *m_window; }
    CEGUI::Window* operator->() const { return &*m_window; }

private:
    ScopedWindow m_window;
    std::string m_renderer;
    std::string m_look;
};
} // namespace ZuReference
