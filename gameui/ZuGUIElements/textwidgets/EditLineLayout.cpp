#include "ZuGUIElements/textwidgets/EditLineLayout.h"

#include "public/MarkupText.h"

#include <CEGUI/Font.h>
#include <CEGUI/FontGlyph.h>

#include <algorithm>
#include <cmath>

namespace ZuGUI
{
namespace
{
float AdvanceOf(const CEGUI::Font& font, CEGUI::utf32 shown)
{
    if (shown == EditLineLayout::kNothingShown)
        return 0;
    const CEGUI::FontGlyph* glyph = font.getGlyphData(shown);
    return glyph ? glyph->getAdvance(1.0f) : 0;
}

float TrailingEdge(const EditLineLayout::Slot& slot)
{
    return slot.rightToLeft ? slot.x : slot.x + slot.advance;
}
} // namespace

void EditLineLayout::Layout(const CEGUI::String& text, const CEGUI::Font& font)
{
    PlaceSlots(text, font);
    PlaceCarets(text.length());
}

void EditLineLayout::PlaceSlots(const CEGUI::String& text, const CEGUI::Font& font)
{
    const std::size_t length = text.length();
    m_paragraph.Analyse(text.ptr(), length, Bidi::Direction::Auto);
    m_paragraph.LineOrder(0, length, m_order);
    Bidi::JoinArabicLetters(text.ptr(), length, m_joined);
    m_slots.clear();
    // Collected in a vector: a CEGUI string grows to the exact size at each append.
    std::vector<CEGUI::utf32> shownCharacters;
    shownCharacters.reserve(m_order.size());
    float x = 0;
    for (const std::size_t index : m_order)
    {
        const Bidi::Level level = m_paragraph.LevelAt(index);
        const Bidi::CodePoint joined = m_joined[index];
        const CEGUI::utf32 shown =
            joined == Bidi::kShownByPrevious ? kNothingShown : Bidi::Shown(joined, level);
        const float advance = AdvanceOf(font, shown);
        m_slots.push_back({index, shown, x, advance, level % 2 == 1});
        if (shown != kNothingShown)
            shownCharacters.push_back(shown);
        x += advance;
    }
    m_shown = MarkupText::MakeText<CEGUI::String>(shownCharacters);
    m_width = x;
}

void EditLineLayout::PlaceCarets(std::size_t length)
{
    std::vector<const Slot*> slotOf(length, nullptr);
    for (const Slot& slot : m_slots)
        slotOf[slot.index] = &slot;
    m_caretX.resize(length + 1);
    float caret = IsRightToLeft() ? m_width : 0;
    m_caretX[0] = caret;
    for (std::size_t index = 0; index < length; ++index)
    {
        if (slotOf[index])
            caret = TrailingEdge(*slotOf[index]);
        m_caretX[index + 1] = caret;
    }
}

float EditLineLayout::CaretX(std::size_t position) const
{
    return m_caretX[std::min(position, m_caretX.size() - 1)];
}

std::size_t EditLineLayout::PositionAt(float x) const
{
    const auto nearest = std::min_element(m_caretX.begin(), m_caretX.end(),
                                          [x](float left, float right)
                                          { return std::fabs(left - x) < std::fabs(right - x); });
    return static_cast<std::size_t>(nearest - m_caretX.begin());
}

std::vector<EditLineLayout::Span> EditLineLayout::SelectionSpans(std::size_t start,
                                                                 std::size_t end) const
{
    std::vector<Span> spans;
    bool extending = false;
    for (const Slot& slot : m_slots)
    {
        const bool selected = start <= slot.index && slot.index < end;
        if (selected && extending)
            spans.back().right = slot.x + slot.advance;
        else if (selected)
            spans.push_back({slot.x, slot.x + slot.advance});
        extending = selected;
    }
    spans.erase(std::remove_if(spans.begin(), spans.end(),
                               [](const Span& span) { return span.right <= span.left; }),
                spans.end());
    return spans;
}
} // namespace ZuGUI
