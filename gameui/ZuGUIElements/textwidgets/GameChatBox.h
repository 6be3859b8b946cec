// CGameChatBox ("ZuGame/GameChatBox"): a scrolling list of chat messages. Each message is a rich
// text view, an automatic child created on demand and recycled in a ring of at most
// "ChatCapacity" views. With a "MsgLife" the oldest shown message is hidden that many seconds
// after the last push or expiry, one at a time. While the player has scrolled up, a push or an
// expiry keeps the message at the top of the view where it is on screen; otherwise the view
// keeps its distance from the end, so that a box scrolled to the bottom follows new messages.
//
// A view's CEGUI window ID tells its state: 0 holds a message (or was cleared), 1 is free (new
// or expired). Views are transient content: they are never written to a layout.
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/module/FactoryTemplates.h"
#include "ZuGUIElements/richtext/LineBreaks.h"

#include <CEGUI/widgets/ScrollablePane.h>

#include <vector>

namespace ZuGUI
{
class CGameMultiLine;

class CGameChatBox : public SharedPropertyLayer<CGameChatBox, CEGUI::ScrollablePane>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;
    // The views are named after the box: its name, this suffix and the ring index.
    static const CEGUI::String SingleChatSurfix;
    // The window type of the views; its look must make a rich text view.
    static const CEGUI::String ChatViewType;

    using SharedPropertyLayer::SharedPropertyLayer;

    // Shows `markup` as the newest message. False when the capacity is 0, or when the look's
    // view type does not make a rich text view; nothing changes then.
    bool PushChatText(const CEGUI::String& markup);
    // Empties every view in use and resets the ring.
    void ClearChats();
    // Stacks the views vertically in ring order, overlapping by 5 pixels; a hidden view takes
    // no space.
    void ArrangeChatTexts();
    // The view of ring index `index`, created when it does not exist yet.
    CEGUI::Window* GetChatWindowByIndex(unsigned index);

    // Only stores the capacity: existing views and the ring are left as they are. A ring that
    // holds more views than a lowered capacity counts as full.
    void SetChatCapacity(unsigned capacity) { d_capacity = capacity; }
    unsigned GetChatCapacity() const { return d_capacity; }
    unsigned GetCurTopChat() const { return d_currentTop; }
    unsigned GetCurChatSize() const { return d_currentSize; }

    // Seconds between expiries; 0 never expires. A negative, infinite or NaN life is 0.
    void setMsgLife(float life);
    float getMsgLife() const { return d_msgLife; }
    void setNextPopTime(float seconds) { d_nextPopTime = seconds; }
    float getNextPopTime() const { return d_nextPopTime; }
    void restoreNextPopTime() { d_nextPopTime = d_msgLife; }

    // Read when a view is created.
    void setIndent1stLine(int indent) { d_indent1stLine = indent; }
    int getIndent1stLine() const { return d_indent1stLine; }
    void setIndentRestLines(int indent) { d_indentRestLines = indent; }
    int getIndentRestLines() const { return d_indentRestLines; }
    // How the messages break their lines; a change lays out the shown messages again.
    void setLineBreak(TextParser::LineBreakMode mode);
    TextParser::LineBreakMode getLineBreak() const { return d_lineBreak; }
    // Read at every push.
    void setDefaultTextColor(const CEGUI::Colour& colour) { d_defaultTextColour = colour; }
    CEGUI::Colour getDefaultTextColor() const { return d_defaultTextColour; }

protected:
    void SetCurTopChat(unsigned top) { d_currentTop = top; }
    void SetCurChatSize(unsigned size) { d_currentSize = size; }

    // Hides the oldest message that is shown and closes the gap; false when there is none.
    bool PopTop();
    // True while the view ends more than 5 pixels above the end of the content; `anchor` is
    // then the view under the top of the view and `offset` how far into it the top lies.
    bool utilCheckNeedAim(CEGUI::Window** anchor, float* offset);
    // Gives `child` the box's font.
    void SyncronizeChildFont(CEGUI::Window* child) const;

    void onFontChanged(CEGUI::WindowEventArgs& e) override;
    // Expiry: one message when the life has run out.
    void updateSelf(float elapsed) override;

private:
    // Where the vertical scroll bar was before a push or a pop, and the anchor found then.
    struct ScrollMemory
    {
        float position;
        float documentSize;
        bool anchored;
        CEGUI::Window* anchor;
        float anchorOffset;
    };

    bool IsFull() const { return d_currentSize >= d_capacity; }
    CEGUI::String ViewName(unsigned index) const;
    // The view of ring index `index`, or null while it does not exist.
    CEGUI::Window* FindView(unsigned index);
    // Keeps `view` as the view of `index` until it is destroyed.
    void RememberView(unsigned index, CEGUI::Window* view);
    // The ring index after `index`, wrapping to 0 at or past the capacity.
    unsigned NextIndex(unsigned index) const;
    // The view that a push fills, with the ring moved on for it; null (nothing moved) when the
    // look's view type does not make a rich text view.
    CGameMultiLine* TakeViewForPush(ScrollMemory& memory);
    CGameMultiLine* ViewAt(unsigned index);
    CGameMultiLine* MakeView(unsigned index);
    void ShowMessage(CGameMultiLine& view, const CEGUI::String& markup) const;
    // The view's height follows its laid-out text.
    static void FitHeightToText(CGameMultiLine& view);
    ScrollMemory RememberScroll();
    // Scrolls so that the anchor stays in place, or else the distance from the end.
    void RestoreScroll(const ScrollMemory& memory);
    // Visits the ring indices in display order: top … size − 1, then 0 … top − 1.
    template <typename Visit>
    void ForEachInRingOrder(Visit&& visit);

    unsigned d_capacity = 0;
    unsigned d_currentTop = 0;
    unsigned d_currentSize = 0;
    // White, the declared default: a layout that leaves the colour out reads back the same.
    CEGUI::Colour d_defaultTextColour{1.0f, 1.0f, 1.0f, 1.0f};
    int d_indent1stLine = 0;
    int d_indentRestLines = 0;
    TextParser::LineBreakMode d_lineBreak = TextParser::LineBreakMode::Character;
    float d_nextPopTime = 0.0f;
    float d_msgLife = 0.0f;
    // The views by ring index, so that a push does not look each one up by name.
    std::vector<CEGUI::Window*> d_views;
};

using CGameChatBoxFactory = ZuWindowFactory<CGameChatBox>;
} // namespace ZuGUI
