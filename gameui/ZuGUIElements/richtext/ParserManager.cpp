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
CSimpleParserManager::CSimpleParserManager() : m_defaultParser(std::make_unique<CDefaultParser>())
{
    AddParser(std::make_unique<CPlainTextParser>("T"));
    AddParser(std::make_unique<CCmdParser>("C"));
    AddParser(std::make_unique<CClickXZCParser>());
    AddParser(std::make_unique<CPictureParser>());
    AddParser(std::make_unique<CBgPictureParser>());
    AddParser(std::make_unique<CClickableNameParser>());
    AddParser(std::make_unique<CClickableChannelParser>());
    AddParser(std::make_unique<CClickableNpcNameParser>());
    AddParser(std::make_unique<CClickableItemNameParser>());
    AddParser(std::make_unique<CClickableManualCmdParser>());
    AddParser(std::make_unique<CClickableHTTPCmdParser>());
    AddParser(std::make_unique<CEmoteParser>());
    AddParser(std::make_unique<CAnkorParser>());
    AddParser(std::make_unique<CClickClParser>());
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

Text::Paragraph CSimpleParserManager::Parse(const CEGUI::String& text) const
{
    Text::ParagraphBuilder paragraph;
    // A brace starts or ends a tag, or splits a run where a doubled one shows one brace: no
    // more pieces than braces plus one.
    const auto braces = static_cast<std::size_t>(
        std::count_if(text.ptr(), text.ptr() + text.length(),
                      [](CEGUI::utf32 c) { return c == '{' || c == '}'; }));
    paragraph.Reserve(braces + 1);
    const IParser* parser = m_defaultParser.get();
    TextIndex position = 0;
    while (position < text.length())
    {
        position = ParseStretch(*parser, text, position, paragraph);
        parser = &OpenTag(text, position);
    }
    return paragraph.Finish();
}

TextIndex CSimpleParserManager::ParseStretch(const IParser& parser, const CEGUI::String& text,
                                             TextIndex first,
                                             Text::ParagraphBuilder& paragraph) const
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
    TextIndex separatorLength = 0;
    const TextIndex separator = parser.FindParamSeparator(text, first, end, separatorLength);
    // Plain text after the stretch may have to stay on its last line.
    const TextIndex next = end + endLength;
    const bool plainTextFollows =
        next < text.length() && text[next] != '\n' &&
        (text[next] != '{' || MarkupText::IsEscapeAt(text, next, text.length()));
    Tag tag{std::nullopt, TagPart{text, first, end}, plainTextFollows ? next : kNoText};
    if (separator != kNoText)
    {
        tag.parameter.emplace(TagPart{text, first, separator});
        tag.content.first = separator + separatorLength;
    }
    paragraph.StartStretch();
    parser.Read(tag, paragraph);
    return next;
}

const IParser& CSimpleParserManager::OpenTag(const CEGUI::String& text, TextIndex& position) const
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
    const IParser* parser = FindParser(TagName(text, position, nameEnd));
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
    ParseDocument(parsers, doc, view);
    LayOutDocument(doc, view, layoutWidth);
}

void ParseDocument(IParserManager& parsers, IDoc& doc, IRichTextView& view)
{
    const CEGUI::String& text = view.GetViewText();
    doc.SetParagraph(text.empty() ? Text::Paragraph{} : parsers.Parse(text));
    if (!text.empty())
        doc.Resolve(view.GetClient());
}

namespace
{
// Empties `doc` for a layout at `layoutWidth`; false for an empty text, which lays out nothing
// and is finished at once (what the last layout left for the next goes).
bool StartLayout(IDoc& doc, IRichTextView& view, float layoutWidth)
{
    doc.Clear();
    doc.SetLineSpacing(0.0f);
    doc.SetWidth(layoutWidth);
    if (view.GetViewText().empty())
    {
        doc.EndParse();
        return false;
    }
    doc.BeginParse(view);
    return true;
}
} // namespace

void LayOutDocument(IDoc& doc, IRichTextView& view, float layoutWidth)
{
    using Layout::LayoutPass;
    if (!StartLayout(doc, view, layoutWidth))
        return;
    // Most chat fits its lines: where it does, no line break opportunity is looked for. Text
    // that does not is laid out again from where it started, at most one line's work lost.
    if (!LayoutPass(view, doc).LayOut(doc.GetParagraph(), LayoutPass::FindBreaks::OnlyIfNeeded))
    {
        StartLayout(doc, view, layoutWidth);
        LayoutPass(view, doc).LayOut(doc.GetParagraph());
    }
    doc.EndParse();
}
} // namespace TextParser
} // namespace ZuGUI
