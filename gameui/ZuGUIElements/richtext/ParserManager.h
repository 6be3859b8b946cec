// The parser manager: owns one parser per tag and the default parser, finds the tag at each
// "{" and lets its parser read the tag into a paragraph (paragraph/Paragraph.h). One manager
// serves every rich text view; a parse changes nothing in it, so parses may run at once and
// inside one another. Registering parsers must not run during a parse.
//
// A view's formatting runs the stages over its text: parse, resolve (the document asks the
// game client about the text's chat items once), lay out (at the view's width, again at each
// new width without parsing).
#pragma once

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/TextParser.h"
#include "public/Singleton.h"

#include <map>
#include <memory>
#include <string>

namespace ZuGUI
{
namespace TextParser
{
class IParserManager
{
public:
    virtual ~IParserManager() = default;

    // Takes `parser` and registers it under its tag, replacing the parser of the same tag.
    virtual void AddParser(std::unique_ptr<IParser> parser) = 0;
    // The paragraph of `text`, which must outlive it. Malformed markup shows as text: a "{"
    // that opens no known tag is dropped, a missing "}" ends the tag at the end of the text.
    virtual Text::Paragraph Parse(const CEGUI::String& text) const = 0;
    // A new document, owned by the caller until handed back to DestroyDoc.
    virtual IDoc* CreateDoc() = 0;
    // Deletes a document made by CreateDoc; null is ignored.
    virtual void DestroyDoc(IDoc* doc) = 0;
};

class CSimpleParserManager : public IParserManager, public Singleton<CSimpleParserManager>
{
    friend class Singleton<CSimpleParserManager>;

public:
    void AddParser(std::unique_ptr<IParser> parser) override;
    Text::Paragraph Parse(const CEGUI::String& text) const override;
    IDoc* CreateDoc() override;
    void DestroyDoc(IDoc* doc) override;

    // The parser registered under exactly `tag`, or null.
    IParser* FindParser(const std::string& tag) const;
    CDefaultParser& GetDefaultParser() { return *m_defaultParser; }

protected:
    CSimpleParserManager();

private:
    // Reads the stretch of `parser` that starts at `first`; returns where the next starts.
    TextIndex ParseStretch(const IParser& parser, const CEGUI::String& text, TextIndex first,
                           Text::ParagraphBuilder& paragraph) const;
    const IParser& OpenTag(const CEGUI::String& text, TextIndex& position) const;
    std::string TagName(const CEGUI::String& text, TextIndex first, TextIndex end) const;

    std::map<std::string, std::unique_ptr<IParser>> m_parsers;
    std::unique_ptr<CDefaultParser> m_defaultParser;
    // No registered tag is longer: a tag name is looked for only this far.
    std::size_t m_longestTag = 0;
};

// Hands a document back to the manager that made it.
struct DocDeleter
{
    IParserManager* manager = nullptr;
    void operator()(IDoc* doc) const
    {
        if (manager)
            manager->DestroyDoc(doc);
    }
};
using DocPtr = std::unique_ptr<IDoc, DocDeleter>;

inline DocPtr MakeDoc(IParserManager& manager)
{
    return DocPtr(manager.CreateDoc(), DocDeleter{&manager});
}

// A view's formatting cycle after its text changed: ParseDocument, then LayOutDocument.
void FormatDocument(IParserManager& parsers, IDoc& doc, IRichTextView& view, float layoutWidth);
// Parses the view's text into `doc`, asks the view's client about its chat items and settles
// their references. An empty text leaves the document empty.
void ParseDocument(IParserManager& parsers, IDoc& doc, IRichTextView& view);
// Lays the paragraph that `doc` holds out again for `view`, as `doc` was formatted from the
// view's unchanged text: to `layoutWidth` (the view's text area width - 2) with no line gap,
// at the view's indents and line break mode. Parses nothing and asks the client nothing.
void LayOutDocument(IDoc& doc, IRichTextView& view, float layoutWidth);
} // namespace TextParser
} // namespace ZuGUI
