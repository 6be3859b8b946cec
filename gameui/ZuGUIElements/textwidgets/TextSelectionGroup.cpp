#include "ZuGUIElements/textwidgets/TextSelectionGroup.h"

#include "ZuGUIElements/richtext/Utf8String.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "public/MarkupText.h"

#include <CEGUI/widgets/Scrollbar.h>

#include <algorithm>
#include <cmath>

namespace ZuGUI
{
bool TextSelectionGroup::EndAt(const CEGUI::Vector2f& screenPoint, End& end) const
{
    const std::vector<ShownMessage> shown = ShownMessages();
    if (shown.empty())
        return false;
    const ShownMessage* chosen = &shown.front();
    for (const ShownMessage& candidate : shown)
    {
        if (candidate.view->getUnclippedOuterRect().get().top() <= screenPoint.d_y)
            chosen = &candidate;
    }
    end = End{chosen->message, chosen->view->TextIndexAt(screenPoint)};
    return true;
}

void TextSelectionGroup::Select(const End& anchor, const End& focus)
{
    m_anchor = anchor;
    m_focus = focus;
    m_active = true;
    ShowInViews();
}

void TextSelectionGroup::SelectFrom(const CEGUI::Vector2f& screenPoint)
{
    End end;
    if (EndAt(screenPoint, end))
        Select(end, end);
}

void TextSelectionGroup::ExtendTo(const CEGUI::Vector2f& screenPoint)
{
    End end;
    if (!EndAt(screenPoint, end))
        return;
    // A selection whose first end went with its message (expired, cleared) starts again here.
    Select(m_active && IsKept(m_anchor.message) ? m_anchor : end, end);
}

bool TextSelectionGroup::IsKept(std::uint64_t message) const
{
    const std::vector<ShownMessage> shown = ShownMessages();
    return std::any_of(shown.begin(), shown.end(),
                       [message](const ShownMessage& candidate)
                       { return candidate.message == message; });
}

void TextSelectionGroup::DragTo(const CEGUI::Vector2f& screenPoint)
{
    const CEGUI::Rectf area = ShownArea();
    const VerticalScroll scroll = ShownScroll();
    // Half a pixel of slack for the scroll positions' rounding.
    const bool hiddenAbove = scroll.position > 0.5f;
    const bool hiddenBelow = scroll.position + scroll.page < scroll.length - 0.5f;
    CEGUI::Vector2f point = screenPoint;
    if (hiddenAbove && point.d_y < area.top())
        point.d_y = area.top();
    // Inside the bottom edge, which belongs to what lies below it.
    if (hiddenBelow && point.d_y >= area.bottom())
        point.d_y = std::max(area.top(), std::nextafter(area.bottom(), area.top()));
    ExtendTo(point);
}

bool TextSelectionGroup::ScrollTowards(const CEGUI::Vector2f& screenPoint, float elapsed)
{
    // Pixels a second for each pixel the pointer is past the edge, from a slow start to a
    // page-flinging top speed.
    constexpr float kSpeedPerPixel = 12.0f;
    constexpr float kSlowest = 60.0f;
    constexpr float kFastest = 3000.0f;
    constexpr float kLongestStep = 0.25f;
    const CEGUI::Rectf area = ShownArea();
    const float beyond = screenPoint.d_y < area.top()      ? screenPoint.d_y - area.top()
                         : screenPoint.d_y > area.bottom() ? screenPoint.d_y - area.bottom()
                                                           : 0.0f;
    if (beyond == 0.0f || !(elapsed > 0.0f))
        return false;
    const float speed = std::min(kFastest, kSlowest + kSpeedPerPixel * std::abs(beyond));
    if (!ScrollBy(std::copysign(speed * std::min(elapsed, kLongestStep), beyond)))
        return false;
    DragTo(screenPoint);
    return true;
}

bool TextSelectionGroup::ScrollBarBy(CEGUI::Scrollbar& bar, float pixels)
{
    const float before = bar.getScrollPosition();
    bar.setScrollPosition(before + pixels);
    return bar.getScrollPosition() != before;
}

void TextSelectionGroup::SelectWord(CGameMultiLine& view, const CEGUI::Vector2f& screenPoint)
{
    for (const ShownMessage& shown : ShownMessages())
    {
        if (shown.view != &view)
            continue;
        const TextSelection::Range word = view.WordRangeAt(screenPoint);
        Select(End{shown.message, word.start}, End{shown.message, word.end});
        return;
    }
}

void TextSelectionGroup::SelectAll()
{
    End first;
    End last;
    if (WholeTextEnds(first, last))
        Select(first, last);
}

bool TextSelectionGroup::WholeTextEnds(End& first, End& last) const
{
    const std::vector<ShownMessage> shown = ShownMessages();
    if (shown.empty())
        return false;
    first = End{shown.front().message, shown.front().view->WholeTextRange().start};
    last = End{shown.back().message, shown.back().view->WholeTextRange().end};
    return true;
}

void TextSelectionGroup::Clear()
{
    if (!m_active)
        return;
    m_active = false;
    ShowInViews();
}

TextSelection::Range TextSelectionGroup::PartOf(std::uint64_t message,
                                                const CGameMultiLine& view) const
{
    const End& first = std::min(m_anchor, m_focus);
    const End& last = std::max(m_anchor, m_focus);
    if (!m_active || message < first.message || last.message < message)
        return TextSelection::Range{};
    return PartBetween(first, last, message, view.WholeTextRange());
}

TextSelection::Range TextSelectionGroup::PartBetween(const End& first, const End& last,
                                                     std::uint64_t message,
                                                     const TextSelection::Range& whole)
{
    return TextSelection::Range{message == first.message ? first.index : whole.start,
                                message == last.message ? last.index : whole.end};
}

CopiedText TextSelectionGroup::Selected() const
{
    CopiedText copy;
    if (!m_active)
        return copy;
    std::vector<CEGUI::utf32> text;
    AppendTextBetween(std::min(m_anchor, m_focus), std::max(m_anchor, m_focus), text, copy.links);
    copy.text = ValidText(MarkupText::MakeText<CEGUI::String>(text));
    return copy;
}

void TextSelectionGroup::AppendTextBetween(const End& first, const End& last,
                                           std::vector<CEGUI::utf32>& text,
                                           std::vector<TextSelection::CopiedLink>& links) const
{
    for (const ShownMessage& shown : ShownMessages())
    {
        if (shown.message < first.message || last.message < shown.message)
            continue;
        const TextSelection::Range part =
            PartBetween(first, last, shown.message, shown.view->WholeTextRange());
        if (part.IsEmpty())
            continue;
        // Messages stand on lines of their own.
        if (!text.empty() && text.back() != '\n')
            text.push_back('\n');
        shown.view->AppendSelectedText(part, text, links);
    }
}

bool TextSelectionGroup::Copy() const
{
    const CopiedText copy = Selected();
    return !copy.text.empty() && CopyRichText(copy);
}

void TextSelectionGroup::ShowInViews() const
{
    for (const ShownMessage& shown : ShownMessages())
        ShowIn(*shown.view, shown.message);
}

void TextSelectionGroup::ShowIn(CGameMultiLine& view, std::uint64_t message) const
{
    view.SetShownSelection(PartOf(message, view));
}
} // namespace ZuGUI
