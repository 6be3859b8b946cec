#include "ZuGUIElements/richtext/TextSelection.h"

#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"
#include "ZuGUIElements/richtext/paragraph/Paragraph.h"
#include "public/StringTools.h"

#include <CEGUI/Font.h>
#include <CEGUI/FontGlyph.h>

#include <unicode/uchar.h>

#include <algorithm>
#include <type_traits>
#include <utility>

namespace ZuGUI
{
namespace TextSelection
{
namespace
{
using TextBlocks::CRichTextDoc;
using TextBlocks::CTextLine;

// The characters [start, end) of the view's text that a text block shows, its font, the text
// its glyphs are measured in (the view's display forms, or its text) and whether they show
// right to left, the first at the block's right edge.
struct Span
{
    TextIndex start = kNoText;
    TextIndex end = kNoText;
    const CEGUI::Font* font = nullptr;
    const CEGUI::String* measured = nullptr;
    bool rightToLeft = false;

    bool IsText() const { return start != kNoText; }
    // The end, before a line feed that ends the span: the line's last boundary.
    TextIndex LineEnd(const CEGUI::String& text) const
    {
        return end > start && text[end - 1] == '\n' ? end - 1 : end;
    }
};

// The block as a text block with its text range set, or null.
const TextBlocks::CPlainText* TextBlockOf(ITextBlock& block)
{
    const TextBlocks::CPlainText* plain = block.AsPlainText();
    return plain && plain->GetTextStart() != kNoText && plain->GetTextCount() != kNoText ? plain
                                                                                         : nullptr;
}

Span SpanOf(const IRichTextView& view, ITextBlock& block)
{
    const TextBlocks::CPlainText* plain = TextBlockOf(block);
    if (!plain)
        return Span{};
    const TextIndex length = view.GetViewText().length();
    const TextIndex start = std::min(plain->GetTextStart(), length);
    const TextIndex end = start + std::min(plain->GetTextCount(), length - start);
    const CEGUI::Font* font = plain->GetFont(view);
    const CEGUI::String* forms = view.GetDisplayForms();
    return Span{start, end, font ? font : view.GetViewFont(),
                forms && forms->length() == length ? forms : &view.GetViewText(),
                block.IsRightToLeft()};
}

float AdvanceOf(const CEGUI::Font* font, CEGUI::utf32 c)
{
    const CEGUI::FontGlyph* glyph = font ? font->getGlyphData(c) : nullptr;
    return glyph ? glyph->getAdvance(1.0f) : 0.0f;
}

float Advance(const CEGUI::Font* font, const CEGUI::String& text, TextIndex first, TextIndex end)
{
    float advance = 0.0f;
    for (TextIndex i = first; i < end; ++i)
        advance += AdvanceOf(font, text[i]);
    return advance;
}

// The boundary nearest to `x` pixels from the span's start edge (its right edge when it shows
// right to left), not past its line feed.
TextIndex BoundaryAt(const CEGUI::String& text, const Span& span, float x)
{
    const TextIndex lineEnd = span.LineEnd(text);
    float pen = 0.0f;
    for (TextIndex i = span.start; i < lineEnd; ++i)
    {
        const float advance = AdvanceOf(span.font, (*span.measured)[i]);
        if (x < pen + advance / 2.0f)
            return i;
        pen += advance;
    }
    return lineEnd;
}

// The left and right edges of the characters [first, end) of the span, shown in `area`: a
// wholly selected block is measured by its area, a part of one by its glyphs.
std::pair<float, float> SelectedPart(const CEGUI::String& text, const Span& span,
                                     const CEGUI::Rectf& area, TextIndex first, TextIndex end)
{
    if (first == span.start && end == span.LineEnd(text))
        return {area.left(), area.right()};
    const float before = Advance(span.font, *span.measured, span.start, first);
    const float selected = Advance(span.font, *span.measured, first, end);
    if (span.rightToLeft)
        return {area.right() - before - selected, area.right() - before};
    return {area.left() + before, area.left() + before + selected};
}

// The end of the text of the lines before `line` (the line boundary), or `fallback`.
TextIndex EndBefore(const IRichTextView& view, const CRichTextDoc::Lines& lines, std::size_t line,
                    TextIndex fallback)
{
    const CEGUI::String& text = view.GetViewText();
    while (line-- > 0)
    {
        const CTextLine::Blocks& blocks = lines[line]->GetBlocks();
        for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        {
            const Span span = SpanOf(view, **block);
            if (span.IsText())
                return span.LineEnd(text);
        }
    }
    return fallback;
}

// How far `x` lies from the start edge of the block's span.
float FromStartEdge(const Span& span, const CEGUI::Rectf& area, float x)
{
    return span.rightToLeft ? area.right() - x : x - area.left();
}

// The boundary at the block's left or right edge.
TextIndex EdgeIndex(const CEGUI::String& text, const Span& span, bool rightEdge)
{
    return rightEdge != span.rightToLeft ? span.LineEnd(text) : span.start;
}

bool IsReordered(const CTextLine& line)
{
    return std::any_of(line.GetBlocks().begin(), line.GetBlocks().end(),
                       [](const std::unique_ptr<ITextBlock>& block)
                       { return block->GetBidiLevel() != 0; });
}

// IndexOnLine for a line whose blocks show in display order: the block under `x`, else the
// nearer edge of the line's text.
TextIndex IndexOnReorderedLine(const IRichTextView& view, const CTextLine& line, float x,
                               TextIndex before)
{
    const CEGUI::String& text = view.GetViewText();
    ITextBlock* leftmost = nullptr;
    ITextBlock* rightmost = nullptr;
    for (const std::unique_ptr<ITextBlock>& block : line.GetBlocks())
    {
        const Span span = SpanOf(view, *block);
        if (!span.IsText())
            continue;
        const CEGUI::Rectf& area = block->GetArea();
        if (area.left() <= x && x < area.right())
            return BoundaryAt(text, span, FromStartEdge(span, area, x));
        if (!leftmost || area.left() < leftmost->GetArea().left())
            leftmost = block.get();
        if (!rightmost || area.right() > rightmost->GetArea().right())
            rightmost = block.get();
    }
    if (!leftmost)
        return before;
    const bool beyondRight = x >= rightmost->GetArea().right();
    return EdgeIndex(text, SpanOf(view, beyondRight ? *rightmost : *leftmost), beyondRight);
}

TextIndex IndexOnLine(const IRichTextView& view, const CTextLine& line, float x, TextIndex before)
{
    if (IsReordered(line))
        return IndexOnReorderedLine(view, line, x, before);
    const CEGUI::String& text = view.GetViewText();
    TextIndex last = before;
    for (const std::unique_ptr<ITextBlock>& block : line.GetBlocks())
    {
        const Span span = SpanOf(view, *block);
        if (!span.IsText())
            continue;
        const CEGUI::Rectf& area = block->GetArea();
        if (x < area.left())
            return span.start;
        if (x < area.right())
            return BoundaryAt(text, span, x - area.left());
        last = span.LineEnd(text);
    }
    return last;
}

// The first line whose bottom lies below `y`.
std::size_t LineBelow(const CRichTextDoc::Lines& lines, float y)
{
    const auto found = std::upper_bound(lines.begin(), lines.end(), y,
                                        [](float value, const auto& line)
                                        { return value < line->GetArea().bottom(); });
    return static_cast<std::size_t>(found - lines.begin());
}

// An item link met while copying: its pieces in document order, whether every piece is
// selected, and where its copied characters went. Only a link whose whole name is selected is
// copied as a link; a part of a name is text.
struct LinkInCopy
{
    // Where the tag's parameter starts: the link's pieces share it; kNoText for no link.
    TextIndex commandStart = kNoText;
    std::uint32_t itemId = 0;
    bool wholeSelected = true;
    std::size_t copiedStart = 0;
    std::size_t copiedLength = 0;

    // Pieces of one tag (wrapped, or cut at an escaped brace) share its parameter, the id.
    bool Continues(TextIndex pieceCommandStart) const
    {
        return commandStart != kNoText && commandStart == pieceCommandStart;
    }

    void Start(TextIndex pieceCommandStart, std::uint32_t id, std::size_t copiedSoFar)
    {
        commandStart = pieceCommandStart;
        itemId = id;
        wholeSelected = true;
        copiedStart = copiedSoFar;
        copiedLength = 0;
    }

    // Copies the characters of [start, end) of `text` that `range` selects, as a piece of the
    // link when `isLinkPiece`.
    void Copy(const CEGUI::String& text, TextIndex start, TextIndex end, const Range& range,
              bool isLinkPiece, std::vector<CEGUI::utf32>& copied)
    {
        if (isLinkPiece)
            wholeSelected = wholeSelected && range.start <= start && end <= range.end;
        if (end <= range.start || range.end <= start)
            return;
        const TextIndex first = std::max(start, range.start);
        const TextIndex last = std::min(end, range.end);
        copied.insert(copied.end(), text.ptr() + first, text.ptr() + last);
        if (isLinkPiece)
            copiedLength += last - first;
    }

    void Finish(std::vector<CopiedLink>& links)
    {
        if (commandStart != kNoText && wholeSelected && copiedLength > 0)
            links.push_back({itemId, copiedStart, copiedLength});
        commandStart = kNoText;
    }
};

// Whether the block is a piece of an item link with a valid id. A new link starts in `link`; a
// block that is no piece of the current link finishes it.
bool TakeLinkPiece(const IRichTextView& view, ITextBlock& block, std::size_t copiedSoFar,
                   LinkInCopy& link, std::vector<CopiedLink>& links)
{
    const TextBlocks::CCmdText* piece = block.AsCmdText();
    if (!piece || piece->GetCommandKind() != TextBlocks::kItemName || !piece->HasCommand())
    {
        link.Finish(links);
        return false;
    }
    if (link.Continues(piece->GetCommandStart()))
        return true;
    link.Finish(links);
    std::uint32_t itemId = 0;
    if (!ParseUnsigned32(piece->GetCommandText(view).c_str(), itemId))
        return false;
    link.Start(piece->GetCommandStart(), itemId, copiedSoFar);
    return true;
}

static_assert(std::is_same<CEGUI::utf32, Breaks::CodePoint>::value,
              "the view's text is handed to the break stage as it is");

bool IsWhiteSpace(const CEGUI::String& text, TextIndex start, TextIndex end)
{
    return std::all_of(text.ptr() + start, text.ptr() + end,
                       [](CEGUI::utf32 c) { return u_isUWhiteSpace(static_cast<UChar32>(c)); });
}

// The word of [start, end) of `text` around `index`. Word boundaries keep a run of spaces
// together; a double click on one of them selects the space clicked, as it does a punctuation
// mark between words.
Range WordOf(const CEGUI::String& text, TextIndex start, TextIndex end, TextIndex index)
{
    const Breaks::Span word = Breaks::WordAround(text.ptr() + start, end - start, index - start);
    if (IsWhiteSpace(text, start + word.start, start + word.end))
        return Range{index, index + 1};
    return Range{start + word.start, start + word.end};
}
} // namespace

Range WholeText(const CRichTextDoc& doc)
{
    // The first text block from the front and the last from the back: a drag asks for the
    // whole text at every move, whatever the document's length.
    const CRichTextDoc::Lines& lines = doc.GetLines();
    const TextBlocks::CPlainText* first = nullptr;
    for (auto line = lines.begin(); line != lines.end() && !first; ++line)
    {
        for (const std::unique_ptr<ITextBlock>& block : (*line)->GetBlocks())
        {
            if ((first = TextBlockOf(*block)))
                break;
        }
    }
    const TextBlocks::CPlainText* last = nullptr;
    for (auto line = lines.rbegin(); line != lines.rend() && !last; ++line)
    {
        const CTextLine::Blocks& blocks = (*line)->GetBlocks();
        for (auto block = blocks.rbegin(); block != blocks.rend() && !last; ++block)
            last = TextBlockOf(**block);
    }
    if (!first || !last)
        return Range{};
    return Range{first->GetTextStart(), last->GetTextStart() + last->GetTextCount()};
}

TextIndex IndexAt(const IRichTextView& view, const CRichTextDoc& doc, const CEGUI::Vector2f& point)
{
    const CRichTextDoc::Lines& lines = doc.GetLines();
    const Range whole = WholeText(doc);
    if (lines.empty() || point.d_y < lines.front()->GetArea().top())
        return whole.start;
    const std::size_t line = LineBelow(lines, point.d_y);
    if (line == lines.size())
        return whole.end;
    return IndexOnLine(view, *lines[line], point.d_x, EndBefore(view, lines, line, whole.start));
}

Range WordAt(const IRichTextView& view, const CRichTextDoc& doc, TextIndex index)
{
    const CEGUI::String& text = view.GetViewText();
    for (const std::unique_ptr<CTextLine>& line : doc.GetLines())
    {
        for (const std::unique_ptr<ITextBlock>& block : line->GetBlocks())
        {
            const Span span = SpanOf(view, *block);
            if (!span.IsText() || index < span.start || index >= span.end)
                continue;
            const TextIndex end = span.LineEnd(text);
            if (index >= end)
                return Range{index, index};
            return WordOf(text, span.start, end, index);
        }
    }
    return Range{index, index};
}

void AppendSelectedRects(const IRichTextView& view, const CRichTextDoc& doc, const Range& range,
                         const CEGUI::Rectf& visible, std::vector<CEGUI::Rectf>& rects)
{
    if (range.IsEmpty())
        return;
    const CEGUI::String& text = view.GetViewText();
    const CRichTextDoc::Lines& lines = doc.GetLines();
    for (std::size_t i = LineBelow(lines, visible.top()); i < lines.size(); ++i)
    {
        const CEGUI::Rectf& lineArea = lines[i]->GetArea();
        if (lineArea.top() > visible.bottom())
            break;
        // Selected blocks that touch on a line make one rectangle.
        bool extending = false;
        for (const std::unique_ptr<ITextBlock>& block : lines[i]->GetBlocks())
        {
            const Span span = SpanOf(view, *block);
            if (!span.IsText() || span.end <= range.start || range.end <= span.start)
                continue;
            const TextIndex first = std::max(span.start, range.start);
            const TextIndex end = std::min(span.LineEnd(text), range.end);
            if (first >= end)
                continue;
            const auto [left, right] = SelectedPart(text, span, block->GetArea(), first, end);
            // Blocks in display order may meet on either side.
            if (extending && left <= rects.back().right() + 1.0f &&
                right >= rects.back().left() - 1.0f)
            {
                rects.back().left(std::min(rects.back().left(), left));
                rects.back().right(std::max(rects.back().right(), right));
            }
            else
                rects.emplace_back(left, lineArea.top(), right, lineArea.bottom());
            extending = true;
        }
    }
}

void AppendSelectedText(const IRichTextView& view, const CRichTextDoc& doc, const Range& range,
                        std::vector<CEGUI::utf32>& text, std::vector<CopiedLink>& links)
{
    if (range.IsEmpty())
        return;
    const CEGUI::String& viewText = view.GetViewText();
    LinkInCopy link;
    for (const std::unique_ptr<CTextLine>& line : doc.GetLines())
    {
        for (const std::unique_ptr<ITextBlock>& block : line->GetBlocks())
        {
            const Span span = SpanOf(view, *block);
            if (!span.IsText())
                continue;
            // The pieces of one link follow each other in the document.
            const bool isLinkPiece = TakeLinkPiece(view, *block, text.size(), link, links);
            link.Copy(viewText, span.start, span.end, range, isLinkPiece, text);
        }
    }
    link.Finish(links);
}

Range WholeText(const Text::Paragraph& paragraph, const CEGUI::String& markup)
{
    Range whole{kNoText, 0};
    for (const Text::Piece& piece : paragraph.Pieces())
    {
        if (const auto* run = std::get_if<Text::TextRun>(&piece))
        {
            const TextIndex end = std::min<TextIndex>(run->end, markup.length());
            whole.start = std::min<TextIndex>(whole.start, std::min<TextIndex>(run->first, end));
            whole.end = end;
        }
    }
    return whole.start == kNoText ? Range{} : whole;
}

void AppendSelectedText(const Text::Paragraph& paragraph, const CEGUI::String& markup,
                        const Range& range, std::vector<CEGUI::utf32>& text,
                        std::vector<CopiedLink>& links)
{
    if (range.IsEmpty())
        return;
    LinkInCopy link;
    for (const Text::Piece& piece : paragraph.Pieces())
    {
        // Pictures have no characters and leave a link whole, as they do in a layout.
        const auto* run = std::get_if<Text::TextRun>(&piece);
        if (!run)
            continue;
        const Text::RunStyle& style = paragraph.StyleOf(*run);
        const bool isLinkPiece = style.kind == Text::RunKind::ItemLink;
        if (!isLinkPiece)
            link.Finish(links);
        else if (!link.Continues(style.commandFirst))
        {
            link.Finish(links);
            link.Start(style.commandFirst, style.itemId, text.size());
        }
        const TextIndex end = std::min<TextIndex>(run->end, markup.length());
        link.Copy(markup, std::min<TextIndex>(run->first, end), end, range, isLinkPiece, text);
    }
    link.Finish(links);
}
} // namespace TextSelection
} // namespace ZuGUI
