#include "ZuGUIElements/richtext/TextParser.h"

#include "public/MarkupText.h"
#include "public/StringTools.h"

#include <CEGUI/PropertyHelper.h>

#include <unicode/uchar.h>

#include <algorithm>
#include <string>

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

// A part as UTF-8 for the number readers: ASCII without braces as it stands, with no CEGUI
// string made for it; anything else cut and encoded.
std::string NumberText(const TagPart& part)
{
    std::string ascii;
    const TextIndex end = std::min(part.end, part.text.length());
    for (TextIndex i = part.first; i < end; ++i)
    {
        const CEGUI::utf32 c = part.text[i];
        if (c >= 0x80 || c == '{' || c == '}')
            return Cut(part).c_str();
        ascii.push_back(static_cast<char>(c));
    }
    return ascii;
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

// A parameter, read as the tag writes it.
CEGUI::String ParameterOf(const Tag& tag)
{
    return tag.parameter ? Cut(*tag.parameter) : CEGUI::String();
}

// Plain text in `colors`.
Text::RunStyle PlainStyle(const ColorPair& colors)
{
    Text::RunStyle style;
    style.colors = colors;
    return style;
}

Text::RunStyle DefaultPlainStyle()
{
    return PlainStyle(CColorPropertyManager::Instance().GetDefaultColor());
}

Text::RunStyle ClickStyle(int commandKind)
{
    const ClickColors& click = CColorPropertyManager::Instance().GetClickColors();
    Text::RunStyle style;
    style.kind = Text::RunKind::Command;
    style.colors = ColorPair{click.command, click.hoverHighlight};
    style.commandKind = static_cast<std::uint8_t>(commandKind);
    return style;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// IParser

IParser::IParser(std::string tag) : m_tag(std::move(tag)) {}

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

CPlainTextParser::CPlainTextParser(std::string tag) : IParser(std::move(tag)) {}

Text::RunStyle CPlainTextParser::StyleOf(const Tag& tag) const
{
    return tag.parameter
               ? PlainStyle(CColorPropertyManager::Instance().GetColor(Cut(*tag.parameter)))
               : DefaultPlainStyle();
}

void CPlainTextParser::Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const
{
    const Text::RunStyle style = StyleOf(tag);
    const CEGUI::String& text = tag.content.text;
    const TextIndex end = std::min(tag.content.end, text.length());
    TextIndex first = tag.content.first;
    for (TextIndex escape = MarkupText::FindEscape(text, first, end); escape != kNoText;
         escape = MarkupText::FindEscape(text, first, end))
    {
        // The run shows the first brace; text after the second goes on unless a line feed
        // starts it.
        const TextIndex next = escape + 2;
        const TextIndex following = next >= end          ? tag.following
                                    : text[next] != '\n' ? next
                                                         : kNoText;
        paragraph.AddText(first, escape + 1, following, style);
        first = next;
    }
    paragraph.AddText(first, end, tag.following, style);
}

// ---------------------------------------------------------------------------------------------
// CDefaultParser

CDefaultParser::CDefaultParser() : CPlainTextParser("") {}

Text::RunStyle CDefaultParser::StyleOf(const Tag&) const
{
    Text::RunStyle style = DefaultPlainStyle();
    style.viewColour = true;
    return style;
}

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

CCmdParser::CCmdParser(std::string tag, int commandKind)
    : CPlainTextParser(std::move(tag)), m_commandKind(commandKind)
{
}

Text::RunStyle CCmdParser::StyleOf(const Tag& tag) const
{
    Text::RunStyle style = ClickStyle(m_commandKind);
    if (tag.parameter)
    {
        style.commandFirst = tag.parameter->first;
        style.commandEnd = tag.parameter->end;
    }
    return style;
}

CClickableItemNameParser::CClickableItemNameParser() : CCmdParser("I", TextBlocks::kItemName) {}

Text::RunStyle CClickableItemNameParser::StyleOf(const Tag& tag) const
{
    std::uint32_t itemId = 0;
    // A name that draws nothing could be neither seen nor clicked: it makes no link.
    if (!tag.parameter || !ParseUnsigned32(NumberText(*tag.parameter).c_str(), itemId) ||
        !DrawsSomething(tag.content))
        return DefaultPlainStyle();
    Text::RunStyle style = CCmdParser::StyleOf(tag);
    style.kind = Text::RunKind::ItemLink;
    style.itemId = itemId;
    return style;
}

CClickableNameParser::CClickableNameParser() : CClickableNameParser("N", TextBlocks::kName) {}

CClickableNameParser::CClickableNameParser(std::string tag, int commandKind)
    : CCmdParser(std::move(tag), commandKind)
{
}

Text::RunStyle CClickableNameParser::StyleOf(const Tag& tag) const
{
    // The name is its own command, piece by piece when it wraps.
    Text::RunStyle style = ClickStyle(GetCommandKind());
    style.kind = Text::RunKind::Name;
    return style;
}

CClickableChannelParser::CClickableChannelParser()
    : CClickableNameParser("CN", TextBlocks::kChannel)
{
}

// ---------------------------------------------------------------------------------------------
// Picture parsers

CPictureParser::CPictureParser() : CPictureParser("P") {}

CPictureParser::CPictureParser(std::string tag) : IParser(std::move(tag)) {}

unsigned CPictureParser::SetOf(const Tag& tag)
{
    return ReadUnsigned(ParameterOf(tag));
}

unsigned CPictureParser::IndexOf(const Tag& tag)
{
    return ReadUnsigned(Cut(tag.content));
}

void CPictureParser::Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const
{
    paragraph.AddPicture(Text::Picture{static_cast<std::uint16_t>(SetOf(tag)),
                                       static_cast<std::uint16_t>(IndexOf(tag)), false});
}

CEmoteParser::CEmoteParser() : CPictureParser("E") {}

void CEmoteParser::Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const
{
    const int number = std::clamp(static_cast<int>(IndexOf(tag)), 0, TextBlocks::kLastEmoteNumber);
    paragraph.AddPicture(
        Text::Picture{TextBlocks::kEmoteSet,
                      static_cast<std::uint16_t>(TextBlocks::kFirstEmoteIndex + number), true});
}

CBgPictureParser::CBgPictureParser() : CPictureParser("Bg") {}

void CBgPictureParser::Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const
{
    paragraph.SetLineBackground(
        Text::LineBackground{static_cast<int>(SetOf(tag)), static_cast<int>(IndexOf(tag))});
}

// ---------------------------------------------------------------------------------------------
// CAnkorParser

CAnkorParser::CAnkorParser() : IParser("Ak") {}

void CAnkorParser::Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const
{
    const auto coordinate = [](int value)
    { return value >= 0 ? std::optional<float>(static_cast<float>(value)) : std::nullopt; };
    paragraph.MovePen(Text::PenMove{coordinate(ReadSigned(ParameterOf(tag))),
                                    coordinate(ReadSigned(Cut(tag.content)))});
}

TextIndex CAnkorParser::FindParamSeparator(const CEGUI::String& text, TextIndex first,
                                           TextIndex end, TextIndex& separatorLength) const
{
    return FindSeparator(text, ',', first, end, separatorLength);
}
} // namespace TextParser
} // namespace ZuGUI
