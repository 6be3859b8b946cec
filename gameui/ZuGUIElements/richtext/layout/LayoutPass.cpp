#include "ZuGUIElements/richtext/layout/LayoutPass.h"

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/IRichTextView.h"

#include <CEGUI/Font.h>

#include <algorithm>

namespace ZuGUI
{
namespace Layout
{
namespace
{
constexpr CEGUI::utf32 kLineFeed = '\n';
} // namespace

LayoutPass::LayoutPass(IRichTextView& view, const CEGUI::String& text, IDoc& doc,
                       LineBreaks& breaks)
    : m_view(view), m_text(text), m_doc(doc), m_breaks(breaks), m_mode(view.GetLineBreak()),
      m_restLinesIndent(static_cast<float>(view.getIndentRestLines())), m_width(doc.GetWidth())
{
    m_breaks.StartText();
    if (const CEGUI::Font* font = view.GetViewFont())
    {
        m_glyphs.emplace(*font);
        m_lineHeight = font->getLineSpacing(1.0f);
    }
}

bool LayoutPass::AddText(const TextRun& run)
{
    if (!m_glyphs || !(m_width > 0.0f))
        return false;
    const TextIndex end = std::min(run.end, m_text.length());
    m_breaks.StartStretch(m_text, run.first, end, run.following);
    // Each piece runs up to and including a line feed, or to the end of the run.
    for (TextIndex piece = run.first; piece < end;)
    {
        const TextIndex lineFeed = FindMark(m_text, kLineFeed, piece, end);
        const TextIndex pieceEnd = lineFeed != kNoText ? lineFeed + 1 : end;
        if (!LayoutPiece(run, piece, pieceEnd))
            return false;
        piece = pieceEnd;
    }
    return true;
}

bool LayoutPass::LayoutPiece(const TextRun& run, TextIndex first, TextIndex end)
{
    const bool endsWithLineFeed = m_text[end - 1] == kLineFeed;
    bool movedDown = false;
    for (TextIndex offset = first; offset < end;)
    {
        const Pass pass = MeasurePass(offset, end, !movedDown);
        movedDown = pass.moveToNextLine;
        if (pass.moveToNextLine)
        {
            m_doc.NewLine(m_view, false);
            continue;
        }
        if (pass.count == 0)
            return false; // one character is wider than a whole line
        if (pass.newLineBefore)
            m_doc.NewLine(m_view, false);
        Place(run.blocks.MakeBlock(offset, pass.count), CEGUI::Sizef(pass.width, m_lineHeight));
        m_breaks.LaidOut(offset, offset + pass.count);
        offset += pass.count;
        if (pass.wrapped || (endsWithLineFeed && offset == end))
            m_doc.NewLine(m_view, false);
    }
    return true;
}

Pass LayoutPass::MeasurePass(TextIndex first, TextIndex end, bool mayMoveDown)
{
    LineRoom room{m_doc.GetRemainingWidth(), m_width, m_width - m_restLinesIndent};
    if (m_mode == LineBreakMode::Character)
        return MeasureCharacterPass(*m_glyphs, m_text, first, end, room);
    // Right after a move the pen is at the start of a fresh line: there is no better one.
    if (!mayMoveDown)
        room.freshLine = room.remaining;
    return MeasureWordPass(*m_glyphs, m_breaks, m_text, first, end, room);
}

void LayoutPass::AddPicture(std::unique_ptr<TextBlocks::CPictureBlock> picture)
{
    if (!picture)
        return;
    const CEGUI::Sizef size = m_view.GetClient().PictureSize(picture->set, picture->index);
    picture->SetSize(size);
    if (Pen().d_x + size.d_width > m_width)
        m_doc.NewLine(m_view, false);
    Place(std::move(picture), size);
    m_breaks.LaidOutObject();
}

void LayoutPass::Place(std::unique_ptr<ITextBlock> block, const CEGUI::Sizef& size)
{
    if (!block)
        return;
    block->SetArea(CEGUI::Rectf(Pen(), size));
    m_doc.AddBlock(m_view, std::move(block));
}

void LayoutPass::MovePen(std::optional<float> x, std::optional<float> y)
{
    const CEGUI::Vector2f pen = Pen();
    m_doc.SetCursor(x.value_or(pen.d_x), y.value_or(pen.d_y));
}

CEGUI::Vector2f LayoutPass::Pen() const
{
    CEGUI::Vector2f pen;
    m_doc.GetCursor(pen.d_x, pen.d_y);
    return pen;
}

void LayoutPass::SetLineBackground(int set, int index)
{
    m_doc.SetLineBackground(set, index);
}
} // namespace Layout
} // namespace ZuGUI
