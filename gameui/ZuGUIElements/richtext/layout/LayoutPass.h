// The layout pass: lays a paragraph (paragraph/Paragraph.h) out into a document's lines. It
// owns the pen's moves and the breaking of text into lines, and places text and objects one
// way: each piece at the pen, on a new line when it does not fit.
//
// Text is broken by characters or between words, as the view says (IRichTextView::
// GetLineBreak). A run is cut into pieces at line feeds, each piece into passes that fill the
// room left on the line, each pass one block (TextMeasure.h) in the run's style.
//
// Text with right-to-left letters (Bidi::ShownForms) is measured in the forms it is drawn in
// (Arabic letters joined), and a pass is cut into one block per bidirectional level, so that
// finishing a line (LineBuilder.h) can put the blocks in display order.
#pragma once

#include "ZuGUIElements/richtext/bidi/ShownForms.h"
#include "ZuGUIElements/richtext/layout/LineBreaks.h"
#include "ZuGUIElements/richtext/layout/TextMeasure.h"
#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <optional>

namespace ZuGUI
{
class IDoc;
class IRichTextView;

namespace Layout
{
class LayoutPass
{
public:
    // Lays out into `doc` for `view`, whose text the paragraph was parsed from.
    LayoutPass(IRichTextView& view, IDoc& doc);
    LayoutPass(const LayoutPass&) = delete;
    LayoutPass& operator=(const LayoutPass&) = delete;

    // Lays every piece of `paragraph` out, as one text: nothing was laid out before it. A run
    // that cannot be laid out whole (no font, no width, or one character wider than a whole
    // line) drops the rest of its stretch.
    //
    // Broken between words, a text that fits its lines needs no break opportunities: `find`
    // OnlyIfNeeded lays it out without finding them, as far as the first line that would need
    // them, and returns false there (the document is then half laid out, to be laid out again
    // with First). True when the paragraph was laid out whole.
    enum class FindBreaks
    {
        First,
        OnlyIfNeeded
    };
    bool LayOut(const Text::Paragraph& paragraph, FindBreaks find = FindBreaks::First);

private:
    bool AddText(const Text::TextRun& run, const Text::RunStyle& style);
    // A picture that does not fit the rest of the line starts a new one; a line may break on
    // either side of it.
    void AddPicture(const Text::Picture& picture);
    void MovePen(const Text::PenMove& move);

    // Lays out the characters [first, end) of `run`, which end at its end or after a line feed.
    bool LayoutPiece(const Text::TextRun& run, const Text::RunStyle& style, TextIndex first,
                     TextIndex end);
    Pass MeasurePass(TextIndex first, TextIndex end, bool mayMoveDown);
    // The break flags of the characters [run.first, end) of `run`, the run being laid out.
    StretchFlags FlagsOf(const Text::TextRun& run, TextIndex end) const;
    // Whether a line may break before the text that follows `run`, the run being laid out.
    bool BreakBeforeFollowing(const Text::TextRun& run) const;
    // The block that shows the characters [first, first + count) in `style`.
    std::unique_ptr<ITextBlock> MakeBlock(const Text::RunStyle& style, TextIndex first,
                                          TextIndex count) const;
    // Places the characters [first, first + count) of `run`, `width` pixels wide, at the pen:
    // one block, or one per bidirectional level.
    void PlaceText(const Text::TextRun& run, const Text::RunStyle& style, TextIndex first,
                   TextIndex count, float width);
    // Places `block` at the pen with the area `size`.
    void Place(std::unique_ptr<ITextBlock> block, const CEGUI::Sizef& size);
    CEGUI::Vector2f Pen() const;

    IRichTextView& m_view;
    const CEGUI::String& m_text;
    IDoc& m_doc;
    LineBreaks m_breaks;
    // The break flags of the paragraph's shown text.
    const std::vector<std::uint8_t>* m_flags = nullptr;
    // Where the run being laid out starts in the shown text.
    TextIndex m_shown = 0;
    // How the paragraph shows, and the text that is measured: its display forms, or the
    // view's text when it shows as written.
    const Bidi::ShownForms* m_forms = nullptr;
    const CEGUI::String* m_measured = nullptr;
    // The view's settings and the layout width, which a layout does not change.
    const LineBreakMode m_mode;
    const float m_restLinesIndent;
    const float m_width;
    const TextParser::ColorPair m_viewColors;
    // The view's font's metrics, for every run; none without a font.
    std::shared_ptr<GlyphMetrics> m_glyphs;
    float m_lineHeight = 0.0f;
};
} // namespace Layout
} // namespace ZuGUI
