#include "ZuGUIElements/richtext/TextParser.h"

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/IRichTextView.h"
#include "public/MarkupText.h"
#include "public/StringTools.h"

#include <CEGUI/PropertyHelper.h>

#include <unicode/uchar.h>

#include <algorithm>

namespace ZuGUI
{
namespace TextParser
{
namespace
{
// A parameter or a number as it reads: doubled braces made single.
CEGUI::String Cut(const TagPart& part)
{
    return MarkupText::Unescape(TextRange(part.text, part.first, part.end - part.first));
}

unsigned ReadUnsigned(const CEGUI::String& number)
{
    return CEGUI::PropertyHelper<CEGUI::uint>::fromString(number);
}

int ReadSigned(const CEGUI::String& number)
{
    return CEGUI::PropertyHelper<int>::fromString(number);
}

// Whether a character leaves a mark: not a space, a control, a format character, unassigned or
// ignorable by default (U+200B, U+2060, U+FEFF, variation selectors, fillers ...).
bool IsVisible(CEGUI::utf32 c)
{
    const auto codePoint = static_cast<UChar32>(c);
    return c <= 0x10FFFF && u_isgraph(codePoint) &&
           !u_hasBinaryProperty(codePoint, UCHAR_DEFAULT_IGNORABLE_CODE_POINT);
}

bool DrawsSomething(const TagPart& part)
{
    for (TextIndex i = part.first; i < part.end && i < part.text.length(); ++i)
    {
        if (IsVisible(part.text[i]))
            return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// IParser

IParser::IParser(std::string tag, CSimpleParserManager* manager)
    : m_tag(std::move(tag)), m_manager(manager)
{
}

std::unique_ptr<ITextBlock> IParser::MakeBlock(TextIndex first, TextIndex count)
{
    std::unique_ptr<ITextBlock> block = CreateBlock();
    if (block)
        InitBlock(*block, first, count);
    return block;
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

bool CPlainTextParser::ParseParam(const TagPart& parameter, IDoc&, IRichTextView&)
{
    m_colors = CColorPropertyManager::Instance().GetColor(Cut(parameter));
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

void CPlainTextParser::InitBlock(ITextBlock& block, TextIndex first, TextIndex count)
{
    if (TextBlocks::CPlainText* text = block.AsPlainText())
    {
        text->SetTextRange(first, count);
        text->SetColorPair(m_colors);
    }
}

bool CPlainTextParser::ParseContent(const Content& content, Layout::IRunSink& runs)
{
    const CEGUI::String& text = content.text;
    const TextIndex end = std::min(content.end, text.length());
    TextIndex first = content.first;
    for (TextIndex escape = MarkupText::FindEscape(text, first, end); escape != kNoText;
         escape = MarkupText::FindEscape(text, first, end))
    {
        // The run shows the first brace; text after the second goes on unless a line feed
        // starts it.
        const TextIndex next = escape + 2;
        const TextIndex following = next >= end          ? content.following
                                    : text[next] != '\n' ? next
                                                         : kNoText;
        if (!runs.AddText(Layout::TextRun{first, escape + 1, following, *this}))
            return false;
        first = next;
    }
    return first >= end || runs.AddText(Layout::TextRun{first, end, content.following, *this});
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

bool CCmdParser::ParseParam(const TagPart& parameter, IDoc&, IRichTextView&)
{
    UseClickColors();
    m_commandFirst = parameter.first;
    m_commandEnd = parameter.end;
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

void CCmdParser::InitBlock(ITextBlock& block, TextIndex first, TextIndex count)
{
    CPlainTextParser::InitBlock(block, first, count);
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

bool CClickableItemNameParser::ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view)
{
    CCmdParser::ParseParam(parameter, doc, view);
    // Until its name is read the tag is plain text, in the plain colours.
    CPlainTextParser::Reset();
    std::uint32_t itemId = 0;
    if (ParseUnsigned32(Cut(parameter).c_str(), itemId))
        m_pendingItem = PendingItem{itemId, &doc, &view};
    return true;
}

bool CClickableItemNameParser::ParseContent(const Content& content, Layout::IRunSink& runs)
{
    // A name that draws nothing could be neither seen nor clicked: it makes no link.
    if (m_pendingItem && DrawsSomething(content))
    {
        const int itemId = static_cast<int>(m_pendingItem->id);
        m_isItem = true;
        UseClickColors();
        m_colors = ItemColors(*m_pendingItem->view, itemId);
        m_pendingItem->doc->AddChatItemRef(itemId);
    }
    m_pendingItem.reset();
    return CCmdParser::ParseContent(content, runs);
}

void CClickableItemNameParser::Reset()
{
    CCmdParser::Reset();
    CPlainTextParser::Reset();
    m_isItem = false;
    m_pendingItem.reset();
}

std::unique_ptr<ITextBlock> CClickableItemNameParser::CreateBlock() const
{
    return m_isItem ? CCmdParser::CreateBlock() : CPlainTextParser::CreateBlock();
}

ColorPair CClickableItemNameParser::ItemColors(IRichTextView& view, int itemId)
{
    // The client is asked once per item and parse.
    const auto known = m_parseColors.find(itemId);
    if (known != m_parseColors.end())
        return known->second;
    ColorPair colors = m_colors;
    if (const CEGUI::argb_t colour = view.GetClient().ItemColour(itemId))
        colors = ColorPair{colour, 0xFF000000};
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

void CClickableNameParser::InitBlock(ITextBlock& block, TextIndex first, TextIndex count)
{
    CCmdParser::InitBlock(block, first, count);
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

bool CPictureParser::ParseParam(const TagPart& parameter, IDoc&, IRichTextView&)
{
    m_setText = Cut(parameter);
    return true;
}

bool CPictureParser::ParseContent(const Content& content, Layout::IRunSink& runs)
{
    m_indexText = Cut(content);
    std::unique_ptr<ITextBlock> block = MakeBlock(content.first, content.end - content.first);
    auto* picture = dynamic_cast<TextBlocks::CPictureBlock*>(block.get());
    if (!picture)
        return false;
    block.release();
    runs.AddPicture(std::unique_ptr<TextBlocks::CPictureBlock>(picture));
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

void CPictureParser::InitBlock(ITextBlock& block, TextIndex, TextIndex)
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

void CEmoteParser::InitBlock(ITextBlock& block, TextIndex, TextIndex)
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

bool CBgPictureParser::ParseContent(const Content& content, Layout::IRunSink& runs)
{
    m_indexText = Cut(content);
    runs.SetLineBackground(static_cast<int>(ReadUnsigned(m_setText)),
                           static_cast<int>(ReadUnsigned(m_indexText)));
    return true;
}

// ---------------------------------------------------------------------------------------------
// CAnkorParser

CAnkorParser::CAnkorParser(CSimpleParserManager* manager) : IParser("Ak", manager) {}

bool CAnkorParser::ParseParam(const TagPart& parameter, IDoc&, IRichTextView&)
{
    m_x = ReadSigned(Cut(parameter));
    return true;
}

bool CAnkorParser::ParseContent(const Content& content, Layout::IRunSink& runs)
{
    m_y = ReadSigned(Cut(content));
    const auto coordinate = [](int value)
    { return value >= 0 ? std::optional<float>(static_cast<float>(value)) : std::nullopt; };
    runs.MovePen(coordinate(m_x), coordinate(m_y));
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
