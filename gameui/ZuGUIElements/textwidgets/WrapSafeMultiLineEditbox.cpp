#include "ZuGUIElements/textwidgets/WrapSafeMultiLineEditbox.h"

#include <CEGUI/Font.h>

namespace ZuGUI
{
bool CanWrapEveryGlyph(const CEGUI::MultiLineEditbox& box)
{
    const CEGUI::Font* font = box.getFont();
    if (!box.isWordWrapped() || !font || !box.getWindowRenderer())
        return true;
    const float width = box.getTextRenderArea().getWidth();
    const CEGUI::String& text = box.getText();
    for (CEGUI::String::size_type i = 0; i < text.length(); ++i)
    {
        if (text[i] != '\n' && font->getTextExtent(text.substr(i, 1)) > width)
            return false;
    }
    return true;
}
} // namespace ZuGUI

namespace ZuGUI
{
void WrapSafeMultiLineEditbox::onSized(CEGUI::ElementEventArgs& e)
{
    if (CanWrapEveryGlyph(*this))
        MultiLineEditbox::onSized(e);
    else
        Window::onSized(e);
}
} // namespace ZuGUI
