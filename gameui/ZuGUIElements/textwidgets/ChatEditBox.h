// CChatEditBox ("ZuGame/ChatEditBox"): the chat input. A game edit box that also carries item
// links: a script pushes an item ("PushId", then "PushText" with its display name), the name
// is appended to the text, and "EncodedText" gives the text as markup: what the player typed
// escaped, so that every chat box shows it as typed, and each link's name replaced by the
// markup that the client's script "gFn_make_chat_item_text" makes for its item.
// "MaxEncodeNum" limits how many links one encoding replaces.
//
// Each link follows its own name as the text is edited: text typed or deleted before it moves
// it, and an edit inside its name (or over it) makes the name plain text. A name typed by hand,
// even one that a link also has, stays text.
//
// A paste whose text is the module's last copy from a rich text view (CopiedText.h), pasted
// at the end of the text, pushes that copy's item links again, each through the item log as a
// script's push would, its line breaks becoming spaces; any other paste is plain typed text.
#pragma once

#include "ZuGUIElements/textwidgets/CopiedText.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"

#include <optional>
#include <vector>

namespace ZuGUI
{
class CChatEditBox : public SharedPropertyLayer<CChatEditBox, CGameEditBox>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;

    // A link: its item and the characters [start, end) of the text that are its name.
    struct ItemIdLog
    {
        unsigned itemId;
        unsigned start;
        unsigned end;
    };

    using SharedPropertyLayer::SharedPropertyLayer;

    void BeginPushItem(unsigned itemId);
    // Appends `itemName` to the text, its line breaks as spaces, as the name of the item that
    // BeginPushItem began, and moves the caret after it; with no item begun, or an empty name,
    // the name is appended as plain text. A name that would take the text past its maximum
    // length is refused (the box reports itself full) and the item is forgotten.
    void EndPushItem(const CEGUI::String& itemName);

    // The text as markup: typed text escaped, each link's name replaced by the client's item
    // text.
    CEGUI::String getEncodedText();
    // How many links the last encoding met, one beyond the limit included.
    unsigned getEncodedLogNum() const { return d_encodedCount; }
    bool PasteToSelection() override;

    // 0 and 0xFFFFFFFF mean no limit.
    void setMaxEncodedLogNum(unsigned limit) { d_maxEncodedCount = limit; }
    unsigned getMaxEncodedLogNum() const { return d_maxEncodedCount; }

protected:
    // Moves the links with the edit that made the new text; drops the links it touched.
    void onTextChanged(CEGUI::WindowEventArgs& e) override;
    void onCaretMoved(CEGUI::WindowEventArgs& e) override;

    void ClearLog() { d_positionLog.clear(); }
    // The first link with start <= pos < end (atStart) or start < pos <= end; null when there
    // is none.
    ItemIdLog* findItemLogAtPos(unsigned pos, bool atStart);
    void EraseLog(ItemIdLog* log);

private:
    // The client's chat text of `itemId`, in UTF-8; "" without a client.
    static CEGUI::String ItemText(unsigned itemId);
    bool LimitReached() const;
    // Appends `text` to the text, with `links` (positions in `text`) as links; false, with
    // the text as it was and the box reported full, when it does not fit.
    bool AppendWithLinks(const CEGUI::String& text, const std::vector<ItemIdLog>& links);
    // Appends `copy` with its item links.
    bool PasteOwnCopy(const CopiedText& copy);

    // The links, in the order of their names in the text, which never overlap.
    std::vector<ItemIdLog> d_positionLog;
    // The text as of the last change: a new text is compared with it to find the edit.
    CEGUI::String d_lastText;
    // Where the caret stood before the edit now under way: of the places where an edit of
    // repeated characters may have been, the one the player's key made.
    std::size_t d_caretBeforeEdit = 0;
    // The item that BeginPushItem began, waiting for its EndPushItem.
    std::optional<unsigned> d_pendingItem;
    unsigned d_maxEncodedCount = 0xFFFFFFFFu;
    unsigned d_encodedCount = 0;
};

using CChatEditBoxFactory = ZuWindowFactory<CChatEditBox>;
} // namespace ZuGUI
