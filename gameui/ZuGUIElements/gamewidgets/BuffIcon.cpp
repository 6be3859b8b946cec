#include "ZuGUIElements/gamewidgets/BuffIcon.h"

#include "ZuGUIElements/module/HostQuery.h"

namespace ZuGUI
{
const CEGUI::String CBuffIcon::WidgetTypeName("ZuGame/BuffIcon");
const CEGUI::String CBuffIcon::EventNamespace("BuffIcon");

namespace GameBuffIconProperties
{
BuffIndex::BuffIndex()
    : WidgetProperty("BuffIndex",
                     "Property to get/set the index for the Buff Icon.  Value is a int.", "0")
{
}

DirectId::DirectId()
    : WidgetProperty("CellId",
                     "Property to get/set the direct item id of the Buff Icon.  Value is a int.",
                     "0")
{
}
} // namespace GameBuffIconProperties

GameBuffIconProperties::BuffIndex CBuffIcon::s_buffIndex;
GameBuffIconProperties::DirectId CBuffIcon::s_DirectId;

CBuffIcon::SharePropertySet::SharePropertySet()
{
    addProperty(&s_buffIndex);
    addProperty(&s_DirectId);
}

const CBuffIcon::SharePropertySet CBuffIcon::s_SharePros;

CBuffIcon::CBuffIcon(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
}

void CBuffIcon::SetBuffIndex(unsigned buffIndex)
{
    if (buffIndex == d_buffIndex)
        return;
    d_buffIndex = buffIndex;
    UpdateImp();
}

void CBuffIcon::SetDirectId(unsigned directId)
{
    if (directId == d_directId)
        return;
    d_directId = directId;
    UpdateImp();
}

void CBuffIcon::UpdateImp()
{
    if (!GetHost())
        return;
    const int buffId = ResolveBuffId();
    if (buffId != HostTrees::kNoChangeId)
        BindTarget(static_cast<unsigned>(buffId));
}

int CBuffIcon::ResolveBuffId() const
{
    if (d_directId != HostTrees::kNoDirectId)
        return static_cast<int>(d_directId);
    int cellId = HostTrees::kNoChangeId;
    const bool answered = QueryHost(
        GetProviderName().c_str(),
        [&](KeyValues& request)
        { request.SetInt(HostTrees::kBuffIndex, static_cast<int>(d_buffIndex)); },
        [&](KeyValues& reply)
        { cellId = reply.GetInt(HostTrees::kCellId, HostTrees::kNoChangeId); });
    return answered ? cellId : 0;
}

void CBuffIcon::BindTarget(unsigned buffId)
{
    const unsigned previous = d_targetId;
    SetTargetId(buffId);
    // An unanswered request binds 0: the buff watched until now is released as well.
    MoveWatch(previous, d_targetId);
    invalidate();
    RequestTooltip();
}

void CBuffIcon::RequestTooltip()
{
    CEGUI::String tooltip;
    QueryObjectTooltip(tooltip, d_targetId, false);
    setTooltipText(tooltip);
}
} // namespace ZuGUI

namespace CEGUI
{
namespace
{
// The client draws a buff as an icon (the "RenderIcon" operation of game images).
constexpr unsigned kBuffRenderOperation = 1;
} // namespace

const String CBuffIconRenderer::TypeName("ZuGame/BuffIcon");

CBuffIconRenderer::CBuffIconRenderer(const String& type) : ZuRenderer(type)
{
    SetImageOffset(0.5f, 0.0f, 0.5f, 0.0f);
}

void CBuffIconRenderer::UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params)
{
    const auto* icon = dynamic_cast<const ZuGUI::CBuffIcon*>(d_window);
    if (icon)
        params.push_back({icon->GetTargetId(), kBuffRenderOperation, 0.0f, 0.0f});
}
} // namespace CEGUI
