#include "ZuGUIElements/gamewidgets/CreatureViewer.h"

#include "ZuGUIElements/module/HostQuery.h"

namespace ZuGUI
{
const CEGUI::String CCreatureViewer::WidgetTypeName("ZuGame/CreatureViewer");
const CEGUI::String CCreatureViewer::EventNamespace("CCreatureViewer");

namespace CCreatureViewerProperty
{
WhichOne::WhichOne()
    : WidgetProperty(
          "WhichOne",
          "Property to get/set the which object for the text to evaluate .  Value is a string.",
          "0")
{
}

RenderOper::RenderOper()
    : WidgetProperty("RenderOper",
                     "Property to get/set the render operation for the viewer .  Value is a int.",
                     "0")
{
}

DirectId::DirectId()
    : WidgetProperty("CellId",
                     "Property to get/set the direct item id of CZuItemIcon.  Value is a int.", "0")
{
}

Picked::Picked()
    : WidgetProperty(
          "Picked",
          "Property to get/set the if this CCreatureViewer is picked.  Value is a boolean.",
          "False")
{
}
} // namespace CCreatureViewerProperty

CCreatureViewerProperty::WhichOne CCreatureViewer::s_whichOne;
CCreatureViewerProperty::RenderOper CCreatureViewer::s_RenderOper;
CCreatureViewerProperty::DirectId CCreatureViewer::s_DirectId;
CCreatureViewerProperty::Picked CCreatureViewer::s_Picked;

CCreatureViewer::SharePropertySet::SharePropertySet()
{
    addProperty(&s_whichOne);
    addProperty(&s_RenderOper);
    addProperty(&s_DirectId);
    addProperty(&s_Picked);
}

const CCreatureViewer::SharePropertySet CCreatureViewer::s_SharePros;

CCreatureViewer::CCreatureViewer(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
}

void CCreatureViewer::SetRenderOper(int renderOperation)
{
    if (renderOperation == d_renderOperation)
        return;
    d_renderOperation = renderOperation;
    if (auto* renderer = dynamic_cast<CEGUI::CCreatureViewerRenderer*>(getWindowRenderer()))
        renderer->AnchorImageFor(renderOperation);
    invalidate();
}

void CCreatureViewer::SetDirectId(unsigned directId)
{
    if (directId == d_directId)
        return;
    d_directId = directId;
    requestUpdate();
}

void CCreatureViewer::setPicked(bool picked)
{
    if (picked == d_picked)
        return;
    d_picked = picked;
    requestUpdate();
}

void CCreatureViewer::UpdateImp()
{
    const int creatureId = ResolveCreatureId();
    if (creatureId == HostTrees::kNoChangeId)
        return;
    const unsigned previous = d_creatureId;
    SetTargetId(static_cast<unsigned>(creatureId));
    MoveWatch(previous, d_creatureId);
}

int CCreatureViewer::ResolveCreatureId() const
{
    if (!GetHost())
        return HostTrees::kNoChangeId;
    if (d_directId != HostTrees::kNoDirectId)
        return static_cast<int>(d_directId);
    int creatureId = HostTrees::kNoChangeId;
    QueryHost(
        GetProviderName().c_str(),
        [&](KeyValues& request) { request.SetString(HostTrees::kWhichOne, d_whichOne.c_str()); },
        [&](KeyValues& reply)
        { creatureId = reply.GetInt(HostTrees::kCreatureId, HostTrees::kNoChangeId); });
    return creatureId;
}
} // namespace ZuGUI

namespace CEGUI
{
const String CCreatureViewerRenderer::TypeName("ZuGame/CreatureViewer");

CCreatureViewerRenderer::CCreatureViewerRenderer(const String& type) : ZuRenderer(type)
{
    AnchorImageFor(ZuGUI::CCreatureViewer::RenderMap);
}

void CCreatureViewerRenderer::AnchorImageFor(int renderOperation)
{
    switch (renderOperation)
    {
    case ZuGUI::CCreatureViewer::RenderMap:
        SetImageOffset(0.5f, -24.0f, 1.0f, -16.0f);
        break;
    case ZuGUI::CCreatureViewer::RenderIcon:
        SetImageOffset(0.5f, 0.0f, 1.0f, -2.0f);
        break;
    default:
        break;
    }
}

void CCreatureViewerRenderer::render()
{
    RenderFrameAndBackground(!d_window->isDisabled());
    const auto* viewer = dynamic_cast<const ZuGUI::CCreatureViewer*>(d_window);
    if (viewer && viewer->getPicked())
        RenderStateImagery("Picked");
    ZuRenderer::render();
}

void CCreatureViewerRenderer::RenderFrameAndBackground(bool enabled) const
{
    if (isFrameEnabled())
        RenderStateImagery(enabled ? "EnabledFrame" : "DisabledFrame");
    if (!isBackgroundEnabled())
        return;
    if (isFrameEnabled())
        RenderStateImagery(enabled ? "WithFrameEnabledBackground" : "WithFrameDisabledBackground");
    else
        RenderStateImagery(enabled ? "NoFrameEnabledBackground" : "NoFrameDisabledBackground");
}

void CCreatureViewerRenderer::UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params)
{
    const auto* viewer = dynamic_cast<const ZuGUI::CCreatureViewer*>(d_window);
    if (viewer)
        params.push_back(
            {viewer->GetTargetId(), static_cast<unsigned>(viewer->GetRenderOper()), 0.0f, 0.0f});
}
} // namespace CEGUI
