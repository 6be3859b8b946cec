#include "ZuGUIElements/textwidgets/EditKeys.h"

#include <CEGUI/Window.h>

namespace ZuGUI
{
namespace
{
bool IsCommonEditKey(CEGUI::Key::Scan key)
{
    switch (key)
    {
    case CEGUI::Key::LeftShift:
    case CEGUI::Key::RightShift:
    case CEGUI::Key::Backspace:
    case CEGUI::Key::Delete:
    case CEGUI::Key::Return:
    case CEGUI::Key::NumpadEnter:
    case CEGUI::Key::ArrowLeft:
    case CEGUI::Key::ArrowRight:
    case CEGUI::Key::Home:
    case CEGUI::Key::End:
        return true;
    default:
        return false;
    }
}
} // namespace

bool IsSingleLineEditKey(CEGUI::Key::Scan key)
{
    // Tab accepts the text, as Return does.
    return IsCommonEditKey(key) || key == CEGUI::Key::Tab;
}

bool IsMultiLineEditKey(CEGUI::Key::Scan key)
{
    return IsCommonEditKey(key) || key == CEGUI::Key::ArrowUp || key == CEGUI::Key::ArrowDown ||
           key == CEGUI::Key::PageUp || key == CEGUI::Key::PageDown;
}

void KeepKey(CEGUI::Window& box, CEGUI::KeyEventArgs& e)
{
    box.fireEvent(CEGUI::Window::EventKeyDown, e, CEGUI::Window::EventNamespace);
    ++e.handled;
}
} // namespace ZuGUI
