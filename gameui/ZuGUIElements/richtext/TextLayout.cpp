#include "ZuGUIElements/richtext/TextLayout.h"

#include <CEGUI/Font.h>
#include <CEGUI/FontGlyph.h>

#include <algorithm>
#include <array>
#include <limits>

namespace ZuGUI
{
namespace TextParser
{
GlyphMetrics::Glyph GlyphMetrics::Lookup(CEGUI::utf32 c) const
{
    const CEGUI::FontGlyph* glyph = m_font.getGlyphData(c);
    return glyph ? Glyph{glyph->getAdvance(1.0f), glyph->getRenderedAdvance(1.0f)}
                 : Glyph{0.0f, 0.0f};
}

namespace
{
bool IsControlCharacter(CEGUI::utf32 c)
{
    return c == '\n' || c == '\t' || c == '\r';
}

TextIndex TokenEnd(const CEGUI::String& text, TextIndex first, TextIndex end)
{
    if (IsControlCharacter(text[first]))
        return first + 1;
    TextIndex i = first;
    while (i < end && !IsControlCharacter(text[i]))
        ++i;
    return i;
}

// How a token measures against the room left on its line, in one scan of its characters.
struct TokenFit
{
    // The token's extent, or, when `base` plus it exceeds the limit, the extent of the
    // characters up to the first one that does not fit (which also exceeds it).
    float extent = 0.0f;
    // The characters before that first one: all of them when the token fits.
    TextIndex byExtent = 0;
    // The characters whose advances fit the limit (Font::getCharAtPixel), measured from the
    // token's start: meaningful only for a token that starts its pass (`base` 0).
    TextIndex byAdvance = 0;
};

// Wants no pass widths.
struct NoWidths
{
    void operator()(TextIndex, float) const {}
};

// Measures the token [first, end) after `base` pixels of its pass against `limit`. Each
// character that fits is reported to `record` with the pass width up to it:
// record(index after the character, width).
template <typename Record = NoWidths>
TokenFit MeasureToken(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                      TextIndex end, float base, float limit, Record&& record = {})
{
    const CEGUI::utf32* chars = text.ptr();
    float advanced = 0.0f;
    float reached = 0.0f;
    TextIndex i = first;
    for (; i < end; ++i)
    {
        const GlyphMetrics::Glyph glyph = glyphs.Of(chars[i]);
        reached = std::max(reached, advanced + glyph.renderedAdvance);
        advanced += glyph.advance;
        const float passWidth = base + std::max(advanced, reached);
        if (passWidth > limit)
            break;
        record(i + 1, passWidth);
    }
    TokenFit fit;
    fit.extent = std::max(advanced, reached);
    fit.byExtent = i - first;
    if (!(limit > 0.0f))
        return fit; // byAdvance 0
    if (i == end)
    {
        fit.byAdvance = end - first;
        return fit;
    }
    // The advances never reach past the extent: they overflow at this character or later.
    while (!(limit < advanced))
    {
        if (++i == end)
            break;
        advanced += glyphs.Of(chars[i]).advance;
    }
    fit.byAdvance = i - first;
    return fit;
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
        const TextIndex tokenEnd = TokenEnd(text, token, end);
        const TokenFit fit = MeasureToken(glyphs, text, token, tokenEnd, width, remaining, record);
        if (width + fit.extent > remaining)
            return token + fit.byExtent - first;
        width += fit.extent;
        token = tokenEnd;
    }
    return end - first;
}

// The width of a pass of the characters [first, end): its tokens' extents.
float PassWidth(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first, TextIndex end)
{
    float width = 0.0f;
    for (TextIndex token = first; token < end;)
    {
        const TextIndex tokenEnd = TokenEnd(text, token, end);
        width += MeasureExtent(glyphs, text, token, tokenEnd);
        token = tokenEnd;
    }
    return width;
}

// Font::getCharAtPixel on the characters [first, end): how many of them fit in `pixel` by
// their advances.
TextIndex CharsWithin(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                      TextIndex end, float pixel)
{
    if (!(pixel > 0.0f))
        return 0;
    float advanced = 0.0f;
    for (TextIndex i = first; i < end; ++i)
    {
        advanced += glyphs.Of(text[i]).advance;
        if (pixel < advanced)
            return i - first;
    }
    return end - first;
}

// Spaces at the end of a line may reach past its edge: they show nothing.
bool IsHangingSpace(CEGUI::utf32 c)
{
    return c == ' ';
}

TextIndex SkipHangingSpaces(const CEGUI::String& text, TextIndex from, TextIndex end)
{
    while (from < end && IsHangingSpace(text[from]))
        ++from;
    return from;
}

TextIndex TrimHangingSpaces(const CEGUI::String& text, TextIndex first, TextIndex end)
{
    while (end > first && IsHangingSpace(text[end - 1]))
        --end;
    return end;
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
    return MeasureToken(glyphs, text, first, end, 0.0f, std::numeric_limits<float>::infinity())
        .extent;
}

Pass MeasureCharacterPass(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first,
                          TextIndex end, const LineRoom& room)
{
    Pass pass;
    for (TextIndex token = first; token < end;)
    {
        const TextIndex tokenEnd = TokenEnd(text, token, end);
        const TokenFit fit =
            MeasureToken(glyphs, text, token, tokenEnd, pass.width, room.remaining);
        if (pass.width + fit.extent <= room.remaining)
        {
            pass.count += tokenEnd - token;
            pass.width += fit.extent;
            token = tokenEnd;
            continue;
        }
        if (pass.count > 0)
        {
            pass.wrapped = true;
            return pass;
        }
        // The first token does not fit: break it by characters.
        pass.count = fit.byAdvance;
        if (pass.count > 0)
        {
            pass.width = room.remaining;
            pass.wrapped = true;
            return pass;
        }
        // Not one character fits at the pen: start a new line and fill it.
        pass.newLineBefore = true;
        pass.count = CharsWithin(glyphs, text, token, tokenEnd, room.layoutWidth);
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
    // pixels after it, and the fresh line has more room.
    const auto fitsFreshLine = [&](TextIndex wordEnd, float extra)
    {
        return room.remaining < room.freshLine && breaks.AllowedBefore(first) &&
               PassWidth(glyphs, text, first, TrimHangingSpaces(text, first, wordEnd)) + extra <=
                   room.freshLine;
    };
    const auto moveToNextLine = []
    {
        Pass pass;
        pass.moveToNextLine = true;
        return pass;
    };

    const TextIndex overflow = SkipHangingSpaces(text, first + fitting, end);
    if (overflow == end)
    {
        // The rest fits, unless what follows the stretch has to stay with its last word.
        const TextIndex glued = end == breaks.StretchEnd() ? breaks.GluedFollowing() : kNoText;
        const float glue = glued != kNoText ? MeasureExtent(glyphs, text, glued, glued + 1) : 0.0f;
        if (widthTo(end) + glue <= room.remaining)
            return RestOfLine(end - first, widthTo(end), false);
        const TextIndex lineEnd = breaks.LastBefore(first, end - 1);
        if (lineEnd != kNoText)
            return RestOfLine(lineEnd - first, widthTo(lineEnd), true);
        if (fitsFreshLine(end, glue))
            return moveToNextLine();
        return RestOfLine(end - first, widthTo(end), false);
    }
    const TextIndex lineEnd = breaks.LastBefore(first, overflow);
    if (lineEnd != kNoText)
        return RestOfLine(lineEnd - first, widthTo(lineEnd), true);
    // No break fits the line.
    if (fitsFreshLine(std::min(breaks.NextAfter(first), end), 0.0f))
        return moveToNextLine();
    return MeasureCharacterPass(glyphs, text, first, end, room);
}
} // namespace TextParser
} // namespace ZuGUI
