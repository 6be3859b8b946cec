// The lines of a document as the layout fills them: the pen, where each new line starts (its
// indent, its top below the line before plus the line gap, the picture behind it), the blocks
// placed on the current line, and the finishing of each line, whose blocks then share one
// bottom edge.
//
// A line's blocks are placed in the order of the text, left to right from the pen. Finishing a
// line that holds right-to-left text moves its blocks to their display places (each block
// holds text of one bidirectional level): in display order from the line's start, which for
// a right-to-left paragraph is the right edge. The block list keeps the order of the text;
// hit testing and selection read blocks by their areas. Pen moves within such a line leave
// no gap between its blocks.
//
// Memory: a line costs about 80 bytes and a block about 64 (with the allocator's overhead), and
// a run of line feeds in plain text takes one line and one block however long it is, so that a
// flood of empty lines costs next to nothing. Laid out at 200 pixels, chat text costs about 9
// bytes per character of its markup with its paragraph, and a message of line feeds well under
// 1; the worst case is a line per character (a view one character wide), about 185 bytes per
// character. A layout reuses the lines of the one before; of those that it leaves unused it
// keeps kSpareLines.
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <memory>
#include <new>
#include <vector>

namespace ZuGUI
{
class IRichTextView;

namespace TextBlocks
{
class CTextLine;
} // namespace TextBlocks

namespace Layout
{
// Blocks of one type that a layout left, made new in place for the next: a layout at a new
// width makes as many blocks as the one before, without the allocator.
template <typename Block>
class SpareBlocks
{
public:
    void Keep(std::unique_ptr<Block> block) { m_blocks.push_back(std::move(block)); }
    // A new block, in the room of a kept one when there is one.
    std::unique_ptr<Block> Take()
    {
        if (m_blocks.empty())
            return std::make_unique<Block>();
        Block* room = m_blocks.back().release();
        m_blocks.pop_back();
        room->~Block();
        return std::unique_ptr<Block>(new (room) Block());
    }
    // Frees the kept blocks and their list.
    void Clear() { std::vector<std::unique_ptr<Block>>().swap(m_blocks); }

private:
    std::vector<std::unique_ptr<Block>> m_blocks;
};

class LineBuilder
{
public:
    using Lines = std::vector<std::unique_ptr<TextBlocks::CTextLine>>;

    // How far below the current line's top the pen may be moved: room above a line's text,
    // bounded so that one pen move cannot make a document of absurd height.
    static constexpr float kMaxPenDrop = 256.0f;

    LineBuilder();
    ~LineBuilder();
    LineBuilder(const LineBuilder&) = delete;
    LineBuilder& operator=(const LineBuilder&) = delete;

    // Finishes the current line and starts a new one at the view's first-line or rest-lines
    // indent.
    void NewLine(IRichTextView& view, bool firstLine);
    // Places `block` on the current line (starting the first line when there is none) and
    // moves the pen to its right edge.
    void AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block);
    // Moves the pen within the current line: x from the right edge of the line's last block
    // to the layout width, y from the line's top to kMaxPenDrop below it.
    void MovePen(float x, float y);
    float GetPenX() const { return m_penX; }
    float GetPenY() const { return m_penY; }
    float GetRemainingWidth() const { return m_layoutWidth - m_penX; }

    void SetWidth(float width) { m_layoutWidth = width; }
    float GetWidth() const { return m_layoutWidth; }
    // The gap between a line's bottom and the next line's top.
    void SetLineGap(float gap) { m_lineGap = gap; }
    // The picture behind each new line (set 0: none), drawn at `size`; behind the current line
    // too when both numbers are not 0.
    void SetLineBackground(const TextBlocks::GamePic_t& picture, const CEGUI::Sizef& size);
    const TextBlocks::GamePic_t& GetLineBackground() const { return m_lineBackground; }

    // Drops every line and block; pen, height, widths and the line background are reset. The
    // text blocks are kept for the next layout until it finishes.
    void Clear();
    // Clear, and frees what it keeps for the next layout: a document out of sight holds no lines.
    void Release();
    // Finishes the last line: the document's height is then its bottom. Blocks that the layout
    // did not take again are freed.
    void Finish();
    // New text blocks for the layout.
    std::unique_ptr<TextBlocks::CPlainText> MakePlainText() { return m_sparePlainTexts.Take(); }
    std::unique_ptr<TextBlocks::CCmdText> MakeCmdText() { return m_spareCmdTexts.Take(); }
    // The bottom of the last finished line, 0 without lines.
    float GetHeight() const { return m_height; }
    // The largest width that a finished line needs: its right edge, or for a line aligned
    // right, its indent and its blocks.
    float GetContentWidth() const { return m_contentWidth; }
    const Lines& GetLines() const { return m_lines; }

private:
    // Cleared lines that a layout left unused and keeps for the next.
    static constexpr std::size_t kSpareLines = 256;

    void FinishCurrentLine();
    // Folds a lone line feed `block` on the current, empty line into the line before it when
    // that holds only the line feeds before it, in plain text of the same colours at the same
    // place: the current line is dropped and that line reaches down to where it ended. True
    // when folded.
    bool FoldLineFeed(const IRichTextView& view, const ITextBlock& block);
    std::unique_ptr<TextBlocks::CPictureBlock> MakeLineBackground() const;

    Lines m_lines;
    // Cleared lines, for the next layout to fill again instead of making new ones: a view is
    // laid out anew at every change of its text or size.
    Lines m_spareLines;
    SpareBlocks<TextBlocks::CPlainText> m_sparePlainTexts;
    SpareBlocks<TextBlocks::CCmdText> m_spareCmdTexts;
    float m_lineGap = 0.0f;
    float m_contentWidth = 0.0f;
    float m_penY = 0.0f;
    float m_height = 0.0f;
    float m_penX = 0.0f;
    float m_layoutWidth = 0.0f;
    TextBlocks::GamePic_t m_lineBackground;
    CEGUI::Sizef m_lineBackgroundSize{0.0f, 0.0f};
    // The view of the layout: its text tells a line of line feeds.
    const IRichTextView* m_view = nullptr;
};
} // namespace Layout
} // namespace ZuGUI
