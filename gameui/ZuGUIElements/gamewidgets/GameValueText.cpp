#include "ZuGUIElements/gamewidgets/GameValueText.h"

namespace ZuGUI
{
namespace
{
const char* const kWhichHelp =
    "Property to get/set the which object for the text to evaluate .  Value is a string.";
} // namespace

const CEGUI::String CGameValueText::WidgetTypeName("ZuGame/GameValueText");
const CEGUI::String CGameValueText::EventNamespace("GameValueText");

const CEGUI::ShareProSet CGameValueText::s_SharePros{
    WidgetProperty<&CGameValueText::GetWhichOne, &CGameValueText::SetWhichOne>("WhichOne",
                                                                               kWhichHelp, ""),
    WidgetProperty<&CGameValueText::GetWhichProperty, &CGameValueText::SetWhichProperty>(
        "WhichProperty", kWhichHelp, ""),
};

void CGameValueText::UpdateImp()
{
    int creatureId = HostTrees::kNoChangeId;
    if (!QueryRoleCreature(d_whichOne, creatureId))
        return;
    if (creatureId != HostTrees::kNoChangeId)
        BindTarget(static_cast<unsigned>(creatureId));
    RequestText();
}

void CGameValueText::RequestText()
{
    CEGUI::String text;
    const QueryResult result = QueryPropertyValue(
        [&](KeyValues& reply) { text = ReplyText(reply, HostTrees::kPropertyStringValue); });
    if (result.NoHostSet())
        return;
    setText(result ? text : CEGUI::String());
}
} // namespace ZuGUI

namespace CEGUI
{
const String CGameValueTextRenderer::TypeName("ZuGame/GameValueText");

void CGameValueTextRenderer::RenderImagery()
{
    RenderFrameAndBackground(Background::AlwaysFramed);
    RenderStateImagery(d_window->isDisabled() ? "Disabled" : "Enabled");
    RenderProxyLayer();
}
} // namespace CEGUI
