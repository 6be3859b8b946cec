// Selecting the shown text of a laid-out document. A selection is a range of indices into the
// view's text (its markup): it covers the characters of the text blocks that lie in it, so it
// does not depend on the layout and survives the text being laid out again at another width.
// Pictures and emotes have no characters: they are never part of a selected or copied text.
// Line feeds of the text are part of it; lines that the layout wrapped are not broken.
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <CEGUI/Rect.h>
#include <CEGUI/String.h>
#include <CEGUI/Vector.h>

#include <cstdint>
#include <vector>

namespace ZuGUI
{
namespace TextBlocks
{
class CRichTextDoc;
}

namespace Text
{
class Paragraph;
}

namespace TextSelection
{
// The view text's characters [start, end).
struct Range
{
    TextIndex start = 0;
    TextIndex end = 0;

    bool IsEmpty() const { return start >= end; }
    bool operator==(const Range& other) const { return start == other.start && end == other.end; }
    bool operator!=(const Range& other) const { return !(*this == other); }
};

// An item link of a copied text: its characters [start, start + length) show item `itemId`.
struct CopiedLink
{
    std::uint32_t itemId;
    std::size_t start;
    std::size_t length;

    bool operator==(const CopiedLink& other) const
    {
        return itemId == other.itemId && start == other.start && length == other.length;
    }
};

// The characters that the text blocks cover, from the first to the last; empty without text.
Range WholeText(const TextBlocks::CRichTextDoc& doc);

// The index nearest to `point` (document pixels): above the first line the start of the text,
// below the last its end; on a line, the boundary between characters nearest to the point's x,
// before the line's first character and after its last one (never past its line feed) when the
// point lies beyond them.
TextIndex IndexAt(const IRichTextView& view, const TextBlocks::CRichTextDoc& doc,
                  const CEGUI::Vector2f& point);

// The word (Unicode word boundaries, with ICU's dictionaries for scripts written without spaces)
// of the block that holds the character at `index`: between words, the punctuation mark or the
// one space at `index`. An empty range at `index` when no block holds it or it is the block's
// closing line feed.
Range WordAt(const IRichTextView& view, const TextBlocks::CRichTextDoc& doc, TextIndex index);

// The rectangles (document pixels, each the height of its line) of the selected characters of
// each text block on the lines that meet `visible`, appended to `rects`.
void AppendSelectedRects(const IRichTextView& view, const TextBlocks::CRichTextDoc& doc,
                         const Range& range, const CEGUI::Rectf& visible,
                         std::vector<CEGUI::Rectf>& rects);

// Appends the selected characters of `range` to `text` as they are shown, and to `links` each
// item link whose whole name is selected (its position in `text`).
void AppendSelectedText(const IRichTextView& view, const TextBlocks::CRichTextDoc& doc,
                        const Range& range, std::vector<CEGUI::utf32>& text,
                        std::vector<CopiedLink>& links);
// WholeText read from the parsed text of `markup`: from its first run to its last.
Range WholeText(const Text::Paragraph& paragraph, const CEGUI::String& markup);
// The same, read from the parsed text of `markup` without a layout (a message out of sight):
// what a layout of the whole text gives.
void AppendSelectedText(const Text::Paragraph& paragraph, const CEGUI::String& markup,
                        const Range& range, std::vector<CEGUI::utf32>& text,
                        std::vector<CopiedLink>& links);

} // namespace TextSelection
} // namespace ZuGUI
