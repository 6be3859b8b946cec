// The layout pass: lays the runs that the parsers make out into a document's lines. It owns
// the pen's moves and the breaking of text into lines, and places text and objects one way:
// each piece at the pen, on a new line when it does not fit.
//
// Text is broken by characters or between words, as the view says (IRichTextView::
// GetLineBreak). A run is cut into pieces at line feeds, each piece into passes that fill the
// room left on the line, each pass one block (TextMeasure.h).
#pragma once

#include "ZuGUIElements/richtext/layout/LineBreaks.h"
#include "ZuGUIElements/richtext/layout/Runs.h"
#include "ZuGUIElements/richtext/layout/TextMeasure.h"

#include <optional>

namespace ZuGUI
{
class IDoc;
class IRichTextView;

namespace Layout
{
class LayoutPass final : public IRunSink
{
public:
    // Lays runs of `text`, the view's text, out into `doc` for `view`, as one text: nothing was
    // laid out before the first run. `breaks` keeps what it learns about break opportunities
    // from pass to pass.
    LayoutPass(IRichTextView& view, const CEGUI::String& text, IDoc& doc, LineBreaks& breaks);
    LayoutPass(const LayoutPass&) = delete;
    LayoutPass& operator=(const LayoutPass&) = delete;

    bool AddText(const TextRun& run) override;
    // A picture that does not fit the rest of the line starts a new one; a line may break on
    // either side of it.
    void AddPicture(std::unique_ptr<TextBlocks::CPictureBlock> picture) override;
    void MovePen(std::optional<float> x, std::optional<float> y) override;
    void SetLineBackground(int set, int index) override;

private:
    // Lays out the characters [first, end) of `run`, which end at its end or after a line feed.
    bool LayoutPiece(const TextRun& run, TextIndex first, TextIndex end);
    Pass MeasurePass(TextIndex first, TextIndex end, bool mayMoveDown);
    // Places `block` at the pen with the area `size`.
    void Place(std::unique_ptr<ITextBlock> block, const CEGUI::Sizef& size);
    CEGUI::Vector2f Pen() const;

    IRichTextView& m_view;
    const CEGUI::String& m_text;
    IDoc& m_doc;
    LineBreaks& m_breaks;
    // The view's settings and the layout width, which a parse does not change.
    const LineBreakMode m_mode;
    const float m_restLinesIndent;
    const float m_width;
    // The view's font, looked up once for every run; none without a font.
    std::optional<GlyphMetrics> m_glyphs;
    float m_lineHeight = 0.0f;
};
} // namespace Layout
} // namespace ZuGUI
