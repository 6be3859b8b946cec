// CZuDecorateWindow ("ZuGame/DecorateWindow"): a window that the player drags around by itself
// (not by a child) while "DraggingEnabled" is on. A drag holds the input capture and keeps the
// pointer inside the parent's parent (or the display) until the capture is lost.
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/Window.h>

namespace ZuGUI
{
class CZuDecorateWindow : public SharedPropertyLayer<CZuDecorateWindow, CEGUI::Window>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    void initialiseComponents() override {}

    // Turning it off during a drag ends the drag.
    void setDraggingEnabled(bool enabled);
    bool isDraggingEnabled() const { return d_dragEnabled; }
    bool isDragging() const { return d_dragging; }
    // Moves the window by `offset`, rounded to whole pixels.
    void offsetPixelPosition(const CEGUI::Vector2f& offset);
    // `offset`, cut so that the moved window stays inside its parent's inner area.
    CEGUI::Vector2f KeptInsideParent(const CEGUI::Vector2f& offset) const;

protected:
    void onMouseButtonDown(CEGUI::MouseEventArgs& e) override;
    void onMouseMove(CEGUI::MouseEventArgs& e) override;
    void onMouseButtonUp(CEGUI::MouseEventArgs& e) override;
    void onCaptureLost(CEGUI::WindowEventArgs& e) override;
    virtual void onDraggingModeChanged(CEGUI::WindowEventArgs& e) {}

private:
    bool MayStartDrag(const CEGUI::MouseEventArgs& e) const;
    void StartDrag(const CEGUI::MouseEventArgs& e);
    // Where the pointer may go during a drag: the parent's parent, or the display.
    CEGUI::Rectf DragArea() const;

    bool d_dragEnabled = false;
    bool d_dragging = false;
    CEGUI::Vector2f d_dragPoint;
    CEGUI::Rectf d_oldCursorArea;
};

using CZuDecorateWindowFactory = ZuWindowFactory<CZuDecorateWindow>;
} // namespace ZuGUI
