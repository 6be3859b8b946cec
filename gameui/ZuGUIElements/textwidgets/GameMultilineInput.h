// CGameMultilineInput ("ZuGame/GameMultilineInput"): CEGUI's multi-line edit box that keeps
// every key press from its parents, read-only or not.
#pragma once

#include "ZuGUIElements/base/FactoryTemplates.h"

#include "ZuGUIElements/textwidgets/EditKeys.h"
#include "ZuGUIElements/textwidgets/WrapSafeMultiLineEditbox.h"

#include <CEGUI/widgets/MultiLineEditbox.h>

namespace ZuGUI
{
class CGameMultilineInput : public WrapSafeMultiLineEditbox
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using WrapSafeMultiLineEditbox::WrapSafeMultiLineEditbox;

protected:
    void onKeyDown(CEGUI::KeyEventArgs& e) override
    {
        if (isReadOnly() || !IsMultiLineEditKey(e.scancode))
        {
            KeepKey(*this, e);
            return;
        }
        MultiLineEditbox::onKeyDown(e);
        ++e.handled;
    }
};

using CGameMultilineInputFactory = ZuWindowFactory<CGameMultilineInput>;
} // namespace ZuGUI
