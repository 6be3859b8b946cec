// CGameChatBox ("ZuGame/GameChatBox"): a scrolling list of chat messages, up to "ChatCapacity"
// of them (100,000 and more). The messages are kept as parsed texts without a window
// (RichText::CMessageHistory); only those in sight are shown, each by a rich text view that the
// box moves from message to message as they scroll by. A message out of sight has a height
// estimated from its text until it comes into sight and is laid out; the content is as tall as
// all messages, so the scroll bar spans the whole history.
//
// The messages sit in a ring of slots: message i (0 the oldest) is in ring index (top + i) mod
// size, and the slots after the last message are free (expired or cleared). A push into a full
// ring replaces its oldest message. With a "MsgLife" the oldest message expires that many
// seconds after the last push or expiry, one at a time. While the player has scrolled up, a
// push or an expiry keeps the message at the top of the view where it is on screen; otherwise
// the view keeps its distance from the end, so that a box scrolled to the bottom follows new
// messages.
//
// A view is named after the box, SingleChatSurfix and the ring index of its message, and
// overlaps the next by 5 pixels. Views are transient content, never written to a layout: a
// view that shows a message in sight keeps it while the message stays in sight; a view asked
// for by index (GetChatWindowByIndex) keeps its index until the box next arranges its views (a
// push, an expiry, a scroll, a new size or font) or 16 more views out of sight are asked for.
// A view that the box no longer needs is hidden and kept for another message, or destroyed.
//
// With "TextSelectable" on, the player selects the messages' text as in one rich text view,
// across messages in arrival order, also past messages out of sight; the selection keeps its
// place while messages arrive, scroll and expire (TextSelectionGroup.h).
#pragma once

#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/richtext/bidi/BidiText.h"
#include "ZuGUIElements/richtext/document/MessageHistory.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"
#include "ZuGUIElements/textwidgets/RichTextHostClient.h"
#include "ZuGUIElements/textwidgets/TextSelectionGroup.h"

#include <CEGUI/widgets/ScrollablePane.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace ZuGUI
{
class CGameMultiLine;
class CGameChatBox;

// The selection of a chat box: its messages in arrival order, read from its history where
// they are out of sight.
class ChatSelection final : public TextSelectionGroup
{
public:
    explicit ChatSelection(CGameChatBox& box) : m_box(box) {}

protected:
    std::vector<ShownMessage> ShownMessages() const override;
    bool IsKept(std::uint64_t message) const override;
    bool WholeTextEnds(End& first, End& last) const override;
    void AppendTextBetween(const End& first, const End& last, std::vector<CEGUI::utf32>& text,
                           std::vector<TextSelection::CopiedLink>& links) const override;
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

    CGameChatBox(const CEGUI::String& type, const CEGUI::String& name);
    // A view that outlives the box (a script moved it elsewhere) selects on its own again and
    // no longer reports its destruction to the box.
    ~CGameChatBox() override;

    // Adds `markup` as the newest message. False when the capacity is 0, or when the look's
    // view type does not make a rich text view; nothing changes then.
    bool PushChatText(const CEGUI::String& markup);
    // Drops every message and resets the ring: the box has no content left.
    void ClearChats();
    // Shows the messages in sight in their views, stacked in arrival order and overlapping by
    // 5 pixels, and makes the content as tall as every message.
    void ArrangeChatTexts();
    // The view of ring index `index`, made when there is none: it shows the message there, or
    // nothing (hidden, no height) when the slot is free or outside the ring. Null when the
    // look's view type does not make a rich text view. How long it keeps the index: above.
    CEGUI::Window* GetChatWindowByIndex(unsigned index);

    // A ring that has wrapped is put in arrival order from index 0; a lowered capacity keeps
    // the newest messages.
    void SetChatCapacity(unsigned capacity);
    unsigned GetChatCapacity() const { return d_capacity; }
    unsigned GetCurTopChat() const { return d_currentTop; }
    unsigned GetCurChatSize() const { return d_currentSize; }
    // The messages kept, in sight or not, oldest first.
    const RichText::CMessageHistory& GetHistory() const { return d_history; }
    // Scrolls so that message `index` (0 the oldest kept) is at the top of the view, or as
    // near as the end of the content allows.
    void ScrollToMessage(std::size_t index);

    // Seconds between expiries; 0 never expires. A negative, infinite or NaN life is 0.
    void setMsgLife(float life);
    float getMsgLife() const { return d_msgLife; }
    void setNextPopTime(float seconds) { d_nextPopTime = seconds; }
    float getNextPopTime() const { return d_nextPopTime; }
    void restoreNextPopTime() { d_nextPopTime = d_msgLife; }

    // Given to a view when it shows a message.
    void setIndent1stLine(int indent) { d_indent1stLine = indent; }
    int getIndent1stLine() const { return d_indent1stLine; }
    void setIndentRestLines(int indent) { d_indentRestLines = indent; }
    int getIndentRestLines() const { return d_indentRestLines; }
    // How the messages break their lines; a change lays out the shown messages again.
    void setLineBreak(TextParser::LineBreakMode mode);
    TextParser::LineBreakMode getLineBreak() const { return d_lineBreak; }
    // Passed on to the views.
    void setTextDirection(Bidi::Direction direction);
    Bidi::Direction getTextDirection() const { return d_textDirection; }
    // The views that show a message and their messages, oldest first.
    std::vector<TextSelectionGroup::ShownMessage> ShownMessages() const;
    void setTextSelectable(bool selectable);
    bool isTextSelectable() const { return d_textSelectable; }
    TextSelectionGroup& GetSelection() { return d_selection; }
    // The selected text, as shown.
    CEGUI::String getSelectedText() const;
    bool performCopy(CEGUI::Clipboard& clipboard) override;

    // Read at every push: each message keeps the colour it arrived with.
    void setDefaultTextColor(const CEGUI::Colour& colour) { d_defaultTextColour = colour; }
    CEGUI::Colour getDefaultTextColor() const { return d_defaultTextColour; }

protected:
    void SetCurTopChat(unsigned top) { d_currentTop = top; }
    void SetCurChatSize(unsigned size) { d_currentSize = size; }

    // Drops the oldest message; false when there is none.
    bool PopTop();
    // True while the view ends more than 5 pixels above the end of the content; `anchor` is
    // then the view of the message under the top of the view (null when it has none) and
    // `offset` how far into the message the top lies.
    bool utilCheckNeedAim(CEGUI::Window** anchor, float* offset);
    // Gives `child` the box's font.
    void SyncronizeChildFont(CEGUI::Window* child) const;

    void onFontChanged(CEGUI::WindowEventArgs& e) override;
    // A narrower or wider box lays its messages out again: they take their new heights.
    void onSized(CEGUI::ElementEventArgs& e) override;
    // The player scrolled: the messages that came into sight get views.
    void onContentPaneScrolled(CEGUI::WindowEventArgs& e) override;
    // Expiry: one message when the life has run out.
    void updateSelf(float elapsed) override;

private:
    // Where the vertical scroll bar was before a change, and the message under the top of the
    // view then (when scrolled up).
    struct ScrollMemory
    {
        float position;
        float documentSize;
        bool anchored;
        std::uint64_t anchorMessage;
        float anchorOffset;
    };

    // A view of the box: the ring index it is named for, the message it shows.
    struct View
    {
        CGameMultiLine* window = nullptr;
        // Forgets the view when it is destroyed.
        CEGUI::Event::Connection watch;
        bool bound = false;
        unsigned slot = 0;
        // Its arrival number; 0 for none.
        std::uint64_t message = 0;
        // When it was asked for by index while out of sight (the count of asks then); 0 when
        // it shows a message in sight.
        std::uint64_t asked = 0;
    };

    bool IsFull() const { return d_currentSize >= d_capacity; }
    CEGUI::String ViewName(unsigned index) const;
    // The index of the message in ring index `slot`; the history's size when none is there.
    std::size_t MessageInSlot(unsigned slot) const;
    unsigned SlotOf(std::size_t message) const;
    CEGUI::Scrollbar* FindVertScrollbar() const;
    float ViewableHeight() const;
    float ViewableWidth() const;

    // The view bound to `slot`, or null.
    View* BoundView(unsigned slot);
    // A view for `slot`: one that is free, or a new one; null when the look's view type does
    // not make a rich text view.
    View* TakeView(unsigned slot, std::vector<View*>& free);
    View* MakeView(const CEGUI::String& name);
    void Rename(View& view, const CEGUI::String& name);
    // A name no other view has, for a view that shows no message.
    CEGUI::String SpareName();
    // Shows in `view` the message of its slot, or nothing; true when a height it measured
    // differs from the history's.
    bool ShowSlot(View& view);
    // Hides `view`, empties it and frees it for another message; views beyond the spare
    // count are destroyed.
    void Release(View& view);
    void ReleaseAll();
    // After the ring moved: views keep their messages under their new ring indices; those whose
    // message went are released.
    void FollowRing();
    // Views out of sight and unasked go; every message in sight gets a view; true when a
    // height changed.
    bool ShowMessagesInSight();
    // The estimates' width and font follow the box's.
    void FollowWidthAndFont();
    void SetContentHeight();
    // Whether `view` shows a message that was in sight at the last arrangement.
    bool ShowsMessageInSight(const View& view) const;
    void PlaceViews();
    void Arrange(const ScrollMemory* memory);
    void ArrangeKeepingScroll();
    // Stores `value` in `setting` and, when it changed, sets it on every view with `set` and
    // arranges the views again: a setting that changes how messages are laid out.
    template <typename Value>
    void PassToViews(Value& setting, Value value, void (CGameMultiLine::*set)(Value));
    // Notes a shown view whose text was laid out again to another height.
    bool OnViewSized(const CEGUI::EventArgs& args);
    void ForgetView(const CGameMultiLine* window);
    void DropForgottenViews();
    // The view asked for longest ago, out of sight, goes when too many are.
    void LimitAskedViews();
    ScrollMemory RememberScroll() const;
    // Scrolls so that the anchor stays in place, or else the distance from the end.
    void RestoreScroll(const ScrollMemory& memory);

    unsigned d_capacity = 0;
    unsigned d_currentTop = 0;
    unsigned d_currentSize = 0;
    // White, the declared default: a layout that leaves the colour out reads back the same.
    CEGUI::Colour d_defaultTextColour{1.0f, 1.0f, 1.0f, 1.0f};
    int d_indent1stLine = 0;
    int d_indentRestLines = 0;
    TextParser::LineBreakMode d_lineBreak = TextParser::LineBreakMode::Character;
    Bidi::Direction d_textDirection = Bidi::Direction::Auto;
    float d_nextPopTime = 0.0f;
    float d_msgLife = 0.0f;
    bool d_textSelectable = false;
    // The messages keep their item references with the game client while they are kept.
    HostItemClient d_historyClient;
    RichText::CMessageHistory d_history{d_historyClient};
    const CEGUI::Font* d_historyFont = nullptr;
    // Every view of the box; a view destroyed or moved elsewhere meanwhile has no window until
    // the next arrangement forgets it.
    std::vector<std::unique_ptr<View>> d_views;
    // The messages in sight at the last arrangement: [first, end).
    std::size_t d_sightFirst = 0;
    std::size_t d_sightEnd = 0;
    std::uint64_t d_asks = 0;
    std::uint64_t d_spareNames = 0;
    // A shown view is taller or shorter than its text.
    bool d_viewsNeedFit = false;
    // The views are being arranged; a view laid out again meanwhile asks for another pass.
    bool d_arranging = false;
    bool d_arrangeAgain = false;
    ChatSelection d_selection{*this};
};

using CGameChatBoxFactory = ZuWindowFactory<CGameChatBox>;
} // namespace ZuGUI
