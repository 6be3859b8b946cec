#include "ZuGUIElements/richtext/TextParser.h"

#include "ZuGUIElements/module/HostTrees.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/RichTextView.h"
#include "public/StringTools.h"

#include <CEGUI/Font.h>
#include <CEGUI/FontGlyph.h>
#include <CEGUI/PropertyHelper.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>

namespace ZuGUI
{
namespace TextParser
{
// The advances of a font's glyphs while one stretch is laid out, each character below 128
// looked up in the font once. A character without a glyph advances by 0, which measures as
// the font's own functions do when they skip it.
class GlyphMetrics
{
public:
    struct Glyph
    {
        float advance;         // how far the pen moves
        float renderedAdvance; // how far the drawn glyph reaches from the pen
    };

    explicit GlyphMetrics(const CEGUI::Font& font) : m_font(font) {}

    Glyph Of(CEGUI::utf32 c)
    {
        if (c >= kCached)
            return Lookup(c);
        if (!m_known[c])
        {
            m_glyphs[c] = Lookup(c);
            m_known[c] = true;
        }
        return m_glyphs[c];
    }

private:
    static constexpr CEGUI::utf32 kCached = 128;

    Glyph Lookup(CEGUI::utf32 c) const
    {
        const CEGUI::FontGlyph* glyph = m_font.getGlyphData(c);
        return glyph ? Glyph{glyph->getAdvance(1.0f), glyph->getRenderedAdvance(1.0f)}
                     : Glyph{0.0f, 0.0f};
    }

    const CEGUI::Font& m_font;
    std::array<Glyph, kCached> m_glyphs{};
    std::bitset<kCached> m_known;
};

namespace
{
constexpr CEGUI::utf32 kLineFeed = '\n';

bool IsControlCharacter(CEGUI::utf32 c)
{
    return c == '\n' || c == '\t' || c == '\r';
}

CEGUI::String Cut(const CEGUI::String& text, TextIndex first, TextIndex end)
{
    return TextRange(text, first, end - first);
}

unsigned ReadUnsigned(const CEGUI::String& number)
{
    return CEGUI::PropertyHelper<CEGUI::uint>::fromString(number);
}

int ReadSigned(const CEGUI::String& number)
{
    return CEGUI::PropertyHelper<int>::fromString(number);
}

// Font::getTextExtent of the characters [first, end), measured in place. Measuring stops
// early once `base` plus the extent so far exceeds `limit`: the extent only grows with more
// characters, so the result then exceeds `limit - base` as the full extent would.
float MeasureExtent(GlyphMetrics& glyphs, const CEGUI::String& text, TextIndex first, TextIndex end,
                    float base = 0.0f, float limit = std::numeric_limits<float>::infinity())
{
    float advanced = 0.0f;
    float reached = 0.0f;
    for (TextIndex i = first; i < end; ++i)
    {
        const GlyphMetrics::Glyph glyph = glyphs.Of(text[i]);
        reached = std::max(reached, advanced + glyph.renderedAdvance);
        advanced += glyph.advance;
        if (base + std::max(advanced, reached) > limit)
            break;
    }
    return std::max(advanced, reached);
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

// A token is a run of characters other than line feed, tab and carriage return, or one of
// those three alone.
TextIndex TokenEnd(const CEGUI::String& text, TextIndex first, TextIndex end)
{
    if (IsControlCharacter(text[first]))
        return first + 1;
    TextIndex i = first;
    while (i < end && !IsControlCharacter(text[i]))
        ++i;
    return i;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// IParser

IParser::IParser(std::string tag, CSimpleParserManager* manager)
    : m_tag(std::move(tag)), m_manager(manager)
{
}

TextIndex FindMark(const CEGUI::String& text, CEGUI::utf32 mark, TextIndex first, TextIndex end)
{
    end = std::min(end, text.length());
    for (TextIndex i = first; i < end; ++i)
    {
        if (text[i] == mark)
            return i;
    }
    return kNoText;
}

TextIndex IParser::FindSeparator(const CEGUI::String& text, CEGUI::utf32 separator, TextIndex first,
                                 TextIndex end, TextIndex& separatorLength)
{
    // A separator counts only before the last character: the content is never empty.
    const TextIndex found = end > first ? FindMark(text, separator, first, end - 1) : kNoText;
    separatorLength = found != kNoText ? 1 : 0;
    return found;
}

TextIndex IParser::FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                      TextIndex& separatorLength) const
{
    return FindSeparator(text, ':', first, end, separatorLength);
}

TextIndex IParser::FindEnd(const CEGUI::String& text, TextIndex from, TextIndex& endLength) const
{
    const TextIndex close = FindMark(text, '}', from, text.length());
    endLength = close != kNoText ? 1 : 0;
    return close;
}

// ---------------------------------------------------------------------------------------------
// CPlainTextParser

struct CPlainTextParser::Pass
{
    TextIndex count = 0;
    float width = 0.0f;
    bool wrapped = false;       // the line is full: the next pass starts a new line
    bool newLineBefore = false; // nothing fitted at the pen: the pass starts a new line
};

CPlainTextParser::CPlainTextParser(std::string tag, CSimpleParserManager* manager)
    : IParser(std::move(tag), manager)
{
}

bool CPlainTextParser::ParseParam(const CEGUI::String& text, TextIndex first, TextIndex end, IDoc&,
                                  IRichTextView&)
{
    m_colors = CColorPropertyManager::Instance().GetColor(Cut(text, first, end));
    return true;
}

void CPlainTextParser::Reset()
{
    m_colors = CColorPropertyManager::Instance().GetDefaultColor();
}

std::unique_ptr<ITextBlock> CPlainTextParser::CreateBlock() const
{
    return std::make_unique<TextBlocks::CPlainText>();
}

void CPlainTextParser::InitBlock(ITextBlock& block, TextIndex first, TextIndex count, IDoc&)
{
    if (auto* text = dynamic_cast<TextBlocks::CPlainText*>(&block))
    {
        text->SetTextRange(first, count);
        text->SetColorPair(m_colors);
    }
}

bool CPlainTextParser::ParseContent(IRichTextView& view, const CEGUI::String& text, TextIndex first,
                                    TextIndex end, IDoc& doc)
{
    const CEGUI::Font* font = view.GetViewFont();
    if (!font || !(doc.GetWidth() > 0.0f))
        return false;
    end = std::min(end, text.length());
    const float lineHeight = font->getLineSpacing(1.0f);
    GlyphMetrics glyphs(*font);
    // Each piece runs up to and including a line feed, or to the end of the content.
    for (TextIndex piece = first; piece < end;)
    {
        const TextIndex lineFeed = FindMark(text, kLineFeed, piece, end);
        const TextIndex pieceEnd = lineFeed != kNoText ? lineFeed + 1 : end;
        if (!LayoutPiece(view, glyphs, lineHeight, text, piece, pieceEnd, doc))
            return false;
        piece = pieceEnd;
    }
    return true;
}

bool CPlainTextParser::LayoutPiece(IRichTextView& view, GlyphMetrics& glyphs, float lineHeight,
                                   const CEGUI::String& text, TextIndex first, TextIndex end,
                                   IDoc& doc)
{
    const bool endsWithLineFeed = text[end - 1] == kLineFeed;
    for (TextIndex offset = first; offset < end;)
    {
        const Pass pass = MeasurePass(glyphs, text, offset, end, doc);
        if (pass.count == 0)
            return false; // one character is wider than a whole line
        if (pass.newLineBefore)
            doc.NewLine(view, false);
        PlaceBlock(view, offset, pass.count, pass.width, lineHeight, doc);
        offset += pass.count;
        if (pass.wrapped || (endsWithLineFeed && offset == end))
            doc.NewLine(view, false);
    }
    return true;
}

CPlainTextParser::Pass CPlainTextParser::MeasurePass(GlyphMetrics& glyphs,
                                                     const CEGUI::String& text, TextIndex first,
                                                     TextIndex end, const IDoc& doc)
{
    Pass pass;
    const float remaining = doc.GetRemainingWidth();
    for (TextIndex token = first; token < end;)
    {
        const TextIndex tokenEnd = TokenEnd(text, token, end);
        const float extent = MeasureExtent(glyphs, text, token, tokenEnd, pass.width, remaining);
        if (pass.width + extent <= remaining)
        {
            pass.count += tokenEnd - token;
            pass.width += extent;
            token = tokenEnd;
            continue;
        }
        if (pass.count > 0)
        {
            pass.wrapped = true;
            return pass;
        }
        // The first token does not fit: break it by characters.
        pass.count = CharsWithin(glyphs, text, token, tokenEnd, remaining);
        if (pass.count > 0)
        {
            pass.width = remaining;
            pass.wrapped = true;
            return pass;
        }
        // Not one character fits at the pen: start a new line and fill it.
        pass.newLineBefore = true;
        pass.count = CharsWithin(glyphs, text, token, tokenEnd, doc.GetWidth());
        pass.width = MeasureExtent(glyphs, text, token, token + pass.count);
        return pass;
    }
    return pass;
}

void CPlainTextParser::PlaceBlock(IRichTextView& view, TextIndex first, TextIndex count,
                                  float width, float height, IDoc& doc)
{
    std::unique_ptr<ITextBlock> block = CreateBlock();
    if (!block)
        return;
    InitBlock(*block, first, count, doc);
    float x = 0.0f;
    float y = 0.0f;
    doc.GetCursor(x, y);
    block->SetArea(CEGUI::Rectf(x, y, x + width, y + height));
    doc.AddBlock(view, std::move(block));
}

// ---------------------------------------------------------------------------------------------
// CDefaultParser

CDefaultParser::CDefaultParser(CSimpleParserManager* manager) : CPlainTextParser("", manager) {}

TextIndex CDefaultParser::FindParamSeparator(const CEGUI::String&, TextIndex, TextIndex,
                                             TextIndex& separatorLength) const
{
    separatorLength = 0;
    return kNoText;
}

TextIndex CDefaultParser::FindEnd(const CEGUI::String& text, TextIndex from,
                                  TextIndex& endLength) const
{
    // The "{" is not consumed: the manager reads the tag that it opens.
    endLength = 0;
    return FindMark(text, '{', from, text.length());
}

// ---------------------------------------------------------------------------------------------
// Command parsers

CCmdParser::CCmdParser(std::string tag, CSimpleParserManager* manager, int commandKind)
    : CPlainTextParser(std::move(tag), manager), m_commandKind(commandKind)
{
}

void CCmdParser::UseClickColors()
{
    const ClickColors& click = CColorPropertyManager::Instance().GetClickColors();
    m_colors = ColorPair{click.command, click.hoverHighlight};
}

bool CCmdParser::ParseParam(const CEGUI::String&, TextIndex first, TextIndex end, IDoc&,
                            IRichTextView&)
{
    UseClickColors();
    m_commandFirst = first;
    m_commandEnd = end;
    return true;
}

void CCmdParser::Reset()
{
    m_commandFirst = kNoText;
    m_commandEnd = kNoText;
    UseClickColors();
}

std::unique_ptr<ITextBlock> CCmdParser::CreateBlock() const
{
    return std::make_unique<TextBlocks::CCmdText>();
}

void CCmdParser::InitBlock(ITextBlock& block, TextIndex first, TextIndex count, IDoc& doc)
{
    CPlainTextParser::InitBlock(block, first, count, doc);
    if (auto* command = dynamic_cast<TextBlocks::CCmdText*>(&block))
    {
        if (m_commandFirst != kNoText)
            command->SetCommandRange(m_commandFirst, m_commandEnd - m_commandFirst);
        else
            command->SetCommandRange(kNoText, kNoText);
        command->SetCommandKind(m_commandKind);
    }
}

CClickableItemNameParser::CClickableItemNameParser(CSimpleParserManager* manager)
    : CCmdParser("I", manager, TextBlocks::kItemName)
{
}

bool CClickableItemNameParser::ParseParam(const CEGUI::String& text, TextIndex first, TextIndex end,
                                          IDoc& doc, IRichTextView& view)
{
    CCmdParser::ParseParam(text, first, end, doc, view);
    const int itemId = ParseInt(Cut(text, first, end).c_str());
    if (IZuGUI* host = GetHost())
    {
        const int colour = host->CallScriptRetInt(HostTrees::kScriptItemColor, itemId);
        if (colour != 0)
            m_colors = ColorPair{static_cast<CEGUI::argb_t>(colour), 0xFF000000};
    }
    doc.AddChatItemRef(itemId);
    return true;
}

CClickableNameParser::CClickableNameParser(CSimpleParserManager* manager)
    : CClickableNameParser("N", manager, TextBlocks::kName)
{
}

CClickableNameParser::CClickableNameParser(std::string tag, CSimpleParserManager* manager,
                                           int commandKind)
    : CCmdParser(std::move(tag), manager, commandKind)
{
}

void CClickableNameParser::InitBlock(ITextBlock& block, TextIndex first, TextIndex count, IDoc& doc)
{
    CCmdParser::InitBlock(block, first, count, doc);
    // The name is its own command, piece by piece when it wraps.
    if (auto* command = dynamic_cast<TextBlocks::CCmdText*>(&block))
        command->SetCommandRange(first, count);
}

CClickableChannelParser::CClickableChannelParser(CSimpleParserManager* manager)
    : CClickableNameParser("CN", manager, TextBlocks::kChannel)
{
}

// ---------------------------------------------------------------------------------------------
// Picture parsers

CPictureParser::CPictureParser(CSimpleParserManager* manager) : CPictureParser("P", manager) {}

CPictureParser::CPictureParser(std::string tag, CSimpleParserManager* manager)
    : IParser(std::move(tag), manager)
{
}

bool CPictureParser::ParseParam(const CEGUI::String& text, TextIndex first, TextIndex end, IDoc&,
                                IRichTextView&)
{
    m_setText = Cut(text, first, end);
    return true;
}

bool CPictureParser::ParseContent(IRichTextView& view, const CEGUI::String& text, TextIndex first,
                                  TextIndex end, IDoc& doc)
{
    m_indexText = Cut(text, first, end);
    std::unique_ptr<ITextBlock> block = CreateBlock();
    auto* picture = dynamic_cast<TextBlocks::CPictureBlock*>(block.get());
    if (!picture)
        return false;
    InitBlock(*picture, first, end - first, doc);
    const CEGUI::Sizef size = picture->GetSize();
    float x = 0.0f;
    float y = 0.0f;
    doc.GetCursor(x, y);
    if (x + size.d_width > doc.GetWidth())
    {
        doc.NewLine(view, false);
        doc.GetCursor(x, y);
    }
    picture->SetArea(CEGUI::Rectf(x, y, x + size.d_width, y + size.d_height));
    doc.AddBlock(view, std::move(block));
    return true;
}

void CPictureParser::Reset()
{
    m_setText.clear();
    m_indexText.clear();
}

std::unique_ptr<ITextBlock> CPictureParser::CreateBlock() const
{
    return std::make_unique<TextBlocks::CPictureBlock>();
}

void CPictureParser::InitBlock(ITextBlock& block, TextIndex, TextIndex, IDoc&)
{
    if (auto* picture = dynamic_cast<TextBlocks::CPictureBlock*>(&block))
    {
        picture->set = static_cast<std::uint16_t>(ReadUnsigned(m_setText));
        picture->index = static_cast<std::uint16_t>(ReadUnsigned(m_indexText));
    }
}

CEmoteParser::CEmoteParser(CSimpleParserManager* manager) : CPictureParser("E", manager) {}

std::unique_ptr<ITextBlock> CEmoteParser::CreateBlock() const
{
    return std::make_unique<TextBlocks::CEmoteBlock>();
}

void CEmoteParser::InitBlock(ITextBlock& block, TextIndex, TextIndex, IDoc&)
{
    if (auto* emote = dynamic_cast<TextBlocks::CPictureBlock*>(&block))
    {
        const int number = std::clamp(static_cast<int>(ReadUnsigned(m_indexText)), 0,
                                      TextBlocks::kLastEmoteNumber);
        emote->set = TextBlocks::kEmoteSet;
        emote->index = static_cast<std::uint16_t>(TextBlocks::kFirstEmoteIndex + number);
    }
}

CBgPictureParser::CBgPictureParser(CSimpleParserManager* manager) : CPictureParser("Bg", manager) {}

bool CBgPictureParser::ParseContent(IRichTextView&, const CEGUI::String& text, TextIndex first,
                                    TextIndex end, IDoc& doc)
{
    m_indexText = Cut(text, first, end);
    doc.SetLineBackground(static_cast<int>(ReadUnsigned(m_setText)),
                          static_cast<int>(ReadUnsigned(m_indexText)));
    return true;
}

// ---------------------------------------------------------------------------------------------
// CAnkorParser

CAnkorParser::CAnkorParser(CSimpleParserManager* manager) : IParser("Ak", manager) {}

bool CAnkorParser::ParseParam(const CEGUI::String& text, TextIndex first, TextIndex end, IDoc&,
                              IRichTextView&)
{
    m_x = ReadSigned(Cut(text, first, end));
    return true;
}

bool CAnkorParser::ParseContent(IRichTextView&, const CEGUI::String& text, TextIndex first,
                                TextIndex end, IDoc& doc)
{
    m_y = ReadSigned(Cut(text, first, end));
    float x = 0.0f;
    float y = 0.0f;
    doc.GetCursor(x, y);
    if (m_x >= 0)
        x = static_cast<float>(m_x);
    if (m_y >= 0)
        y = static_cast<float>(m_y);
    doc.SetCursor(x, y);
    return true;
}

TextIndex CAnkorParser::FindParamSeparator(const CEGUI::String& text, TextIndex first,
                                           TextIndex end, TextIndex& separatorLength) const
{
    return FindSeparator(text, ',', first, end, separatorLength);
}

void CAnkorParser::Reset()
{
    m_x = 0;
    m_y = 0;
}
} // namespace TextParser
} // namespace ZuGUI
