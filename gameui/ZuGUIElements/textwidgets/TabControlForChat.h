// CTabControlForChat ("ZuGame/TabControlForChat"): CEGUI's tab control for the chat tabs. It
// draws its own window imagery like a plain window, where CEGUI's tab control leaves all
// drawing to its children.
#pragma once

#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/widgets/TabControl.h>

namespace ZuGUI
{
class CTabControlForChat : public CEGUI::TabControl
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using TabControl::TabControl;

protected:
    void drawSelf(const CEGUI::RenderingContext& context) override
    {
        CEGUI::Window::drawSelf(context);
    }
};

using CTabControlForChatFactory = ZuWindowFactory<CTabControlForChat>;
} // namespace ZuGUI
