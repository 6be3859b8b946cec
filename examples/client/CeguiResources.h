// Where CEGUI finds its data: the resource groups of CEGUI's data package and of the sample
// skin, as the demo, the tests and the benchmarks use them, and the stock look of the demo.
#pragma once

#include <CEGUI/DefaultResourceProvider.h>
#include <CEGUI/Font.h>
#include <CEGUI/FontManager.h>
#include <CEGUI/GUIContext.h>
#include <CEGUI/ImageManager.h>
#include <CEGUI/Scheme.h>
#include <CEGUI/SchemeManager.h>
#include <CEGUI/System.h>
#include <CEGUI/WindowManager.h>
#include <CEGUI/falagard/WidgetLookManager.h>

namespace ZuDemo
{
// Where Debian's fonts-wqy-microhei puts its font: the CJK text of the sample skin.
inline const char* const kCjkFontDir = "/usr/share/fonts/truetype/wqy/";

inline void SetCeguiResourceGroups(const CEGUI::String& ceguiDataDir, const CEGUI::String& skinDir)
{
    auto& provider = static_cast<CEGUI::DefaultResourceProvider&>(
        *CEGUI::System::getSingleton().getResourceProvider());
    const CEGUI::String data = ceguiDataDir + "/";
    provider.setResourceGroupDirectory("schemes", data + "schemes/");
    provider.setResourceGroupDirectory("imagesets", data + "imagesets/");
    provider.setResourceGroupDirectory("fonts", data + "fonts/");
    provider.setResourceGroupDirectory("layouts", data + "layouts/");
    provider.setResourceGroupDirectory("looknfeels", data + "looknfeel/");
    provider.setResourceGroupDirectory("skin", skinDir + "/");
    provider.setResourceGroupDirectory("cjkfonts", kCjkFontDir);

    CEGUI::ImageManager::setImagesetDefaultResourceGroup("imagesets");
    CEGUI::Font::setDefaultResourceGroup("fonts");
    CEGUI::Scheme::setDefaultResourceGroup("schemes");
    CEGUI::WidgetLookManager::setDefaultResourceGroup("looknfeels");
    CEGUI::WindowManager::setDefaultResourceGroup("layouts");
}

// TaharezLook and the demo's default font, as the default GUI context's font.
inline void LoadStockLook()
{
    const CEGUI::String defaultFont = "DejaVuSans-10";
    CEGUI::SchemeManager::getSingleton().createFromFile("TaharezLook.scheme");
    CEGUI::FontManager::getSingleton().createFromFile(defaultFont + ".font");
    CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(defaultFont);
}
} // namespace ZuDemo
