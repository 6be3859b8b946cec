// Cost of laying a rich text view out again when its width changes: a view of the sample skin
// holding 50 chat-like lines (names, coloured stretches, item links, plain text) is resized by
// one pixel per iteration, which re-parses and re-lays out the whole text and sizes the scroll
// bars, as a chat window being dragged wider does.
#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "support/HeadlessCegui.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
constexpr int kChatLines = 50;
const char* const kFont = "DejaVuSans-10-NoScale";
const char* const kViewType = "Bench/GameMultiLine";

// CEGUI on the NullRenderer with the stock look, the module and the sample skin's view look,
// for one run of the benchmark.
class ScopedViewSystem
{
public:
    ScopedViewSystem() { LoadLooks(); }
    ScopedViewSystem(const ScopedViewSystem&) = delete;
    ScopedViewSystem& operator=(const ScopedViewSystem&) = delete;

private:
    static void LoadLooks()
    {
        if (!CEGUI::SchemeManager::getSingleton().isDefined("TaharezLook"))
            CEGUI::SchemeManager::getSingleton().createFromFile("TaharezLook.scheme");
        if (!CEGUI::FontManager::getSingleton().isDefined(kFont))
            CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kFont) + ".font");
        CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(kFont);

        registerAllFactories();
        CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
        if (!factories.isFactoryPresent(ZuGUI::CGameMultiLine::WidgetTypeName))
            ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
        CEGUI::WidgetLookManager& looks = CEGUI::WidgetLookManager::getSingleton();
        if (!looks.isWidgetLookAvailable("ZuLook/GameMultiLine"))
            looks.parseLookNFeelSpecificationFromFile("ZuLook.GameMultiLine.looknfeel", "skin");
        if (!factories.isFalagardMappedType(kViewType))
            factories.addFalagardWindowMapping(kViewType, ZuGUI::CGameMultiLine::WidgetTypeName,
                                               "ZuLook/GameMultiLine",
                                               CEGUI::GameMultiLineRenderer::TypeName);

        auto& colours = ZuGUI::TextParser::CColorPropertyManager::Instance();
        colours.RegisterColorByString("gold", "FFFFD700", "FF000000");
        colours.RegisterColorByString("grey", "FFA0A0A0", "FF000000");
        colours.SetClickColorByString("FF00FF00", "80FFFFFF", "FFFFFF00");
    }

    const ZuTest::ScopedHeadlessCegui m_cegui{ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR};
};

// Chat lines as a game writes them: a channel, a speaker, coloured text, item links.
CEGUI::String ChatText()
{
    const char* const lines[] = {
        "{CN [Trade]} {N Alice}: selling {I 0x1F:[Sword of the Morning Dawn]} for 40 gold, "
        "whisper me",
        "{N Bram}: {T gold:anyone up for the ruins beneath the old keep? we need a healer}",
        "{T grey:You receive loot:} {I 1002:[Minor Healing Potion]} x5",
        "{CN [Guild]} {N Cira}: raid starts at nine, bring {I 1003:[Wolf Pelt]} for the "
        "quartermaster and do not be late this time",
        "{Npc npc_7:Old Tom} says: the wolves have grown bold since the last frost",
    };
    CEGUI::String text;
    for (int i = 0; i < kChatLines; ++i)
        text += CEGUI::String(lines[i % 5]) + "\n";
    return text;
}

void BM_GameMultiLineRelayoutOnWidthChange(benchmark::State& state)
{
    const ScopedViewSystem system;
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::Window* root = windows.createWindow("DefaultWindow", "BenchRoot");
    root->setSize(CEGUI::USize(CEGUI::UDim(0, 1024), CEGUI::UDim(0, 768)));
    auto* view = static_cast<ZuGUI::CGameMultiLine*>(windows.createWindow(kViewType, "Chat"));
    root->addChild(view);
    view->setSize(CEGUI::USize(CEGUI::UDim(0, 320), CEGUI::UDim(0, 240)));
    view->setCmdFontName(kFont);
    view->setText(ChatText());

    float width = 320.0f;
    for (auto _ : state)
    {
        width = width == 320.0f ? 321.0f : 320.0f;
        view->setWidth(CEGUI::UDim(0, width));
        benchmark::DoNotOptimize(view->getDocHeight());
    }
    state.counters["lines"] = view->QueryDoc()->GetHeight() / view->getFont()->getLineSpacing();
    state.counters["markup_chars"] = static_cast<double>(view->getText().length());
    windows.destroyWindow(root);
    windows.cleanDeadPool();
}
BENCHMARK(BM_GameMultiLineRelayoutOnWidthChange)->Unit(benchmark::kMicrosecond);
} // namespace
