#include "ZuGUIElements/gamewidgets/ZuDecorateWindow.h"

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
    offsetPixelPosition(CEGUI::CoordConverter::screenToWindow(*this, e.position) - d_dragPoint);
    ++e.handled;
}

void CZuDecorateWindow::offsetPixelPosition(const CEGUI::Vector2f& offset)
{
    const CEGUI::UVector2 by(
        CEGUI::UDim(0, static_cast<float>(static_cast<int>(offset.d_x + 0.5f))),
        CEGUI::UDim(0, static_cast<float>(static_cast<int>(offset.d_y + 0.5f))));
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
