#include "ZuGUIElements/richtext/layout/LineBreaks.h"

#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"

#include <algorithm>
#include <iterator>

namespace ZuGUI
{
namespace Layout
{
namespace
{
constexpr CEGUI::utf32 kSpace = ' ';
} // namespace

bool StretchFlags::ClusterStartsAt(TextIndex position) const
{
    return !flags || position < first || position >= end ||
           (flags[position - first] & Breaks::kClusterStart);
}

TextIndex StretchFlags::WholeClusters(TextIndex from, TextIndex count) const
{
    while (count > 0 && !ClusterStartsAt(from + count))
        --count;
    return count;
}

void LineBreaks::StartStretch(const CEGUI::String& text, const StretchFlags& flags,
                              TextIndex following, bool breakBeforeFollowing)
{
    m_text = &text;
    m_flags = flags;
    m_flags.end = std::min(flags.end, text.length());
    m_following = following < text.length() ? following : kNoText;
    m_breakBeforeFollowing = breakBeforeFollowing;
    m_noBreaks = Range{};
    m_spaceRunsFound = false;
}

void LineBreaks::FindSpaceRuns() const
{
    m_spaceRunsFound = true;
    m_spaceRuns.clear();
    for (TextIndex i = m_flags.first; i < m_flags.end; ++i)
    {
        if ((*m_text)[i] != kSpace)
            continue;
        const TextIndex start = i;
        while (i < m_flags.end && (*m_text)[i] == kSpace)
            ++i;
        if (i - start >= 2)
            m_spaceRuns.push_back(Range{start, i});
    }
}

const LineBreaks::Range* LineBreaks::SpaceRunAt(TextIndex position) const
{
    if (!m_spaceRunsFound)
        FindSpaceRuns();
    // The last run that starts at or before the position.
    const auto after =
        std::upper_bound(m_spaceRuns.begin(), m_spaceRuns.end(), position,
                         [](TextIndex value, const Range& run) { return value < run.first; });
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

TextIndex LineBreaks::SpacesStartBefore(TextIndex position) const
{
    if (position <= m_flags.first || position > m_flags.end || (*m_text)[position - 1] != kSpace)
        return position;
    const Range* run = SpaceRunAt(position - 1);
    return run ? run->first : position - 1;
}

TextIndex LineBreaks::SkipSpaces(TextIndex from, TextIndex end) const
{
    if (!m_text)
        return from;
    end = std::min(end, m_flags.end);
    if (from < m_flags.first || from >= end || (*m_text)[from] != kSpace)
        return from;
    const Range* run = SpaceRunAt(from);
    return run ? std::min(run->end, end) : from + 1;
}

TextIndex LineBreaks::TrimSpaces(TextIndex first, TextIndex end) const
{
    if (!m_text || end <= first || end > m_flags.end || first < m_flags.first)
        return end;
    return std::max(first, SpacesStartBefore(end));
}

bool LineBreaks::AllowedBefore(TextIndex position) const
{
    WantFlags();
    return m_text && position < m_flags.end && m_flags.Has(position, Breaks::kLineBreakBefore);
}

TextIndex LineBreaks::Following() const
{
    return m_text && m_flags.end > m_flags.first ? m_following : kNoText;
}

TextIndex LineBreaks::GluedFollowing() const
{
    if (Following() == kNoText)
        return kNoText;
    WantFlags();
    return m_breakBeforeFollowing ? kNoText : m_following;
}

TextIndex LineBreaks::LastBefore(TextIndex after, TextIndex upTo)
{
    if (m_flags.end <= m_flags.first)
        return kNoText;
    upTo = std::min(upTo, m_flags.end - 1);
    const TextIndex floor = std::max(after, m_flags.first);
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
    if (after >= m_flags.end)
        return m_flags.end;
    TextIndex position = after + 1;
    for (; position < m_flags.end; ++position)
    {
        if (m_noBreaks.Holds(position))
            position = m_noBreaks.end; // checked next, unless it is the end
        if (position < m_flags.end && AllowedBefore(position))
            break;
    }
    position = std::min(position, m_flags.end);
    m_noBreaks.Remember(Range{after + 1, position});
    return position;
}
} // namespace Layout
} // namespace ZuGUI
