#include "ZuGUIElements/textwidgets/GameChatBox.h"

#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/LineBreakProperty.h"
#include "ZuGUIElements/textwidgets/RichTextChild.h"
#include "ZuGUIElements/textwidgets/TextDirectionProperty.h"

#include <CEGUI/PropertyHelper.h>
#include <CEGUI/WindowManager.h>
#include <CEGUI/widgets/Scrollbar.h>
#include <CEGUI/widgets/ScrolledContainer.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace ZuGUI
{
namespace
{
// Consecutive views overlap by the 5 pixels that each view's height adds to its text.
constexpr float kViewOverlap = 5.0f;
// Views kept for messages that come into sight, beyond those in sight.
constexpr std::size_t kSpareViews = 8;
// Views asked for by index out of sight, kept until the next arrangement.
constexpr std::size_t kAskedViews = 16;
// Arrangement passes: the scroll bar shown or hidden and the estimates corrected settle in
// two; a box that cannot settle (narrower than its scroll bar) is left after the last.
constexpr int kArrangePasses = 4;
// A view is this much narrower than the content, for the box's scroll bar.
constexpr float kScrollbarWidth = 15.0f;
// The view counts as scrolled to the end within this many pixels of it.
constexpr float kEndTolerance = 5.0f;
constexpr CEGUI::uint kMessageShown = 0;
constexpr CEGUI::uint kViewFree = 1;

// Empties `window` and hides it: it takes no space and shows no message.
void EmptyView(CGameMultiLine& window)
{
    window.setText("");
    window.hide();
    window.setID(kViewFree);
    window.setYPosition(CEGUI::UDim(0.0f, 0.0f));
    window.setHeight(CEGUI::UDim(0.0f, 0.0f));
}

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
        "ChatCapacity", "Property to get/set the capacity of this game chat box.  Value is a uint.",
        "0"),
    WidgetProperty<nullptr, &CGameChatBox::PushChatText>("PushChat", "to push a chat", ""),
    WidgetProperty<&CGameChatBox::getDefaultTextColor, &CGameChatBox::setDefaultTextColor>(
        "DefaultColour",
        "Property to get/set the default text colour of the game multiline.  Value is Colour",
        "FFFFFFFF"),
    WidgetProperty<nullptr, &CGameChatBox::ClearChats>(
        "Clear", "Property to clear chats.  Value is empty", ""),
    WidgetProperty<&CGameChatBox::getIndentRestLines, &CGameChatBox::setIndentRestLines>(
        "IndentRestLine",
        "Property to get/set the rest line's indent of a chat box.  Value is an int.", "0"),
    WidgetProperty<&CGameChatBox::getIndent1stLine, &CGameChatBox::setIndent1stLine>(
        "Indent1stLine",
        "Property to get/set the 1st line's indent of a chat box.  Value is an int.", "0"),
    WidgetProperty<&CGameChatBox::getMsgLife, &CGameChatBox::setMsgLife, WholeSecondsText>(
        "MsgLife", "Property to get/set line life of a chat box.  Value is a float.", "0"),
    LineBreakProperty<&CGameChatBox::getLineBreak, &CGameChatBox::setLineBreak>(),
    TextDirectionProperty<&CGameChatBox::getTextDirection, &CGameChatBox::setTextDirection>(),
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

bool ChatSelection::IsKept(std::uint64_t message) const
{
    return m_box.GetHistory().Holds(message);
}

bool ChatSelection::WholeTextEnds(End& first, End& last) const
{
    const RichText::CMessageHistory& history = m_box.GetHistory();
    if (history.IsEmpty())
        return false;
    const std::size_t lastIndex = history.Size() - 1;
    first = End{history.NumberOf(0), history.WholeTextOf(0).start};
    last = End{history.NumberOf(lastIndex), history.WholeTextOf(lastIndex).end};
    return true;
}

void ChatSelection::AppendTextBetween(const End& first, const End& last,
                                      std::vector<CEGUI::utf32>& text,
                                      std::vector<TextSelection::CopiedLink>& links) const
{
    // From the parsed messages: those out of sight have no view to read.
    m_box.GetHistory().AppendTextBetween({first.message, first.index}, {last.message, last.index},
                                         text, links);
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

CGameChatBox::CGameChatBox(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
    // The content is as tall as the messages, not as the views that happen to exist.
    getScrolledContainer()->setContentPaneAutoSized(false);
    banPropertyFromXML("ContentPaneAutoSized");
    banPropertyFromXML("ContentArea");
}

CGameChatBox::~CGameChatBox()
{
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (!view->window)
            continue;
        view->watch->disconnect();
        view->window->SetSelectionGroup(nullptr);
    }
}

void CGameChatBox::setMsgLife(float life)
{
    // A life that cannot run out in whole frames would expire a message at every frame.
    d_msgLife = std::isfinite(life) && life > 0.0f ? life : 0.0f;
}

CEGUI::String CGameChatBox::ViewName(unsigned index) const
{
    return getName() + SingleChatSurfix + CEGUI::PropertyHelper<CEGUI::uint>::toString(index);
}

std::size_t CGameChatBox::MessageInSlot(unsigned slot) const
{
    if (slot >= d_currentSize)
        return d_history.Size();
    const std::size_t position =
        (static_cast<std::size_t>(slot) + d_currentSize - d_currentTop % d_currentSize) %
        d_currentSize;
    return std::min(position, d_history.Size());
}

unsigned CGameChatBox::SlotOf(std::size_t message) const
{
    // A ring emptied under the messages (SetCurChatSize) puts them all in slot 0.
    return d_currentSize == 0 ? 0 : static_cast<unsigned>((d_currentTop + message) % d_currentSize);
}

CEGUI::Scrollbar* CGameChatBox::FindVertScrollbar() const
{
    return isChild(VertScrollbarName) ? getVertScrollbar() : nullptr;
}

float CGameChatBox::ViewableHeight() const
{
    return getWindowRenderer() ? getViewableArea().getHeight() : getPixelSize().d_height;
}

float CGameChatBox::ViewableWidth() const
{
    return getWindowRenderer() ? getViewableArea().getWidth() : getPixelSize().d_width;
}

CGameChatBox::View* CGameChatBox::BoundView(unsigned slot)
{
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window && view->bound && view->slot == slot)
            return view.get();
    }
    return nullptr;
}

CGameChatBox::View* CGameChatBox::MakeView(const CEGUI::String& name)
{
    CGameMultiLine* window = AddRichTextChild(*this, name, d_lineBreak, d_textDirection);
    if (!window)
        return nullptr;
    window->setWritingXMLAllowed(false);
    window->setXPosition(CEGUI::UDim(0.0f, 0.0f));
    window->setWidth(CEGUI::UDim(1.0f, -kScrollbarWidth));
    window->SetNeedFrame(false);
    window->SetforceHideVertScroll(true);
    window->SetSelectionGroup(&d_selection);
    window->setTextSelectable(d_textSelectable);
    window->setRiseOnClickEnabled(false);
    window->setID(kViewFree);
    window->hide();
    SyncronizeChildFont(window);
    // A new width lays the text out again, to another height.
    window->subscribeEvent(CEGUI::Window::EventSized,
                           CEGUI::Event::Subscriber(&CGameChatBox::OnViewSized, this));
    auto view = std::make_unique<View>();
    view->window = window;
    view->watch = window->subscribeEvent(CEGUI::Window::EventDestructionStarted,
                                         CEGUI::Event::Subscriber(
                                             [this, window](const CEGUI::EventArgs&)
                                             {
                                                 ForgetView(window);
                                                 return false;
                                             }));
    d_views.push_back(std::move(view));
    return d_views.back().get();
}

void CGameChatBox::ForgetView(const CGameMultiLine* window)
{
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window == window)
            view->window = nullptr;
    }
}

void CGameChatBox::DropForgottenViews()
{
    const CEGUI::Window* content = getContentPane();
    for (const std::unique_ptr<View>& view : d_views)
    {
        // A script moved the view elsewhere: it is its own now.
        if (view->window && view->window->getParent() != content)
        {
            view->watch->disconnect();
            view->window->SetSelectionGroup(nullptr);
            view->window = nullptr;
        }
    }
    d_views.erase(std::remove_if(d_views.begin(), d_views.end(),
                                 [](const std::unique_ptr<View>& view) { return !view->window; }),
                  d_views.end());
}

void CGameChatBox::Rename(View& view, const CEGUI::String& name)
{
    if (view.window->getName() != name)
        view.window->setName(name);
}

CGameChatBox::View* CGameChatBox::TakeView(unsigned slot, std::vector<View*>& free)
{
    free.erase(
        std::remove_if(free.begin(), free.end(), [](const View* view) { return !view->window; }),
        free.end());
    // A view last used for the same ring index first, then any.
    auto chosen = std::find_if(free.begin(), free.end(),
                               [slot](const View* view) { return view->slot == slot; });
    if (chosen == free.end() && !free.empty())
        chosen = free.end() - 1;
    View* view = nullptr;
    if (chosen != free.end())
    {
        view = *chosen;
        free.erase(chosen);
        Rename(*view, ViewName(slot));
    }
    else
    {
        view = MakeView(ViewName(slot));
    }
    if (view)
    {
        view->bound = true;
        view->slot = slot;
    }
    return view;
}

bool CGameChatBox::ShowSlot(View& view)
{
    CGameMultiLine& window = *view.window;
    const std::size_t index = MessageInSlot(view.slot);
    if (index == d_history.Size())
    {
        view.message = 0;
        EmptyView(window);
        return false;
    }
    const std::uint64_t number = d_history.NumberOf(index);
    window.setIndent1stLine(d_indent1stLine);
    window.setIndentRestLines(d_indentRestLines);
    if (view.message != number)
    {
        view.message = number;
        window.setDefaultTextColor(d_history.ColourOf(index));
        window.SetMessageNumber(number);
        window.setText(d_history.At(index).GetMarkup());
        d_selection.ShowIn(window, number);
    }
    window.show();
    window.setID(kMessageShown);
    const IDoc* doc = window.QueryDoc();
    const float height = doc ? doc->GetHeight() : 0.0f;
    window.setHeight(CEGUI::UDim(0.0f, height + kViewOverlap));
    const bool changed = !d_history.IsMeasured(index) || d_history.HeightOf(index) != height;
    d_history.SetMeasuredHeight(index, height);
    return changed;
}

void CGameChatBox::Release(View& view)
{
    view.bound = false;
    view.asked = 0;
    view.message = 0;
    EmptyView(*view.window);
    Rename(view, SpareName());
}

CEGUI::String CGameChatBox::SpareName()
{
    return getName() + "__zuauto_spare__" +
           CEGUI::PropertyHelper<CEGUI::uint>::toString(static_cast<CEGUI::uint>(++d_spareNames));
}

void CGameChatBox::ReleaseAll()
{
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window && (view->bound || view->message != 0))
            Release(*view);
    }
}

void CGameChatBox::FollowRing()
{
    // Views whose message went are freed before the others take their new names, so that no
    // two views ever share one.
    std::vector<View*> moving;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (!view->window || !view->bound)
            continue;
        if (view->message == 0 || !d_history.Holds(view->message))
            Release(*view);
        else if (view->slot != SlotOf(d_history.IndexOf(view->message)))
            moving.push_back(view.get());
    }
    for (View* view : moving)
        Rename(*view, "__zuauto_moving__" + view->window->getName());
    for (View* view : moving)
    {
        view->slot = SlotOf(d_history.IndexOf(view->message));
        Rename(*view, ViewName(view->slot));
    }
}

bool CGameChatBox::ShowMessagesInSight()
{
    d_sightFirst = d_sightEnd = 0;
    if (!d_history.IsEmpty())
    {
        const CEGUI::Scrollbar* bar = FindVertScrollbar();
        const float top = bar ? bar->getScrollPosition() : 0.0f;
        const float bottom = top + ViewableHeight();
        d_sightFirst = d_history.IndexAt(top);
        d_sightEnd = d_sightFirst;
        for (float messageTop = d_history.TopOf(d_sightFirst);
             d_sightEnd < d_history.Size() && messageTop < bottom; ++d_sightEnd)
            messageTop += d_history.HeightOf(d_sightEnd);
    }
    // Views that left the sight are reused for the messages that came into it.
    std::vector<View*> free;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (!view->window)
            continue;
        if (view->bound && ShowsMessageInSight(*view))
            view->asked = 0;
        else if (view->asked == 0)
        {
            view->bound = false;
            free.push_back(view.get());
        }
    }
    bool changed = false;
    for (std::size_t index = d_sightFirst; index < d_sightEnd; ++index)
    {
        View* view = BoundView(SlotOf(index));
        if (!view)
            view = TakeView(SlotOf(index), free);
        if (view && view->window)
            changed |= ShowSlot(*view);
    }
    // What is left: hidden and kept for later, or destroyed beyond the spares.
    std::size_t spares = 0;
    for (View* view : free)
    {
        if (!view->window)
            continue;
        if (view->message != 0 || view->window->isVisible())
            Release(*view);
        if (++spares > kSpareViews)
            CEGUI::WindowManager::getSingleton().destroyWindow(view->window);
    }
    return changed;
}

void CGameChatBox::FollowWidthAndFont()
{
    const CEGUI::Font* font = getFont();
    if (font != d_historyFont)
    {
        d_historyFont = font;
        auto look = std::make_shared<RichText::TextLook>();
        look->font = font;
        d_history.SetLook(std::move(look));
    }
    d_history.SetWidth(std::max(0.0f, ViewableWidth() - kScrollbarWidth));
}

void CGameChatBox::SetContentHeight()
{
    const float height = d_history.IsEmpty() ? 0.0f : d_history.GetTotalHeight() + kViewOverlap;
    getScrolledContainer()->setContentPaneAutoSized(false);
    const CEGUI::Rectf area(0.0f, 0.0f, 0.0f, height);
    if (getContentPaneArea() != area)
        setContentPaneArea(area);
}

bool CGameChatBox::ShowsMessageInSight(const View& view) const
{
    if (!d_history.Holds(view.message))
        return false;
    const std::size_t index = d_history.IndexOf(view.message);
    return d_sightFirst <= index && index < d_sightEnd;
}

void CGameChatBox::PlaceViews()
{
    // The messages in sight follow one another: their tops are summed from the first's once.
    std::vector<float> sightTops;
    float top = d_sightFirst < d_sightEnd ? d_history.TopOf(d_sightFirst) : 0.0f;
    for (std::size_t index = d_sightFirst; index < d_sightEnd; ++index)
    {
        sightTops.push_back(top);
        top += d_history.HeightOf(index);
    }
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (!view->window || !view->bound || !d_history.Holds(view->message))
            continue;
        const std::size_t index = d_history.IndexOf(view->message);
        view->window->setYPosition(CEGUI::UDim(0.0f, ShowsMessageInSight(*view)
                                                         ? sightTops[index - d_sightFirst]
                                                         : d_history.TopOf(index)));
    }
}

void CGameChatBox::Arrange(const ScrollMemory* memory)
{
    if (d_arranging)
    {
        d_arrangeAgain = true;
        return;
    }
    d_arranging = true;
    DropForgottenViews();
    // Views asked for by index keep it until now.
    for (const std::unique_ptr<View>& view : d_views)
        view->asked = 0;
    bool settled = false;
    for (int pass = 0; pass < kArrangePasses && !settled; ++pass)
    {
        d_arrangeAgain = false;
        FollowWidthAndFont();
        // The content's height shows or hides the scroll bar, which lays the views out again.
        SetContentHeight();
        if (memory)
            RestoreScroll(*memory);
        const bool heightsChanged = ShowMessagesInSight();
        settled = !heightsChanged && !d_arrangeAgain;
    }
    if (!settled)
    {
        SetContentHeight();
        if (memory)
            RestoreScroll(*memory);
    }
    PlaceViews();
    d_arranging = false;
    // What is still noted is the bar coming and going again: a box narrower than its bar and a
    // character does not settle, and is left as it is rather than arranged at every frame.
    d_arrangeAgain = false;
    d_viewsNeedFit = false;
}

void CGameChatBox::ArrangeChatTexts()
{
    Arrange(nullptr);
}

void CGameChatBox::ArrangeKeepingScroll()
{
    const ScrollMemory memory = RememberScroll();
    Arrange(&memory);
}

bool CGameChatBox::OnViewSized(const CEGUI::EventArgs& args)
{
    const auto* window = dynamic_cast<const CGameMultiLine*>(
        static_cast<const CEGUI::ElementEventArgs&>(args).element);
    if (!window || !window->isVisible() || window->getID() != kMessageShown)
        return false;
    const IDoc* doc = window->QueryDoc();
    const float height = (doc ? doc->GetHeight() : 0.0f) + kViewOverlap;
    if (window->getHeight() == CEGUI::UDim(0.0f, height))
        return false;
    if (d_arranging)
        d_arrangeAgain = true;
    else
        d_viewsNeedFit = true;
    return false;
}

CEGUI::Window* CGameChatBox::GetChatWindowByIndex(unsigned index)
{
    if (View* view = BoundView(index))
        return view->window;
    std::vector<View*> free;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window && !view->bound)
            free.push_back(view.get());
    }
    LimitAskedViews();
    View* view = TakeView(index, free);
    if (!view)
        return nullptr;
    view->asked = ++d_asks;
    ShowSlot(*view);
    if (view->message != 0)
        view->window->setYPosition(
            CEGUI::UDim(0.0f, d_history.TopOf(d_history.IndexOf(view->message))));
    return view->window;
}

void CGameChatBox::LimitAskedViews()
{
    View* oldest = nullptr;
    std::size_t asked = 0;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (!view->window || view->asked == 0)
            continue;
        ++asked;
        if (!oldest || view->asked < oldest->asked)
            oldest = view.get();
    }
    if (asked >= kAskedViews)
        Release(*oldest);
}

std::vector<TextSelectionGroup::ShownMessage> CGameChatBox::ShownMessages() const
{
    std::vector<TextSelectionGroup::ShownMessage> shown;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window && view->bound && view->message != 0 && view->window->isVisible())
            shown.push_back({view->window, view->message});
    }
    std::sort(shown.begin(), shown.end(),
              [](const TextSelectionGroup::ShownMessage& a,
                 const TextSelectionGroup::ShownMessage& b) { return a.message < b.message; });
    return shown;
}

void CGameChatBox::setTextSelectable(bool selectable)
{
    d_textSelectable = selectable;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window)
            view->window->setTextSelectable(selectable);
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
    const ScrollMemory memory = RememberScroll();
    if (!memory.anchored)
        return false;
    *offset = memory.anchorOffset;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window && view->bound && view->message == memory.anchorMessage)
            *anchor = view->window;
    }
    return true;
}

CGameChatBox::ScrollMemory CGameChatBox::RememberScroll() const
{
    const CEGUI::Scrollbar* bar = FindVertScrollbar();
    if (!bar)
        return ScrollMemory{0.0f, 0.0f, false, 0, 0.0f};
    const float position = bar->getScrollPosition();
    ScrollMemory memory{position, bar->getDocumentSize(), false, 0, 0.0f};
    memory.anchored = bar->getDocumentSize() - kEndTolerance > position + bar->getPageSize();
    if (memory.anchored && !d_history.IsEmpty())
    {
        const std::size_t index = d_history.IndexAt(position);
        memory.anchorMessage = d_history.NumberOf(index);
        memory.anchorOffset = position - d_history.TopOf(index);
    }
    return memory;
}

void CGameChatBox::RestoreScroll(const ScrollMemory& memory)
{
    CEGUI::Scrollbar* bar = FindVertScrollbar();
    if (!bar)
        return;
    if (memory.anchored && d_history.Holds(memory.anchorMessage))
        bar->setScrollPosition(d_history.TopOf(d_history.IndexOf(memory.anchorMessage)) +
                               memory.anchorOffset);
    else
        bar->setScrollPosition(bar->getDocumentSize() - memory.documentSize + memory.position);
}

void CGameChatBox::ScrollToMessage(std::size_t index)
{
    CEGUI::Scrollbar* bar = FindVertScrollbar();
    if (!bar || index >= d_history.Size())
        return;
    // The estimates above it are corrected as they come into sight: aim again once they are.
    for (int pass = 0; pass < kArrangePasses; ++pass)
    {
        const float top = d_history.TopOf(index);
        if (bar->getScrollPosition() == top)
            break;
        bar->setScrollPosition(top);
        ArrangeChatTexts();
    }
}

template <typename Value>
void CGameChatBox::PassToViews(Value& setting, Value value, void (CGameMultiLine::*set)(Value))
{
    if (!StoreChanged(setting, value))
        return;
    for (const std::unique_ptr<View>& view : d_views)
    {
        if (view->window)
            (view->window->*set)(value);
    }
    ArrangeKeepingScroll();
}

void CGameChatBox::setLineBreak(TextParser::LineBreakMode mode)
{
    PassToViews(d_lineBreak, mode, &CGameMultiLine::setLineBreak);
}

void CGameChatBox::setTextDirection(Bidi::Direction direction)
{
    PassToViews(d_textDirection, direction, &CGameMultiLine::setTextDirection);
}

void CGameChatBox::SetChatCapacity(unsigned capacity)
{
    if (capacity == d_capacity)
        return;
    d_capacity = capacity;
    d_history.SetCapacity(capacity);
    if (d_currentTop == 0 && d_currentSize <= d_capacity)
        return;
    const ScrollMemory memory = RememberScroll();
    d_currentTop = 0;
    d_currentSize = std::min(d_currentSize, d_capacity);
    FollowRing();
    Arrange(&memory);
}

bool CGameChatBox::PushChatText(const CEGUI::String& markup)
{
    if (d_capacity == 0)
        return false;
    // The look must make the views: a box that cannot show a message takes none.
    if (d_views.empty())
    {
        if (!MakeView(SpareName()))
            return false;
    }
    const ScrollMemory memory = RememberScroll();
    // A free slot after the messages takes the message; else a new slot after the one at the
    // end of the ring, which must then hold the newest; else the oldest message's slot.
    if (d_history.Size() >= d_currentSize && !IsFull())
    {
        d_currentTop = 0;
        ++d_currentSize;
    }
    else if (d_history.Size() >= d_currentSize)
    {
        d_currentTop = (d_currentTop + 1) % d_currentSize;
    }
    d_history.Push(markup, d_defaultTextColour);
    FollowRing();
    Arrange(&memory);
    restoreNextPopTime();
    return true;
}

bool CGameChatBox::PopTop()
{
    if (d_history.IsEmpty() || d_currentSize == 0)
        return false;
    const ScrollMemory memory = RememberScroll();
    d_history.PopOldest();
    d_currentTop = (d_currentTop + 1) % d_currentSize;
    FollowRing();
    Arrange(&memory);
    restoreNextPopTime();
    return true;
}

void CGameChatBox::ClearChats()
{
    d_history.Clear();
    d_currentTop = 0;
    d_currentSize = 0;
    d_selection.Clear();
    ReleaseAll();
    SetContentHeight();
    if (CEGUI::Scrollbar* bar = FindVertScrollbar())
        bar->setScrollPosition(0.0f);
    Arrange(nullptr);
}

void CGameChatBox::onFontChanged(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onFontChanged(e);
    for (const std::unique_ptr<View>& view : d_views)
        SyncronizeChildFont(view->window);
    ArrangeKeepingScroll();
}

void CGameChatBox::onSized(CEGUI::ElementEventArgs& e)
{
    SharedPropertyLayer::onSized(e);
    if (!d_history.IsEmpty())
        ArrangeKeepingScroll();
}

void CGameChatBox::onContentPaneScrolled(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onContentPaneScrolled(e);
    if (!d_arranging)
        ArrangeChatTexts();
}

void CGameChatBox::updateSelf(float elapsed)
{
    // A scroll bar of the box shown or hidden outside a push, a pop or a resize.
    if (d_viewsNeedFit)
        ArrangeKeepingScroll();
    if (d_msgLife == 0.0f)
        return;
    if (elapsed < d_nextPopTime)
        d_nextPopTime -= elapsed;
    else
        PopTop();
}
} // namespace ZuGUI
