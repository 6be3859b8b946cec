// A rich text document: the lines of blocks that a view's markup was laid out into, with
// pixel positions, drawn into the view, hit-tested for the pointer and read back as text. It
// also holds the chat items that its text references.
//
// Coordinates are document pixels: x grows to the right from the left edge of the view's text
// area, y downwards from the top of the first line.
#pragma once

#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <CEGUI/Colour.h>
#include <CEGUI/InputEvent.h>
#include <CEGUI/Rect.h>
#include <CEGUI/Size.h>
#include <CEGUI/String.h>
#include <CEGUI/Vector.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ZuGUI
{
class IRichTextClient;
class IRichTextView;
class ITextBlock;

namespace Text
{
class Paragraph;
} // namespace Text

namespace Bidi
{
class ShownForms;
} // namespace Bidi

namespace TextBlocks
{
class CPlainText;
class CCmdText;
} // namespace TextBlocks

class IDoc
{
public:
    virtual ~IDoc() = default;

    // Finishes the current line and starts a new one at the first-line or rest-lines indent.
    virtual void NewLine(IRichTextView& view, bool firstLine) = 0;
    // The layout width minus the pen's x.
    virtual float GetRemainingWidth() const = 0;
    virtual void GetCursor(float& x, float& y) const = 0;
    // Moves the pen within the current line: x from the right edge of the line's last block
    // to the layout width, y from the line's top to a bounded distance below it.
    virtual void SetCursor(float x, float y) = 0;
    virtual void SetWidth(float width) = 0;
    virtual float GetWidth() const = 0;
    virtual float GetHeight() const = 0;
    // The gap between a line's bottom and the next line's top.
    virtual void SetLineSpacing(float gap) = 0;
    // Drops every line and block; pen, height, widths and the line background are reset.
    virtual void Clear() = 0;
    // Clear, and frees the room kept for the next layout.
    virtual void ReleaseLayout() = 0;
    // New text blocks for the layout to place (in the room of blocks of the last layout).
    virtual std::unique_ptr<TextBlocks::CPlainText> MakePlainText() = 0;
    virtual std::unique_ptr<TextBlocks::CCmdText> MakeCmdText() = 0;
    // Places `block` on the current line (starting the first line when there is none) and
    // moves the pen to its right edge.
    virtual void AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block) = 0;
    // Keeps the parsed text that the document shows; forgets what it learnt of the last one.
    virtual void SetParagraph(Text::Paragraph paragraph) = 0;
    virtual const Text::Paragraph& GetParagraph() const = 0;
    // Asks `client` about the paragraph once, for every later layout: the colour of each item
    // link and the size of each picture; and tells it which chat items the text now references
    // and which it no longer does.
    virtual void Resolve(IRichTextClient& client) = 0;
    // The colour that the client gave item `itemId`, or none (the link keeps the click colours).
    virtual std::optional<CEGUI::argb_t> ItemColour(std::uint32_t itemId) const = 0;
    // The size that the client gave a picture of the paragraph, 0 × 0 for any other.
    virtual CEGUI::Sizef PictureSize(std::uint16_t set, std::uint16_t index) const = 0;
    // The break flags (Breaks::BreakFlag) of the paragraph's shown text, one per character,
    // with every flag of `wanted` found; `text` is the text that was parsed. Found once per
    // paragraph.
    virtual const std::vector<std::uint8_t>& ShownBreakFlags(const CEGUI::String& text,
                                                             std::uint8_t wanted) = 0;
    // How the paragraph's shown text shows in `direction` (right-to-left text reordered,
    // Arabic letters joined); `text` is the text that was parsed. Found once per paragraph
    // and direction.
    virtual const Bidi::ShownForms& FindShownForms(const CEGUI::String& text,
                                                   Bidi::Direction direction) = 0;
    // The display forms (Bidi::ShownForms::Forms) of the last layout, or null when it draws
    // the text as it is written.
    virtual const CEGUI::String* GetDisplayForms() const = 0;
    // Whether every flag of `flags` was found for the paragraph.
    virtual bool HasShownBreakFlags(std::uint8_t flags) const = 0;
    // Starts laying the paragraph out for `view`: the first line.
    virtual void BeginParse(IRichTextView& view) = 0;
    // Finishes the layout: the last line.
    virtual void EndParse() = 0;
    virtual void Render(IRichTextView& view, const CEGUI::Rectf& visible,
                        const CEGUI::Rectf& area) = 0;
    // Offers a button event to the lines in order; true when a block consumed it.
    virtual bool OnMouseButton(IRichTextView& view, const CEGUI::Vector2f& point,
                               CEGUI::MouseButton button, bool pressed) = 0;
    // Updates the hover state of every block.
    virtual void OnMouseMove(IRichTextView& view, const CEGUI::Vector2f& point,
                             CEGUI::MouseButton button, bool leftHeld) = 0;
    // (0, 0, layout width, height).
    virtual CEGUI::Rectf GetDocRect() const = 0;
    // The largest width that a finished line needs: its right edge, or for a line aligned
    // right, its indent and its blocks.
    virtual float GetContentWidth() const = 0;
    // The text without markup: the blocks' texts in order, line feeds included.
    virtual CEGUI::String GetText(const IRichTextView& view) const = 0;
    // The picture put behind each new line; set 0 means none.
    virtual void SetLineBackground(int set, int index) = 0;
};
} // namespace ZuGUI
