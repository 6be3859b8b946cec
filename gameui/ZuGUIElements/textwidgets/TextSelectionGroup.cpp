#include "ZuGUIElements/textwidgets/TextSelectionGroup.h"

#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "public/MarkupText.h"

#include <algorithm>

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
    if (EndAt(screenPoint, end))
        Select(m_active ? m_anchor : end, end);
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
    const std::vector<ShownMessage> shown = ShownMessages();
    if (shown.empty())
        return;
    Select(End{shown.front().message, shown.front().view->WholeTextRange().start},
           End{shown.back().message, shown.back().view->WholeTextRange().end});
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
    const TextSelection::Range whole = view.WholeTextRange();
    return TextSelection::Range{message == first.message ? first.index : whole.start,
                                message == last.message ? last.index : whole.end};
}

CopiedText TextSelectionGroup::Selected() const
{
    std::vector<CEGUI::utf32> text;
    CopiedText copy;
    for (const ShownMessage& shown : ShownMessages())
    {
        const TextSelection::Range part = PartOf(shown.message, *shown.view);
        if (part.IsEmpty())
            continue;
        // Messages stand on lines of their own.
        if (!text.empty() && text.back() != '\n')
            text.push_back('\n');
        shown.view->AppendSelectedText(part, text, copy.links);
    }
    copy.text = MarkupText::MakeText<CEGUI::String>(text);
    return copy;
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
