// The parser manager: owns one parser per tag and the default parser, finds the tag at each
// "{" and lets its parser turn the tag's stretch of markup into runs, which one layout pass
// per parse lays out into a document. One manager serves every rich text view; parsing must
// not be re-entered.
#pragma once

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/TextParser.h"
#include "ZuGUIElements/richtext/layout/LineBreaks.h"
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
    // Lays `text`, the view's own text, out into `doc`. Malformed markup shows as text: a "{"
    // that opens no known tag is dropped, a missing "}" ends the tag at the end of the text.
    virtual void Parse(IRichTextView& view, const CEGUI::String& text, IDoc& doc) = 0;
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
    void Parse(IRichTextView& view, const CEGUI::String& text, IDoc& doc) override;
    IDoc* CreateDoc() override;
    void DestroyDoc(IDoc* doc) override;

    // The parser registered under exactly `tag`, or null.
    IParser* FindParser(const std::string& tag) const;
    CDefaultParser& GetDefaultParser() { return *m_defaultParser; }

protected:
    CSimpleParserManager();

private:
    TextIndex ParseStretch(IParser& parser, IRichTextView& view, const CEGUI::String& text,
                           TextIndex first, IDoc& doc, Layout::IRunSink& runs);
    IParser& OpenTag(const CEGUI::String& text, TextIndex& position) const;
    std::string TagName(const CEGUI::String& text, TextIndex first, TextIndex end) const;

    std::map<std::string, std::unique_ptr<IParser>> m_parsers;
    std::unique_ptr<CDefaultParser> m_defaultParser;
    // No registered tag is longer: a tag name is looked for only this far.
    std::size_t m_longestTag = 0;
    // What the layout learns about break opportunities, kept from parse to parse.
    Layout::LineBreaks m_lineBreaks;
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

// A view's formatting cycle: clears `doc`, lays the view's text out to `layoutWidth` (the
// view's text area width - 2) with no line gap, and settles the chat item references. An
// empty text leaves the document empty.
void FormatDocument(IParserManager& parsers, IDoc& doc, IRichTextView& view, float layoutWidth);
} // namespace TextParser
} // namespace ZuGUI
