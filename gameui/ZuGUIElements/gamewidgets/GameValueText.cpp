#include "ZuGUIElements/gamewidgets/GameValueText.h"

#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"

namespace ZuGUI
{
const CEGUI::String CGameValueText::WidgetTypeName("ZuGame/GameValueText");
const CEGUI::String CGameValueText::EventNamespace("GameValueText");

namespace GameValueTextProperty
{
namespace
{
const char* const kHelp =
    "Property to get/set the which object for the text to evaluate .  Value is a string.";
}

WhichOne::WhichOne() : WidgetProperty("WhichOne", kHelp, "0") {}
WhichProperty::WhichProperty() : WidgetProperty("WhichProperty", kHelp, "0") {}
} // namespace GameValueTextProperty

GameValueTextProperty::WhichOne CGameValueText::s_WhichOne;
GameValueTextProperty::WhichProperty CGameValueText::s_WhichProperty;

CGameValueText::SharePropertySet::SharePropertySet()
{
    addProperty(&s_WhichOne);
    addProperty(&s_WhichProperty);
}

const CGameValueText::SharePropertySet CGameValueText::s_SharePros;

CGameValueText::CGameValueText(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
}

void CGameValueText::SetWhichOne(const CEGUI::String& whichOne)
{
    if (whichOne == d_whichOne)
        return;
    d_whichOne = whichOne;
    requestUpdate();
}

void CGameValueText::SetWhichProperty(const CEGUI::String& whichProperty)
{
    if (whichProperty == d_whichProperty)
        return;
    d_whichProperty = whichProperty;
    requestUpdate();
}

void CGameValueText::UpdateImp()
{
    int creatureId = HostTrees::kNoChangeId;
    const bool answered = QueryHost(
        GetProviderName().c_str(),
        [&](KeyValues& request) { request.SetString(HostTrees::kWhichOne, d_whichOne.c_str()); },
        [&](KeyValues& reply)
        { creatureId = reply.GetInt(HostTrees::kCreatureId, HostTrees::kNoChangeId); });
    if (!answered)
        return;
    if (creatureId != HostTrees::kNoChangeId)
    {
        const unsigned previous = d_objectId;
        d_objectId = static_cast<unsigned>(creatureId);
        MoveWatch(previous, d_objectId);
    }
    RequestText();
}

void CGameValueText::RequestText()
{
    CEGUI::String text;
    const QueryResult result = QueryHost(
        HostTrees::kGameObjectProperty,
        [&](KeyValues& request)
        {
            request.SetInt(HostTrees::kObjectId, static_cast<int>(d_objectId));
            request.SetString(HostTrees::kWhichProperty, d_whichProperty.c_str());
        },
        [&](KeyValues& reply) { text = ReplyText(reply, HostTrees::kPropertyStringValue); });
    if (result.NoHostSet())
        return;
    setText(result ? text : CEGUI::String());
}
} // namespace ZuGUI

namespace CEGUI
{
const String CGameValueTextRenderer::TypeName("ZuGame/GameValueText");

CGameValueTextRenderer::CGameValueTextRenderer(const String& type) : ZuRenderer(type) {}

void CGameValueTextRenderer::render()
{
    const bool enabled = !d_window->isDisabled();
    if (isFrameEnabled())
        RenderStateImagery(enabled ? "EnabledFrame" : "DisabledFrame");
    if (isBackgroundEnabled())
        RenderStateImagery(enabled ? "WithFrameEnabledBackground" : "WithFrameDisabledBackground");
    RenderStateImagery(enabled ? "Enabled" : "Disabled");
    ZuRenderer::render();
}
} // namespace CEGUI
