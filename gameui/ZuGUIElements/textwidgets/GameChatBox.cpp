#include "ZuGUIElements/textwidgets/GameChatBox.h"

#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/LineBreakProperty.h"
#include "ZuGUIElements/textwidgets/RichTextChild.h"

#include <CEGUI/PropertyHelper.h>
#include <CEGUI/widgets/Scrollbar.h>
#include <CEGUI/widgets/ScrolledContainer.h>

#include <cmath>
#include <limits>
#include <utility>

namespace ZuGUI
{
namespace
{
// Consecutive views overlap by the 5 pixels that each view's height adds to its text.
constexpr float kViewOverlap = 5.0f;
// A view is this much narrower than the content, for the box's scroll bar.
constexpr float kScrollbarWidth = 15.0f;
// The view counts as scrolled to the end within this many pixels of it.
constexpr float kEndTolerance = 5.0f;
constexpr CEGUI::uint kMessageShown = 0;
constexpr CEGUI::uint kViewFree = 1;

// "MsgLife" reads back in whole seconds, as an unsigned number.
struct WholeSecondsText : FloatText
{
    static CEGUI::String ToString(float seconds)
    {
        constexpr float kLargest = static_cast<float>(std::numeric_limits<CEGUI::uint>::max());
        const CEGUI::uint whole = seconds >= kLargest
                                      ? std::numeric_limits<CEGUI::uint>::max()
                                      : static_cast<CEGUI::uint>(std::trunc(seconds));
        return FloatText::ToString(static_cast<float>(whole));
    }
};
} // namespace

const CEGUI::String CGameChatBox::WidgetTypeName("ZuGame/GameChatBox");
const CEGUI::String CGameChatBox::EventNamespace("GameChatBox");
const CEGUI::String CGameChatBox::SingleChatSurfix("__zuauto_single__");
const CEGUI::String CGameChatBox::ChatViewType(kRichTextChildType);

const CEGUI::ShareProSet CGameChatBox::s_SharePros{
    WidgetProperty<&CGameChatBox::GetChatCapacity, &CGameChatBox::SetChatCapacity>(
        "ChatCapacity",
        "Property to get/set the capacity of this game chat box.  Value is a interger.", "0"),
    WidgetProperty<nullptr, &CGameChatBox::PushChatText>("PushChat", "to push a chat", ""),
    WidgetProperty<&CGameChatBox::getDefaultTextColor, &CGameChatBox::setDefaultTextColor>(
        "DefaultColour",
        "Property to get/set the default text colour of the game multiline.  Value is Colour",
        "FFFFFFFF"),
    WidgetProperty<nullptr, &CGameChatBox::ClearChats>(
        "Clear", "Property to clear chats.  Value is empty", ""),
    WidgetProperty<&CGameChatBox::getIndentRestLines, &CGameChatBox::setIndentRestLines>(
        "IndentRestLine",
        "Property to get/set the rest line's indent of a chat box.  Value is a string.", "False"),
    WidgetProperty<&CGameChatBox::getIndent1stLine, &CGameChatBox::setIndent1stLine>(
        "Indent1stLine",
        "Property to get/set the 1st line's indent of a chat box.  Value is a string.", "False"),
    WidgetProperty<&CGameChatBox::getMsgLife, &CGameChatBox::setMsgLife, WholeSecondsText>(
        "MsgLife", "Property to get/set line life of a chat box.  Value is a float.", "0"),
    LineBreakProperty<&CGameChatBox::getLineBreak, &CGameChatBox::setLineBreak>(),
    WidgetProperty<&CGameChatBox::isTextSelectable, &CGameChatBox::setTextSelectable>(
        "TextSelectable",
        "Property to get/set if the player can select and copy the messages of the chat box.  "
        "Value is either \"True\" or \"False\".",
        "False"),
};

std::vector<TextSelectionGroup::ShownMessage> ChatSelection::ShownMessages() const
{
    return m_box.ShownMessages();
}

CEGUI::Rectf ChatSelection::ShownArea() const
{
    // Without a renderer the whole box shows its messages.
    const CEGUI::Rectf box = m_box.getUnclippedOuterRect().get();
    if (!m_box.getWindowRenderer())
        return box;
    const CEGUI::Rectf area = m_box.getViewableArea();
    return CEGUI::Rectf(area.d_min + box.d_min, area.d_max + box.d_min);
}

TextSelectionGroup::VerticalScroll ChatSelection::ShownScroll() const
{
    if (!m_box.isChild(CEGUI::ScrollablePane::VertScrollbarName))
        return VerticalScroll{0.0f, 0.0f, 0.0f};
    const CEGUI::Scrollbar& bar = *m_box.getVertScrollbar();
    return VerticalScroll{bar.getScrollPosition(), bar.getPageSize(), bar.getDocumentSize()};
}

bool ChatSelection::ScrollBy(float pixels)
{
    return m_box.isChild(CEGUI::ScrollablePane::VertScrollbarName) &&
           ScrollBarBy(*m_box.getVertScrollbar(), pixels);
}

void CGameChatBox::setMsgLife(float life)
{
    // A life that cannot run out in whole frames would expire a message at every frame.
    d_msgLife = std::isfinite(life) && life > 0.0f ? life : 0.0f;
}

unsigned CGameChatBox::NextIndex(unsigned index) const
{
    return index + 1 >= d_currentSize ? 0 : index + 1;
}

template <typename Visit>
void CGameChatBox::ForEachInRingOrder(Visit&& visit)
{
    for (unsigned index = d_currentTop; index < d_currentSize; ++index)
        visit(index);
    for (unsigned index = 0; index < d_currentTop && index < d_currentSize; ++index)
        visit(index);
}

CEGUI::String CGameChatBox::ViewName(unsigned index) const
{
    return getName() + SingleChatSurfix + CEGUI::PropertyHelper<CEGUI::uint>::toString(index);
}

CEGUI::Window* CGameChatBox::FindView(unsigned index)
{
    const CEGUI::ScrolledContainer& content = *getContentPane();
    if (index < d_views.size() && d_views[index] && d_views[index]->getParent() == &content)
        return d_views[index];
    const CEGUI::String name = ViewName(index);
    if (!content.isChild(name))
        return nullptr;
    RememberView(index, content.getChild(name));
    return d_views[index];
}

void CGameChatBox::RememberView(unsigned index, CEGUI::Window* view)
{
    if (index >= d_views.size())
    {
        d_views.resize(index + 1, nullptr);
        d_viewWatches.resize(index + 1);
    }
    d_views[index] = view;
    if (d_viewWatches[index].isValid())
        d_viewWatches[index]->disconnect();
    d_viewWatches[index] = view->subscribeEvent(CEGUI::Window::EventDestructionStarted,
                                                CEGUI::Event::Subscriber(
                                                    [this, index](const CEGUI::EventArgs&)
                                                    {
                                                        d_views[index] = nullptr;
                                                        return false;
                                                    }));
}

CEGUI::Window* CGameChatBox::GetChatWindowByIndex(unsigned index)
{
    if (CEGUI::Window* view = FindView(index))
        return view;
    return MakeView(index);
}

CGameMultiLine* CGameChatBox::ViewAt(unsigned index)
{
    return dynamic_cast<CGameMultiLine*>(GetChatWindowByIndex(index));
}

CGameMultiLine* CGameChatBox::MakeView(unsigned index)
{
    CGameMultiLine* view = AddRichTextChild(*this, ViewName(index), d_lineBreak);
    if (!view)
        return nullptr;
    view->setWritingXMLAllowed(false);
    RememberView(index, view);
    view->setXPosition(CEGUI::UDim(0.0f, 0.0f));
    view->setWidth(CEGUI::UDim(1.0f, -kScrollbarWidth));
    view->SetNeedFrame(false);
    view->SetforceHideVertScroll(true);
    view->SetSelectionGroup(&d_selection);
    view->setTextSelectable(d_textSelectable);
    view->setRiseOnClickEnabled(false);
    view->setDefaultTextColor(d_defaultTextColour);
    view->setIndent1stLine(d_indent1stLine);
    view->setIndentRestLines(d_indentRestLines);
    view->setID(kViewFree);
    SyncronizeChildFont(view);
    // A new width lays the text out again, to another height.
    view->subscribeEvent(CEGUI::Window::EventSized,
                         CEGUI::Event::Subscriber(&CGameChatBox::OnViewSized, this));
    return view;
}

CGameChatBox::~CGameChatBox()
{
    for (std::size_t index = 0; index < d_views.size(); ++index)
    {
        if (d_viewWatches[index].isValid())
            d_viewWatches[index]->disconnect();
        if (auto* view = dynamic_cast<CGameMultiLine*>(d_views[index]))
            view->SetSelectionGroup(nullptr);
    }
}

std::vector<TextSelectionGroup::ShownMessage> CGameChatBox::ShownMessages()
{
    std::vector<TextSelectionGroup::ShownMessage> shown;
    ForEachInRingOrder(
        [&](unsigned index)
        {
            auto* view = dynamic_cast<CGameMultiLine*>(FindView(index));
            if (view && view->getID() == kMessageShown && view->isVisible())
                shown.push_back({view, view->GetMessageNumber()});
        });
    return shown;
}

void CGameChatBox::setTextSelectable(bool selectable)
{
    d_textSelectable = selectable;
    for (CEGUI::Window* window : d_views)
    {
        if (auto* view = dynamic_cast<CGameMultiLine*>(window))
            view->setTextSelectable(selectable);
    }
    if (!selectable)
        d_selection.Clear();
}

CEGUI::String CGameChatBox::getSelectedText() const
{
    return d_selection.Selected().text;
}

bool CGameChatBox::performCopy(CEGUI::Clipboard& clipboard)
{
    return d_textSelectable ? d_selection.Copy() : SharedPropertyLayer::performCopy(clipboard);
}

void CGameChatBox::SyncronizeChildFont(CEGUI::Window* child) const
{
    if (child)
        child->setFont(getFont());
}

bool CGameChatBox::utilCheckNeedAim(CEGUI::Window** anchor, float* offset)
{
    const CEGUI::Scrollbar& bar = *getVertScrollbar();
    const float position = bar.getScrollPosition();
    if (bar.getDocumentSize() - kEndTolerance <= position + bar.getPageSize())
        return false;
    // The first shown view in ring order under the top of the view; at position 0 that is the
    // first message, whose top lies there.
    ForEachInRingOrder(
        [&](unsigned index)
        {
            CEGUI::Window* view = FindView(index);
            if (*anchor || !view || !view->isVisible())
                return;
            const float top = view->getYPosition().d_offset;
            if (top <= position && position < top + view->getPixelSize().d_height)
            {
                *anchor = view;
                *offset = position - top;
            }
        });
    return true;
}

CGameChatBox::ScrollMemory CGameChatBox::RememberScroll()
{
    const CEGUI::Scrollbar& bar = *getVertScrollbar();
    ScrollMemory memory{bar.getScrollPosition(), bar.getDocumentSize(), false, nullptr, 0.0f};
    memory.anchored = utilCheckNeedAim(&memory.anchor, &memory.anchorOffset);
    return memory;
}

void CGameChatBox::RestoreScroll(const ScrollMemory& memory)
{
    CEGUI::Scrollbar& bar = *getVertScrollbar();
    if (memory.anchored && memory.anchor)
        bar.setScrollPosition(memory.anchor->getYPosition().d_offset + memory.anchorOffset);
    else
        bar.setScrollPosition(bar.getDocumentSize() - memory.documentSize + memory.position);
}

CGameMultiLine* CGameChatBox::FirstFreeView()
{
    CGameMultiLine* free = nullptr;
    ForEachInRingOrder(
        [&](unsigned index)
        {
            CGameMultiLine* view = free ? nullptr : ViewAt(index);
            if (view && view->getID() == kViewFree)
                free = view;
        });
    return free;
}

CGameMultiLine* CGameChatBox::TakeViewForPush(ScrollMemory& memory)
{
    if (CGameMultiLine* free = FirstFreeView())
        return free;
    if (IsFull())
    {
        CGameMultiLine* oldest = ViewAt(d_currentTop);
        if (!oldest)
            return nullptr;
        d_currentTop = NextIndex(d_currentTop);
        if (memory.anchor == oldest)
            memory.anchor = nullptr;
        return oldest;
    }
    // A new view goes after the view at the end of the ring: that must be the newest message.
    if (d_currentTop != 0)
        PutRingInIndexOrder(memory);
    CGameMultiLine* next = ViewAt(d_currentSize);
    if (next)
        ++d_currentSize;
    return next;
}

std::vector<CGameChatBox::Message> CGameChatBox::ShownMessagesInOrder(CEGUI::Window* anchor,
                                                                      unsigned& anchorPosition)
{
    std::vector<Message> messages;
    ForEachInRingOrder(
        [&](unsigned index)
        {
            auto* view = dynamic_cast<CGameMultiLine*>(FindView(index));
            if (!view || view->getID() != kMessageShown || !view->isVisible())
                return;
            if (view == anchor)
                anchorPosition = static_cast<unsigned>(messages.size());
            messages.push_back(
                {view->getText(), view->getDefaultTextColor(), view->GetMessageNumber()});
        });
    return messages;
}

void CGameChatBox::PutRingInIndexOrder(ScrollMemory& memory)
{
    unsigned anchorPosition = std::numeric_limits<unsigned>::max();
    std::vector<Message> messages = ShownMessagesInOrder(memory.anchor, anchorPosition);
    const std::size_t dropped = messages.size() > d_capacity ? messages.size() - d_capacity : 0;
    memory.anchor = nullptr;
    d_currentTop = 0;
    d_currentSize = std::min(d_currentSize, d_capacity);
    for (unsigned index = 0; index < d_views.size(); ++index)
    {
        CEGUI::Window* view = FindView(index);
        const std::size_t position = dropped + index;
        auto* shown = dynamic_cast<CGameMultiLine*>(view);
        if (shown && position < messages.size())
        {
            ShowMessage(*shown, messages[position]);
            if (position == anchorPosition)
                memory.anchor = shown;
        }
        else if (view)
        {
            FreeView(*view);
        }
    }
}

void CGameChatBox::ShowMessage(CGameMultiLine& view, const Message& message)
{
    view.setDefaultTextColor(message.colour);
    view.SetMessageNumber(message.number);
    view.setText(message.markup);
    view.show();
    view.setID(kMessageShown);
    FitHeightToText(view);
    d_selection.ShowIn(view, message.number);
}

void CGameChatBox::FreeView(CEGUI::Window& view)
{
    view.setText("");
    view.hide();
    view.setID(kViewFree);
}

CEGUI::UDim CGameChatBox::TextHeight(const CGameMultiLine& view)
{
    const IDoc* doc = view.QueryDoc();
    return CEGUI::UDim(0.0f, (doc ? doc->GetHeight() : 0.0f) + kViewOverlap);
}

void CGameChatBox::FitHeightToText(CGameMultiLine& view)
{
    view.setHeight(TextHeight(view));
}

bool CGameChatBox::FitsItsText(const CGameMultiLine& view)
{
    return view.getHeight() == TextHeight(view);
}

bool CGameChatBox::OnViewSized(const CEGUI::EventArgs& args)
{
    const auto* view = dynamic_cast<const CGameMultiLine*>(
        static_cast<const CEGUI::ElementEventArgs&>(args).element);
    if (view && view->isVisible() && view->getID() == kMessageShown && !FitsItsText(*view))
        d_viewsNeedFit = true;
    return false;
}

bool CGameChatBox::FitNotedViews()
{
    if (!d_viewsNeedFit)
        return false;
    d_viewsNeedFit = false;
    bool changed = false;
    ForEachInRingOrder(
        [&](unsigned index)
        {
            auto* view = dynamic_cast<CGameMultiLine*>(FindView(index));
            if (!view || !view->isVisible() || FitsItsText(*view))
                return;
            FitHeightToText(*view);
            changed = true;
        });
    return changed;
}

void CGameChatBox::ArrangeFittedViews()
{
    const bool nested = std::exchange(d_arranging, true);
    FitNotedViews();
    ArrangeChatTexts();
    // Arranging may show or hide the box's scroll bar, which makes every view narrower or
    // wider: once is enough, a taller text keeps the bar and a shorter one keeps it hidden.
    if (FitNotedViews())
        ArrangeChatTexts();
    d_arranging = nested;
    // What is still noted then is the bar coming and going again: a box narrower than its bar
    // and a character does not settle, and is left as it is rather than fitted at every frame.
    if (!nested)
        d_viewsNeedFit = false;
}

void CGameChatBox::RefitNotedViews()
{
    // Fitting a view shows or hides the box's scroll bar, whose resize comes back here: the
    // arrangement under way fits what it noted. A refit inside it would start yet another for
    // a text that needs the bar at the full width and not at the width the bar leaves.
    if (!d_viewsNeedFit || d_arranging)
        return;
    // No message yet: the box may not even have its scroll bars.
    if (d_currentSize == 0)
    {
        d_viewsNeedFit = false;
        return;
    }
    const ScrollMemory memory = RememberScroll();
    ArrangeFittedViews();
    RestoreScroll(memory);
}

void CGameChatBox::setLineBreak(TextParser::LineBreakMode mode)
{
    if (!StoreChanged(d_lineBreak, mode))
        return;
    for (unsigned index = 0; index < d_views.size(); ++index)
    {
        if (auto* view = dynamic_cast<CGameMultiLine*>(FindView(index)))
            view->setLineBreak(mode);
    }
    d_viewsNeedFit = true;
    RefitNotedViews();
}

void CGameChatBox::SetChatCapacity(unsigned capacity)
{
    if (capacity == d_capacity)
        return;
    d_capacity = capacity;
    if (d_currentTop == 0 && d_currentSize <= d_capacity)
        return;
    ScrollMemory memory = RememberScroll();
    PutRingInIndexOrder(memory);
    ArrangeFittedViews();
    RestoreScroll(memory);
}

bool CGameChatBox::PushChatText(const CEGUI::String& markup)
{
    if (d_capacity == 0)
        return false;
    ScrollMemory memory = RememberScroll();
    CGameMultiLine* view = TakeViewForPush(memory);
    if (!view)
        return false;
    ShowMessage(*view, {markup, d_defaultTextColour, ++d_lastMessageNumber});
    ArrangeFittedViews();
    RestoreScroll(memory);
    restoreNextPopTime();
    return true;
}

bool CGameChatBox::PopTop()
{
    CEGUI::Window* oldest = d_currentSize == 0 ? nullptr : FindView(d_currentTop);
    // Messages come first in ring order: a free view at the top leaves none to hide.
    if (!oldest || oldest->getID() != kMessageShown || !oldest->isVisible())
        return false;
    ScrollMemory memory = RememberScroll();
    if (memory.anchor == oldest)
        memory.anchor = nullptr;
    FreeView(*oldest);
    d_currentTop = NextIndex(d_currentTop);
    // The views close up before the scroll is restored, so that it sees where they are now.
    ArrangeFittedViews();
    if (getVertScrollbar()->isVisible())
        RestoreScroll(memory);
    restoreNextPopTime();
    return true;
}

void CGameChatBox::ArrangeChatTexts()
{
    // The content pane measures its children and the box sizes its scroll bars again at every
    // move of one view: both happen once, when the views are in place.
    CEGUI::ScrolledContainer& content = *getScrolledContainer();
    const bool autoSized = content.isContentPaneAutoSized();
    const bool muted = content.isMuted();
    content.setMutedState(true);
    content.setContentPaneAutoSized(false);
    const auto collapse = [](CEGUI::Window& view)
    {
        view.setYPosition(CEGUI::UDim(0.0f, 0.0f));
        view.setHeight(CEGUI::UDim(0.0f, 0.0f));
    };
    CEGUI::UDim y(0.0f, 0.0f);
    ForEachInRingOrder(
        [&](unsigned index)
        {
            CEGUI::Window* view = GetChatWindowByIndex(index);
            if (!view)
                return;
            if (!view->isVisible())
                return collapse(*view);
            view->setYPosition(y);
            y += view->getHeight() - CEGUI::UDim(0.0f, kViewOverlap);
        });
    // Views outside the ring (cleared, or past a lowered capacity) keep no extent either.
    for (unsigned index = d_currentSize; index < d_views.size(); ++index)
    {
        if (CEGUI::Window* view = FindView(index))
            collapse(*view);
    }
    content.setMutedState(muted);
    content.setContentPaneAutoSized(autoSized);
}

void CGameChatBox::ClearChats()
{
    for (unsigned index = 0; index < d_views.size(); ++index)
    {
        if (CEGUI::Window* view = FindView(index))
            FreeView(*view);
    }
    d_currentTop = 0;
    d_currentSize = 0;
    d_selection.Clear();
    ArrangeChatTexts();
    getVertScrollbar()->setScrollPosition(0.0f);
}

void CGameChatBox::onFontChanged(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onFontChanged(e);
    for (unsigned index = 0; index < d_views.size(); ++index)
        SyncronizeChildFont(FindView(index));
    d_viewsNeedFit = true;
    RefitNotedViews();
}

void CGameChatBox::onSized(CEGUI::ElementEventArgs& e)
{
    SharedPropertyLayer::onSized(e);
    RefitNotedViews();
}

void CGameChatBox::updateSelf(float elapsed)
{
    // A scroll bar of the box shown or hidden outside a push, a pop or a resize.
    RefitNotedViews();
    if (d_msgLife == 0.0f)
        return;
    if (elapsed < d_nextPopTime)
        d_nextPopTime -= elapsed;
    else
        PopTop();
}
} // namespace ZuGUI
