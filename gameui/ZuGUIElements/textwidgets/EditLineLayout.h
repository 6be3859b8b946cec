// EditLineLayout: one line of an edit box's text as it shows, for text that needs the
// bidirectional algorithm. The paragraph takes its direction from its first strong character
// (left to right without one); its code points are put in display order, Arabic letters joined
// and brackets mirrored at right-to-left levels, and each is placed at the x (from the left end
// of the line, in pixels of the font) where the font draws it. The text itself is not changed:
// the layout maps between logical caret positions and x.
//
// The caret at logical position p stands at the trailing edge of the code point before it, the
// one last typed (the left edge of a right-to-left one, the right edge of a left-to-right one);
// at p = 0, at the paragraph's start edge. At a direction boundary it therefore stays with the
// run just typed into, as a browser's text field shows it, and jumps to the other run when the
// next character is typed there. Code points removed from display take the caret of the shown
// one before them.
#pragma once

#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <CEGUI/String.h>

#include <cstddef>
#include <vector>

namespace CEGUI
{
class Font;
}

namespace ZuGUI
{
class EditLineLayout
{
public:
    // A shown code point, in display order: the logical index it shows, the character drawn
    // for it (none for the alef of a lam-alef ligature, which its lam shows), its left x and
    // its advance.
    struct Slot
    {
        std::size_t index;
        CEGUI::utf32 shown;
        float x;
        float advance;
        bool rightToLeft;
    };

    // A horizontal piece [left, right) of the line.
    struct Span
    {
        float left;
        float right;
    };

    static constexpr CEGUI::utf32 kNothingShown = Bidi::kShownByPrevious;

    // Lays out `text` as `font` draws it.
    void Layout(const CEGUI::String& text, const CEGUI::Font& font);

    bool IsRightToLeft() const { return m_paragraph.BaseLevel() % 2 == 1; }
    const std::vector<Slot>& Slots() const { return m_slots; }
    // The characters drawn, left to right.
    const CEGUI::String& Shown() const { return m_shown; }
    // The sum of the advances.
    float Width() const { return m_width; }
    // The caret's x at logical position `position` (clamped to the text's length).
    float CaretX(std::size_t position) const;
    // The logical position whose caret is nearest to `x`; the first one of equally near ones.
    std::size_t PositionAt(float x) const;
    // The pieces of the line that show the code points [start, end), left to right; adjacent
    // code points make one piece, and pieces of no width are left out.
    std::vector<Span> SelectionSpans(std::size_t start, std::size_t end) const;

private:
    void PlaceSlots(const CEGUI::String& text, const CEGUI::Font& font);
    void PlaceCarets(std::size_t length);

    Bidi::Paragraph m_paragraph;
    std::vector<std::size_t> m_order;
    std::vector<Bidi::CodePoint> m_joined;
    std::vector<Slot> m_slots;
    // The caret's x at each logical position, 0 to the length.
    std::vector<float> m_caretX{0.0f};
    CEGUI::String m_shown;
    float m_width = 0;
};
} // namespace ZuGUI
