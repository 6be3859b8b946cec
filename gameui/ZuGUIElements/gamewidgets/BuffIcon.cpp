#include "ZuGUIElements/gamewidgets/BuffIcon.h"

namespace ZuGUI
{
const CEGUI::String CBuffIcon::WidgetTypeName("ZuGame/BuffIcon");
const CEGUI::String CBuffIcon::EventNamespace("BuffIcon");

const CEGUI::ShareProSet CBuffIcon::s_SharePros{
    WidgetProperty<&CBuffIcon::GetBuffIndex, &CBuffIcon::SetBuffIndex>(
        "BuffIndex", "Property to get/set the index for the Buff Icon.  Value is a uint.", "0"),
    WidgetProperty<&CBuffIcon::GetDirectId, &CBuffIcon::SetDirectId>(
        // The text of the initial id (none: -1).
        "CellId", "Property to get/set the direct item id of the Buff Icon.  Value is a uint.",
        "4294967295"),
};

void CBuffIcon::ResolveOnChange(unsigned& field, unsigned value)
{
    if (StoreChanged(field, value))
        UpdateImp();
}

void CBuffIcon::UpdateImp()
{
    if (!GetHost())
        return;
    const int buffId = ResolveBuffId();
    if (buffId == HostTrees::kNoChangeId)
        return;
    // An unanswered request binds 0: the buff watched until now is released as well.
    BindTarget(static_cast<unsigned>(buffId));
    invalidate();
    RequestTooltip();
}

int CBuffIcon::ResolveBuffId() const
{
    return DirectIdOr(d_directId,
                      [this]
                      {
                          int cellId = HostTrees::kNoChangeId;
                          const bool answered =
                              QueryTargetId(GetProviderName().c_str(), HostTrees::kCellId, cellId,
                                            [this](KeyValues& request) {
                                                request.SetInt(HostTrees::kBuffIndex,
                                                               static_cast<int>(d_buffIndex));
                                            });
                          return answered ? cellId : 0;
                      });
}

void CBuffIcon::RequestTooltip()
{
    CEGUI::String tooltip;
    QueryObjectTooltip(tooltip, GetTargetId(), false);
    setTooltipText(tooltip);
}
} // namespace ZuGUI

namespace CEGUI
{
const String CBuffIconRenderer::TypeName("ZuGame/BuffIcon");

CBuffIconRenderer::CBuffIconRenderer(const String& type) : GameRenderer(type)
{
    SetImageOffset(0.5f, 0.0f, 0.5f, 0.0f);
}
} // namespace CEGUI
