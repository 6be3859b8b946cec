// Where a line of rich text may break: the break opportunities and grapheme cluster starts that
// the break stage found for a document's shown text (breaks/UnicodeBreaks.h), read for one
// stretch of text at a time, and the runs of spaces that hang past a line's end.
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

#include <cstdint>
#include <vector>

namespace ZuGUI
{
namespace Layout
{
// The break flags (Breaks::BreakFlag) of the characters [first, end) of a text: flags[0] is
// the flag of character `first`.
struct StretchFlags
{
    const std::uint8_t* flags = nullptr;
    TextIndex first = 0;
    TextIndex end = 0;

    // Whether `flag` is set for the character at `position`; false outside the stretch.
    bool Has(TextIndex position, std::uint8_t flag) const
    {
        return flags && position >= first && position < end && (flags[position - first] & flag);
    }
    // Whether a grapheme cluster starts at `position`: true at the stretch's end and without
    // flags, where nothing joins characters.
    bool ClusterStartsAt(TextIndex position) const;
    // The largest count <= `count` of the characters from `from` that ends at a cluster start.
    TextIndex WholeClusters(TextIndex from, TextIndex count) const;
};

class LineBreaks
{
public:
    // The characters [first, end) of `text` are laid out next, with their break flags in
    // `flags`; plain text goes on after them at `following` (kNoText: a tag, a line feed or
    // nothing follows), and `breakBeforeFollowing` says whether a line may break before it.
    // The text and the flags must outlive the stretch.
    void StartStretch(const CEGUI::String& text, const StretchFlags& flags, TextIndex following,
                      bool breakBeforeFollowing);
    // The flags of the stretches that follow are not found yet: the layout goes on without
    // them while nothing asks where a line may break, and is laid out again with them when
    // something does (FlagsWanted).
    void AwaitFlags(bool awaited) { m_flagsAwaited = awaited; }
    bool FlagsWanted() const { return m_flagsWanted; }
    TextIndex StretchEnd() const { return m_flags.end; }
    const StretchFlags& Flags() const
    {
        WantFlags();
        return m_flags;
    }

    // Whether a line may break before `position` of the stretch, first <= position < end.
    bool AllowedBefore(TextIndex position) const;
    // The last position in (after, upTo] before which a line may break, or kNoText.
    TextIndex LastBefore(TextIndex after, TextIndex upTo);
    // The first position in (after, end) before which a line may break, or the stretch's end.
    TextIndex NextAfter(TextIndex after);
    // The character after the stretch when plain text goes on there, or kNoText.
    TextIndex Following() const;
    // The character after the stretch when no line may break before it (a "?" after an item
    // link), which then stays on the stretch's last line; kNoText otherwise.
    TextIndex GluedFollowing() const;

    // Spaces hang past the end of a line. The first position in [from, end) of the stretch
    // that is not a space, or `end`.
    TextIndex SkipSpaces(TextIndex from, TextIndex end) const;
    // The end of [first, end) of the stretch without the spaces at its end.
    TextIndex TrimSpaces(TextIndex first, TextIndex end) const;

private:
    // Positions of the stretch, half-open.
    struct Range
    {
        TextIndex first = 0;
        TextIndex end = 0;

        bool Holds(TextIndex position) const { return position >= first && position < end; }
        // Joins `other` when the two overlap or touch; otherwise becomes it.
        void Remember(const Range& other);
    };

    // Where the run of spaces that ends before `position` starts: `position` when the
    // character before it is not a space, never before the stretch.
    TextIndex SpacesStartBefore(TextIndex position) const;
    // Finds the stretch's runs of two or more spaces, the first time that one is looked for:
    // most stretches fit their line.
    void FindSpaceRuns() const;
    // Notes that break flags were read while they were awaited.
    void WantFlags() const { m_flagsWanted = m_flagsWanted || m_flagsAwaited; }
    // The run of two or more spaces that holds `position`, or null.
    const Range* SpaceRunAt(TextIndex position) const;

    const CEGUI::String* m_text = nullptr;
    // The stretch [first, end) and its flags.
    StretchFlags m_flags;
    TextIndex m_following = kNoText;
    bool m_breakBeforeFollowing = true;
    // Of the current stretch: its runs of two or more spaces, in order (a single space is read
    // from the text), and the last positions found where no line may break before.
    mutable std::vector<Range> m_spaceRuns;
    mutable bool m_spaceRunsFound = false;
    bool m_flagsAwaited = false;
    mutable bool m_flagsWanted = false;
    Range m_noBreaks;
};
} // namespace Layout
} // namespace ZuGUI
