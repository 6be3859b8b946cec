// CSpellIcon ("ZuGame/SpellIcon"): the item icon under its own window type, so that a layout
// can place spell slots. Its window type maps to the spell manager ("SpellProxyMgr"), where the
// "Item" requests of its default item type go. All its behaviour is the item icon's, events
// included: they are fired in the "ItemIcon" namespace. The item icon's renderer
// ("ZuGame/ItemIcon") draws it.
#pragma once

#include "ZuGUIElements/gamewidgets/ItemIcon.h"

namespace ZuGUI
{
class CSpellIcon : public CItemIcon
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using CItemIcon::CItemIcon;
};

using CSpellIconFactory = ZuWindowFactory<CSpellIcon>;
} // namespace ZuGUI
