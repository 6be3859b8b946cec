#include "ZuGUIElements/richtext/TextParser.h"

#include "ZuGUIElements/module/HostTrees.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/RichTextView.h"
#include "ZuGUIElements/richtext/TextLayout.h"
#include "public/MarkupText.h"
#include "public/StringTools.h"

#include <CEGUI/Font.h>
#include <CEGUI/PropertyHelper.h>

#include <algorithm>

namespace ZuGUI
{
namespace TextParser
{
namespace
{
constexpr CEGUI::utf32 kLineFeed = '\n';

// A parameter or a number as it reads: doubled braces made single.
CEGUI::String Cut(const CEGUI::String& text, TextIndex first, TextIndex end)
{
    return MarkupText::Unescape(TextRange(text, first, end - first));
}

unsigned ReadUnsigned(const CEGUI::String& number)
{
    return CEGUI::PropertyHelper<CEGUI::uint>::fromString(number);
}

int ReadSigned(const CEGUI::String& number)
{
    return CEGUI::PropertyHelper<int>::fromString(number);
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
    if (first >= end)
        return kNoText;
    const CEGUI::utf32* chars = text.ptr();
    const CEGUI::utf32* found = std::find(chars + first, chars + end, mark);
    return found != chars + end ? static_cast<TextIndex>(found - chars) : kNoText;
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
    const TextIndex close =
        MarkupText::FindSingleBrace(text, MarkupText::kTagClose, from, text.length());
    endLength = close != kNoText ? 1 : 0;
    return close;
}

// ---------------------------------------------------------------------------------------------
// CPlainTextParser

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
    if (TextBlocks::CPlainText* text = block.AsPlainText())
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
    // The glyphs of the text being parsed are looked up once for all its stretches.
    if (GlyphMetrics* shared = GetManager() ? GetManager()->ParseGlyphs(*font) : nullptr)
        return LayoutShownText(view, *shared, GetManager()->GetLineBreaks(), text, first, end, doc);
    GlyphMetrics glyphs(*font);
    LineBreaks breaks;
    return LayoutShownText(view, glyphs, breaks, text, first, end, doc);
}

bool CPlainTextParser::LayoutShownText(IRichTextView& view, GlyphMetrics& glyphs,
                                       LineBreaks& breaks, const CEGUI::String& text,
                                       TextIndex first, TextIndex end, IDoc& doc)
{
    // A doubled brace shows its first brace: the text is laid out in ranges that skip each
    // second one, every range followed by the next as plain text.
    const TextIndex stretchFollowing = breaks.NextFollowing();
    for (TextIndex escape = MarkupText::FindEscape(text, first, end); escape != kNoText;
         escape = MarkupText::FindEscape(text, first, end))
    {
        const TextIndex next = escape + 2;
        breaks.FollowedBy(next >= end ? stretchFollowing : text[next] != '\n' ? next : kNoText);
        if (!LayoutContent(view, glyphs, breaks, text, first, escape + 1, doc))
            return false;
        first = next;
    }
    if (first >= end)
        return true;
    breaks.FollowedBy(stretchFollowing);
    return LayoutContent(view, glyphs, breaks, text, first, end, doc);
}

bool CPlainTextParser::LayoutContent(IRichTextView& view, GlyphMetrics& glyphs, LineBreaks& breaks,
                                     const CEGUI::String& text, TextIndex first, TextIndex end,
                                     IDoc& doc)
{
    breaks.StartStretch(text, first, end);
    const Layout layout{view, glyphs, breaks, view.GetLineBreak(),
                        glyphs.GetFont().getLineSpacing(1.0f)};
    // Each piece runs up to and including a line feed, or to the end of the content.
    for (TextIndex piece = first; piece < end;)
    {
        const TextIndex lineFeed = FindMark(text, kLineFeed, piece, end);
        const TextIndex pieceEnd = lineFeed != kNoText ? lineFeed + 1 : end;
        if (!LayoutPiece(layout, text, piece, pieceEnd, doc))
            return false;
        piece = pieceEnd;
    }
    return true;
}

bool CPlainTextParser::LayoutPiece(const Layout& layout, const CEGUI::String& text, TextIndex first,
                                   TextIndex end, IDoc& doc)
{
    const bool endsWithLineFeed = text[end - 1] == kLineFeed;
    bool movedDown = false;
    for (TextIndex offset = first; offset < end;)
    {
        const Pass pass = MeasurePass(layout, text, offset, end, doc, !movedDown);
        movedDown = pass.moveToNextLine;
        if (pass.moveToNextLine)
        {
            doc.NewLine(layout.view, false);
            continue;
        }
        if (pass.count == 0)
            return false; // one character is wider than a whole line
        if (pass.newLineBefore)
            doc.NewLine(layout.view, false);
        PlaceBlock(layout.view, offset, pass.count, pass.width, layout.lineHeight, doc);
        layout.breaks.LaidOut(offset, offset + pass.count);
        offset += pass.count;
        if (pass.wrapped || (endsWithLineFeed && offset == end))
            doc.NewLine(layout.view, false);
    }
    return true;
}

Pass CPlainTextParser::MeasurePass(const Layout& layout, const CEGUI::String& text, TextIndex first,
                                   TextIndex end, const IDoc& doc, bool mayMoveDown)
{
    LineRoom room{doc.GetRemainingWidth(), doc.GetWidth(),
                  doc.GetWidth() - static_cast<float>(layout.view.getIndentRestLines())};
    if (layout.mode == LineBreakMode::Character)
        return MeasureCharacterPass(layout.glyphs, text, first, end, room);
    // Right after a move the pen is at the start of a fresh line: there is no better one.
    if (!mayMoveDown)
        room.freshLine = room.remaining;
    return MeasureWordPass(layout.glyphs, layout.breaks, text, first, end, room);
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
    // The "{" is not consumed: the manager reads the tag that it opens. A doubled "{" is text.
    endLength = 0;
    return MarkupText::FindSingleBrace(text, MarkupText::kTagOpen, from, text.length());
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
    if (TextBlocks::CCmdText* command = block.AsCmdText())
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
    std::uint32_t itemId = 0;
    m_isItem = ParseUnsigned32(Cut(text, first, end).c_str(), itemId);
    if (!m_isItem)
    {
        CPlainTextParser::Reset();
        return true;
    }
    m_colors = ItemColors(static_cast<int>(itemId));
    doc.AddChatItemRef(static_cast<int>(itemId));
    return true;
}

void CClickableItemNameParser::Reset()
{
    // Until an item id is read the tag is plain text, in the plain colours.
    CCmdParser::Reset();
    CPlainTextParser::Reset();
    m_isItem = false;
}

std::unique_ptr<ITextBlock> CClickableItemNameParser::CreateBlock() const
{
    return m_isItem ? CCmdParser::CreateBlock() : CPlainTextParser::CreateBlock();
}

ColorPair CClickableItemNameParser::ItemColors(int itemId)
{
    // The client is asked once per item and parse.
    const auto known = m_parseColors.find(itemId);
    if (known != m_parseColors.end())
        return known->second;
    ColorPair colors = m_colors;
    if (IZuGUI* host = GetHost())
    {
        const int colour = host->CallScriptRetInt(HostTrees::kScriptItemColor, itemId);
        if (colour != 0)
            colors = ColorPair{static_cast<CEGUI::argb_t>(colour), 0xFF000000};
    }
    m_parseColors.emplace(itemId, colors);
    return colors;
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
    if (TextBlocks::CCmdText* command = block.AsCmdText())
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
    // A line may break on either side of a picture, as of any embedded object.
    if (GetManager())
        GetManager()->GetLineBreaks().LaidOutObject();
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
