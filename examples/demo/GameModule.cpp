#include "demo/GameModule.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace ZuDemo
{
namespace
{
const char* const kNoneYet = "(none yet)";
// The prefix of the module's type names, left out of the lists.
const std::string kModulePrefix = "ZuGame/";

// CEGUI's module loader tries $CEGUI_MODULE_DIR before its own module directory and the
// library search path. Pointing it at the module this program is linked with makes the
// skin's WindowRendererSet bind to that very copy, and so to the manager the host talks to,
// even where another build of the module is installed.
void PointModuleLoaderAtLinkedModule()
{
    Dl_info module{};
    if (!dladdr(&ZuGUI::ZuGUIExtraFacoryManager::Instance(), &module) || !module.dli_fname)
        throw std::runtime_error("cannot find the loaded ZuGUIElements library");
    const std::string directory = std::filesystem::path(module.dli_fname).parent_path().string();
    if (setenv("CEGUI_MODULE_DIR", directory.c_str(), 1) != 0)
        throw std::runtime_error("cannot set CEGUI_MODULE_DIR");
}

std::vector<std::string> ModuleWindowTypes()
{
    std::vector<std::string> types;
    for (auto factory = CEGUI::WindowFactoryManager::getSingleton().getIterator();
         !factory.isAtEnd(); ++factory)
    {
        const CEGUI::String& type = factory.getCurrentKey();
        if (type.compare(0, 7, "ZuGame/") == 0)
            types.push_back(type.c_str());
    }
    return types;
}

std::vector<std::string> ModuleRendererTypes()
{
    std::vector<std::string> types;
    const CEGUI::WindowRendererManager& renderers = CEGUI::WindowRendererManager::getSingleton();
    for (const ZuGUI::RendererFactoryRow* row = ZuGUI::ModuleRendererFactories().rows();
         row->factory; ++row)
    {
        if (renderers.isFactoryPresent(row->typeName()))
            types.push_back(row->typeName().c_str());
    }
    return types;
}

std::string Section(const std::string& heading, const std::vector<std::string>& names)
{
    std::string text = heading + " (" + std::to_string(names.size()) + "):\n";
    if (names.empty())
        return text + kNoneYet + "\n";
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        const std::string& name = names[i];
        text += (i == 0 ? "" : ", ") + (name.compare(0, kModulePrefix.size(), kModulePrefix) == 0
                                            ? name.substr(kModulePrefix.size())
                                            : name);
    }
    return text + "\n";
}
} // namespace

void LoadGameModule()
{
    PointModuleLoaderAtLinkedModule();
    CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
    ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
    // The sample game's texts are UTF-8, so the module needs no conversion.
    SetSystemCodePage("UTF-8");
}

std::string DescribeRegisteredModuleTypes()
{
    return Section("Window types", ModuleWindowTypes()) + "\n" +
           Section("Window renderers", ModuleRendererTypes());
}

ScopedHost::ScopedHost(ZuGUI::IZuGUI& host)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(&host);
}

ScopedHost::~ScopedHost()
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
}
} // namespace ZuDemo
