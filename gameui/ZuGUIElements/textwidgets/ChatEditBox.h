// CChatEditBox ("ZuGame/ChatEditBox"): the chat input. A game edit box that also carries item
// links: a script pushes an item ("PushId", then "PushText" with its display name), the name
// is appended to the text, and "EncodedText" gives the text as markup: what the player typed
// escaped, so that every chat box shows it as typed, and each remembered name replaced by the
// markup that the client's script "gFn_make_chat_item_text" makes for its item.
// "MaxEncodeNum" limits how many names one encoding replaces.
//
// A paste whose text is the module's last copy from a rich text view (CopiedText.h), pasted
// at the end of the text, pushes that copy's item links again, each through the item log as a
// script's push would, its line breaks becoming spaces; any other paste is plain typed text.
#pragma once

#include "ZuGUIElements/textwidgets/CopiedText.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"

#include <vector>

namespace ZuGUI
{
class CChatEditBox : public SharedPropertyLayer<CChatEditBox, CGameEditBox>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;

    // Where one pushed item's name went: the text length before and after its push.
    struct ItemIdLog
    {
        unsigned itemId;
        unsigned start;
        unsigned end;
    };

    using SharedPropertyLayer::SharedPropertyLayer;

    void BeginPushItem(unsigned itemId);
    // Appends `itemName` to the text as the name of the item that BeginPushItem began, and
    // moves the caret after it; with no item begun the name is appended as plain text. A name
    // that would take the text past its maximum length is refused (the box reports itself
    // full) and the item is forgotten.
    void EndPushItem(const CEGUI::String& itemName);

    // The text as markup: typed text escaped, remembered item names replaced by the client's
    // item texts.
    CEGUI::String getEncodedText();
    // How many remembered names the last encoding found, one beyond the limit included.
    unsigned getEncodedLogNum() const { return d_encodedCount; }
    bool PasteToSelection() override;

    // 0 and 0xFFFFFFFF mean no limit.
    void setMaxEncodedLogNum(unsigned limit) { d_maxEncodedCount = limit; }
    unsigned getMaxEncodedLogNum() const { return d_maxEncodedCount; }

protected:
    void onTextChanged(CEGUI::WindowEventArgs& e) override;

    void ClearLog() { d_nameLog.clear(); }
    // The first logged item with start <= pos < end (atStart) or start < pos <= end; null
    // when there is none.
    ItemIdLog* findItemLogAtPos(unsigned pos, bool atStart);
    void EraseLog(ItemIdLog* log);

private:
    struct ItemName
    {
        CEGUI::String name;
        unsigned itemId;
    };

    // The client's chat text of `itemId`, in UTF-8; "" without a client.
    static CEGUI::String ItemText(unsigned itemId);
    bool LimitReached() const;
    // Forgets the item that BeginPushItem began.
    void DropPendingItem();
    // Appends `copy` with its item links pushed; false, with the text as it was, when the copy
    // does not fit.
    bool PasteOwnCopy(const CopiedText& copy);

    std::vector<ItemIdLog> d_positionLog;
    std::vector<ItemName> d_nameLog;
    unsigned d_maxEncodedCount = 0xFFFFFFFFu;
    unsigned d_encodedCount = 0;
    // A BeginPushItem waits for its EndPushItem.
    bool d_pushPending = false;
};

using CChatEditBoxFactory = ZuWindowFactory<CChatEditBox>;
} // namespace ZuGUI
