// The rich text document: lines of blocks that share one bottom edge, with indents, a line
// gap and optional line backgrounds, and the reference counting of the chat items in its text.
//
// Memory: a line costs about 100 bytes and a block about 70 (with the allocator's overhead), and
// a run of line feeds in plain text takes one line and one block however long it is, so that a
// flood of empty lines costs next to nothing. Laid out at 200 pixels, chat text costs about 10
// bytes per character of its markup and a message of line feeds well under 1; the worst case
// is a line per character (a view one character wide), about 190 bytes per character. A layout
// reuses the lines of the one before; of those that it leaves unused it keeps kSpareLines.
#pragma once

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/TextBlocks.h"

#include <memory>
#include <set>
#include <vector>

namespace ZuGUI
{
namespace TextBlocks
{
// One line of a document; a line is itself a block that holds blocks.
class CTextLine : public ITextBlock
{
public:
    using Blocks = std::vector<std::unique_ptr<ITextBlock>>;

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

    void AddBlock(std::unique_ptr<ITextBlock> block);
    void SetBackground(std::unique_ptr<CPictureBlock> background);
    // Aligns the blocks on the lowest bottom edge and sets the line's area from them; a
    // background picture taller than the line makes the line as tall as the picture.
    void Finish();
    // Drops the blocks and the background and forgets area and flags: an empty new line that
    // keeps the room of its block list when that is the room of a usual line.
    void Reset();
    // Moves the bottom of the line and of its last block down to `bottom`.
    void ExtendDown(float bottom);

    const Blocks& GetBlocks() const { return m_blocks; }
    const CPictureBlock* GetBackground() const { return m_background.get(); }

private:
    static constexpr std::size_t kUsualBlocks = 8;

    void RenderBackground(IRichTextView& view, const CEGUI::Rectf& visible,
                          const CEGUI::Rectf& area) const;

    std::unique_ptr<CPictureBlock> m_background;
    Blocks m_blocks;
    float m_lowestBottom = 0.0f;
};

class CRichTextDoc : public IDoc
{
public:
    // How far below the current line's top the pen may be moved (an "Ak" anchor): room above
    // a line's text, bounded so that one anchor cannot make a document of absurd height.
    static constexpr float kMaxPenDrop = 256.0f;

    using Lines = std::vector<std::unique_ptr<CTextLine>>;

    CRichTextDoc() = default;
    CRichTextDoc(const CRichTextDoc&) = delete;
    CRichTextDoc& operator=(const CRichTextDoc&) = delete;
    // Releases the chat items that the document still references, when a client is set.
    ~CRichTextDoc() override;

    void NewLine(IRichTextView& view, bool firstLine) override;
    float GetRemainingWidth() const override { return m_layoutWidth - m_penX; }
    void GetCursor(float& x, float& y) const override;
    void SetCursor(float x, float y) override;
    void SetWidth(float width) override { m_layoutWidth = width; }
    float GetWidth() const override { return m_layoutWidth; }
    float GetHeight() const override { return m_height; }
    void SetLineSpacing(float gap) override { m_lineGap = gap; }
    void Clear() override;
    void AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block) override;
    void BeginParse(IRichTextView& view) override;
    void EndParse() override;
    void Render(IRichTextView& view, const CEGUI::Rectf& visible,
                const CEGUI::Rectf& area) override;
    bool OnMouseButton(IRichTextView& view, const CEGUI::Vector2f& point, CEGUI::MouseButton button,
                       bool pressed) override;
    void OnMouseMove(IRichTextView& view, const CEGUI::Vector2f& point, CEGUI::MouseButton button,
                     bool leftHeld) override;
    CEGUI::Rectf GetDocRect() const override;
    float GetContentWidth() const override { return m_contentWidth; }
    CEGUI::String GetText(const IRichTextView& view) const override;
    void AddChatItemRef(int itemId) override { m_itemRefs.insert(itemId); }
    void SetLineBackground(int set, int index) override;

    const Lines& GetLines() const { return m_lines; }
    // The chat items of the text, as the last parse recorded them.
    const std::set<int>& GetItemRefs() const { return m_itemRefs; }
    // The chat items that the game client was told about and not yet released.
    const std::set<int>& GetHeldItemRefs() const { return m_heldItemRefs; }
    const GamePic_t& GetLineBackground() const { return m_lineBackground; }

private:
    // Cleared lines that a layout left unused and keeps for the next.
    static constexpr std::size_t kSpareLines = 256;

    void FinishCurrentLine();
    // Folds a lone line feed `block` on the current, empty line into the line before it when
    // that holds only the line feeds before it, in plain text of the same colours at the same
    // place: the current line is dropped and that line reaches down to where it ended. True
    // when folded.
    bool FoldLineFeed(const IRichTextView& view, const ITextBlock& block);
    // Whether `block` is plain text of nothing but line feeds.
    static bool IsLineFeedRun(const IRichTextView& view, const ITextBlock& block);
    std::unique_ptr<CPictureBlock> MakeLineBackground() const;
    void SettleItemRefs();
    void ReleaseHeldItemRefs();

    Lines m_lines;
    // Cleared lines, for the next layout to fill again instead of making new ones: a view is
    // laid out anew at every change of its text or size.
    Lines m_spareLines;
    float m_lineGap = 0.0f;
    float m_contentWidth = 0.0f;
    float m_penY = 0.0f;
    float m_height = 0.0f;
    float m_penX = 0.0f;
    float m_layoutWidth = 0.0f;
    std::set<int> m_itemRefs;
    std::set<int> m_heldItemRefs;
    GamePic_t m_lineBackground;
};
} // namespace TextBlocks
} // namespace ZuGUI
