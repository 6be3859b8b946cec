// A rich text document as a value: its markup, parsed once, resolved once through a game client,
// laid out at any width and painted into any geometry buffer, with no window. A chat box or a
// tool tip holds as many as it shows messages; documents of one look share it.
//
// Stages: the constructor parses the markup (ParserManager.h) and asks the client about its
// chat items and pictures; LayOut lays the parsed text out, and again only when the width or
// the look changed; Paint draws the lines that meet the visible part; OnMouseMove and
// OnMouseButton hover and press its commands, links and emotes.
//
// Memory: the markup (4 bytes a character) and the laid-out document (about 9 bytes a
// character of ordinary chat), plus about 300 bytes.
#pragma once

#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/ParserManager.h"

#include <CEGUI/String.h>

#include <memory>

namespace ZuGUI
{
namespace RichText
{
// How documents look: what a view gives every document it shows.
struct TextLook
{
    // Measures and draws plain text; without a font nothing is laid out.
    const CEGUI::Font* font = nullptr;
    // Draws command text; without one, command text is laid out but not drawn.
    const CEGUI::Font* commandFont = nullptr;
    // The colour of text outside tags.
    CEGUI::Colour defaultTextColour{0xFFFFFFFF};
    // Pen x of the first line and of every later line, in pixels.
    int firstLineIndent = 0;
    int restLinesIndent = 0;
    Layout::LineBreakMode lineBreak = Layout::LineBreakMode::Character;
    // The direction of the paragraphs: each one's own, or the one given.
    Bidi::Direction direction = Bidi::Direction::Auto;
    // Drawn behind a hovered command text; none without one.
    const CEGUI::Image* hoverBrush = nullptr;

    bool operator==(const TextLook& other) const;
    bool operator!=(const TextLook& other) const { return !(*this == other); }
};

// Where documents are shown: what a window adds to their look. Every call has a default for a
// document shown in no window: no name, no redraw to ask for, no tool tip, the pointer over it
// whenever it is given pointer events, no pictures.
class IDocumentHost
{
public:
    virtual CEGUI::String GetViewName() const { return CEGUI::String(); }
    virtual void RequestViewRedraw() {}
    virtual void ShowLinkTarget(const ITextBlock&, const CEGUI::String*) {}
    virtual bool ContainsMouse() const { return true; }
    virtual IRichTextPictureSink* GetPictureSink() { return nullptr; }

protected:
    ~IDocumentHost() = default;
};

class CTextDocument final : private IRichTextView
{
public:
    // Markup that the document shows without a copy of its own: a window's text. It must
    // outlive the document, which reads it again at Reparse.
    struct ShownText
    {
        const CEGUI::String& markup;
    };

    // Parses `markup` and resolves it through `client`. The client and the host (none: shown in
    // no window) must outlive the document: it tells the client when it releases its chat items.
    CTextDocument(CEGUI::String markup, std::shared_ptr<const TextLook> look,
                  IRichTextClient& client, IDocumentHost* host = nullptr);
    CTextDocument(ShownText text, std::shared_ptr<const TextLook> look, IRichTextClient& client,
                  IDocumentHost* host = nullptr);
    ~CTextDocument();
    CTextDocument(const CTextDocument&) = delete;
    CTextDocument& operator=(const CTextDocument&) = delete;

    const CEGUI::String& GetMarkup() const { return m_markup; }
    const TextLook& GetLook() const { return *m_look; }
    // The next layout uses `look` (null keeps the current one).
    void SetLook(std::shared_ptr<const TextLook> look);

    // Parses the shown text again after it changed, and resolves it: the chat items that it
    // still references stay held.
    void Reparse();

    // Lays the document out `width` pixels wide, unless it is laid out at that width in its
    // look already.
    void LayOut(float width);
    // Lays it out even so: its blocks are made anew, none of them hovered.
    void LayOutAgain(float width);
    // Drops the layout and frees its room: the document keeps its parsed text, and its height
    // is 0 until it is laid out again.
    void ReleaseLayout();
    bool IsLaidOut() const { return !m_layoutStale; }
    bool IsLaidOutAt(float width) const { return !m_layoutStale && m_laidOutWidth == width; }
    float GetWidth() const { return m_doc->GetWidth(); }
    float GetHeight() const { return m_doc->GetHeight(); }
    float GetContentWidth() const { return m_doc->GetContentWidth(); }

    // Draws into `geometry` the lines that meet `visible` (document pixels), the document's
    // top-left corner at `area`'s (window pixels).
    void Paint(CEGUI::GeometryBuffer& geometry, const CEGUI::Rectf& visible,
               const CEGUI::Rectf& area);
    // Pointer events at `point` in document pixels: hover, and presses of commands, links and
    // emotes, told to the client. True when a press landed on one.
    void OnMouseMove(const CEGUI::Vector2f& point, CEGUI::MouseButton button);
    bool OnMouseButton(const CEGUI::Vector2f& point, CEGUI::MouseButton button, bool pressed);

    // The text without markup, line feeds included.
    CEGUI::String GetText() const;
    // The laid-out document, and the view that its blocks read, for hit testing and selection.
    const IDoc& GetDoc() const { return *m_doc; }
    IDoc& GetDoc() { return *m_doc; }
    const IRichTextView& GetView() const { return *this; }

private:
    const CEGUI::String& GetViewText() const override { return m_markup; }
    CEGUI::String GetViewName() const override;
    const CEGUI::Font* GetViewFont() const override { return m_look->font; }
    CEGUI::Colour getDefaultTextColor() const override { return m_look->defaultTextColour; }
    int getIndent1stLine() const override { return m_look->firstLineIndent; }
    int getIndentRestLines() const override { return m_look->restLinesIndent; }
    const CEGUI::Font* getCmdFont() const override { return m_look->commandFont; }
    const CEGUI::Image* GetHoverBrush() const override { return m_look->hoverBrush; }
    CEGUI::GeometryBuffer& GetViewGeometry() override { return *m_geometry; }
    void RequestViewRedraw() override;
    void ShowLinkTarget(const ITextBlock& link, const CEGUI::String* target) override;
    bool ContainsMouse() const override;
    IRichTextPictureSink* GetPictureSink() override;
    Layout::LineBreakMode GetLineBreak() const override { return m_look->lineBreak; }
    IRichTextClient& GetClient() override { return m_client; }
    Bidi::Direction GetTextDirection() const override { return m_look->direction; }
    const CEGUI::String* GetDisplayForms() const override;

    // The markup when the document holds its own; m_markup reads it or the shown text.
    const CEGUI::String m_ownMarkup;
    const CEGUI::String& m_markup;
    std::shared_ptr<const TextLook> m_look;
    IRichTextClient& m_client;
    IDocumentHost* m_host;
    TextParser::DocPtr m_doc;
    // Where blocks draw, while Paint runs: blocks draw only then.
    CEGUI::GeometryBuffer* m_geometry = nullptr;
    float m_laidOutWidth = 0.0f;
    bool m_layoutStale = true;
};
} // namespace RichText
} // namespace ZuGUI
