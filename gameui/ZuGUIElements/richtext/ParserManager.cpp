#include "ZuGUIElements/richtext/ParserManager.h"

#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/richtext/layout/LayoutPass.h"
#include "public/MarkupText.h"

#include <algorithm>

namespace ZuGUI
{
namespace TextParser
{
CSimpleParserManager::CSimpleParserManager()
    : m_defaultParser(std::make_unique<CDefaultParser>(this))
{
    AddParser(std::make_unique<CPlainTextParser>("T", this));
    AddParser(std::make_unique<CCmdParser>("C", this));
    AddParser(std::make_unique<CClickXZCParser>(this));
    AddParser(std::make_unique<CPictureParser>(this));
    AddParser(std::make_unique<CBgPictureParser>(this));
    AddParser(std::make_unique<CClickableNameParser>(this));
    AddParser(std::make_unique<CClickableChannelParser>(this));
    AddParser(std::make_unique<CClickableNpcNameParser>(this));
    AddParser(std::make_unique<CClickableItemNameParser>(this));
    AddParser(std::make_unique<CClickableManualCmdParser>(this));
    AddParser(std::make_unique<CClickableHTTPCmdParser>(this));
    AddParser(std::make_unique<CEmoteParser>(this));
    AddParser(std::make_unique<CAnkorParser>(this));
    AddParser(std::make_unique<CClickClParser>(this));
}

void CSimpleParserManager::AddParser(std::unique_ptr<IParser> parser)
{
    if (!parser)
        return;
    const std::string tag = parser->GetTag();
    m_longestTag = std::max(m_longestTag, tag.size());
    m_parsers[tag] = std::move(parser);
}

IParser* CSimpleParserManager::FindParser(const std::string& tag) const
{
    const auto found = m_parsers.find(tag);
    return found != m_parsers.end() ? found->second.get() : nullptr;
}

IDoc* CSimpleParserManager::CreateDoc()
{
    return new TextBlocks::CRichTextDoc();
}

void CSimpleParserManager::DestroyDoc(IDoc* doc)
{
    delete doc;
}

void CSimpleParserManager::Parse(IRichTextView& view, const CEGUI::String& text, IDoc& doc)
{
    m_defaultParser->SetColorPair(ColorPair{view.getDefaultTextColor().getARGB(), 0xFF000000});
    for (const auto& tagged : m_parsers)
        tagged.second->StartText();
    Layout::LayoutPass layout(view, text, doc, m_lineBreaks);
    IParser* parser = m_defaultParser.get();
    TextIndex position = 0;
    while (position < text.length())
    {
        position = ParseStretch(*parser, view, text, position, doc, layout);
        parser = &OpenTag(text, position);
    }
    m_defaultParser->SetColorPair(CColorPropertyManager::Instance().GetDefaultColor());
}

TextIndex CSimpleParserManager::ParseStretch(IParser& parser, IRichTextView& view,
                                             const CEGUI::String& text, TextIndex first, IDoc& doc,
                                             Layout::IRunSink& runs)
{
    TextIndex endLength = 0;
    TextIndex end = parser.FindEnd(text, first, endLength);
    if (end == kNoText || end > text.length())
    {
        end = text.length();
        endLength = 0;
    }
    // An empty stretch ("{T }") produces nothing; its "}" is then read as text.
    if (end <= first)
        return first;
    parser.Reset();
    TextIndex contentFirst = first;
    TextIndex separatorLength = 0;
    const TextIndex separator = parser.FindParamSeparator(text, first, end, separatorLength);
    if (separator != kNoText)
    {
        parser.ParseParam(TagPart{text, first, separator}, doc, view);
        contentFirst = separator + separatorLength;
    }
    // Plain text after the stretch may have to stay on its last line.
    const TextIndex next = end + endLength;
    const bool plainTextFollows =
        next < text.length() && text[next] != '\n' &&
        (text[next] != '{' || MarkupText::IsEscapeAt(text, next, text.length()));
    parser.ParseContent(Content{{text, contentFirst, end}, plainTextFollows ? next : kNoText},
                        runs);
    return next;
}

IParser& CSimpleParserManager::OpenTag(const CEGUI::String& text, TextIndex& position) const
{
    // A doubled "{" is text wherever it stands, right after a tag's "}" too.
    if (position >= text.length() || text[position] != '{' ||
        MarkupText::IsEscapeAt(text, position, text.length()))
        return *m_defaultParser;
    ++position; // a single "{" is consumed whatever follows it
    const TextIndex nameEnd =
        FindMark(text, ' ', position, std::min(text.length(), position + m_longestTag + 1));
    if (nameEnd == kNoText || nameEnd == position)
        return *m_defaultParser;
    IParser* parser = FindParser(TagName(text, position, nameEnd));
    if (!parser || !parser->IsEnabled())
        return *m_defaultParser;
    position = nameEnd + 1;
    return *parser;
}

std::string CSimpleParserManager::TagName(const CEGUI::String& text, TextIndex first,
                                          TextIndex end) const
{
    std::string name;
    name.reserve(end - first);
    for (TextIndex i = first; i < end; ++i)
    {
        if (text[i] >= 0x80)
            return TextRange(text, first, end - first).c_str();
        name.push_back(static_cast<char>(text[i]));
    }
    return name;
}

void FormatDocument(IParserManager& parsers, IDoc& doc, IRichTextView& view, float layoutWidth)
{
    doc.Clear();
    doc.SetLineSpacing(0.0f);
    doc.SetWidth(layoutWidth);
    const CEGUI::String& text = view.GetViewText();
    if (text.empty())
        return;
    doc.BeginParse(view);
    parsers.Parse(view, text, doc);
    doc.EndParse();
}
} // namespace TextParser
} // namespace ZuGUI
