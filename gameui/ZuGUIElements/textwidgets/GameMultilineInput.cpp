#include "ZuGUIElements/textwidgets/GameMultilineInput.h"

namespace ZuGUI
{
const CEGUI::String CGameMultilineInput::WidgetTypeName("ZuGame/GameMultilineInput");
const CEGUI::String CGameMultilineInput::EventNamespace("GameMultilineInput");
} // namespace ZuGUI
