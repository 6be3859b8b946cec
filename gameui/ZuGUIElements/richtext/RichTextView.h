// What the rich text engine needs from the view that owns a document: the parsers, the
// document and its blocks call nothing else on it. The multi-line rich text view implements
// it over its window; tests implement it without one.
//
// How the view drives the engine:
// 1. Formatting, on every change of text or size: FormatDocument (ParserManager.h).
// 2. Drawing: the document's Render(view, visible part in document pixels, text area in the
//    view's window pixels), between clearing and updating the view's picture image.
// 3. Input: pointer moves and presses with the point in document pixels (window point minus
//    the text area's top-left, plus the scroll positions).
// 4. Size: the document's GetContentWidth, GetHeight and GetDocRect for scroll bars.
#pragma once

#include "ZuGUIElements/richtext/LineBreaks.h"

#include <CEGUI/Colour.h>
#include <CEGUI/Rect.h>
#include <CEGUI/String.h>

namespace CEGUI
{
class Font;
class GeometryBuffer;
class Image;
} // namespace CEGUI

namespace ZuGUI
{
struct tagTexture_Param;
class ITextBlock;

// Where a view's pictures go: its picture-capable renderer.
class IRichTextPictureSink
{
public:
    // Appends one picture request: proxy id, packed picture id, top-left in window pixels.
    virtual void PushTextureIndex(const tagTexture_Param& picture) = 0;
    // The clip of the composed picture image, in window pixels; null clears it.
    virtual void SetAddtionalClipper(const CEGUI::Rectf* clipper) = 0;

protected:
    ~IRichTextPictureSink() = default;
};

class IRichTextView
{
public:
    // The view's window text: the markup that was parsed. Blocks keep index ranges into it.
    virtual const CEGUI::String& GetViewText() const = 0;
    // The name by which the game client knows the view's window (IZuGUI.h), reported with the
    // positions of command texts.
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
    virtual TextParser::LineBreakMode GetLineBreak() const = 0;

protected:
    ~IRichTextView() = default;
};
} // namespace ZuGUI
