// CEGUI and a rich text view without a window for the benchmarks of the rich text engine: the
// engine only measures and lays out there, with the sample skin's font and the chat lines'
// colour names.
#pragma once

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/textwidgets/RichTextHostClient.h"
#include "support/text/HeadlessCegui.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/GeometryBuffer.h>

namespace ZuBench
{
// CEGUI for one benchmark, with the chat lines' font and colour names. Each benchmark boots
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

// `text` with each Latin letter replaced by one of `letters` letters from `first`: a line of
// another script with the shape of a Latin one (Hebrew from U+05D0, Arabic from U+0628).
inline CEGUI::String InScript(const char* text, CEGUI::utf32 first, unsigned letters)
{
    CEGUI::String out;
    for (const char* c = text; *c != '\0'; ++c)
        out += *c >= 'a' && *c <= 'z' ? first + static_cast<unsigned>(*c - 'a') % letters
                                      : static_cast<CEGUI::utf32>(*c);
    return out;
}

// A view without a window.
class BenchView : public ZuGUI::IRichTextView
{
public:
    BenchView(const CEGUI::Font& font, CEGUI::String text) : m_text(std::move(text)), m_font(&font)
    {
    }

    const CEGUI::String& GetViewText() const override { return m_text; }
    CEGUI::String GetViewName() const override { return m_name; }
    const CEGUI::Font* GetViewFont() const override { return m_font; }
    CEGUI::Colour getDefaultTextColor() const override { return CEGUI::Colour(0xFFFFFFFF); }
    int getIndent1stLine() const override { return 0; }
    int getIndentRestLines() const override { return m_indentRestLines; }
    const CEGUI::Font* getCmdFont() const override { return m_font; }
    const CEGUI::Image* GetHoverBrush() const override { return nullptr; }
    CEGUI::GeometryBuffer& GetViewGeometry() override { return m_geometry; }
    void RequestViewRedraw() override {}
    void ShowLinkTarget(const ZuGUI::ITextBlock&, const CEGUI::String*) override {}
    bool ContainsMouse() const override { return false; }
    ZuGUI::IRichTextPictureSink* GetPictureSink() override { return nullptr; }
    ZuGUI::TextParser::LineBreakMode GetLineBreak() const override { return m_lineBreak; }
    ZuGUI::IRichTextClient& GetClient() override { return m_client; }

    void SetLineBreak(ZuGUI::TextParser::LineBreakMode mode) { m_lineBreak = mode; }
    void SetIndentRestLines(int indent) { m_indentRestLines = indent; }

private:
    CEGUI::String m_text;
    CEGUI::String m_name{"Bench"};
    const CEGUI::Font* m_font;
    CEGUI::NullGeometryBuffer m_geometry;
    ZuGUI::TextParser::LineBreakMode m_lineBreak = ZuGUI::TextParser::LineBreakMode::Character;
    int m_indentRestLines = 0;
    ZuGUI::HostRichTextClient m_client{*this};
};
} // namespace ZuBench
