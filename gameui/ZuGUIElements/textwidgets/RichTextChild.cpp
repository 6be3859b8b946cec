#include "ZuGUIElements/textwidgets/RichTextChild.h"

#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/WindowManager.h>

namespace ZuGUI
{
CGameMultiLine* AddRichTextChild(CEGUI::Window& parent, const CEGUI::String& name,
                                 Layout::LineBreakMode lineBreak, Bidi::Direction direction)
{
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::Window* window = windows.createWindow(kRichTextChildType, name);
    auto* view = dynamic_cast<CGameMultiLine*>(window);
    if (!view)
    {
        windows.destroyWindow(window);
        return nullptr;
    }
    view->setLineBreak(lineBreak);
    view->setTextDirection(direction);
    parent.addChild(view);
    return view;
}
} // namespace ZuGUI
