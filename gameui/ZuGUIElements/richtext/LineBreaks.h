// Where a line of rich text may break between words: the break opportunities of Unicode's line
// breaking rules (libunibreak), found for one stretch of markup content at a time and only
// when a pass of it does not fit its line.
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <CEGUI/String.h>

#include <vector>

namespace ZuGUI
{
namespace TextParser
{
// How a rich text view breaks text that does not fit its line.
enum class LineBreakMode
{
    Character, // fill the line to its edge and go on with the next character
    Word,      // end the line at the last break opportunity that fits
};

class LineBreaks
{
public:
    // A new text: nothing was laid out before its first stretch.
    void StartText() { m_before = kNothingBefore; }
    // The characters [first, end) of `text` are laid out next. The text must outlive the
    // stretch.
    void StartStretch(const CEGUI::String& text, TextIndex first, TextIndex end);
    // The character laid out last, which decides whether the next stretch may break before
    // its first character: U+FFFC for a picture.
    void LaidOut(CEGUI::utf32 last) { m_before = last; }

    // Whether a line may break before `position` of the stretch, first <= position < end.
    bool AllowedBefore(TextIndex position);
    // The last position in (after, upTo] before which a line may break, or kNoText.
    TextIndex LastBefore(TextIndex after, TextIndex upTo);
    // The first position in (after, end) before which a line may break, or the stretch's end.
    TextIndex NextAfter(TextIndex after);

private:
    static constexpr CEGUI::utf32 kNothingBefore = 0;

    void FindOpportunities();

    const CEGUI::String* m_text = nullptr;
    TextIndex m_first = 0;
    TextIndex m_end = 0;
    CEGUI::utf32 m_before = kNothingBefore;
    CEGUI::utf32 m_stretchBefore = kNothingBefore;
    bool m_found = false;
    // One libunibreak flag per character of the stretch: may the line break after it.
    std::vector<char> m_after;
};
} // namespace TextParser
} // namespace ZuGUI
