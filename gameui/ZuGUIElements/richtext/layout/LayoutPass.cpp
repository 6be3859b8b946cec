#include "ZuGUIElements/richtext/layout/LayoutPass.h"

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"

#include <CEGUI/Font.h>

#include <algorithm>

namespace ZuGUI
{
namespace Layout
{
namespace
{
constexpr CEGUI::utf32 kLineFeed = '\n';

// The break flags that a layout in `mode` reads.
std::uint8_t FlagsFor(LineBreakMode mode)
{
    return mode == LineBreakMode::Word ? Breaks::kLineBreakBefore | Breaks::kClusterStart
                                       : Breaks::kClusterStart;
}

// Calls the one of `handlers` that takes the alternative that `piece` holds.
template <typename... Handlers>
struct Overloaded : Handlers...
{
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;
} // namespace

LayoutPass::LayoutPass(IRichTextView& view, IDoc& doc)
    : m_view(view), m_text(view.GetViewText()), m_doc(doc), m_mode(view.GetLineBreak()),
      m_restLinesIndent(static_cast<float>(view.getIndentRestLines())),
      m_width(doc.GetWidth()), m_viewColors{view.getDefaultTextColor().getARGB(), 0xFF000000}
{
    if (const CEGUI::Font* font = view.GetViewFont())
    {
        m_glyphs = GlyphMetrics::ForFont(*font);
        m_lineHeight = font->getLineSpacing(1.0f);
    }
}

bool LayoutPass::LayOut(const Text::Paragraph& paragraph, FindBreaks find)
{
    const bool later = find == FindBreaks::OnlyIfNeeded && m_mode == LineBreakMode::Word &&
                       !m_doc.HasShownBreakFlags(FlagsFor(m_mode));
    m_flags = later ? nullptr : &m_doc.ShownBreakFlags(m_text, FlagsFor(m_mode));
    m_breaks.AwaitFlags(later);
    m_forms = &m_doc.FindShownForms(m_text, m_view.GetTextDirection());
    m_measured = m_forms->IsEmpty() ? &m_text : &m_forms->Forms();
    // Whether a run of the current stretch could not be laid out: its later runs are dropped.
    bool droppingStretch = false;
    m_shown = 0;
    for (const Text::Piece& piece : paragraph.Pieces())
    {
        std::visit(Overloaded{[&](const Text::TextRun& run)
                              {
                                  if (run.startsStretch)
                                      droppingStretch = false;
                                  if (!droppingStretch && !AddText(run, paragraph.StyleOf(run)))
                                      droppingStretch = true;
                                  m_shown += run.end - run.first;
                              },
                              [&](const Text::Picture& picture)
                              {
                                  AddPicture(picture);
                                  ++m_shown;
                              },
                              [&](const Text::PenMove& move) { MovePen(move); },
                              [&](const Text::LineBackground& background)
                              { m_doc.SetLineBackground(background.set, background.index); }},
                   piece);
        if (m_breaks.FlagsWanted())
            return false;
    }
    return true;
}

bool LayoutPass::AddText(const Text::TextRun& run, const Text::RunStyle& style)
{
    if (!m_glyphs || !(m_width > 0.0f))
        return false;
    const TextIndex end = std::min<TextIndex>(run.end, m_text.length());
    m_breaks.StartStretch(m_text, FlagsOf(run, end), run.following, BreakBeforeFollowing(run));
    // Each piece runs up to and including a line feed, or to the end of the run.
    for (TextIndex piece = run.first; piece < end;)
    {
        const TextIndex lineFeed = FindMark(m_text, kLineFeed, piece, end);
        const TextIndex pieceEnd = lineFeed != kNoText ? lineFeed + 1 : end;
        if (!LayoutPiece(run, style, piece, pieceEnd))
            return false;
        piece = pieceEnd;
    }
    return true;
}

bool LayoutPass::LayoutPiece(const Text::TextRun& run, const Text::RunStyle& style, TextIndex first,
                             TextIndex end)
{
    const bool endsWithLineFeed = m_text[end - 1] == kLineFeed;
    bool movedDown = false;
    for (TextIndex offset = first; offset < end;)
    {
        const Pass pass = MeasurePass(offset, end, !movedDown);
        if (m_breaks.FlagsWanted())
            return false; // laid out again with them
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
        PlaceText(run, style, offset, pass.count, pass.width);
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
        return MeasureCharacterPass(*m_glyphs, m_breaks.Flags(), *m_measured, first, end, room);
    // Right after a move the pen is at the start of a fresh line: there is no better one.
    if (!mayMoveDown)
        room.freshLine = room.remaining;
    return MeasureWordPass(*m_glyphs, m_breaks, *m_measured, first, end, room);
}

StretchFlags LayoutPass::FlagsOf(const Text::TextRun& run, TextIndex end) const
{
    StretchFlags flags{nullptr, run.first, end};
    if (m_flags && run.first <= end && m_shown + (end - run.first) <= m_flags->size())
        flags.flags = m_flags->data() + m_shown;
    return flags;
}

bool LayoutPass::BreakBeforeFollowing(const Text::TextRun& run) const
{
    const TextIndex next = m_shown + (run.end - run.first);
    return !m_flags || next >= m_flags->size() || ((*m_flags)[next] & Breaks::kLineBreakBefore);
}

std::unique_ptr<ITextBlock> LayoutPass::MakeBlock(const Text::RunStyle& style, TextIndex first,
                                                  TextIndex count) const
{
    using Text::RunKind;
    std::unique_ptr<TextBlocks::CPlainText> block;
    if (style.kind == RunKind::Plain)
    {
        block = m_doc.MakePlainText();
    }
    else
    {
        std::unique_ptr<TextBlocks::CCmdText> command = m_doc.MakeCmdText();
        command->SetCommandKind(style.commandKind);
        // A name is its own command, piece by piece when it wraps.
        if (style.kind == RunKind::Name)
            command->SetCommandRange(first, count);
        else if (style.commandFirst != kNoText)
            command->SetCommandRange(style.commandFirst, style.commandEnd - style.commandFirst);
        block = std::move(command);
    }
    block->SetTextRange(first, count);
    TextParser::ColorPair colors = style.viewColour ? m_viewColors : style.colors;
    if (style.kind == RunKind::ItemLink)
    {
        if (const std::optional<CEGUI::argb_t> colour = m_doc.ItemColour(style.itemId))
            colors = TextParser::ColorPair{*colour, 0xFF000000};
    }
    block->SetColorPair(colors);
    return block;
}

void LayoutPass::PlaceText(const Text::TextRun& run, const Text::RunStyle& style, TextIndex first,
                           TextIndex count, float width)
{
    if (m_forms->IsEmpty())
    {
        Place(MakeBlock(style, first, count), CEGUI::Sizef(width, m_lineHeight));
        return;
    }
    const TextIndex end = first + count;
    const auto levelAt = [&](TextIndex i) { return m_forms->LevelAt(m_shown + (i - run.first)); };
    for (TextIndex start = first; start < end;)
    {
        const Bidi::LevelByte level = levelAt(start);
        TextIndex levelEnd = start + 1;
        while (levelEnd < end && levelAt(levelEnd) == level)
            ++levelEnd;
        const float levelWidth = start == first && levelEnd == end
                                     ? width
                                     : MeasureExtent(*m_glyphs, *m_measured, start, levelEnd);
        std::unique_ptr<ITextBlock> block = MakeBlock(style, start, levelEnd - start);
        block->SetBidiLevel(level);
        Place(std::move(block), CEGUI::Sizef(levelWidth, m_lineHeight));
        start = levelEnd;
    }
}

void LayoutPass::AddPicture(const Text::Picture& picture)
{
    std::unique_ptr<TextBlocks::CPictureBlock> block =
        picture.emote ? std::make_unique<TextBlocks::CEmoteBlock>()
                      : std::make_unique<TextBlocks::CPictureBlock>();
    block->set = picture.set;
    block->index = picture.index;
    const CEGUI::Sizef size = m_doc.PictureSize(picture.set, picture.index);
    block->SetSize(size);
    block->SetBidiLevel(m_forms->LevelAt(m_shown));
    if (Pen().d_x + size.d_width > m_width)
        m_doc.NewLine(m_view, false);
    Place(std::move(block), size);
}

void LayoutPass::Place(std::unique_ptr<ITextBlock> block, const CEGUI::Sizef& size)
{
    if (!block)
        return;
    block->SetArea(CEGUI::Rectf(Pen(), size));
    m_doc.AddBlock(m_view, std::move(block));
}

void LayoutPass::MovePen(const Text::PenMove& move)
{
    const CEGUI::Vector2f pen = Pen();
    m_doc.SetCursor(move.x.value_or(pen.d_x), move.y.value_or(pen.d_y));
}

CEGUI::Vector2f LayoutPass::Pen() const
{
    CEGUI::Vector2f pen;
    m_doc.GetCursor(pen.d_x, pen.d_y);
    return pen;
}

} // namespace Layout
} // namespace ZuGUI
