#include "ZuGUIElements/gamewidgets/CreatureViewer.h"

namespace ZuGUI
{
namespace
{
// The viewer knows the plain image kinds by name; any other name is the map image.
constexpr NamedValue kViewerRenderOperations[] = {
    {"RenderMap", CCreatureViewer::RenderMap},
    {"RenderIcon", CCreatureViewer::RenderIcon},
    {"RenderLargeIcon", 2},
    {"RenderSmallIcon", 3},
};
} // namespace

const CEGUI::String CCreatureViewer::WidgetTypeName("ZuGame/CreatureViewer");
const CEGUI::String CCreatureViewer::EventNamespace("CCreatureViewer");

const CEGUI::ShareProSet CCreatureViewer::s_SharePros{
    WidgetProperty<&CCreatureViewer::GetWhichOne, &CCreatureViewer::SetWhichOne>(
        "WhichOne",
        "Property to get/set the which object for the text to evaluate .  Value is a string.", ""),
    WidgetProperty<&CCreatureViewer::GetRenderOper, &CCreatureViewer::SetRenderOper,
                   NamedValueText<kViewerRenderOperations>>(
        "RenderOper",
        "Property to get/set the render operation for the viewer .  Value is one of "
        "\"RenderMap\", \"RenderIcon\", \"RenderLargeIcon\" and \"RenderSmallIcon\".",
        "RenderMap"),
    WidgetProperty<&CCreatureViewer::GetDirectId, &CCreatureViewer::SetDirectId>(
        // The text of the initial id (none: -1).
        "CellId", "Property to get/set the direct item id of CZuItemIcon.  Value is a uint.",
        "4294967295"),
    WidgetProperty<&CCreatureViewer::getPicked, &CCreatureViewer::setPicked>(
        "Picked", "Property to get/set the if this CCreatureViewer is picked.  Value is a boolean.",
        "False"),
};

void CCreatureViewer::SetRenderOper(int renderOperation)
{
    if (!StoreChanged(d_renderOperation, renderOperation))
        return;
    if (auto* renderer = dynamic_cast<CEGUI::CCreatureViewerRenderer*>(getWindowRenderer()))
        renderer->AnchorImageFor(renderOperation);
    invalidate();
}

void CCreatureViewer::UpdateImp()
{
    const int creatureId = ResolveCreatureId();
    if (creatureId != HostTrees::kNoChangeId)
        BindTarget(static_cast<unsigned>(creatureId));
}

int CCreatureViewer::ResolveCreatureId() const
{
    if (!GetHost())
        return HostTrees::kNoChangeId;
    return DirectIdOr(d_directId,
                      [this]
                      {
                          int creatureId = HostTrees::kNoChangeId;
                          QueryRoleCreature(d_whichOne, creatureId);
                          return creatureId;
                      });
}
} // namespace ZuGUI

namespace CEGUI
{
const String CCreatureViewerRenderer::TypeName("ZuGame/CreatureViewer");

CCreatureViewerRenderer::CCreatureViewerRenderer(const String& type) : GameRenderer(type)
{
    AnchorImageFor(ZuGUI::CCreatureViewer::RenderMap);
}

void CCreatureViewerRenderer::onAttach()
{
    GameRenderer::onAttach();
    if (const ZuGUI::CCreatureViewer* viewer = GameWidget())
        AnchorImageFor(viewer->GetRenderOper());
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

void CCreatureViewerRenderer::RenderImagery()
{
    RenderFrameAndBackground(Background::FollowsFrame);
    const ZuGUI::CCreatureViewer* viewer = GameWidget();
    if (viewer && viewer->getPicked())
        RenderStateImagery("Picked");
    RenderProxyLayer();
}
} // namespace CEGUI
