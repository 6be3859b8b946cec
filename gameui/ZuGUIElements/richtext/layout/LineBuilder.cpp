#include "ZuGUIElements/richtext/layout/LineBuilder.h"

#include "ZuGUIElements/richtext/IRichTextView.h"

#include <algorithm>
#include <typeinfo>

namespace ZuGUI
{
namespace Layout
{
namespace
{
using TextBlocks::CPictureBlock;
using TextBlocks::CPlainText;
using TextBlocks::CTextLine;

// The lowest bottom edge of the line's blocks.
float LowestBottom(const CTextLine& line)
{
    float lowest = 0.0f;
    for (const std::unique_ptr<ITextBlock>& block : line.GetBlocks())
        lowest = std::max(lowest, block->GetArea().bottom());
    return lowest;
}

// Aligns the line's blocks on their lowest bottom edge and sets the line's area from them; a
// background picture taller than the line makes the line as tall as the picture.
void FinishLine(CTextLine& line)
{
    CEGUI::Rectf area = line.GetArea();
    if (line.GetBlocks().empty())
    {
        area.bottom(area.top());
    }
    else
    {
        const float bottom = LowestBottom(line);
        for (const std::unique_ptr<ITextBlock>& block : line.GetBlocks())
        {
            CEGUI::Rectf blockArea = block->GetArea();
            blockArea.offset(CEGUI::Vector2f(0.0f, bottom - blockArea.bottom()));
            block->SetArea(blockArea);
            area.left(std::min(area.left(), blockArea.left()));
            area.right(std::max(area.right(), blockArea.right()));
        }
        area.bottom(bottom);
    }
    if (CPictureBlock* background = line.GetBackground())
    {
        const float shortfall = background->GetSize().d_height - area.getHeight();
        if (shortfall > 0.0f)
            area.bottom(area.bottom() + shortfall);
        background->SetArea(area);
    }
    line.SetArea(area);
}

// Moves the bottom of the line and of its last block down to `bottom`.
void ExtendLineDown(CTextLine& line, float bottom)
{
    if (line.GetBlocks().empty())
        return;
    ITextBlock& last = *line.GetBlocks().back();
    CEGUI::Rectf area = last.GetArea();
    area.bottom(std::max(area.bottom(), bottom));
    last.SetArea(area);
    FinishLine(line);
}

// Whether `block` is plain text of nothing but line feeds.
bool IsLineFeedRun(const IRichTextView& view, const ITextBlock& block)
{
    // Only plain text: a command's blocks are each reported and highlighted on their own.
    if (typeid(block) != typeid(CPlainText))
        return false;
    const auto& text = static_cast<const CPlainText&>(block);
    const CEGUI::String& viewText = view.GetViewText();
    // A block ends at the first line feed in it: one that starts with a line feed holds only
    // that one, or line feeds that were folded into it.
    return text.GetTextCount() >= 1 && text.GetTextStart() < viewText.length() &&
           viewText[text.GetTextStart()] == '\n';
}

// Puts the blocks of a line that holds right-to-left text in display order: their areas move,
// the list keeps the order of the text (which selection and copying read). They follow one
// another from the line's start: its left edge, or for a right-to-left paragraph the layout's
// right edge, the line's indent kept on that side.
void PutInDisplayOrder(const IRichTextView* view, CTextLine& line, float layoutWidth)
{
    const CTextLine::Blocks& blocks = line.GetBlocks();
    if (blocks.empty())
        return;
    const bool rightToLeft = (blocks.front()->GetBidiLevel() & Bidi::kRightToLeftParagraph) != 0;
    const bool mixed = std::any_of(blocks.begin(), blocks.end(),
                                   [](const std::unique_ptr<ITextBlock>& block)
                                   { return (block->GetBidiLevel() & Bidi::kLevelMask) != 0; });
    // A line of nothing but line feeds shows nothing to order, and folds with those after it.
    if ((!rightToLeft && !mixed) ||
        (view && blocks.size() == 1 && IsLineFeedRun(*view, *blocks.front())))
        return;
    thread_local std::vector<Bidi::Level> levels;
    thread_local std::vector<std::int32_t> order;
    levels.clear();
    float width = 0.0f;
    for (const std::unique_ptr<ITextBlock>& block : blocks)
    {
        levels.push_back(block->GetBidiLevel() & Bidi::kLevelMask);
        width += block->GetArea().getWidth();
    }
    Bidi::VisualOrder(levels.data(), levels.size(), order);
    float x = rightToLeft ? layoutWidth - line.GetArea().left() - width
                          : blocks.front()->GetArea().left();
    for (const std::int32_t index : order)
    {
        ITextBlock& block = *blocks[static_cast<std::size_t>(index)];
        CEGUI::Rectf area = block.GetArea();
        const float blockWidth = area.getWidth();
        area.left(x);
        area.right(x + blockWidth);
        block.SetArea(area);
        x += blockWidth;
    }
}

// The width that the finished line needs: to its right edge, or for a right-to-left
// paragraph's line, aligned to the layout's right edge, from its leftmost block to that edge.
// A view that fits its text (a tool tip) is as wide as its widest line needs.
float NeededWidth(const CTextLine& line, float layoutWidth)
{
    const CTextLine::Blocks& blocks = line.GetBlocks();
    if (blocks.empty() || !(blocks.front()->GetBidiLevel() & Bidi::kRightToLeftParagraph))
        return line.GetArea().right();
    float left = layoutWidth;
    for (const std::unique_ptr<ITextBlock>& block : blocks)
        left = std::min(left, block->GetArea().left());
    return layoutWidth - left;
}
} // namespace

LineBuilder::LineBuilder() = default;

LineBuilder::~LineBuilder() = default;

void LineBuilder::NewLine(IRichTextView& view, bool firstLine)
{
    FinishCurrentLine();
    m_view = &view;
    m_penX = static_cast<float>(firstLine ? view.getIndent1stLine() : view.getIndentRestLines());
    m_penY = m_lines.empty() ? 0.0f : m_lines.back()->GetArea().bottom() + m_lineGap;
    if (m_spareLines.empty())
    {
        m_lines.push_back(std::make_unique<CTextLine>());
    }
    else
    {
        m_lines.push_back(std::move(m_spareLines.back()));
        m_spareLines.pop_back();
    }
    CTextLine& line = *m_lines.back();
    line.SetArea(CEGUI::Rectf(m_penX, m_penY, 0.0f, 0.0f));
    if (m_lineBackground.set >= 1)
        line.SetBackground(MakeLineBackground());
}

void LineBuilder::FinishCurrentLine()
{
    if (m_lines.empty())
        return;
    CTextLine& line = *m_lines.back();
    PutInDisplayOrder(m_view, line, m_layoutWidth);
    FinishLine(line);
    m_contentWidth = std::max(m_contentWidth, NeededWidth(line, m_layoutWidth));
}

std::unique_ptr<CPictureBlock> LineBuilder::MakeLineBackground() const
{
    auto background = std::make_unique<CPictureBlock>();
    static_cast<TextBlocks::GamePic_t&>(*background) = m_lineBackground;
    background->SetSize(m_lineBackgroundSize);
    return background;
}

void LineBuilder::MovePen(float x, float y)
{
    // The pen stays on the current line: never back over its blocks (whatever is drawn there
    // is what a press reaches) nor past the layout's edge, never above the line's top (over
    // the lines before it) and never further below than a document may grow at once.
    float left = 0.0f;
    float top = 0.0f;
    if (!m_lines.empty())
    {
        const CTextLine& line = *m_lines.back();
        top = line.GetArea().top();
        left = line.GetBlocks().empty() ? 0.0f : line.GetBlocks().back()->GetArea().right();
    }
    m_penX = std::clamp(x, left, std::max(left, m_layoutWidth));
    m_penY = std::clamp(y, top, top + kMaxPenDrop);
}

void LineBuilder::Clear()
{
    m_lineBackground.set = 0;
    // As many spare lines as the last layout had: enough to lay the same text out again.
    m_spareLines.clear();
    const auto keepBlock = [this](std::unique_ptr<ITextBlock> block)
    {
        // Only blocks of exactly these types are made again in their room.
        if (typeid(*block) == typeid(CPlainText))
            m_sparePlainTexts.Keep(
                std::unique_ptr<CPlainText>(static_cast<CPlainText*>(block.release())));
        else if (typeid(*block) == typeid(TextBlocks::CCmdText))
            m_spareCmdTexts.Keep(std::unique_ptr<TextBlocks::CCmdText>(
                static_cast<TextBlocks::CCmdText*>(block.release())));
    };
    for (std::unique_ptr<CTextLine>& line : m_lines)
    {
        line->Reset(keepBlock);
        m_spareLines.push_back(std::move(line));
    }
    m_lines.clear();
    m_view = nullptr;
    m_penX = 0.0f;
    m_penY = 0.0f;
    m_height = 0.0f;
    m_layoutWidth = 0.0f;
    m_contentWidth = 0.0f;
}

void LineBuilder::Release()
{
    Clear();
    Lines().swap(m_spareLines);
    Lines().swap(m_lines);
    m_sparePlainTexts.Clear();
    m_spareCmdTexts.Clear();
}

void LineBuilder::AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block)
{
    if (!block)
        return;
    if (m_lines.empty())
        NewLine(view, true);
    m_penX = block->GetArea().right();
    if (!FoldLineFeed(view, *block))
        m_lines.back()->AddBlock(std::move(block));
}

bool LineBuilder::FoldLineFeed(const IRichTextView& view, const ITextBlock& block)
{
    if (m_lines.size() < 2)
        return false;
    CTextLine& current = *m_lines.back();
    CTextLine& previous = *m_lines[m_lines.size() - 2];
    if (!current.GetBlocks().empty() || current.GetBackground() || previous.GetBackground() ||
        previous.GetBlocks().size() != 1 || !IsLineFeedRun(view, block) ||
        !IsLineFeedRun(view, *previous.GetBlocks().front()))
        return false;
    const auto& lineFeed = static_cast<const CPlainText&>(block);
    auto& run = static_cast<CPlainText&>(*previous.GetBlocks().front());
    if (lineFeed.GetTextCount() != 1 ||
        run.GetTextStart() + run.GetTextCount() != lineFeed.GetTextStart() ||
        run.GetColorPair().text != lineFeed.GetColorPair().text ||
        run.GetColorPair().second != lineFeed.GetColorPair().second)
        return false;
    const CEGUI::Rectf& area = lineFeed.GetArea();
    const CEGUI::Rectf& runArea = run.GetArea();
    const CEGUI::Rectf& line = current.GetArea();
    const CEGUI::Rectf& previousLine = previous.GetArea();
    if (area.left() != runArea.left() || area.right() != runArea.right() ||
        area.top() != line.top() || line.left() != previousLine.left() ||
        line.top() != previousLine.bottom() + m_lineGap)
        return false;
    run.SetTextRange(run.GetTextStart(), run.GetTextCount() + 1);
    ExtendLineDown(previous, area.bottom());
    current.Reset();
    m_spareLines.push_back(std::move(m_lines.back()));
    m_lines.pop_back();
    return true;
}

void LineBuilder::Finish()
{
    // What a shorter text left unused is not held beyond a few.
    if (m_spareLines.size() > kSpareLines)
    {
        m_spareLines.resize(kSpareLines);
        m_spareLines.shrink_to_fit();
    }
    m_sparePlainTexts.Clear();
    m_spareCmdTexts.Clear();
    FinishCurrentLine();
    m_height = m_lines.empty() ? 0.0f : m_lines.back()->GetArea().bottom();
}

void LineBuilder::SetLineBackground(const TextBlocks::GamePic_t& picture, const CEGUI::Sizef& size)
{
    m_lineBackground = picture;
    m_lineBackgroundSize = size;
    if (m_lineBackground.set != 0 && m_lineBackground.index != 0 && !m_lines.empty())
        m_lines.back()->SetBackground(MakeLineBackground());
}
} // namespace Layout
} // namespace ZuGUI
