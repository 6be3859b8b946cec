// A stock CEGUI program on the NullRenderer that uses the installed module: it loads the module
// through the installed sample scheme, registers the window types, creates a window of every
// module type (through the scheme's looks where it maps one), pushes a line into a chat box
// through its class, as a game client's code does with a cast, draws a frame and cleans up.
//   zugui-consumer <expected number of module window types>
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "public/KeyValues.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace
{
const CEGUI::String kModulePrefix = "ZuGame/";

void SetResourceGroups()
{
    auto& provider = static_cast<CEGUI::DefaultResourceProvider&>(
        *CEGUI::System::getSingleton().getResourceProvider());
    const CEGUI::String data = CEGUI::String(ZU_CEGUI_DATA_DIR) + "/";
    provider.setResourceGroupDirectory("schemes", data + "schemes/");
    provider.setResourceGroupDirectory("imagesets", data + "imagesets/");
    provider.setResourceGroupDirectory("fonts", data + "fonts/");
    provider.setResourceGroupDirectory("looknfeels", data + "looknfeel/");
    provider.setResourceGroupDirectory("skin", CEGUI::String(ZU_INSTALLED_SKIN_DIR) + "/");
    CEGUI::ImageManager::setImagesetDefaultResourceGroup("imagesets");
    CEGUI::Font::setDefaultResourceGroup("fonts");
    CEGUI::Scheme::setDefaultResourceGroup("schemes");
    CEGUI::WidgetLookManager::setDefaultResourceGroup("looknfeels");
}

bool StartsWith(const CEGUI::String& text, const CEGUI::String& prefix)
{
    return text.compare(0, prefix.length(), prefix) == 0;
}

// The windows to create: every look the scheme maps onto a module type, and the module types
// that no look maps (a type whose base class needs a look's child windows is made through one).
std::vector<CEGUI::String> WindowsToCreate(std::size_t& moduleTypes)
{
    auto& factories = CEGUI::WindowFactoryManager::getSingleton();
    std::set<CEGUI::String> unmapped;
    for (auto it = factories.getIterator(); !it.isAtEnd(); ++it)
        if (StartsWith(it.getCurrentKey(), kModulePrefix))
            unmapped.insert(it.getCurrentKey());
    moduleTypes = unmapped.size();
    std::vector<CEGUI::String> types;
    for (auto it = factories.getFalagardMappingIterator(); !it.isAtEnd(); ++it)
        if (StartsWith(it.getCurrentValue().d_baseType, kModulePrefix))
        {
            types.push_back(it.getCurrentKey());
            unmapped.erase(it.getCurrentValue().d_baseType);
        }
    types.insert(types.end(), unmapped.begin(), unmapped.end());
    return types;
}

bool KeyValuesWork()
{
    KeyValuesPtr tree(new KeyValues("Request"));
    tree->SetString("Item/Name", "Lantern");
    tree->SetInt("Item/Count", 3);
    return std::string(tree->GetString("Item/Name")) == "Lantern" &&
           tree->GetInt("Item/Count") == 3;
}

// Pushes a line into the first chat box among `windows` through its class.
bool ChatBoxTakesALine(const std::vector<CEGUI::Window*>& windows)
{
    for (CEGUI::Window* window : windows)
    {
        auto* box = dynamic_cast<ZuGUI::CGameChatBox*>(window);
        if (!box)
            continue;
        box->SetChatCapacity(10);
        return box->PushChatText("{N Alice}: hello") && box->GetHistory().Size() == 1;
    }
    return false;
}

int Run(std::size_t expectedModuleTypes)
{
    CEGUI::NullRenderer::bootstrapSystem();
    SetResourceGroups();
    auto& schemes = CEGUI::SchemeManager::getSingleton();
    schemes.createFromFile("TaharezLook.scheme");
    schemes.createFromFile("ZuLook.scheme", "skin");
    ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();

    std::size_t moduleTypes = 0;
    const std::vector<CEGUI::String> types = WindowsToCreate(moduleTypes);
    auto& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    CEGUI::Window* root = windows.createWindow("DefaultWindow", "Root");
    context.setRootWindow(root);
    std::vector<CEGUI::Window*> created;
    for (std::size_t i = 0; i < types.size(); ++i)
    {
        CEGUI::Window* window = windows.createWindow(types[i], "Window" + std::to_string(i));
        window->setArea(CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(0, 120),
                                     CEGUI::UDim(0, 40)));
        root->addChild(window);
        created.push_back(window);
    }
    const bool chatBoxWorks = ChatBoxTakesALine(created);
    CEGUI::System::getSingleton().injectTimePulse(0.1f);
    CEGUI::System::getSingleton().renderAllGUIContexts();
    windows.destroyWindow(root);
    windows.cleanDeadPool();
    CEGUI::NullRenderer::destroySystem();

    std::printf("zugui-consumer: %zu module window types, %zu windows created and drawn\n",
                moduleTypes, types.size());
    if (moduleTypes != expectedModuleTypes)
    {
        std::fprintf(stderr, "zugui-consumer: expected %zu module window types\n",
                     expectedModuleTypes);
        return 1;
    }
    if (!chatBoxWorks)
    {
        std::fprintf(stderr, "zugui-consumer: no chat box took a line through its class\n");
        return 1;
    }
    if (!KeyValuesWork())
    {
        std::fprintf(stderr, "zugui-consumer: the key-value tree lost a value\n");
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: zugui-consumer <expected number of module window types>\n");
        return 2;
    }
    try
    {
        return Run(std::strtoul(argv[1], nullptr, 10));
    }
    catch (const CEGUI::Exception& error)
    {
        std::fprintf(stderr, "zugui-consumer: %s\n", error.getMessage().c_str());
        return 1;
    }
}
