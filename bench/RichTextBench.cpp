// Parse and layout of a typical chat line: a name, a coloured stretch, an item link and plain
// text, 150 visible characters laid out at 200 pixels, broken by characters and between words. Side
// by side with CEGUI's own markup parser and word wrapper on the same text and font, and with one
// text extent pass over the plain text, which bounds what any layout of it costs.
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/RichTextView.h"
#include "support/HeadlessCegui.h"

#include <CEGUI/BasicRenderedStringParser.h>
#include <CEGUI/CEGUI.h>
#include <CEGUI/LeftAlignedRenderedString.h>
#include <CEGUI/RenderedStringWordWrapper.h>
#include <CEGUI/RendererModules/Null/GeometryBuffer.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <benchmark/benchmark.h>

namespace
{
constexpr float kLayoutWidth = 200.0f;

const char* const kMarkup =
    "{N Alice}: {T gold:has found something rare in the ruins beneath the old keep} "
    "{I 0x1F:[Sword of the Morning Dawn]} and will trade it for gold or a good horse, just ask her";
// The same text in CEGUI's markup ("\\[" is a literal "[").
const char* const kCeguiMarkup =
    "[colour='FF00FF00']Alice[colour='FFFFFFFF']: [colour='FFFFD700']has found something rare "
    "in the ruins beneath the old keep[colour='FFFFFFFF'] [colour='FFA335EE']\\[Sword of the "
    "Morning Dawn][colour='FFFFFFFF'] and will trade it for gold or a good horse, just ask her";
const char* const kPlainText =
    "Alice: has found something rare in the ruins beneath the old keep [Sword of the Morning "
    "Dawn] and will trade it for gold or a good horse, just ask her";

// CEGUI for one benchmark, with the chat line's font and colour names. Each benchmark boots
// and ends its own, as the others do: a CEGUI left running until the program exits would be
// shut down after the libraries that its schemes loaded.
class BenchCegui
{
public:
    BenchCegui()
    {
        ZuGUI::TextParser::CColorPropertyManager::Instance().RegisterColorByString(
            "gold", "FFFFD700", "FF000000");
        CEGUI::FontManager& fonts = CEGUI::FontManager::getSingleton();
        m_font = fonts.isDefined(kFontName) ? &fonts.get(kFontName)
                                            : &fonts.createFromFile(kFontName + ".font");
    }

    const CEGUI::Font& Font() const { return *m_font; }

private:
    inline static const CEGUI::String kFontName = "DejaVuSans-10-NoScale";

    ZuTest::ScopedHeadlessCegui m_cegui{ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR};
    const CEGUI::Font* m_font = nullptr;
};

// A view without a window: the engine only measures and lays out here.
class BenchView : public ZuGUI::IRichTextView
{
public:
    explicit BenchView(const CEGUI::Font& font) : m_text(kMarkup), m_font(&font) {}

    const CEGUI::String& GetViewText() const override { return m_text; }
    CEGUI::String GetViewName() const override { return m_name; }
    const CEGUI::Font* GetViewFont() const override { return m_font; }
    CEGUI::Colour getDefaultTextColor() const override { return CEGUI::Colour(0xFFFFFFFF); }
    int getIndent1stLine() const override { return 0; }
    int getIndentRestLines() const override { return 0; }
    const CEGUI::Font* getCmdFont() const override { return m_font; }
    const CEGUI::Image* GetHoverBrush() const override { return nullptr; }
    CEGUI::GeometryBuffer& GetViewGeometry() override { return m_geometry; }
    void RequestViewRedraw() override {}
    void ShowLinkTarget(const ZuGUI::ITextBlock&, const CEGUI::String*) override {}
    bool ContainsMouse() const override { return false; }
    ZuGUI::IRichTextPictureSink* GetPictureSink() override { return nullptr; }
    ZuGUI::TextParser::LineBreakMode GetLineBreak() const override { return m_lineBreak; }
    void SetLineBreak(ZuGUI::TextParser::LineBreakMode mode) { m_lineBreak = mode; }

private:
    CEGUI::String m_text;
    CEGUI::String m_name{"Bench"};
    const CEGUI::Font* m_font;
    CEGUI::NullGeometryBuffer m_geometry;
    ZuGUI::TextParser::LineBreakMode m_lineBreak = ZuGUI::TextParser::LineBreakMode::Character;
};

void BM_RichTextParseAndLayout(benchmark::State& state, ZuGUI::TextParser::LineBreakMode mode)
{
    const BenchCegui cegui;
    BenchView view(cegui.Font());
    view.SetLineBreak(mode);
    auto& parsers = ZuGUI::TextParser::CSimpleParserManager::Instance();
    const ZuGUI::TextParser::DocPtr doc = ZuGUI::TextParser::MakeDoc(parsers);
    for (auto _ : state)
    {
        ZuGUI::TextParser::FormatDocument(parsers, *doc, view, kLayoutWidth);
        benchmark::DoNotOptimize(doc->GetHeight());
    }
    state.counters["lines"] = doc->GetHeight() / cegui.Font().getLineSpacing();
}
BENCHMARK_CAPTURE(BM_RichTextParseAndLayout, Character,
                  ZuGUI::TextParser::LineBreakMode::Character);
BENCHMARK_CAPTURE(BM_RichTextParseAndLayout, Word, ZuGUI::TextParser::LineBreakMode::Word);

void BM_CeguiParseAndWordWrap(benchmark::State& state)
{
    const BenchCegui cegui;
    const CEGUI::Font& font = cegui.Font();
    const CEGUI::String markup(kCeguiMarkup);
    CEGUI::BasicRenderedStringParser parser;
    float height = 0.0f;
    for (auto _ : state)
    {
        CEGUI::RenderedString parsed = parser.parse(markup, &font, nullptr);
        CEGUI::RenderedStringWordWrapper<CEGUI::LeftAlignedRenderedString> wrapper(parsed);
        wrapper.format(nullptr, CEGUI::Sizef(kLayoutWidth, 1000.0f));
        height = wrapper.getVerticalExtent(nullptr);
        benchmark::DoNotOptimize(height);
    }
    state.counters["lines"] = height / font.getLineSpacing();
}
BENCHMARK(BM_CeguiParseAndWordWrap);

void BM_CeguiTextExtent(benchmark::State& state)
{
    const BenchCegui cegui;
    const CEGUI::Font& font = cegui.Font();
    const CEGUI::String text(kPlainText);
    for (auto _ : state)
        benchmark::DoNotOptimize(font.getTextExtent(text));
    state.counters["chars"] = static_cast<double>(text.length());
}
BENCHMARK(BM_CeguiTextExtent);
} // namespace
