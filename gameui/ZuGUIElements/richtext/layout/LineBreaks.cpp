#include "ZuGUIElements/richtext/layout/LineBreaks.h"

#include <linebreak.h>

#include <algorithm>
#include <iterator>
#include <mutex>
#include <type_traits>

namespace ZuGUI
{
namespace Layout
{
namespace
{
static_assert(sizeof(CEGUI::utf32) == sizeof(utf32_t) && std::is_unsigned_v<CEGUI::utf32>,
              "CEGUI's characters are libunibreak's UTF-32 code units");

constexpr CEGUI::utf32 kSpace = ' ';
constexpr CEGUI::utf32 kObjectReplacement = 0xFFFC;
// A letter: the neutral context where the character before that is not known.
constexpr CEGUI::utf32 kLetter = 'a';
constexpr CEGUI::utf32 kLastCodePoint = 0x10FFFF;
constexpr CEGUI::utf32 kReplacement = 0xFFFD;

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, init_linebreak);
}

constexpr CEGUI::utf32 kFirstRegionalIndicator = 0x1F1E6;
constexpr CEGUI::utf32 kLastRegionalIndicator = 0x1F1FF;

// libunibreak's end-of-text mark among its characters.
constexpr CEGUI::utf32 kLibraryEndOfText = 0xFFFF;

// What libunibreak is asked about for `c`. Debian's libunibreak 1.1 aborts on two kinds of
// character: the regional indicators (the letters of flags), which have no pair rule there and
// are asked about as letters, keeping the two of a flag together; and U+FFFF, its end-of-text
// mark, which is a noncharacter and asked about as U+FFFD, as are values past Unicode.
CEGUI::utf32 Askable(CEGUI::utf32 c)
{
    if (c >= kFirstRegionalIndicator && c <= kLastRegionalIndicator)
        return kLetter;
    return c > kLastCodePoint || c == kLibraryEndOfText ? kReplacement : c;
}

bool IsBreak(char flag)
{
    // A mandatory break ends a line only at a line feed, which the layout handles itself:
    // elsewhere (a carriage return, a line separator) it is one more place to break.
    return flag == LINEBREAK_ALLOWBREAK || flag == LINEBREAK_MUSTBREAK;
}
} // namespace

void LineBreaks::StartText()
{
    m_last = kNothing;
    m_lastNonSpace = kNothing;
}

void LineBreaks::StartStretch(const CEGUI::String& text, TextIndex first, TextIndex end,
                              TextIndex following)
{
    m_text = &text;
    m_first = first;
    m_end = std::min(end, text.length());
    m_following = following < text.length() ? following : kNoText;
    m_stretchLast = m_last;
    m_stretchLastNonSpace = m_lastNonSpace;
    m_noBreaks = Range{};
    FindSpaceRuns();
}

void LineBreaks::FindSpaceRuns()
{
    m_spaceRuns.clear();
    for (TextIndex i = m_first; i < m_end; ++i)
    {
        if ((*m_text)[i] != kSpace)
            continue;
        const TextIndex start = i;
        while (i < m_end && (*m_text)[i] == kSpace)
            ++i;
        if (i - start >= 2)
            m_spaceRuns.push_back(Range{start, i});
    }
}

const LineBreaks::Range* LineBreaks::SpaceRunAt(TextIndex position) const
{
    // The last run that starts at or before the position.
    const auto after = std::upper_bound(m_spaceRuns.begin(), m_spaceRuns.end(), position,
                                        [](TextIndex value, const Range& run)
                                        { return value < run.first; });
    if (after == m_spaceRuns.begin())
        return nullptr;
    const Range& run = *std::prev(after);
    return run.Holds(position) ? &run : nullptr;
}

void LineBreaks::Range::Remember(const Range& other)
{
    if (other.first >= other.end)
        return;
    if (other.first <= end && other.end >= first && first < end)
        *this = Range{std::min(first, other.first), std::max(end, other.end)};
    else
        *this = other;
}

void LineBreaks::LaidOut(TextIndex first, TextIndex end)
{
    if (!m_text || first >= end || first < m_first || end > m_end)
        return;
    m_last = (*m_text)[end - 1];
    const TextIndex spacesStart = SpacesStartBefore(end);
    if (spacesStart > first)
        m_lastNonSpace = (*m_text)[spacesStart - 1];
}

void LineBreaks::LaidOutObject()
{
    m_last = kObjectReplacement;
    m_lastNonSpace = kObjectReplacement;
}

TextIndex LineBreaks::SpacesStartBefore(TextIndex position)
{
    if (position <= m_first || position > m_end || (*m_text)[position - 1] != kSpace)
        return position;
    const Range* run = SpaceRunAt(position - 1);
    return run ? run->first : position - 1;
}

TextIndex LineBreaks::SkipSpaces(TextIndex from, TextIndex end)
{
    if (!m_text)
        return from;
    end = std::min(end, m_end);
    if (from < m_first || from >= end || (*m_text)[from] != kSpace)
        return from;
    const Range* run = SpaceRunAt(from);
    return run ? std::min(run->end, end) : from + 1;
}

TextIndex LineBreaks::TrimSpaces(TextIndex first, TextIndex end)
{
    if (!m_text || end <= first || end > m_end || first < m_first)
        return end;
    return std::max(first, SpacesStartBefore(end));
}

CEGUI::utf32 LineBreaks::LastNonSpaceBefore(TextIndex position)
{
    const TextIndex start = SpacesStartBefore(position);
    if (start > m_first)
        return (*m_text)[start - 1];
    return m_stretchLast != kSpace ? m_stretchLast : m_stretchLastNonSpace;
}

LineBreaks::Context LineBreaks::ContextAt(TextIndex position, CEGUI::utf32 after)
{
    Context context{kNothing, kNothing, after};
    if (position > m_first)
    {
        context.before = (*m_text)[position - 1];
        context.beforeThat = context.before == kSpace ? LastNonSpaceBefore(position - 1)
                             : position - 1 > m_first ? (*m_text)[position - 2]
                                                      : m_stretchLast;
    }
    else
    {
        context.before = m_stretchLast;
        context.beforeThat = m_stretchLast == kSpace ? m_stretchLastNonSpace : kNothing;
    }
    return context;
}

bool LineBreaks::Decide(const Context& context)
{
    if (context.before == kNothing)
        return false; // no break at the start of the text
    const utf32_t triple[] = {
        Askable(context.beforeThat == kNothing ? kLetter : context.beforeThat),
        Askable(context.before), Askable(context.after)};
    // 21 bits per code point, and never 0 for a filled answer.
    const std::uint64_t key = ((std::uint64_t(triple[0]) << 42) | (std::uint64_t(triple[1]) << 21) |
                               std::uint64_t(triple[2])) +
                              1;
    Answer& answer = m_answers[(key * 0x9E3779B97F4A7C15ull) >> 54];
    if (answer.key != key)
    {
        InitLibrary();
        char flags[std::size(triple)];
        set_linebreaks_utf32(triple, std::size(triple), nullptr, flags);
        answer = Answer{key, IsBreak(flags[1])};
    }
    return answer.allowed;
}

bool LineBreaks::AllowedBefore(TextIndex position)
{
    if (!m_text || position < m_first || position >= m_end)
        return false;
    return Decide(ContextAt(position, (*m_text)[position]));
}

TextIndex LineBreaks::GluedFollowing()
{
    if (!m_text || m_following == kNoText || m_end <= m_first)
        return kNoText;
    return Decide(ContextAt(m_end, (*m_text)[m_following])) ? kNoText : m_following;
}

TextIndex LineBreaks::LastBefore(TextIndex after, TextIndex upTo)
{
    if (m_end <= m_first)
        return kNoText;
    upTo = std::min(upTo, m_end - 1);
    const TextIndex floor = std::max(after, m_first);
    for (TextIndex position = upTo; position > floor; --position)
    {
        if (m_noBreaks.Holds(position))
        {
            if (m_noBreaks.first <= floor + 1)
                break; // no break down to the floor
            position = m_noBreaks.first - 1;
        }
        if (AllowedBefore(position))
        {
            m_noBreaks.Remember(Range{position + 1, upTo + 1});
            return position;
        }
    }
    if (upTo > floor)
        m_noBreaks.Remember(Range{floor + 1, upTo + 1});
    return kNoText;
}

TextIndex LineBreaks::NextAfter(TextIndex after)
{
    if (after >= m_end)
        return m_end;
    TextIndex position = after + 1;
    for (; position < m_end; ++position)
    {
        if (m_noBreaks.Holds(position))
            position = m_noBreaks.end; // checked next, unless it is the end
        if (position < m_end && AllowedBefore(position))
            break;
    }
    position = std::min(position, m_end);
    m_noBreaks.Remember(Range{after + 1, position});
    return position;
}
} // namespace Layout
} // namespace ZuGUI
