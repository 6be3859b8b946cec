#include "ZuGUIElements/gamewidgets/SpellIcon.h"

namespace ZuGUI
{
const CEGUI::String CSpellIcon::WidgetTypeName("ZuGame/SpellIcon");
const CEGUI::String CSpellIcon::EventNamespace("SpellIcon");
} // namespace ZuGUI
