#include "ZuGUIElements/textwidgets/RichContentEdit.h"

#include <CEGUI/CoordConverter.h>
#include <CEGUI/Font.h>
#include <CEGUI/falagard/WidgetLookFeel.h>

#include "public/MarkupText.h"

#include <algorithm>
#include <vector>

namespace ZuGUI
{
const CEGUI::String CRichContentEdit::WidgetTypeName("ZuGame/RichContentEdit");
const CEGUI::String CRichContentEdit::EventNamespace("RichContentEdit");

void CRichContentEdit::RemoveTag(CRichContentTag* tag)
{
    const auto found = std::find(d_tags.begin(), d_tags.end(), tag);
    if (found != d_tags.end())
        d_tags.erase(found);
}

CRichContentTag* CRichContentEdit::FindTagAtSize(unsigned pos) const
{
    const auto found = std::find_if(d_tags.begin(), d_tags.end(),
                                    [pos](const CRichContentTag* tag)
                                    { return tag->GetStart() < pos && pos < tag->GetEnd(); });
    return found != d_tags.end() ? *found : nullptr;
}
} // namespace ZuGUI

namespace CEGUI
{
const String CRichContentEditRenderer::TypeName("ZuGame/RichContentEditRenderer");

namespace
{
// The alignment that puts text at the start edge of a right-to-left paragraph as `format` puts
// it at the start edge of a left-to-right one.
HorizontalTextFormatting Mirrored(HorizontalTextFormatting format)
{
    switch (format)
    {
    case HTF_LEFT_ALIGNED:
        return HTF_RIGHT_ALIGNED;
    case HTF_RIGHT_ALIGNED:
        return HTF_LEFT_ALIGNED;
    default:
        return format;
    }
}

// Mirrors a renderer's text formatting while it lives.
class MirroredFormattingScope
{
public:
    MirroredFormattingScope(HorizontalTextFormatting& formatting, bool mirrored)
        : d_formatting(formatting), d_kept(formatting)
    {
        if (mirrored)
            d_formatting = Mirrored(d_kept);
    }
    ~MirroredFormattingScope() { d_formatting = d_kept; }
    MirroredFormattingScope(const MirroredFormattingScope&) = delete;
    MirroredFormattingScope& operator=(const MirroredFormattingScope&) = delete;

private:
    HorizontalTextFormatting& d_formatting;
    const HorizontalTextFormatting d_kept;
};
} // namespace

size_t CRichContentEditRenderer::getTextIndexFromPosition(const Vector2f& point) const
{
    if (!ShowsInDisplayOrder())
        return FalagardEditbox::getTextIndexFromPosition(point);
    return LaidOut().PositionAt(CoordConverter::screenToWindowX(*d_window, point.d_x) -
                                d_lastLineLeft);
}

void CRichContentEditRenderer::RenderImagery()
{
    if (ShowsInDisplayOrder())
        RenderInDisplayOrder();
    else
        FalagardEditbox::render();
}

bool CRichContentEditRenderer::ShowsInDisplayOrder() const
{
    const String& text = Box().getText();
    return !Box().isTextMasked() && Box().getFont() &&
           ZuGUI::Bidi::NeedsAnalysis(text.ptr(), text.length());
}

const ZuGUI::EditLineLayout& CRichContentEditRenderer::LaidOut() const
{
    d_line.Layout(Box().getText(), *Box().getFont());
    return d_line;
}

void CRichContentEditRenderer::RenderInDisplayOrder()
{
    const WidgetLookFeel& look = getLookNFeel();
    renderBaseImagery(look);
    const ImagerySection& caret = look.getImagerySection("Caret");
    const Rectf textArea(look.getNamedArea("TextArea").getArea().getPixelRect(*d_window));
    const float caretX = LaidOut().CaretX(Box().getCaretIndex());
    const float lineOffset =
        LineOffset(textArea, caret.getBoundingRect(*d_window, textArea).getWidth(), caretX);
    d_lastLineLeft = textArea.left() + lineOffset;
    RenderSelection(look, textArea);
    RenderLine(textArea);
    renderCaret(caret, textArea, lineOffset, caretX);
}

float CRichContentEditRenderer::LineOffset(const Rectf& textArea, float caretWidth, float caretX)
{
    const float extent = Box().getFont()->getTextExtent(d_line.Shown());
    // The Falagard edit box's scrolling and alignment read d_textFormatting.
    const MirroredFormattingScope startAligned(d_textFormatting, d_line.IsRightToLeft());
    d_lastTextOffset = calculateTextOffset(textArea, extent, caretWidth,
                                           extentToCarretLogical(caretX, extent, caretWidth));
    return textOffsetVisual(textArea, extent);
}

void CRichContentEditRenderer::RenderSelection(const WidgetLookFeel& look,
                                               const Rectf& textArea) const
{
    const Editbox& box = Box();
    if (box.getSelectionLength() == 0)
        return;
    const StateImagery& imagery =
        look.getStateImagery(editboxIsFocussed() ? "ActiveSelection" : "InactiveSelection");
    for (const auto& span :
         d_line.SelectionSpans(box.getSelectionStartIndex(), box.getSelectionEndIndex()))
    {
        Rectf highlight(textArea);
        highlight.d_min.d_x = d_lastLineLeft + span.left;
        highlight.d_max.d_x = d_lastLineLeft + span.right;
        imagery.render(*d_window, highlight, nullptr, &textArea);
    }
}

void CRichContentEditRenderer::RenderLine(const Rectf& textArea) const
{
    const Editbox& box = Box();
    const Font& font = *box.getFont();
    const float alpha = d_window->getEffectiveAlpha();
    ColourRect normal;
    setColourRectToUnselectedTextColour(normal);
    normal.modulateAlpha(alpha);
    ColourRect selected;
    setColourRectToSelectedTextColour(selected);
    selected.modulateAlpha(alpha);
    const auto isSelected = [&box](const ZuGUI::EditLineLayout::Slot& slot) {
        return box.getSelectionStartIndex() <= slot.index &&
               slot.index < box.getSelectionEndIndex();
    };
    // Each run of slots that are all selected or all not is drawn as one string.
    const float top = textArea.top() + (textArea.getHeight() - font.getFontHeight()) * 0.5f;
    const auto& slots = d_line.Slots();
    for (std::size_t first = 0; first < slots.size();)
    {
        const bool runSelected = isSelected(slots[first]);
        // Collected in a vector: a CEGUI string grows to the exact size at each append.
        std::vector<utf32> run;
        std::size_t next = first;
        for (; next < slots.size() && isSelected(slots[next]) == runSelected; ++next)
        {
            if (slots[next].shown != ZuGUI::EditLineLayout::kNothingShown)
                run.push_back(slots[next].shown);
        }
        font.drawText(d_window->getGeometryBuffer(), ::MarkupText::MakeText<String>(run),
                      Vector2f(d_lastLineLeft + slots[first].x, top), &textArea,
                      runSelected ? selected : normal);
        first = next;
    }
}
} // namespace CEGUI
