#include "ZuGUIElements/gamewidgets/ZuDecorateWindow.h"

#include <algorithm>
#include <cmath>

#include <CEGUI/CoordConverter.h>
#include <CEGUI/GUIContext.h>
#include <CEGUI/MouseCursor.h>

namespace ZuGUI
{
const CEGUI::String CZuDecorateWindow::WidgetTypeName("ZuGame/DecorateWindow");
const CEGUI::String CZuDecorateWindow::EventNamespace("DecorateWindow");

const CEGUI::ShareProSet CZuDecorateWindow::s_SharePros{
    WidgetProperty<&CZuDecorateWindow::isDraggingEnabled, &CZuDecorateWindow::setDraggingEnabled>(
        "DraggingEnabled",
        "Property to get/set the state of the dragging enabled setting for the DecorateWindow.  "
        "Value is either \"True\" or \"False\".",
        "False"),
};

void CZuDecorateWindow::setDraggingEnabled(bool enabled)
{
    if (!StoreChanged(d_dragEnabled, enabled))
        return;
    // Releasing the capture ends the drag (onCaptureLost).
    if (!enabled && d_dragging)
        releaseInput();
    CEGUI::WindowEventArgs args(this);
    onDraggingModeChanged(args);
}

bool CZuDecorateWindow::MayStartDrag(const CEGUI::MouseEventArgs& e) const
{
    return getParent() && d_dragEnabled && !getTargetChildAtPosition(e.position);
}

void CZuDecorateWindow::onMouseButtonDown(CEGUI::MouseEventArgs& e)
{
    SharedPropertyLayer::onMouseButtonDown(e);
    if (e.button != CEGUI::LeftButton)
        return;
    if (MayStartDrag(e) && captureInput())
        StartDrag(e);
    ++e.handled;
}

CEGUI::Rectf CZuDecorateWindow::DragArea() const
{
    if (const CEGUI::Window* grandParent = getParent()->getParent())
        return grandParent->getInnerRectClipper();
    return CEGUI::Rectf(CEGUI::Vector2f(0.0f, 0.0f), getGUIContext().getSurfaceSize());
}

void CZuDecorateWindow::StartDrag(const CEGUI::MouseEventArgs& e)
{
    d_dragging = true;
    d_dragPoint = CEGUI::CoordConverter::screenToWindow(*this, e.position);
    CEGUI::MouseCursor& cursor = getGUIContext().getMouseCursor();
    d_oldCursorArea = cursor.getConstraintArea();
    const CEGUI::Rectf area = d_oldCursorArea.getIntersection(DragArea());
    cursor.setConstraintArea(&area);
}

void CZuDecorateWindow::onMouseMove(CEGUI::MouseEventArgs& e)
{
    SharedPropertyLayer::onMouseMove(e);
    if (!d_dragging || !getParent())
        return;
    offsetPixelPosition(
        KeptInsideParent(CEGUI::CoordConverter::screenToWindow(*this, e.position) - d_dragPoint));
    ++e.handled;
}

CEGUI::Vector2f CZuDecorateWindow::KeptInsideParent(const CEGUI::Vector2f& offset) const
{
    // Dragged past its parent's inner area, the window would be clipped away where the player
    // could never grab it again. One larger than the area keeps its top-left corner inside.
    const CEGUI::Rectf area = getParent()->getUnclippedInnerRect().get();
    const CEGUI::Rectf window = getUnclippedOuterRect().get();
    const auto keep = [](float by, float lowest, float highest)
    { return std::clamp(by, lowest, std::max(lowest, highest)); };
    return CEGUI::Vector2f(
        keep(offset.d_x, area.left() - window.left(), area.right() - window.right()),
        keep(offset.d_y, area.top() - window.top(), area.bottom() - window.bottom()));
}

void CZuDecorateWindow::offsetPixelPosition(const CEGUI::Vector2f& offset)
{
    // Whole pixels, rounded to the nearest in either direction.
    const CEGUI::UVector2 by(CEGUI::UDim(0, std::round(offset.d_x)),
                             CEGUI::UDim(0, std::round(offset.d_y)));
    setPosition(getPosition() + by);
}

void CZuDecorateWindow::onMouseButtonUp(CEGUI::MouseEventArgs& e)
{
    SharedPropertyLayer::onMouseButtonUp(e);
    if (e.button != CEGUI::LeftButton)
        return;
    releaseInput();
    ++e.handled;
}

void CZuDecorateWindow::onCaptureLost(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onCaptureLost(e);
    // Only a drag confined the pointer: another capture loss has nothing to give back.
    if (!d_dragging)
        return;
    d_dragging = false;
    getGUIContext().getMouseCursor().setConstraintArea(&d_oldCursorArea);
}
} // namespace ZuGUI
