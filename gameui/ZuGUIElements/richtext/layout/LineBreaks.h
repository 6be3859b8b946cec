// Where a line of rich text may break between words: the break opportunities of Unicode's line
// breaking rules, as libunibreak finds them, asked for only where a pass does not fit its line.
//
// libunibreak decides the break before a character from that character, the one before it and
// the last one before that which is not a space (a run of spaces counts as one). The layout asks
// for those three characters only, and remembers each answer: a layout asks about the same few
// letter and punctuation triples again and again, and asking libunibreak costs more than
// measuring the text.
//
// Each pass of a long line asks again about the same stretch: where the runs of spaces around
// its start, its end and the next word start and end, and whether a break lies between its
// start and the last character that fits. The stretch finds its runs of spaces once, when it
// starts, and remembers the last range known to hold no break, so that a pass costs what it
// takes from the text however long the runs of spaces or the word that it is in (time linear
// in the stretch).
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"

#include <CEGUI/String.h>

#include <array>
#include <cstdint>
#include <vector>

namespace ZuGUI
{
namespace Layout
{
class LineBreaks
{
public:
    // A new text: nothing was laid out before its first stretch.
    void StartText();
    // The characters [first, end) of `text` are laid out next, with plain text going on after
    // them at `following` (kNoText: a tag, a line feed or nothing follows). The text must
    // outlive the stretch.
    void StartStretch(const CEGUI::String& text, TextIndex first, TextIndex end,
                      TextIndex following);
    TextIndex StretchEnd() const { return m_end; }
    // The characters [first, end) of the stretch were laid out: the context of the next
    // stretch's first break.
    void LaidOut(TextIndex first, TextIndex end);
    // An embedded object (a picture) was laid out: a line may break on either side of it.
    void LaidOutObject();

    // Whether a line may break before `position` of the stretch, first <= position < end.
    bool AllowedBefore(TextIndex position);
    // The last position in (after, upTo] before which a line may break, or kNoText.
    TextIndex LastBefore(TextIndex after, TextIndex upTo);
    // The first position in (after, end) before which a line may break, or the stretch's end.
    TextIndex NextAfter(TextIndex after);
    // The character after the stretch when no line may break before it (a "?" after an item
    // link), which then stays on the stretch's last line; kNoText otherwise.
    TextIndex GluedFollowing();

    // Spaces hang past the end of a line. The first position in [from, end) of the stretch
    // that is not a space, or `end`.
    TextIndex SkipSpaces(TextIndex from, TextIndex end);
    // The end of [first, end) of the stretch without the spaces at its end.
    TextIndex TrimSpaces(TextIndex first, TextIndex end);

private:
    // The characters that decide a break: the one after it, the one before it, and the last
    // one before that which is not a space.
    struct Context
    {
        CEGUI::utf32 beforeThat;
        CEGUI::utf32 before;
        CEGUI::utf32 after;
    };
    // The context stands for "nothing before": no break at the start of the text.
    static constexpr CEGUI::utf32 kNothing = 0;

    // Positions of the stretch, half-open.
    struct Range
    {
        TextIndex first = 0;
        TextIndex end = 0;

        bool Holds(TextIndex position) const { return position >= first && position < end; }
        // Joins `other` when the two overlap or touch; otherwise becomes it.
        void Remember(const Range& other);
    };

    // The context of a break before `position` of the stretch, or at its end before `after`.
    Context ContextAt(TextIndex position, CEGUI::utf32 after);
    // The last character before `position` of the stretch that is not a space, searching
    // back into what was laid out before the stretch.
    CEGUI::utf32 LastNonSpaceBefore(TextIndex position);
    // Where the run of spaces that ends before `position` starts: `position` when the
    // character before it is not a space, never before the stretch.
    TextIndex SpacesStartBefore(TextIndex position);
    // Finds the stretch's runs of two or more spaces.
    void FindSpaceRuns();
    // The run of two or more spaces that holds `position`, or null.
    const Range* SpaceRunAt(TextIndex position) const;
    bool Decide(const Context& context);

    const CEGUI::String* m_text = nullptr;
    TextIndex m_first = 0;
    TextIndex m_end = 0;
    TextIndex m_following = kNoText;
    // What was laid out before the current stretch, and before the next one.
    CEGUI::utf32 m_stretchLast = kNothing;
    CEGUI::utf32 m_stretchLastNonSpace = kNothing;
    CEGUI::utf32 m_last = kNothing;
    CEGUI::utf32 m_lastNonSpace = kNothing;
    // Of the current stretch: its runs of two or more spaces, in order (a single space is read
    // from the text), and the last positions found where no line may break before.
    std::vector<Range> m_spaceRuns;
    Range m_noBreaks;

    // libunibreak's answers by context, direct-mapped: a collision asks again.
    struct Answer
    {
        std::uint64_t key = 0; // 0: empty
        bool allowed = false;
    };
    static constexpr std::size_t kAnswers = 1024;
    std::array<Answer, kAnswers> m_answers{};
};
} // namespace Layout
} // namespace ZuGUI
