#include "ZuGUIElements/textwidgets/ZuToolTip.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/base/NullRenderedStringParser.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/host/ClientLink.h"
#include "ZuGUIElements/host/WindowRecords.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/LineBreakProperty.h"
#include "ZuGUIElements/textwidgets/RichTextChild.h"
#include "ZuGUIElements/textwidgets/TextDirectionProperty.h"

#include <CEGUI/GUIContext.h>
#include <CEGUI/Image.h>
#include <CEGUI/MouseCursor.h>

#include <algorithm>

namespace ZuGUI
{
namespace
{
const CEGUI::String kCompareIdProperty("GameObjectCompareId");
// The views lay the text out at this size before they are fitted to it.
const CEGUI::USize kLayoutSize(CEGUI::UDim(0.0f, 256.0f), CEGUI::UDim(0.0f, 512.0f));
const CEGUI::URect kWholeTip(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0),
                             CEGUI::UDim(1, 0));
// A tip that would leave the display goes to the other side of the pointer, this far off.
constexpr float kPointerGap = 5.0f;
} // namespace

const CEGUI::String CZuToolTip::WidgetTypeName("ZuGame/Tooltip");
const CEGUI::String CZuToolTip::EventNamespace("Tooltip");
const CEGUI::String CZuToolTip::s_multilinePrefix("/__auto_multiline__");
const CEGUI::String CZuToolTip::s_2ndMultilinePrefix("/__auto_multiline2__");

const CEGUI::ShareProSet CZuToolTip::s_SharePros{
    LineBreakProperty<&CZuToolTip::getLineBreak, &CZuToolTip::setLineBreak>(),
    TextDirectionProperty<&CZuToolTip::getTextDirection, &CZuToolTip::setTextDirection>(),
};

CGameMultiLine* CZuToolTip::MakeView(const CEGUI::String& name)
{
    if (isChild(name))
        return dynamic_cast<CGameMultiLine*>(getChild(name));
    // Without a view the tip shows no rich text.
    CGameMultiLine* view = AddRichTextChild(*this, name, d_lineBreak, d_textDirection);
    if (!view)
        return nullptr;
    view->setAutoWindow(true);
    // The pointer never rests on the tip itself.
    view->setMousePassThroughEnabled(true);
    return view;
}

CEGUI::RenderedStringParser& CZuToolTip::getRenderedStringParser() const
{
    return NullRenderedStringParser::Instance();
}

void CZuToolTip::initialiseComponents()
{
    Tooltip::initialiseComponents();
    setDisplayTime(100.0f);
    // In 0.8 a name is its parent's: the views' name paths end in the two suffixes.
    d_textView = MakeView(s_multilinePrefix.substr(1));
    if (d_textView)
    {
        d_textView->setArea(kWholeTip);
        d_textView->SetNeedFrame(false);
        d_textView->SetforceHideVertScroll(true);
        d_textView->SetforceHideHorzScroll(true);
    }
    d_compareView = MakeView(s_2ndMultilinePrefix.substr(1));
    if (d_compareView)
    {
        d_compareView->setArea(CEGUI::URect(CEGUI::UDim(1, 0), CEGUI::UDim(0, 0), CEGUI::UDim(2, 0),
                                            CEGUI::UDim(1, 5)));
        d_compareView->SetNeedFrame(true);
        d_compareView->setClippedByParent(false);
        d_compareView->SetforceHideVertScroll(true);
        d_compareView->hide();
    }
}

CEGUI::Sizef CZuToolTip::getTextSize_impl() const
{
    if (getText().empty() || !d_textView)
        return CEGUI::Sizef(0.0f, 0.0f);
    return d_textView->getDocSize();
}

CEGUI::Rectf CZuToolTip::getTotalArea() const
{
    CEGUI::Rectf area = getUnclippedOuterRect().get();
    if (!d_compareView || !d_compareView->isVisible())
        return area;
    const CEGUI::Rectf compare = d_compareView->getUnclippedOuterRect().get();
    area.left(std::min(area.left(), compare.left()));
    area.top(std::min(area.top(), compare.top()));
    area.right(std::max(area.right(), compare.right()));
    area.bottom(std::max(area.bottom(), compare.bottom()));
    return area;
}

void CZuToolTip::onTextChanged(CEGUI::WindowEventArgs& e)
{
    if (d_textView && getText() != d_textView->getText())
    {
        // The view lays the new text out at the layout size; FitToText fits it afterwards.
        TakeLayoutSize();
        d_textView->setText(getText());
        ShowCompareText();
    }
    Tooltip::onTextChanged(e);
    FitToText();
}

void CZuToolTip::TakeLayoutSize()
{
    setSize(kLayoutSize);
    d_textView->setArea(kWholeTip);
}

void CZuToolTip::setTextDirection(Bidi::Direction direction)
{
    if (!StoreChanged(d_textDirection, direction))
        return;
    // The direction does not change how a text breaks: the views keep their sizes.
    if (d_compareView)
        d_compareView->setTextDirection(direction);
    if (d_textView)
        d_textView->setTextDirection(direction);
}

void CZuToolTip::setLineBreak(TextParser::LineBreakMode mode)
{
    if (!StoreChanged(d_lineBreak, mode))
        return;
    // Both views lay their texts out again at the layout size and are fitted to them.
    if (d_compareView)
    {
        d_compareView->setSize(kLayoutSize);
        d_compareView->setLineBreak(mode);
        FitCompareViewToText();
    }
    if (!d_textView)
        return;
    TakeLayoutSize();
    d_textView->setLineBreak(mode);
    FitToText();
}

unsigned CZuToolTip::TargetCompareId()
{
    const CEGUI::Window* target = getTargetWindow();
    return target && target->isPropertyPresent(kCompareIdProperty)
               ? CEGUI::PropertyHelper<CEGUI::uint>::fromString(
                     target->getProperty(kCompareIdProperty))
               : 0;
}

void CZuToolTip::FollowCompareObject()
{
    // Targets may share a text but not their compare objects.
    if (getTargetWindow() == d_comparedTarget && TargetCompareId() == d_comparedId)
        return;
    ShowCompareText();
    PositionByTotalArea();
}

void CZuToolTip::ShowCompareText()
{
    // Recorded even without a compare view, so that each update does not try again.
    const unsigned compareId = TargetCompareId();
    d_comparedTarget = getTargetWindow();
    d_comparedId = compareId;
    if (!d_compareView)
        return;
    // A compare id of 0 names no object: there is nothing to ask for.
    CEGUI::String text;
    if (compareId == 0 || !QueryObjectTooltip(text, compareId, true))
    {
        d_compareView->hide();
        return;
    }
    d_compareView->setSize(kLayoutSize);
    d_compareView->setText(text);
    FitCompareViewToText();
    d_compareView->show();
    // It shows a comparison only: it never takes the pointer's input.
    d_compareView->disable();
}

void CZuToolTip::FitCompareViewToText()
{
    const IDoc* doc = d_compareView->QueryDoc();
    // The view's frame, as its look puts it around the text area and the layout inside that:
    // a view of the text's size plus its frame lays the text out in the same lines again.
    const CEGUI::Sizef laidOut = d_compareView->getPixelSize();
    const float frameWidth = laidOut.d_width - (doc ? doc->GetWidth() : 0.0f);
    const float frameHeight = laidOut.d_height - d_compareView->GetTextArea().getHeight();
    const float width = (doc ? doc->GetContentWidth() : 0.0f) + frameWidth;
    const float height = (doc ? doc->GetHeight() : 0.0f) + frameHeight;
    d_compareView->setSize(CEGUI::USize(CEGUI::UDim(0, width), CEGUI::UDim(0, height)));
}

void CZuToolTip::FitToText()
{
    sizeSelf();
    // The text sits inside the look's frame: in its text area, when it has one.
    if (d_textView)
    {
        const CEGUI::Rectf area =
            LookImagery::NamedAreaRect(*this, "TextArea")
                .value_or(CEGUI::Rectf(CEGUI::Vector2f(0.0f, 0.0f), getPixelSize()));
        d_textView->setArea(CEGUI::URect(CEGUI::UDim(0, area.left()), CEGUI::UDim(0, area.top()),
                                         CEGUI::UDim(0, area.right()),
                                         CEGUI::UDim(0, area.bottom())));
    }
    PositionByTotalArea();
}

void CZuToolTip::onMoved(CEGUI::ElementEventArgs& e)
{
    Tooltip::onMoved(e);
    if (d_positioning)
        return;
    // Moved neither by CEGUI nor by the tip: the client placed it, and that stands until the
    // target changes.
    if (!d_inPositionSelf)
    {
        d_clientPlacement = ClientPlacement{getTargetWindow(), getPosition()};
        return;
    }
    // CEGUI places the tip by its own area alone.
    PositionByTotalArea();
}

bool CZuToolTip::KeepClientPlacement()
{
    if (!d_clientPlacement)
        return false;
    if (d_clientPlacement->target != getTargetWindow())
    {
        d_clientPlacement.reset();
        return false;
    }
    d_positioning = true;
    setPosition(d_clientPlacement->position);
    d_positioning = false;
    return true;
}

void CZuToolTip::PositionByTotalArea()
{
    if (!getTargetWindow() || KeepClientPlacement())
        return;
    // CEGUI's rule, with the area of both views: below right of the pointer, or on its other
    // side where that would leave the display.
    CEGUI::MouseCursor& cursor = getGUIContext().getMouseCursor();
    const CEGUI::Vector2f pointer = cursor.getPosition();
    const CEGUI::Sizef cursorSize =
        cursor.getImage() ? cursor.getImage()->getRenderedSize() : CEGUI::Sizef(0.0f, 0.0f);
    const CEGUI::Sizef display = getGUIContext().getSurfaceSize();
    const CEGUI::Rectf total = getTotalArea();
    CEGUI::Vector2f position(pointer.d_x + cursorSize.d_width, pointer.d_y + cursorSize.d_height);
    if (position.d_x + total.getWidth() > display.d_width)
        position.d_x = pointer.d_x - total.getWidth() - kPointerGap;
    if (position.d_y + total.getHeight() > display.d_height)
        position.d_y = pointer.d_y - total.getHeight() - kPointerGap;
    d_positioning = true;
    setPosition(CEGUI::UVector2(CEGUI::UDim(0, std::max(position.d_x, 0.0f)),
                                CEGUI::UDim(0, std::max(position.d_y, 0.0f))));
    d_positioning = false;
}

void CZuToolTip::updateSelf(float elapsed)
{
    FollowCompareObject();
    // Once per client frame; without the client's clock, every frame.
    const ClientFrameGuard::Frame frame = d_frameGuard.Next(elapsed);
    if (frame == ClientFrameGuard::Frame::New || frame == ClientFrameGuard::Frame::NoClientClock)
        Tooltip::updateSelf(elapsed);
}

void CZuToolTip::onDestructionStarted(CEGUI::WindowEventArgs& e)
{
    Tooltip::onDestructionStarted(e);
    NotifyClientOfDestruction(*this);
}
} // namespace ZuGUI
