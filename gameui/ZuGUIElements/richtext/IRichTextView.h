// What the rich text engine needs from the view that owns a document: the parsers, the layout,
// the document and its blocks call nothing else on it, and reach the game client only through
// the client that the view gives them. The multi-line rich text view implements it over its
// window and the game client; tests implement it without either.
//
// How the view drives the engine:
// 1. Formatting, on every change of text or size: FormatDocument (ParserManager.h).
// 2. Drawing: the document's Render(view, visible part in document pixels, text area in the
//    view's window pixels), between clearing and updating the view's picture image.
// 3. Input: pointer moves and presses with the point in document pixels (window point minus
//    the text area's top-left, plus the scroll positions).
// 4. Size: the document's GetContentWidth, GetHeight and GetDocRect for scroll bars.
#pragma once

#include "ZuGUIElements/richtext/bidi/BidiText.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"

#include <CEGUI/Colour.h>
#include <CEGUI/InputEvent.h>
#include <CEGUI/Rect.h>
#include <CEGUI/Size.h>
#include <CEGUI/String.h>
#include <CEGUI/Vector.h>

#include <cstdint>

namespace CEGUI
{
class Font;
class GeometryBuffer;
class Image;
} // namespace CEGUI

namespace ZuGUI
{
class ITextBlock;

// A game picture for a view's renderer to draw.
struct PictureRequest
{
    unsigned proxyId; // the client's render proxy that draws game pictures
    unsigned param;   // the picture: set in the upper 16 bits, index in the lower 16
    float offsetX;    // its top-left, in the view's window pixels
    float offsetY;
};

// Where a view's pictures go: its picture-capable renderer.
class IRichTextPictureSink
{
public:
    // Appends one picture request.
    virtual void PushTextureIndex(const PictureRequest& picture) = 0;
    // The clip of the composed picture image, in window pixels; null clears it.
    virtual void SetAddtionalClipper(const CEGUI::Rectf* clipper) = 0;

protected:
    ~IRichTextPictureSink() = default;
};

// A press on a command text that carries a command.
struct CommandPress
{
    // The command as the view's text writes it, doubled braces made single.
    CEGUI::String command;
    // The pressed block's shown text.
    CEGUI::String text;
    // Which tag made the command text (TextBlocks::CommandKind).
    int kind;
    CEGUI::MouseButton button;
};

// What the engine tells the game client and asks it, on behalf of one view. Without a game
// client nothing is told, and every question has the answer "nothing" (0).
class IRichTextClient
{
public:
    // The colour that the client gives the name of chat item `itemId` (ARGB), or 0 to leave
    // it in the click colours.
    virtual CEGUI::argb_t ItemColour(int itemId) = 0;
    // Whether the client can be told now which chat items a text references: until it can,
    // a document keeps what it told before.
    virtual bool TracksItemRefs() const = 0;
    virtual void AddItemRef(int itemId) = 0;
    virtual void ReleaseItemRef(int itemId) = 0;
    virtual void CommandPressed(const CommandPress& press) = 0;
    // Any button event inside an emote, with its number 0..199.
    virtual void EmotePressed(int emoteNumber, CEGUI::MouseButton button) = 0;
    // A button event over a command text: the client shows its command cursor.
    virtual void ShowCommandCursor() = 0;
    // A command text was drawn with its centre at `centre`, in the view's window pixels.
    virtual void CommandTextDrawn(const CEGUI::String& command, int kind,
                                  const CEGUI::Vector2f& centre) = 0;
    // The render proxy that draws game pictures.
    virtual unsigned PictureProxyId() = 0;
    // The size of a game picture in pixels, (0, 0) when the client has no such picture.
    virtual CEGUI::Sizef PictureSize(std::uint16_t set, std::uint16_t index) = 0;

protected:
    ~IRichTextClient() = default;
};

class IRichTextView
{
public:
    // The view's window text: the markup that was parsed. Blocks keep index ranges into it.
    virtual const CEGUI::String& GetViewText() const = 0;
    // The name by which the game client knows the view's window (IZuGUI.h), for a client that
    // reports the positions of command texts with it.
    virtual CEGUI::String GetViewName() const = 0;
    // The font that measures and draws plain text (the window's effective font), or null.
    virtual const CEGUI::Font* GetViewFont() const = 0;
    // The colour of text outside tags.
    virtual CEGUI::Colour getDefaultTextColor() const = 0;
    // Pen x of the document's first line and of every later line, in pixels.
    virtual int getIndent1stLine() const = 0;
    virtual int getIndentRestLines() const = 0;
    // The font of command texts; null lays them out but draws no command text.
    virtual const CEGUI::Font* getCmdFont() const = 0;
    // The brush drawn behind a hovered command text, or null for none.
    virtual const CEGUI::Image* GetHoverBrush() const = 0;
    // Where text and highlights are drawn, in the view's window pixels.
    virtual CEGUI::GeometryBuffer& GetViewGeometry() = 0;
    // Asks for the view to be drawn again (a block's hover state changed).
    virtual void RequestViewRedraw() = 0;
    // Shows a web link's target as the view's tool tip text when `link` becomes hovered
    // (`target` given) and puts the view's own tool tip text back when it stops being hovered
    // (null). Only the link that showed its target puts the text back, so that moving straight
    // from one link onto another keeps the other's target.
    virtual void ShowLinkTarget(const ITextBlock& link, const CEGUI::String* target) = 0;
    // True while the view is the window that the GUI reports as containing the mouse.
    virtual bool ContainsMouse() const = 0;
    // The view's picture-capable renderer, or null: the view then shows no pictures.
    virtual IRichTextPictureSink* GetPictureSink() = 0;
    // How text that does not fit its line breaks: by characters or between words.
    virtual Layout::LineBreakMode GetLineBreak() const = 0;
    // The game client of the view's document.
    virtual IRichTextClient& GetClient() = 0;
    // The direction of the view's paragraphs: each one's own (from its first strong
    // character), or the one given.
    virtual Bidi::Direction GetTextDirection() const { return Bidi::Direction::Auto; }
    // The view's text with each shown character in the form it is drawn in, when the
    // document's last layout found right-to-left text in it (Bidi::ShownForms); null when the
    // text is drawn as it is written.
    virtual const CEGUI::String* GetDisplayForms() const { return nullptr; }

protected:
    ~IRichTextView() = default;
};
} // namespace ZuGUI
