// How the layout measures a piece of text (the characters up to and including a line feed) and
// cuts it into passes, each pass one block on one line.
//
// Text is measured as Font::getTextExtent measures it, token by token: a token is a run of
// characters other than line feed, tab and carriage return, or one of those three alone.
//
// A pass measures the text only as far as its line reaches, plus the word that it breaks, and
// finds a token's end as it goes: however long a token, a word or a run of spaces, laying a
// piece out costs time linear in its length.
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/layout/LineBreaks.h"

#include <CEGUI/String.h>

#include <array>
#include <memory>
#include <unordered_map>

namespace CEGUI
{
class Font;
}

namespace ZuGUI
{
namespace Layout
{
// The advances of a font's glyphs, each character looked up in the font once and remembered for
// every later layout on the thread, so that a layout at a new width measures nothing again. A
// character without a glyph advances by 0, which measures as the font's own functions do when
// they skip it.
//
// The metrics of a font are kept while it is the font at its address with the same name, line
// spacing and height: a font that changes size (CEGUI's auto scaling, a new point size) changes
// its line spacing and is measured again.
class GlyphMetrics
{
public:
    struct Glyph
    {
        float advance;         // how far the pen moves
        float renderedAdvance; // how far the drawn glyph reaches from the pen
    };

    // The calling thread's metrics of `font`. They stay valid while they are held, even when the
    // thread forgets them (it keeps those of kKeptFonts fonts).
    static std::shared_ptr<GlyphMetrics> ForFont(const CEGUI::Font& font);

    explicit GlyphMetrics(const CEGUI::Font& font);

    const CEGUI::Font& GetFont() const { return m_font; }

    Glyph Of(CEGUI::utf32 c)
    {
        if (c < kCached)
            return m_known[c] ? m_glyphs[c] : LookUpCached(c);
        if (c < kPagedEnd)
        {
            const GlyphPage* page = m_pages[c >> kPageBits].get();
            if (page && page->known[c & kPageMask])
                return page->glyphs[c & kPageMask];
            return LookUpPaged(c);
        }
        return LookUpOther(c);
    }

private:
    static constexpr CEGUI::utf32 kCached = 128;
    static constexpr std::size_t kKeptFonts = 8;
    // The rest of the Basic Multilingual Plane is kept in pages of 256 characters, each made
    // when a text first uses it (a script, Arabic's presentation forms), so that a text in any
    // script is measured without a search. A font keeps kMaxPages pages at most: text of every
    // script at once starts afresh.
    static constexpr unsigned kPageBits = 8;
    static constexpr CEGUI::utf32 kPageMask = (1u << kPageBits) - 1;
    static constexpr CEGUI::utf32 kPagedEnd = 0x10000;
    static constexpr std::size_t kMaxPages = 32;
    // Other characters kept at most, as for pages.
    static constexpr std::size_t kMaxOtherGlyphs = 4096;

    struct GlyphPage
    {
        std::array<Glyph, kPageMask + 1> glyphs{};
        std::array<bool, kPageMask + 1> known{};
    };

    bool IsStillFor(const CEGUI::Font& font) const;
    Glyph Lookup(CEGUI::utf32 c) const;
    Glyph LookUpCached(CEGUI::utf32 c);
    Glyph LookUpPaged(CEGUI::utf32 c);
    Glyph LookUpOther(CEGUI::utf32 c);

    const CEGUI::Font& m_font;
    // What the font was when it was measured.
    const CEGUI::String m_fontName;
    const float m_lineSpacing;
    const float m_fontHeight;
    std::array<Glyph, kCached> m_glyphs{};
    std::array<bool, kCached> m_known{};
    std::array<std::unique_ptr<GlyphPage>, (kPagedEnd >> kPageBits)> m_pages;
    std::size_t m_pageCount = 0;
    std::unordered_map<CEGUI::utf32, Glyph> m_others;
};

// The room that a pass has, in pixels.
struct LineRoom
{
    float remaining;   // from the pen to the layout's right edge
    float layoutWidth; // a whole line
    float freshLine;   // a line after a break: the layout width minus the rest lines' indent
};

// What goes into one block.
struct Pass
{
    TextIndex count = 0;
    float width = 0.0f;
    bool wrapped = false;        // the line is full: the next pass starts a new line
    bool newLineBefore = false;  // nothing fitted at the pen: the pass starts a new line
    bool moveToNextLine = false; // place nothing: start a new line and measure again
};

// Breaking by characters, from `first` of the piece [first, end): whole tokens while they
// fit; a first token that does not fit is cut where the line is full, after the last whole
// grapheme cluster (a base with its marks, an emoji sequence, a Hangul syllable) that fits;
// when not one cluster fits at the pen, the pass starts a new line and fills it. A count of 0
// means that one cluster is wider than a whole line.
Pass MeasureCharacterPass(GlyphMetrics& glyphs, const StretchFlags& clusters,
                          const CEGUI::String& text, TextIndex first, TextIndex end,
                          const LineRoom& room);

// Breaking between words: a pass that does not fit ends at the last break opportunity that
// fits, spaces at its end hanging past the edge. When none fits, a word that would fit a fresh
// line moves there (moveToNextLine); a longer one is broken by characters.
Pass MeasureWordPass(GlyphMetrics& glyphs, LineBreaks& breaks, const CEGUI::String& text,
                     TextIndex first, TextIndex end, const LineRoom& room);

// Font::getTextExtent of the characters [first, end).
float MeasureExtent(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                    TextIndex end);
} // namespace Layout
} // namespace ZuGUI
