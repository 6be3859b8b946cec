#include "ZuGUIElements/textwidgets/ChatEditBox.h"

#include "ZuGUIElements/host/HostQuery.h"
#include "ZuGUIElements/host/HostTrees.h"
#include "ZuGUIElements/platform/Clipboard.h"
#include "ZuGUIElements/richtext/Utf8String.h"
#include "public/MarkupText.h"

#include <algorithm>

namespace ZuGUI
{
const CEGUI::String CChatEditBox::WidgetTypeName("ZuGame/ChatEditBox");
const CEGUI::String CChatEditBox::EventNamespace("ChatEditBox");

const CEGUI::ShareProSet CChatEditBox::s_SharePros{
    WidgetProperty<nullptr, &CChatEditBox::BeginPushItem>(
        "PushId", "Property to push an item id .  Value is a uint.", ""),
    WidgetProperty<nullptr, &CChatEditBox::EndPushItem>(
        "PushText", "Property to push an item name .  Value is a string.", ""),
    WidgetProperty<&CChatEditBox::getEncodedText, nullptr>(
        "EncodedText", "Property to get encoded text .  Value is a string.", ""),
    WidgetProperty<&CChatEditBox::getMaxEncodedLogNum, &CChatEditBox::setMaxEncodedLogNum>(
        "MaxEncodeNum", "Property to get maximum encoded text number.  Value is a uint.",
        "4294967295"),
    WidgetProperty<&CChatEditBox::getEncodedLogNum, nullptr>(
        "EncodeNum", "Property to get current encoded text number.  Value is a uint.", "0"),
};

namespace
{
using Links = std::vector<CChatEditBox::ItemIdLog>;

// An edit of a text: `removed` characters at `at` replaced by `inserted` ones.
struct TextEdit
{
    std::size_t at;
    std::size_t removed;
    std::size_t inserted;

    // Whether the edit touches a link's name: removes a part of it, or inserts inside it.
    bool Touches(const CChatEditBox::ItemIdLog& link) const
    {
        return removed > 0 ? at < link.end && link.start < at + removed
                           : link.start < at && at < link.end;
    }
};

std::size_t CommonPrefix(const CEGUI::String& a, const CEGUI::String& b)
{
    const std::size_t limit = std::min(a.length(), b.length());
    std::size_t length = 0;
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
}

std::size_t CommonSuffix(const CEGUI::String& a, const CEGUI::String& b)
{
    const std::size_t limit = std::min(a.length(), b.length());
    std::size_t length = 0;
    while (length < limit && a[a.length() - 1 - length] == b[b.length() - 1 - length])
        ++length;
    return length;
}

std::size_t TouchedLinks(const TextEdit& edit, const Links& links)
{
    return static_cast<std::size_t>(std::count_if(
        links.begin(), links.end(), [&](const auto& link) { return edit.Touches(link); }));
}

// The edit that turned `before` into `after`. An insertion or removal among repeated
// characters ("aa" to "a") may have been at several places: the caret's before the edit is
// taken, unless the first or last of those places touches fewer links (a script's text).
TextEdit FindEdit(const CEGUI::String& before, const CEGUI::String& after, std::size_t caret,
                  const Links& links)
{
    const std::size_t prefix = CommonPrefix(before, after);
    const std::size_t suffix = CommonSuffix(before, after);
    const std::size_t shorter = std::min(before.length(), after.length());
    if (prefix + suffix < shorter)
        return TextEdit{prefix, before.length() - suffix - prefix,
                        after.length() - suffix - prefix};
    const std::size_t removed = before.length() - shorter;
    const std::size_t inserted = after.length() - shorter;
    const std::size_t first = shorter - suffix;
    TextEdit best{prefix, removed, inserted};
    std::size_t bestTouched = TouchedLinks(best, links);
    for (const std::size_t at : {first, caret})
    {
        const TextEdit candidate{at, removed, inserted};
        const std::size_t touched = TouchedLinks(candidate, links);
        if (first <= at && at <= prefix && touched <= bestTouched)
        {
            best = candidate;
            bestTouched = touched;
        }
    }
    return best;
}

// The links after `edit`: those before it stay, those after it move, those it touched go.
void FollowEdit(const TextEdit& edit, Links& links)
{
    links.erase(std::remove_if(links.begin(), links.end(),
                               [&](const auto& link) { return edit.Touches(link); }),
                links.end());
    for (CChatEditBox::ItemIdLog& link : links)
    {
        if (link.start < edit.at + edit.removed)
            continue;
        link.start = static_cast<unsigned>(link.start - edit.removed + edit.inserted);
        link.end = static_cast<unsigned>(link.end - edit.removed + edit.inserted);
    }
}

// A single-line box shows a line break as a space.
CEGUI::String OnOneLine(CEGUI::String text)
{
    std::replace(text.begin(), text.end(), CEGUI::utf32('\n'), CEGUI::utf32(' '));
    return text;
}
} // namespace

void CChatEditBox::BeginPushItem(unsigned itemId)
{
    d_pendingItem = itemId;
}

void CChatEditBox::EndPushItem(const CEGUI::String& itemName)
{
    const std::optional<unsigned> item = d_pendingItem;
    d_pendingItem.reset();
    const CEGUI::String name = OnOneLine(itemName);
    Links links;
    if (item && !name.empty())
        links.push_back({*item, 0, static_cast<unsigned>(name.length())});
    if (!AppendWithLinks(name, links))
        return;
    // Typing goes on after the link, and scripts read where the caret now is.
    setCaretIndex(getText().length());
    UpdateCaretOffset();
}

bool CChatEditBox::AppendWithLinks(const CEGUI::String& text, const Links& links)
{
    const std::size_t start = getText().length();
    if (start + text.length() > getMaxTextLength())
    {
        // A name cut short would be no name: nothing is appended.
        CEGUI::WindowEventArgs args(this);
        onEditboxFullEvent(args);
        return false;
    }
    // The edit is at the end of the text, wherever the caret is.
    d_caretBeforeEdit = start;
    setText(getText() + text);
    for (const ItemIdLog& link : links)
        d_positionLog.push_back({link.itemId, static_cast<unsigned>(start + link.start),
                                 static_cast<unsigned>(start + link.end)});
    return true;
}

void CChatEditBox::onTextChanged(CEGUI::WindowEventArgs& e)
{
    const CEGUI::String& text = getText();
    if (text.empty())
        ClearLog();
    else
        FollowEdit(FindEdit(d_lastText, text, d_caretBeforeEdit, d_positionLog), d_positionLog);
    d_lastText = text;
    SharedPropertyLayer::onTextChanged(e);
    d_caretBeforeEdit = getCaretIndex();
}

void CChatEditBox::onCaretMoved(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onCaretMoved(e);
    d_caretBeforeEdit = getCaretIndex();
}

bool CChatEditBox::LimitReached() const
{
    return d_maxEncodedCount != 0 && d_maxEncodedCount != 0xFFFFFFFFu &&
           d_encodedCount > d_maxEncodedCount;
}

CEGUI::String CChatEditBox::ItemText(unsigned itemId)
{
    IZuGUI* host = GetHost();
    if (!host)
        return CEGUI::String();
    return HostTextToString(
        host->CallScriptRetString(HostTrees::kScriptMakeChatItemText, static_cast<int>(itemId)));
}

CEGUI::String CChatEditBox::getEncodedText()
{
    const CEGUI::String& text = getText();
    CEGUI::String result;
    result.reserve(2 * text.length());
    std::size_t done = 0;
    d_encodedCount = 0;
    for (const ItemIdLog& link : d_positionLog)
    {
        ++d_encodedCount;
        if (LimitReached())
            break;
        result += MarkupText::Escape(text.substr(done, link.start - done));
        result += ItemText(link.itemId);
        done = link.end;
    }
    return ValidText(result + MarkupText::Escape(text.substr(done)));
}

bool CChatEditBox::PasteToSelection()
{
    CEGUI::String pasted;
    const bool atEnd = getSelectionLength() == 0 && getCaretIndex() == getText().length();
    if (atEnd && !isReadOnly() && !isTextMasked() &&
        PasteFromClipboard(pasted, PastedLineBreaks::Kept))
    {
        if (const CopiedText* copy = FindOwnCopy(pasted))
            return PasteOwnCopy(*copy);
    }
    return CGameEditBox::PasteToSelection();
}

bool CChatEditBox::PasteOwnCopy(const CopiedText& copy)
{
    Links links;
    for (const TextSelection::CopiedLink& link : copy.links)
        links.push_back({link.itemId, static_cast<unsigned>(link.start),
                         static_cast<unsigned>(link.start + link.length)});
    if (!AppendWithLinks(OnOneLine(copy.text), links))
        return false;
    setCaretIndex(getText().length());
    UpdateCaretOffset();
    return true;
}

CChatEditBox::ItemIdLog* CChatEditBox::findItemLogAtPos(unsigned pos, bool atStart)
{
    const auto found = std::find_if(d_positionLog.begin(), d_positionLog.end(),
                                    [&](const ItemIdLog& log) {
                                        return atStart ? log.start <= pos && pos < log.end
                                                       : log.start < pos && pos <= log.end;
                                    });
    return found != d_positionLog.end() ? &*found : nullptr;
}

void CChatEditBox::EraseLog(ItemIdLog* log)
{
    d_positionLog.erase(std::remove_if(d_positionLog.begin(), d_positionLog.end(),
                                       [log](const ItemIdLog& entry) { return &entry == log; }),
                        d_positionLog.end());
}
} // namespace ZuGUI
