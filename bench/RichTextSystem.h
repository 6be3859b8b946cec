// CEGUI on the NullRenderer for the rich text benchmarks: TaharezLook, the module, the sample
// skin's rich text look as the window type "ZuLook/GameMultiLine" (which chat boxes create),
// a chat box type on TaharezLook's scrollable pane, a chat input type on its edit box, and the
// colour names of the chat lines.
#pragma once

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/textwidgets/ChatEditBox.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "support/text/HeadlessCegui.h"

#include <CEGUI/CEGUI.h>

namespace ZuBench
{
inline const char* const kFont = "DejaVuSans-10-NoScale";
inline const char* const kViewType = "ZuLook/GameMultiLine";
inline const char* const kChatBoxType = "Bench/GameChatBox";
inline const char* const kChatInputType = "Bench/ChatEditBox";

class ScopedRichTextSystem
{
public:
    ScopedRichTextSystem() { LoadLooks(); }
    ScopedRichTextSystem(const ScopedRichTextSystem&) = delete;
    ScopedRichTextSystem& operator=(const ScopedRichTextSystem&) = delete;

    // A root window of the display's size in the default GUI context, destroyed with the
    // system.
    CEGUI::Window& Root() { return *m_root; }

    // Draws every GUI context once, as a frame of the game would.
    static void RenderFrame()
    {
        CEGUI::System& system = CEGUI::System::getSingleton();
        system.getRenderer()->beginRendering();
        system.renderAllGUIContexts();
        system.getRenderer()->endRendering();
    }

    ~ScopedRichTextSystem()
    {
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(nullptr);
        CEGUI::WindowManager::getSingleton().destroyWindow(m_root);
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
    }

private:
    static void Map(const char* type, const CEGUI::String& target, const char* look,
                    const CEGUI::String& renderer)
    {
        CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
        if (!factories.isFalagardMappedType(type))
            factories.addFalagardWindowMapping(type, target, look, renderer);
    }

    static void LoadLooks()
    {
        if (!CEGUI::SchemeManager::getSingleton().isDefined("TaharezLook"))
            CEGUI::SchemeManager::getSingleton().createFromFile("TaharezLook.scheme");
        if (!CEGUI::FontManager::getSingleton().isDefined(kFont))
            CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kFont) + ".font");
        CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(kFont);

        registerAllFactories();
        if (!CEGUI::WindowFactoryManager::getSingleton().isFactoryPresent(
                ZuGUI::CGameMultiLine::WidgetTypeName))
            ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
        CEGUI::WidgetLookManager& looks = CEGUI::WidgetLookManager::getSingleton();
        if (!looks.isWidgetLookAvailable("ZuLook/GameMultiLine"))
            looks.parseLookNFeelSpecificationFromFile("ZuLook.GameMultiLine.looknfeel", "skin");
        Map(kViewType, ZuGUI::CGameMultiLine::WidgetTypeName, "ZuLook/GameMultiLine",
            CEGUI::GameMultiLineRenderer::TypeName);
        Map(kChatBoxType, ZuGUI::CGameChatBox::WidgetTypeName, "TaharezLook/ScrollablePane",
            "Core/ScrollablePane");
        Map(kChatInputType, ZuGUI::CChatEditBox::WidgetTypeName, "TaharezLook/Editbox",
            "Core/Editbox");

        auto& colours = ZuGUI::TextParser::CColorPropertyManager::Instance();
        colours.RegisterColorByString("gold", "FFFFD700", "FF000000");
        colours.RegisterColorByString("grey", "FFA0A0A0", "FF000000");
        colours.SetClickColorByString("FF00FF00", "80FFFFFF", "FFFFFF00");
    }

    static CEGUI::Window* MakeRoot()
    {
        CEGUI::Window* root =
            CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "BenchRoot");
        root->setSize(CEGUI::USize(CEGUI::UDim(0, 1024), CEGUI::UDim(0, 768)));
        CEGUI::System::getSingleton().getDefaultGUIContext().setRootWindow(root);
        return root;
    }

    const ZuTest::ScopedHeadlessCegui m_cegui{ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR};
    CEGUI::Window* m_root = MakeRoot();
};
} // namespace ZuBench
