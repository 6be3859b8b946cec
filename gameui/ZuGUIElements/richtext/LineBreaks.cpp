#include "ZuGUIElements/richtext/LineBreaks.h"

#include <linebreak.h>

#include <algorithm>
#include <iterator>
#include <mutex>
#include <type_traits>

namespace ZuGUI
{
namespace TextParser
{
namespace
{
static_assert(sizeof(CEGUI::utf32) == sizeof(utf32_t) && std::is_unsigned_v<CEGUI::utf32>,
              "CEGUI's characters are libunibreak's UTF-32 code units");

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, init_linebreak);
}

bool IsBreak(char flag)
{
    // A mandatory break ends a line only at a line feed, which the layout handles itself:
    // elsewhere (a carriage return, a line separator) it is one more place to break.
    return flag == LINEBREAK_ALLOWBREAK || flag == LINEBREAK_MUSTBREAK;
}
// Whether a line may break between two characters of different stretches. A letter goes
// ahead of them: libunibreak sees no break after a space that starts its text.
bool BreakBetween(CEGUI::utf32 before, CEGUI::utf32 after)
{
    InitLibrary();
    const utf32_t context[] = {'a', before, after};
    char flags[std::size(context)];
    set_linebreaks_utf32(context, std::size(context), nullptr, flags);
    return IsBreak(flags[1]);
}
} // namespace

void LineBreaks::StartStretch(const CEGUI::String& text, TextIndex first, TextIndex end)
{
    m_text = &text;
    m_first = first;
    m_end = std::min(end, text.length());
    m_stretchBefore = m_before;
    m_found = false;
}

void LineBreaks::FindOpportunities()
{
    if (m_found)
        return;
    m_found = true;
    m_after.resize(m_end - m_first);
    if (m_after.empty())
        return;
    InitLibrary();
    set_linebreaks_utf32(reinterpret_cast<const utf32_t*>(m_text->ptr() + m_first),
                         m_after.size(), nullptr, m_after.data());
}

bool LineBreaks::AllowedBefore(TextIndex position)
{
    if (!m_text || position < m_first || position >= m_end)
        return false;
    if (position == m_first)
    {
        // The character before lies in another stretch, or there is none (no break at the
        // start of the text).
        return m_stretchBefore != kNothingBefore &&
               BreakBetween(m_stretchBefore, (*m_text)[position]);
    }
    FindOpportunities();
    return IsBreak(m_after[position - 1 - m_first]);
}

TextIndex LineBreaks::LastBefore(TextIndex after, TextIndex upTo)
{
    if (m_end <= m_first)
        return kNoText;
    upTo = std::min(upTo, m_end - 1);
    for (TextIndex position = upTo; position > after && position > m_first; --position)
    {
        if (AllowedBefore(position))
            return position;
    }
    return kNoText;
}

TextIndex LineBreaks::NextAfter(TextIndex after)
{
    for (TextIndex position = after + 1; position < m_end; ++position)
    {
        if (AllowedBefore(position))
            return position;
    }
    return m_end;
}
} // namespace TextParser
} // namespace ZuGUI
