#include "ZuGUIElements/gamewidgets/ThinkableFrameWindow.h"

namespace ZuGUI
{
const CEGUI::String CThinkableFrameWindow::WidgetTypeName("ZuGame/CThinkableFrameWindow");
const CEGUI::String CThinkableFrameWindow::EventNamespace("CThinkableFrameWindow");
const CEGUI::String CThinkableFrameWindow::EventThink("Think");

const CEGUI::ShareProSet CThinkableFrameWindow::s_SharePros{
    WidgetProperty<&CThinkableFrameWindow::getThinkingCycle,
                   &CThinkableFrameWindow::setThinkingCycle>(
        "ThinkingCycle",
        "Property to get/set the thinking cycle for the framewindow .  Value is a float.", "0"),
};

void CThinkableFrameWindow::setThinkingCycle(float seconds)
{
    d_thinkingCycle = seconds;
    d_timeLeft = seconds;
}

void CThinkableFrameWindow::updateSelf(float elapsed)
{
    CEGUI::Window::updateSelf(elapsed);
    if (d_thinkingCycle == 0.0f)
        return;
    if (d_timeLeft < elapsed)
    {
        d_timeLeft = 0.0f;
        CEGUI::WindowEventArgs args(this);
        onThink(args);
    }
    else
    {
        d_timeLeft -= elapsed;
    }
}

void CThinkableFrameWindow::onThink(CEGUI::WindowEventArgs& e)
{
    fireEvent(EventThink, e, EventNamespace);
}
} // namespace ZuGUI
