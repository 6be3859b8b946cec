#include "ZuGUIElements/textwidgets/GameChatBox.h"

#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/LineBreakProperty.h"

#include <CEGUI/PropertyHelper.h>
#include <CEGUI/WindowManager.h>
#include <CEGUI/widgets/Scrollbar.h>
#include <CEGUI/widgets/ScrolledContainer.h>

#include <cmath>
#include <limits>

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
const CEGUI::String CGameChatBox::ChatViewType("ZuLook/GameMultiLine");

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
};

void CGameChatBox::setMsgLife(float life)
{
    // A life that cannot run out in whole frames would expire a message at every frame.
    d_msgLife = std::isfinite(life) && life > 0.0f ? life : 0.0f;
}

unsigned CGameChatBox::NextIndex(unsigned index) const
{
    return index + 1 >= d_capacity ? 0 : index + 1;
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
        d_views.resize(index + 1, nullptr);
    d_views[index] = view;
    view->subscribeEvent(CEGUI::Window::EventDestructionStarted,
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
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::Window* window = windows.createWindow(ChatViewType, ViewName(index));
    auto* view = dynamic_cast<CGameMultiLine*>(window);
    if (!view)
    {
        // The look maps the view type to some other window: no view, and no stray child.
        windows.destroyWindow(window);
        return nullptr;
    }
    view->setWritingXMLAllowed(false);
    addChild(view);
    RememberView(index, view);
    view->setXPosition(CEGUI::UDim(0.0f, 0.0f));
    view->setWidth(CEGUI::UDim(1.0f, -kScrollbarWidth));
    view->SetNeedFrame(false);
    view->SetforceHideVertScroll(true);
    view->setRiseOnClickEnabled(false);
    view->setDefaultTextColor(d_defaultTextColour);
    view->setIndent1stLine(d_indent1stLine);
    view->setIndentRestLines(d_indentRestLines);
    view->setLineBreak(d_lineBreak);
    view->setID(kViewFree);
    SyncronizeChildFont(view);
    return view;
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
    for (unsigned index = 0; index < d_currentSize; ++index)
    {
        CEGUI::Window* view = FindView(index);
        if (!view)
            continue;
        const float top = view->getYPosition().d_offset;
        if (top < position && position < top + view->getPixelSize().d_height)
        {
            *anchor = view;
            *offset = position - top;
            break;
        }
    }
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

CGameMultiLine* CGameChatBox::TakeViewForPush(ScrollMemory& memory)
{
    if (IsFull())
    {
        CGameMultiLine* view = ViewAt(d_currentTop);
        if (!view)
            return nullptr;
        d_currentTop = NextIndex(d_currentTop);
        if (memory.anchor == view)
            memory.anchor = nullptr;
        return view;
    }
    CGameMultiLine* top = ViewAt(d_currentTop);
    if (top && top->getID() == kViewFree && d_msgLife != 0.0f)
    {
        d_currentSize = std::max(d_currentTop + 1, d_currentSize);
        return top;
    }
    CGameMultiLine* next = ViewAt(d_currentSize);
    if (next)
        ++d_currentSize;
    return next;
}

void CGameChatBox::ShowMessage(CGameMultiLine& view, const CEGUI::String& markup) const
{
    view.setDefaultTextColor(d_defaultTextColour);
    view.setText(markup);
    view.show();
    view.setID(kMessageShown);
    FitHeightToText(view);
}

void CGameChatBox::FitHeightToText(CGameMultiLine& view)
{
    const IDoc* doc = view.QueryDoc();
    view.setHeight(CEGUI::UDim(0.0f, (doc ? doc->GetHeight() : 0.0f) + kViewOverlap));
}

void CGameChatBox::setLineBreak(TextParser::LineBreakMode mode)
{
    if (!StoreChanged(d_lineBreak, mode))
        return;
    ScrollMemory memory = RememberScroll();
    for (unsigned index = 0; index < d_currentSize; ++index)
    {
        CGameMultiLine* view = dynamic_cast<CGameMultiLine*>(FindView(index));
        if (!view)
            continue;
        view->setLineBreak(mode);
        if (view->isVisible())
            FitHeightToText(*view);
    }
    ArrangeChatTexts();
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
    ShowMessage(*view, markup);
    ArrangeChatTexts();
    RestoreScroll(memory);
    restoreNextPopTime();
    return true;
}

bool CGameChatBox::PopTop()
{
    if (d_capacity == 0)
        return false;
    const unsigned top = d_currentTop;
    CEGUI::Window* expired = nullptr;
    ForEachInRingOrder(
        [&](unsigned index)
        {
            CEGUI::Window* view = GetChatWindowByIndex(index);
            if (!expired && view && view->getID() == kMessageShown)
                expired = view;
        });
    if (!expired)
        return false;
    ScrollMemory memory = RememberScroll();
    if (memory.anchor == expired)
        memory.anchor = nullptr;
    expired->hide();
    expired->setID(kViewFree);
    d_currentTop = NextIndex(top);
    // The views close up before the scroll is restored, so that it sees where they are now.
    ArrangeChatTexts();
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
    CEGUI::UDim y(0.0f, 0.0f);
    ForEachInRingOrder(
        [&](unsigned index)
        {
            CEGUI::Window* view = GetChatWindowByIndex(index);
            if (!view)
                return;
            if (!view->isVisible())
            {
                view->setYPosition(CEGUI::UDim(0.0f, 0.0f));
                view->setHeight(CEGUI::UDim(0.0f, 0.0f));
                return;
            }
            view->setYPosition(y);
            y += view->getHeight() - CEGUI::UDim(0.0f, kViewOverlap);
        });
    content.setMutedState(muted);
    content.setContentPaneAutoSized(autoSized);
}

void CGameChatBox::ClearChats()
{
    for (unsigned index = 0; index < d_currentSize; ++index)
    {
        CEGUI::Window* view = GetChatWindowByIndex(index);
        if (!view)
            continue;
        view->setText("");
        view->setYPosition(CEGUI::UDim(0.0f, 0.0f));
        view->hide();
        view->setID(kMessageShown);
    }
    d_currentTop = 0;
    d_currentSize = 0;
}

void CGameChatBox::onFontChanged(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onFontChanged(e);
    for (unsigned index = 0; index < d_currentSize; ++index)
        SyncronizeChildFont(GetChatWindowByIndex(index));
}

void CGameChatBox::updateSelf(float elapsed)
{
    if (d_msgLife == 0.0f)
        return;
    if (elapsed < d_nextPopTime)
        d_nextPopTime -= elapsed;
    else
        PopTop();
}
} // namespace ZuGUI
