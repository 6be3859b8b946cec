// CSpellIcon ("ZuGame/SpellIcon"): the item icon under its own window type, so that a layout
// can place spell slots. Its window type maps to the spell manager ("SpellProxyMgr"), where the
// "Item" requests of its default item type go. All its behaviour is the item icon's, events
// included: they are fired in the "ItemIcon" namespace. The item icon's renderer
// ("ZuGame/ItemIcon") draws it.
#pragma once

#include "ZuGUIElements/base/WidgetAlias.h"
#include "ZuGUIElements/gamewidgets/ItemIcon.h"

namespace ZuGUI
{
inline constexpr char kSpellIconTypeName[] = "ZuGame/SpellIcon";
inline constexpr char kSpellIconEventNamespace[] = "SpellIcon";
inline constexpr char kSpellIconProviderName[] = "SpellProxyMgr";

using CSpellIcon =
    WidgetAlias<CItemIcon, kSpellIconTypeName, kSpellIconEventNamespace, kSpellIconProviderName>;

using CSpellIconFactory = ZuWindowFactory<CSpellIcon>;
} // namespace ZuGUI
