#include "ZuGUIElements/textwidgets/ChatEditBox.h"

#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"
#include "ZuGUIElements/platform/Clipboard.h"
#include "public/MarkupText.h"

#include <algorithm>

namespace ZuGUI
{
const CEGUI::String CChatEditBox::WidgetTypeName("ZuGame/ChatEditBox");
const CEGUI::String CChatEditBox::EventNamespace("ChatEditBox");

const CEGUI::ShareProSet CChatEditBox::s_SharePros{
    WidgetProperty<nullptr, &CChatEditBox::BeginPushItem>(
        "PushId", "Property to push an item id .  Value is a integer.", "0"),
    WidgetProperty<nullptr, &CChatEditBox::EndPushItem>(
        "PushText", "Property to push an item name .  Value is a string.", ""),
    WidgetProperty<&CChatEditBox::getEncodedText, nullptr>(
        "EncodedText", "Property to get encoded text .  Value is a string.", ""),
    WidgetProperty<&CChatEditBox::getMaxEncodedLogNum, &CChatEditBox::setMaxEncodedLogNum>(
        "MaxEncodeNum", "Property to get maximum encoded text number.  Value is a interger.", ""),
    WidgetProperty<&CChatEditBox::getEncodedLogNum, nullptr>(
        "EncodeNum", "Property to get current encoded text number.  Value is a interger.", ""),
};

void CChatEditBox::BeginPushItem(unsigned itemId)
{
    const auto length = static_cast<unsigned>(getText().length());
    d_positionLog.push_back({itemId, length, 0});
    d_nameLog.push_back({CEGUI::String(), itemId});
    d_pushPending = true;
}

void CChatEditBox::EndPushItem(const CEGUI::String& itemName)
{
    const bool pending = d_pushPending;
    d_pushPending = false;
    if (getText().length() + itemName.length() > getMaxTextLength())
    {
        // A name cut short would not be found again: the item is not pushed at all.
        if (pending)
            DropPendingItem();
        CEGUI::WindowEventArgs args(this);
        onEditboxFullEvent(args);
        return;
    }
    setText(getText() + itemName);
    // Typing goes on after the link, and scripts read where the caret now is.
    setCaretIndex(getText().length());
    UpdateCaretOffset();
    if (!pending || d_nameLog.empty() || d_positionLog.empty())
        return;
    d_positionLog.back().end = static_cast<unsigned>(getText().length());
    d_nameLog.back().name = itemName;
}

void CChatEditBox::DropPendingItem()
{
    if (!d_positionLog.empty())
        d_positionLog.pop_back();
    if (!d_nameLog.empty())
        d_nameLog.pop_back();
}

void CChatEditBox::onTextChanged(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onTextChanged(e);
    if (getText().empty())
        ClearLog();
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
    CEGUI::String result;
    CEGUI::String rest = getText();
    d_encodedCount = 0;
    for (const ItemName& entry : d_nameLog)
    {
        const CEGUI::String::size_type at =
            entry.name.empty() ? CEGUI::String::npos : rest.find(entry.name);
        if (at == CEGUI::String::npos)
            continue;
        ++d_encodedCount;
        if (LimitReached())
            break;
        result += MarkupText::Escape(rest.substr(0, at));
        result += ItemText(entry.itemId);
        rest = rest.substr(at + entry.name.length());
    }
    return result + MarkupText::Escape(rest);
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

namespace
{
// A piece of a pasted copy: plain text or the name of an item link. The single-line box takes
// the copy's line breaks (between messages, mostly) as spaces.
struct PastedPiece
{
    CEGUI::String text;
    const TextSelection::CopiedLink* link;
};

void AddPlainPiece(const CEGUI::String& text, std::size_t first, std::size_t end,
                   std::vector<PastedPiece>& pieces)
{
    CEGUI::String kept = text.substr(first, end - first);
    std::replace(kept.begin(), kept.end(), CEGUI::utf32('\n'), CEGUI::utf32(' '));
    if (!kept.empty())
        pieces.push_back({kept, nullptr});
}

std::vector<PastedPiece> PiecesOf(const CopiedText& copy)
{
    std::vector<PastedPiece> pieces;
    std::size_t done = 0;
    for (const TextSelection::CopiedLink& link : copy.links)
    {
        AddPlainPiece(copy.text, done, link.start, pieces);
        pieces.push_back({copy.text.substr(link.start, link.length), &link});
        done = link.start + link.length;
    }
    AddPlainPiece(copy.text, done, copy.text.length(), pieces);
    return pieces;
}
} // namespace

bool CChatEditBox::PasteOwnCopy(const CopiedText& copy)
{
    const std::vector<PastedPiece> pieces = PiecesOf(copy);
    std::size_t length = getText().length();
    for (const PastedPiece& piece : pieces)
        length += piece.text.length();
    if (length > getMaxTextLength())
    {
        CEGUI::WindowEventArgs args(this);
        onEditboxFullEvent(args);
        return false;
    }
    for (const PastedPiece& piece : pieces)
    {
        if (!piece.link)
        {
            InsertText(piece.text);
            continue;
        }
        BeginPushItem(piece.link->itemId);
        EndPushItem(piece.text);
    }
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
