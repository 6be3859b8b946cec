#include "SkinWindows.h"

#include "ZuGUIElements/module/FactoryRegistry.h"

#include <CEGUI/Exceptions.h>
#include <CEGUI/Window.h>
#include <CEGUI/WindowFactory.h>
#include <CEGUI/WindowFactoryManager.h>
#include <CEGUI/WindowManager.h>

#include <algorithm>

namespace ZuReference
{
namespace
{
std::string Text(const CEGUI::String& text)
{
    return text.c_str();
}

void AddRenderers(const ZuGUI::RendererFactoryRow* rows, std::vector<std::string>& renderers)
{
    for (const ZuGUI::RendererFactoryRow* row = rows; row->factory; ++row)
        renderers.push_back(Text(row->typeName()));
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}
} // namespace

std::vector<std::string> ModuleWindowTypes()
{
    std::vector<std::string> types;
    for (const ZuGUI::WindowFactoryRow* row = ZuGUI::ModuleWindowFactories(); row->factory; ++row)
        types.push_back(Text(row->factory().getTypeName()));
    return types;
}

std::vector<std::string> ModuleRenderers()
{
    std::vector<std::string> renderers;
    AddRenderers(ZuGUI::ModuleRendererFactories().rows(), renderers);
    AddRenderers(ZuGUI::ModuleLookRendererFactories(), renderers);
    return renderers;
}

bool IsModuleRenderer(const std::string& renderer)
{
    return Contains(ModuleRenderers(), renderer);
}

std::vector<SkinMapping> SkinMappings()
{
    std::vector<SkinMapping> mappings;
    auto it = CEGUI::WindowFactoryManager::getSingleton().getFalagardMappingIterator();
    for (; !it.isAtEnd(); ++it)
    {
        const CEGUI::WindowFactoryManager::FalagardWindowMapping& mapping = it.getCurrentValue();
        mappings.push_back({Text(mapping.d_windowType), Text(mapping.d_baseType),
                            Text(mapping.d_rendererType), Text(mapping.d_lookName)});
    }
    std::sort(mappings.begin(), mappings.end(),
              [](const SkinMapping& a, const SkinMapping& b)
              { return a.windowType < b.windowType; });
    return mappings;
}

std::vector<SkinMapping> ModuleSkinMappings()
{
    const std::vector<std::string> types = ModuleWindowTypes();
    const std::vector<std::string> renderers = ModuleRenderers();
    std::vector<SkinMapping> mappings = SkinMappings();
    mappings.erase(std::remove_if(mappings.begin(), mappings.end(),
                                  [&](const SkinMapping& mapping) {
                                      return !Contains(types, mapping.targetType) &&
                                             !Contains(renderers, mapping.renderer);
                                  }),
                   mappings.end());
    return mappings;
}

ScopedWindow::ScopedWindow(const CEGUI::String& type)
    : m_window(CEGUI::WindowManager::getSingleton().createWindow(type))
{
}

ScopedWindow::~ScopedWindow()
{
    CEGUI::WindowManager::getSingleton().destroyWindow(m_window);
}

FreshWindow::FreshWindow(const std::string& targetType, const std::string& renderer,
                         const std::string& look, Renderer attach)
    : m_window(targetType), m_renderer(renderer), m_look(look)
{
    if (!renderer.empty() && attach == Renderer::Attached)
        m_window->setWindowRenderer(renderer);
}

FreshWindow::FreshWindow(const SkinMapping& mapping, Renderer attach)
    : FreshWindow(mapping.targetType, mapping.renderer, mapping.look, attach)
{
}

FreshWindow::~FreshWindow()
{
    try
    {
        if (!m_renderer.empty() && !m_window->getWindowRenderer())
            m_window->setWindowRenderer(m_renderer);
        if (!m_look.empty() && m_window->getLookNFeel().empty())
            m_window->setLookNFeel(m_look);
    }
    catch (const CEGUI::Exception&)
    {
        // A look that cannot be set leaves the window as it is.
    }
}
} // namespace ZuReference
