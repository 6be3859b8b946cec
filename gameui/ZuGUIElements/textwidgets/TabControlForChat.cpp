#include "ZuGUIElements/textwidgets/TabControlForChat.h"

namespace ZuGUI
{
const CEGUI::String CTabControlForChat::WidgetTypeName("ZuGame/TabControlForChat");
const CEGUI::String CTabControlForChat::EventNamespace("TabControlForChat");
} // namespace ZuGUI
