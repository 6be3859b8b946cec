// CGameChatBox ("ZuGame/GameChatBox"): a scrolling list of chat messages. Each message is a rich
// text view, an automatic child created on demand and recycled in a ring of at most
// "ChatCapacity" views. With a "MsgLife" the oldest shown message is hidden that many seconds
// after the last push or expiry, one at a time. While the player has scrolled up, a push or an
// expiry keeps the message at the top of the view where it is on screen; otherwise the view
// keeps its distance from the end, so that a box scrolled to the bottom follows new messages.
//
// A view's CEGUI window ID tells its state: 0 holds a message, 1 is free (new, expired or
// cleared). In ring order, from the top, the views holding messages come first, oldest to
// newest, and the free views after them. A view whose text is laid out again (a new width or
// font) takes the height of its text, and the views below it move. Views are transient
// content: they are never written to a layout.
//
// With "TextSelectable" on, the player selects the messages' text as in one rich text view,
// across messages in arrival order; the selection keeps its place while messages arrive,
// scroll and expire (TextSelectionGroup.h).
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/module/FactoryTemplates.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"
#include "ZuGUIElements/textwidgets/TextSelectionGroup.h"

#include <CEGUI/widgets/ScrollablePane.h>

#include <vector>

namespace ZuGUI
{
class CGameMultiLine;
class CGameChatBox;

// The selection of a chat box: its shown messages, in arrival order.
class ChatSelection final : public TextSelectionGroup
{
public:
    explicit ChatSelection(CGameChatBox& box) : m_box(box) {}

protected:
    std::vector<ShownMessage> ShownMessages() const override;
    // The box's viewable area.
    CEGUI::Rectf ShownArea() const override;
    VerticalScroll ShownScroll() const override;
    bool ScrollBy(float pixels) override;

private:
    CGameChatBox& m_box;
};

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
    // A view that outlives the box (a script moved it elsewhere) selects on its own again and
    // no longer reports its destruction to the box.
    ~CGameChatBox() override;

    // Shows `markup` as the newest message. False when the capacity is 0, or when the look's
    // view type does not make a rich text view; nothing changes then.
    bool PushChatText(const CEGUI::String& markup);
    // Empties and hides every view and resets the ring: the box has no content left.
    void ClearChats();
    // Stacks the views vertically in ring order, overlapping by 5 pixels; a hidden view, and a
    // view outside the ring, takes no space.
    void ArrangeChatTexts();
    // The view of ring index `index`, created when it does not exist yet.
    CEGUI::Window* GetChatWindowByIndex(unsigned index);

    // A ring that has wrapped is laid out again from view 0 in arrival order; a lowered
    // capacity keeps the newest messages and hides the views past it.
    void SetChatCapacity(unsigned capacity);
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
    // The shown messages' views and messages, oldest first.
    std::vector<TextSelectionGroup::ShownMessage> ShownMessages();
    void setTextSelectable(bool selectable);
    bool isTextSelectable() const { return d_textSelectable; }
    TextSelectionGroup& GetSelection() { return d_selection; }
    // The selected text, as shown.
    CEGUI::String getSelectedText() const;
    bool performCopy(CEGUI::Clipboard& clipboard) override;

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
    // A narrower or wider box lays its views out again: they take their new heights.
    void onSized(CEGUI::ElementEventArgs& e) override;
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

    // A message, the colour of its text outside tags and its arrival number.
    struct Message
    {
        CEGUI::String markup;
        CEGUI::Colour colour;
        std::uint64_t number;
    };

    bool IsFull() const { return d_currentSize >= d_capacity; }
    CEGUI::String ViewName(unsigned index) const;
    // The view of ring index `index`, or null while it does not exist.
    CEGUI::Window* FindView(unsigned index);
    // Keeps `view` as the view of `index` until it is destroyed.
    void RememberView(unsigned index, CEGUI::Window* view);
    // The ring index after `index`, wrapping to 0 at the end of the ring.
    unsigned NextIndex(unsigned index) const;
    // The view that a push fills, with the ring moved on for it; null (nothing moved) when the
    // look's view type does not make a rich text view. A free view is filled first, then the
    // ring grows, and only a full ring replaces its oldest message.
    CGameMultiLine* TakeViewForPush(ScrollMemory& memory);
    // The first free view in ring order, or null when every view holds a message.
    CGameMultiLine* FirstFreeView();
    // Moves the newest messages, at most the capacity, to views 0, 1, … in arrival order with
    // the top at 0, frees the other views and retires those past the capacity. The anchor
    // follows its message, or is dropped with it.
    void PutRingInIndexOrder(ScrollMemory& memory);
    // The shown messages, oldest first; `anchorPosition` is set to the position of `anchor`'s.
    std::vector<Message> ShownMessagesInOrder(CEGUI::Window* anchor, unsigned& anchorPosition);
    CGameMultiLine* ViewAt(unsigned index);
    CGameMultiLine* MakeView(unsigned index);
    void ShowMessage(CGameMultiLine& view, const Message& message);
    // Empties and hides `view`; it takes no space once arranged.
    static void FreeView(CEGUI::Window& view);
    // The height of the view's laid-out text, with the overlap of the views.
    static CEGUI::UDim TextHeight(const CGameMultiLine& view);
    // The view's height follows its laid-out text.
    static void FitHeightToText(CGameMultiLine& view);
    static bool FitsItsText(const CGameMultiLine& view);
    // Notes a shown view whose text was laid out again to another height (an Element sized
    // event).
    bool OnViewSized(const CEGUI::EventArgs& args);
    // Fits the shown views to their text when one was noted; true when a height changed.
    bool FitNotedViews();
    // Arranges the views, fitting first those noted and then those that a shown or hidden
    // scroll bar of the box laid out again.
    void ArrangeFittedViews();
    // Fits and arranges the noted views, keeping the scroll.
    void RefitNotedViews();
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
    // The views by ring index, so that a push does not look each one up by name, and the
    // subscriptions that forget a view when it is destroyed (dropped with the box).
    std::vector<CEGUI::Window*> d_views;
    std::vector<CEGUI::Event::Connection> d_viewWatches;
    // A shown view is taller or shorter than its text.
    bool d_viewsNeedFit = false;
    // The views are being fitted and arranged (ArrangeFittedViews).
    bool d_arranging = false;
    bool d_textSelectable = false;
    std::uint64_t d_lastMessageNumber = 0;
    ChatSelection d_selection{*this};
};

using CGameChatBoxFactory = ZuWindowFactory<CGameChatBox>;
} // namespace ZuGUI
