#include "ZuGUIElements/richtext/layout/TextMeasure.h"

#include <CEGUI/Font.h>
#include <CEGUI/FontGlyph.h>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace ZuGUI
{
namespace Layout
{
std::shared_ptr<GlyphMetrics> GlyphMetrics::ForFont(const CEGUI::Font& font)
{
    // Most recently used last.
    thread_local std::vector<std::shared_ptr<GlyphMetrics>> kept;
    const auto known = std::find_if(kept.begin(), kept.end(),
                                    [&](const std::shared_ptr<GlyphMetrics>& metrics)
                                    { return &metrics->m_font == &font; });
    if (known != kept.end())
    {
        if ((*known)->IsStillFor(font))
        {
            std::rotate(known, known + 1, kept.end());
            return kept.back();
        }
        kept.erase(known);
    }
    if (kept.size() == kKeptFonts)
        kept.erase(kept.begin());
    kept.push_back(std::make_shared<GlyphMetrics>(font));
    return kept.back();
}

GlyphMetrics::GlyphMetrics(const CEGUI::Font& font)
    : m_font(font), m_fontName(font.getName()), m_lineSpacing(font.getLineSpacing()),
      m_fontHeight(font.getFontHeight())
{
}

bool GlyphMetrics::IsStillFor(const CEGUI::Font& font) const
{
    return font.getLineSpacing() == m_lineSpacing && font.getFontHeight() == m_fontHeight &&
           font.getName() == m_fontName;
}

GlyphMetrics::Glyph GlyphMetrics::Lookup(CEGUI::utf32 c) const
{
    const CEGUI::FontGlyph* glyph = m_font.getGlyphData(c);
    return glyph ? Glyph{glyph->getAdvance(1.0f), glyph->getRenderedAdvance(1.0f)}
                 : Glyph{0.0f, 0.0f};
}

GlyphMetrics::Glyph GlyphMetrics::LookUpCached(CEGUI::utf32 c)
{
    m_glyphs[c] = Lookup(c);
    m_known[c] = true;
    return m_glyphs[c];
}

GlyphMetrics::Glyph GlyphMetrics::LookUpPaged(CEGUI::utf32 c)
{
    std::unique_ptr<GlyphPage>& page = m_pages[c >> kPageBits];
    if (!page)
    {
        if (m_pageCount == kMaxPages)
        {
            for (std::unique_ptr<GlyphPage>& each : m_pages)
                each.reset();
            m_pageCount = 0;
        }
        page = std::make_unique<GlyphPage>();
        ++m_pageCount;
    }
    page->glyphs[c & kPageMask] = Lookup(c);
    page->known[c & kPageMask] = true;
    return page->glyphs[c & kPageMask];
}

GlyphMetrics::Glyph GlyphMetrics::LookUpOther(CEGUI::utf32 c)
{
    const auto known = m_others.find(c);
    if (known != m_others.end())
        return known->second;
    if (m_others.size() == kMaxOtherGlyphs)
        m_others.clear();
    const Glyph glyph = Lookup(c);
    m_others.emplace(c, glyph);
    return glyph;
}

namespace
{
constexpr float kUnlimited = std::numeric_limits<float>::infinity();

bool IsControlCharacter(CEGUI::utf32 c)
{
    return c == '\n' || c == '\t' || c == '\r';
}

// Whether `i` is still in the token that starts at `first`. A pass takes only a line's worth of
// a long token: the scans find its end as they go instead of looking for it first.
bool InToken(const CEGUI::utf32* chars, TextIndex first, TextIndex i)
{
    return i == first || (!IsControlCharacter(chars[first]) && !IsControlCharacter(chars[i]));
}

// How a token measures against the room left on its line, in one scan of its characters.
struct TokenFit
{
    // The token's extent, or, when `base` plus it exceeds the limit, the extent of the
    // characters up to the first one that does not fit (which also exceeds it).
    float extent = 0.0f;
    // The characters before that first one: all of the token's when it fits.
    TextIndex byExtent = 0;
    // How far those characters advance the pen.
    float advanced = 0.0f;
};

// Wants no pass widths.
struct NoWidths
{
    void operator()(TextIndex, float) const {}
};

// Measures the characters from `first` up to `end`, or up to the first `i` for which
// stop(i) holds, after `base` pixels of their pass against `limit`; the scan also stops at the
// first character that does not fit. Each character that fits is reported to `record` with the
// pass width up to it: record(index after the character, width).
template <typename Stop, typename Record>
TokenFit MeasureRun(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first, TextIndex end,
                    float base, float limit, Stop&& stop, Record&& record)
{
    const CEGUI::utf32* chars = text.ptr();
    float advanced = 0.0f;
    float reached = 0.0f;
    TokenFit fit;
    TextIndex i = first;
    for (; i < end && !stop(i); ++i)
    {
        const GlyphMetrics::Glyph glyph = glyphs.Of(chars[i]);
        reached = std::max(reached, advanced + glyph.renderedAdvance);
        advanced += glyph.advance;
        const float passWidth = base + std::max(advanced, reached);
        if (passWidth > limit)
            break;
        fit.advanced = advanced;
        record(i + 1, passWidth);
    }
    fit.extent = std::max(advanced, reached);
    fit.byExtent = i - first;
    return fit;
}

// MeasureRun over the token that starts at `first`, which ends at `end` at the latest.
template <typename Record = NoWidths>
TokenFit MeasureToken(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                      TextIndex end, float base, float limit, Record&& record = {})
{
    const CEGUI::utf32* chars = text.ptr();
    return MeasureRun(
        glyphs, text, first, end, base, limit,
        [&](TextIndex i) { return !InToken(chars, first, i); }, record);
}

// The pass widths of the last characters measured: a line ends a few characters before the
// character that does not fit, seldom further back.
class RecentWidths
{
public:
    void Record(TextIndex count, float width) { m_widths[count % kKept] = width; }
    // The pass width of the first `count` characters, when it is still kept.
    bool Find(TextIndex count, TextIndex measured, float& width) const
    {
        if (count > measured || measured - count >= kKept)
            return false;
        width = m_widths[count % kKept];
        return true;
    }

private:
    static constexpr TextIndex kKept = 64;
    std::array<float, kKept> m_widths;
};

// How many of the characters [first, end) of the piece fit the room, measured as the character
// pass measures them: whole tokens, then those of the first token that does not fit as far as
// they do. The pass widths of the last of them are kept in `widths`.
TextIndex FittingCharacters(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                            TextIndex end, float remaining, RecentWidths& widths)
{
    const auto record = [&](TextIndex measured, float passWidth)
    { widths.Record(measured - first, passWidth); };
    widths.Record(0, 0.0f);
    float width = 0.0f; // of the tokens before the current one
    for (TextIndex token = first; token < end;)
    {
        const TokenFit fit = MeasureToken(glyphs, text, token, end, width, remaining, record);
        if (width + fit.extent > remaining)
            return token + fit.byExtent - first;
        width += fit.extent;
        token += fit.byExtent;
    }
    return end - first;
}

// The width of a pass of the characters [first, end), its tokens' extents, measured while it
// is at most `limit`: a wider pass measures only as far as the first character past it, and
// its width is then some width above the limit.
float PassWidthWithin(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                      TextIndex end, float limit)
{
    float width = 0.0f;
    for (TextIndex token = first; token < end;)
    {
        const TokenFit fit = MeasureToken(glyphs, text, token, end, width, limit);
        width += fit.extent;
        if (width > limit)
            return width;
        token += fit.byExtent;
    }
    return width;
}

float PassWidth(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first, TextIndex end)
{
    return PassWidthWithin(glyphs, text, first, end, kUnlimited);
}

// Font::getCharAtPixel on the token that starts at `first` and ends at `end` at the latest:
// how many of its characters fit in `pixel` by their advances. The scan may go on from a fit
// of the token's first characters (MeasureToken at `pixel`), which fit by their advances too.
TextIndex CharsWithin(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                      TextIndex end, float pixel, const TokenFit& fitting = {})
{
    if (!(pixel > 0.0f))
        return 0;
    const CEGUI::utf32* chars = text.ptr();
    float advanced = fitting.advanced;
    TextIndex i = first + fitting.byExtent;
    for (; i < end && InToken(chars, first, i); ++i)
    {
        advanced += glyphs.Of(chars[i]).advance;
        if (pixel < advanced)
            break;
    }
    return i - first;
}

Pass RestOfLine(TextIndex count, float width, bool wrapped)
{
    Pass pass;
    pass.count = count;
    pass.width = width;
    pass.wrapped = wrapped;
    return pass;
}
} // namespace

float MeasureExtent(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first, TextIndex end)
{
    return MeasureRun(
               glyphs, text, first, end, 0.0f, kUnlimited, [](TextIndex) { return false; },
               NoWidths{})
        .extent;
}

Pass MeasureCharacterPass(GlyphMetrics& glyphs, const StretchFlags& clusters,
                          const CEGUI::String& text, TextIndex first, TextIndex end,
                          const LineRoom& room)
{
    Pass pass;
    for (TextIndex token = first; token < end;)
    {
        const TokenFit fit = MeasureToken(glyphs, text, token, end, pass.width, room.remaining);
        if (pass.width + fit.extent <= room.remaining)
        {
            pass.count += fit.byExtent;
            pass.width += fit.extent;
            token += fit.byExtent;
            continue;
        }
        if (pass.count > 0)
        {
            pass.wrapped = true;
            return pass;
        }
        // The first token does not fit: break it after its last whole cluster that does. (A
        // token ends at a control character, after which a cluster always starts.)
        pass.count = clusters.WholeClusters(
            token, CharsWithin(glyphs, text, token, end, room.remaining, fit));
        if (pass.count > 0)
        {
            pass.width = room.remaining;
            pass.wrapped = true;
            return pass;
        }
        // Not one character fits at the pen: start a new line and fill it.
        pass.newLineBefore = true;
        pass.count =
            clusters.WholeClusters(token, CharsWithin(glyphs, text, token, end, room.layoutWidth));
        pass.width = MeasureExtent(glyphs, text, token, token + pass.count);
        return pass;
    }
    return pass;
}

Pass MeasureWordPass(GlyphMetrics& glyphs, LineBreaks& breaks, const CEGUI::String& text,
                     TextIndex first, TextIndex end, const LineRoom& room)
{
    RecentWidths widths;
    const TextIndex fitting = FittingCharacters(glyphs, text, first, end, room.remaining, widths);
    // Spaces past the edge hang there: a pass that takes them is as wide as the room.
    const auto widthTo = [&](TextIndex lineEnd)
    {
        float width = 0.0f;
        if (lineEnd - first > fitting)
            return std::max(room.remaining, 0.0f);
        if (widths.Find(lineEnd - first, fitting, width))
            return width;
        return PassWidth(glyphs, text, first, lineEnd);
    };
    // The word that starts the pass goes to a fresh line when it fits there, with `extra`
    // pixels after it, and the fresh line has more room. Only a fresh line's worth of a long
    // word is measured (glyphs never advance backwards: a part too wide makes the word too wide).
    const auto fitsFreshLine = [&](TextIndex wordEnd, float extra)
    {
        if (!(room.remaining < room.freshLine) || !breaks.AllowedBefore(first))
            return false;
        const TextIndex shownEnd = breaks.TrimSpaces(first, wordEnd);
        return PassWidthWithin(glyphs, text, first, shownEnd, room.freshLine) + extra <=
               room.freshLine;
    };
    const auto moveToNextLine = []
    {
        Pass pass;
        pass.moveToNextLine = true;
        return pass;
    };

    const TextIndex overflow = breaks.SkipSpaces(first + fitting, end);
    if (overflow == end)
    {
        // The rest fits, unless what follows the stretch has to stay with its last word. That
        // is asked only when it matters: when the rest fits with what follows, it fits.
        const bool stretchEnds = end == breaks.StretchEnd();
        const TextIndex following = stretchEnds ? breaks.Following() : kNoText;
        const float followingWidth =
            following != kNoText ? MeasureExtent(glyphs, text, following, following + 1) : 0.0f;
        const float restWidth = widthTo(end);
        const bool glued = restWidth + followingWidth > room.remaining && stretchEnds &&
                           breaks.GluedFollowing() != kNoText;
        const float glue = glued ? followingWidth : 0.0f;
        if (restWidth + glue <= room.remaining)
            return RestOfLine(end - first, restWidth, false);
        const TextIndex lineEnd = breaks.LastBefore(first, end - 1);
        if (lineEnd != kNoText)
            return RestOfLine(lineEnd - first, widthTo(lineEnd), true);
        if (fitsFreshLine(end, glue))
            return moveToNextLine();
        return RestOfLine(end - first, restWidth, false);
    }
    const TextIndex lineEnd = breaks.LastBefore(first, overflow);
    if (lineEnd != kNoText)
        return RestOfLine(lineEnd - first, widthTo(lineEnd), true);
    // No break fits the line.
    if (fitsFreshLine(std::min(breaks.NextAfter(first), end), 0.0f))
        return moveToNextLine();
    return MeasureCharacterPass(glyphs, breaks.Flags(), text, first, end, room);
}
} // namespace Layout
} // namespace ZuGUI
