// The blocks of a rich text document: plain text, clickable command text, pictures, emotes and
// the lines that hold them. Text blocks keep an index range into the owning view's text
// instead of a copy of their characters. Every block has an area in document pixels, set by
// the layout, and pointer flags. What a block tells the game client goes through the view's
// client (IRichTextView.h).
#pragma once

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <CEGUI/InputEvent.h>
#include <CEGUI/Rect.h>
#include <CEGUI/Size.h>
#include <CEGUI/String.h>
#include <CEGUI/Vector.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

namespace CEGUI
{
class Font;
}

namespace ZuGUI
{
class IRichTextView;

namespace TextBlocks
{
class CPlainText;
class CCmdText;
} // namespace TextBlocks

// Indices into a view's text; kNoText marks a range that was never set.
using TextIndex = CEGUI::String::size_type;
constexpr TextIndex kNoText = static_cast<TextIndex>(-1); // CEGUI::String::npos

// A text index kept in 32 bits, by the structures that a document holds per run or block; kNoText
// is kept as its largest value. An index from kMaxCompactIndex up reads back as kNoText: the
// engine shows no text beyond it (16 GB of CEGUI string).
class CompactIndex
{
public:
    static constexpr TextIndex kMaxCompactIndex = UINT32_MAX;

    constexpr CompactIndex() = default;
    constexpr CompactIndex(TextIndex index) // NOLINT: converts as a TextIndex does
        : m_value(index >= kMaxCompactIndex ? kNone : static_cast<std::uint32_t>(index))
    {
    }
    constexpr operator TextIndex() const { return m_value == kNone ? kNoText : m_value; }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    std::uint32_t m_value = kNone;
};

// The characters [start, start + count) of `text`, cut to the text's end.
CEGUI::String TextRange(const CEGUI::String& text, TextIndex start, TextIndex count);
// The first `mark` in [first, end) of `text`, or kNoText.
TextIndex FindMark(const CEGUI::String& text, CEGUI::utf32 mark, TextIndex first, TextIndex end);

class ITextBlock
{
public:
    static constexpr unsigned kHovered = 1u << 0; // the pointer is over the block
    static constexpr unsigned kPressed = 1u << 1; // a mouse button went down on it

    ITextBlock() = default;
    ITextBlock(const ITextBlock&) = delete;
    ITextBlock& operator=(const ITextBlock&) = delete;
    virtual ~ITextBlock() = default;

    // Draws the block; `visible` is the visible part of the document (document pixels),
    // `area` the view's text area (window pixels). False means "drew nothing".
    virtual bool Render(IRichTextView& view, const CEGUI::Rectf& visible,
                        const CEGUI::Rectf& area) = 0;
    // Records `pressed` in the pressed flag; true when the block consumes the event: the base
    // consumes every event inside the block.
    virtual bool OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                               bool pressed);
    // Hovered while the point is inside and the view contains the mouse; a change of the
    // hover flag asks the view to redraw.
    virtual void OnMouseMove(IRichTextView& view, float x, float y, CEGUI::MouseButton button);
    virtual CEGUI::String GetText(const IRichTextView& view) const = 0;
    // The block as text or as command text, or null: the parsers fill the blocks of every
    // layout, and a virtual call costs less there than a dynamic cast.
    virtual TextBlocks::CPlainText* AsPlainText() { return nullptr; }
    virtual TextBlocks::CCmdText* AsCmdText() { return nullptr; }

    const CEGUI::Rectf& GetArea() const { return m_area; }
    void SetArea(const CEGUI::Rectf& area) { m_area = area; }
    unsigned GetFlags() const { return m_flags; }
    bool IsHovered() const { return (m_flags & kHovered) != 0; }
    bool IsPressed() const { return (m_flags & kPressed) != 0; }
    // The block's bidirectional level with its paragraph's direction (Bidi::LevelByte): 0 for
    // left-to-right text. A text block holds text of one level.
    Bidi::LevelByte GetBidiLevel() const { return m_bidiLevel; }
    void SetBidiLevel(Bidi::LevelByte level) { m_bidiLevel = level; }
    // Whether the block's characters show right to left (an odd level).
    bool IsRightToLeft() const { return (m_bidiLevel & 1) != 0; }

    // Strictly inside: a point on an edge is outside.
    bool Contains(float x, float y) const;
    // Overlaps or touches `rect`.
    bool Meets(const CEGUI::Rectf& rect) const;
    // Where the block's top-left corner is drawn, in window pixels.
    CEGUI::Vector2f WindowPosition(const CEGUI::Rectf& visible, const CEGUI::Rectf& area) const;

protected:
    void SetFlag(unsigned flag, bool on);

    CEGUI::Rectf m_area{0.0f, 0.0f, 0.0f, 0.0f};
    // Small: a document holds a block per piece of a line.
    std::uint8_t m_flags = 0;
    Bidi::LevelByte m_bidiLevel = 0;
};

namespace TextBlocks
{
using TextParser::ColorPair;

class CPlainText : public ITextBlock
{
public:
    bool Render(IRichTextView& view, const CEGUI::Rectf& visible,
                const CEGUI::Rectf& area) override;
    CEGUI::String GetText(const IRichTextView& view) const override;
    CPlainText* AsPlainText() override { return this; }
    // The text as it is drawn: in display order with the view's display forms
    // (IRichTextView::GetDisplayForms), or as it is written when the view has none.
    CEGUI::String GetDrawnText(const IRichTextView& view) const;

    // The colour that the text is drawn in.
    virtual CEGUI::argb_t GetColour() const { return m_colors.text; }
    // The font that draws the text, or null: nothing is drawn then.
    virtual const CEGUI::Font* GetFont(const IRichTextView& view) const;

    void SetTextRange(TextIndex start, TextIndex count);
    TextIndex GetTextStart() const { return m_textStart; }
    TextIndex GetTextCount() const { return m_textCount; }
    void SetColorPair(const ColorPair& colors) { m_colors = colors; }
    const ColorPair& GetColorPair() const { return m_colors; }

protected:
    CompactIndex m_textStart;
    CompactIndex m_textCount;
    ColorPair m_colors{0xFFFFFFFF, 0};
};

// Command kinds: which tag made a command text, and so what a click on it means.
enum CommandKind : int
{
    kCommand = 0,       // "C"
    kName = 1,          // "N"
    kChannel = 2,       // "CN"
    kNpcName = 3,       // "Npc"
    kItemName = 4,      // "I"
    kManualCommand = 5, // "M"
    kHttpCommand = 6,   // "H"
    kEmote = 7,         // emote pictures ("E")
    kXzcCommand = 8,    // "XZC"
    kClCommand = 9,     // "Cl"
};

// Clickable text: drawn with the view's command font, in the hover text colour over a
// highlight while hovered, and reporting where it is drawn to the game client. A press on it
// sends the client a click command and runs the client's guide script.
class CCmdText : public CPlainText
{
public:
    bool Render(IRichTextView& view, const CEGUI::Rectf& visible,
                const CEGUI::Rectf& area) override;
    // Consumes every event inside the block: a press clicks it, and the client is asked for
    // its command cursor.
    bool OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                       bool pressed) override;
    // A web link also shows its target as the view's tool tip while it is hovered.
    void OnMouseMove(IRichTextView& view, float x, float y, CEGUI::MouseButton button) override;
    CEGUI::argb_t GetColour() const override;
    const CEGUI::Font* GetFont(const IRichTextView& view) const override;
    CCmdText* AsCmdText() override { return this; }
    // Sends the click command of this block with `button`; a block without a command sends
    // nothing. A web link's click says whether its target is trusted.
    virtual void OnClick(IRichTextView& view, CEGUI::MouseButton button);

    void SetCommandRange(TextIndex start, TextIndex count);
    void SetCommandKind(int kind) { m_commandKind = static_cast<std::int16_t>(kind); }
    TextIndex GetCommandStart() const { return m_commandStart; }
    TextIndex GetCommandCount() const { return m_commandCount; }
    int GetCommandKind() const { return m_commandKind; }
    // False for a command tag written without a parameter: it carries no command, so there
    // is nothing to report or send for it.
    bool HasCommand() const { return m_commandStart != kNoText && m_commandCount != kNoText; }
    // An "H" tag with a target.
    bool IsWebLink() const { return m_commandKind == kHttpCommand && HasCommand(); }
    // The command as the view's text writes it, doubled braces made single; "" without a
    // command.
    CEGUI::String GetCommandText(const IRichTextView& view) const;

private:
    void DrawHighlight(IRichTextView& view, const CEGUI::Rectf& windowRect,
                       const CEGUI::Rectf& area) const;
    void ReportPosition(IRichTextView& view, const CEGUI::Rectf& windowRect) const;

    CompactIndex m_commandStart;
    CompactIndex m_commandCount;
    std::int16_t m_commandKind = kCommand;
};

// A game picture's id.
struct GamePic_t
{
    std::uint16_t set = 0;
    std::uint16_t index = 0;

    // Set in the upper 16 bits, index in the lower 16.
    std::uint32_t PackedId() const { return (std::uint32_t(set) << 16) | index; }
};

class CPictureBlock : public ITextBlock, public GamePic_t
{
public:
    bool Render(IRichTextView& view, const CEGUI::Rectf& visible,
                const CEGUI::Rectf& area) override;
    CEGUI::String GetText(const IRichTextView& view) const override { return CEGUI::String(); }

    // Asks the view's renderer for this picture with its top-left at `position` (window
    // pixels). False when the view cannot show pictures.
    bool PushPicture(IRichTextView& view, const CEGUI::Vector2f& position) const;

    // The picture's size in pixels, as the view's client gave it when the picture was placed.
    const CEGUI::Sizef& GetSize() const { return m_size; }
    void SetSize(const CEGUI::Sizef& size) { m_size = size; }

private:
    CEGUI::Sizef m_size{0.0f, 0.0f};
};

// Emotes are pictures of one set, numbered from one first index.
constexpr std::uint16_t kEmoteSet = 4;
constexpr std::uint16_t kFirstEmoteIndex = 14500;
constexpr int kLastEmoteNumber = 199;

// A clickable picture: any button event inside it sends the client the emote's number.
class CEmoteBlock : public CPictureBlock
{
public:
    bool OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                       bool pressed) override;
    virtual void OnClick(IRichTextView& view, CEGUI::MouseButton button);

    int GetEmoteNumber() const { return int(index) - kFirstEmoteIndex; }
};

// The blocks of a line, in placing order: a list that owns them, reads as a vector of
// std::unique_ptr<ITextBlock> does, takes 16 bytes and grows by half, so that a line of two or
// three blocks holds no more room than they need (a document holds one list per line).
class BlockList
{
public:
    using value_type = std::unique_ptr<ITextBlock>;
    using const_iterator = const value_type*;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    BlockList() = default;
    BlockList(const BlockList&) = delete;
    BlockList& operator=(const BlockList&) = delete;
    ~BlockList();

    const_iterator begin() const { return m_items; }
    const_iterator end() const { return m_items + m_size; }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }
    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    bool empty() const { return m_size == 0; }
    const value_type& operator[](std::size_t i) const { return m_items[i]; }
    const value_type& front() const { return m_items[0]; }
    const value_type& back() const { return m_items[m_size - 1]; }

    void push_back(value_type block);
    // Hands each block to keep(std::unique_ptr<ITextBlock>), in order, and keeps the room.
    template <typename Keep>
    void HandOut(Keep&& keep)
    {
        for (std::uint32_t i = 0; i < m_size; ++i)
            keep(std::move(m_items[i]));
        clear();
    }
    // Destroys the blocks and keeps the room.
    void clear();
    // Destroys the blocks and frees the room.
    void Release();

private:
    void Grow();

    value_type* m_items = nullptr;
    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = 0;
};

// One line of a document; a line is itself a block that holds blocks, in placing order, and
// optionally a picture behind them.
class CTextLine : public ITextBlock
{
public:
    using Blocks = BlockList;

    // Draws the blocks in order, stopping at the first that draws nothing, then the
    // background picture.
    bool Render(IRichTextView& view, const CEGUI::Rectf& visible,
                const CEGUI::Rectf& area) override;
    bool OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                       bool pressed) override;
    void OnMouseMove(IRichTextView& view, float x, float y, CEGUI::MouseButton button) override;
    CEGUI::String GetText(const IRichTextView& view) const override;
    // Appends the blocks' texts to `text`.
    void AppendText(const IRichTextView& view, std::vector<CEGUI::utf32>& text) const;

    void AddBlock(std::unique_ptr<ITextBlock> block) { m_blocks.push_back(std::move(block)); }
    void SetBackground(std::unique_ptr<CPictureBlock> background);
    // Drops the blocks and the background and forgets area and flags: an empty new line that
    // keeps the room of its block list when that is the room of a usual line.
    void Reset();
    // Reset, handing the blocks to keep(std::unique_ptr<ITextBlock>) instead of dropping them.
    template <typename Keep>
    void Reset(Keep&& keep)
    {
        m_blocks.HandOut(keep);
        Reset();
    }

    const Blocks& GetBlocks() const { return m_blocks; }
    const CPictureBlock* GetBackground() const { return m_background.get(); }
    CPictureBlock* GetBackground() { return m_background.get(); }

private:
    static constexpr std::size_t kUsualBlocks = 8;

    void RenderBackground(IRichTextView& view, const CEGUI::Rectf& visible,
                          const CEGUI::Rectf& area) const;

    std::unique_ptr<CPictureBlock> m_background;
    Blocks m_blocks;
};
} // namespace TextBlocks
} // namespace ZuGUI
